// libFuzzer target for the rich-text reader. Build, for example:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//     tests/fuzz/rtf_reader_fuzz.cpp desktop/rtf_reader.cpp dictionary/cp1253.cpp -o rtf_fuzz
//   ./rtf_fuzz -max_len=65536 content/
// Besides memory errors it checks that a rejection points inside the input and that every
// run holds well-formed UTF-8.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "desktop/rtf_reader.h"

namespace {

bool WellFormedUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t length = c < 0x80           ? 1
                    : (c >> 5) == 0x6  ? 2
                    : (c >> 4) == 0xE  ? 3
                    : (c >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || i + length > s.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const zelvoran::RtfReadResult result = zelvoran::ReadRtf(input);
  if (!result.document) {
    if (result.error.empty() || result.error_offset > size) __builtin_trap();
    return 0;
  }
  for (const zelvoran::RtfParagraph& paragraph : result.document->paragraphs) {
    for (const zelvoran::RtfRun& run : paragraph.runs) {
      if (run.text.empty() || !WellFormedUtf8(run.text) || run.format.half_points < 1) {
        __builtin_trap();
      }
      if (!WellFormedUtf8(run.format.font)) __builtin_trap();
    }
  }
  return 0;
}
