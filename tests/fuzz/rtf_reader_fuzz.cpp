// SPDX-License-Identifier: GPL-3.0-or-later
// The rich-text reader on arbitrary input. Besides memory errors it checks that a rejection
// points inside the input and that every run holds well-formed UTF-8.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "desktop/rtf_reader.h"
#include "tests/fuzz/fuzz_target.h"

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

ZELVORAN_FUZZ_TARGET(rtf_reader) {
  const zelvoran::RtfReadResult result = zelvoran::ReadRtf(data);
  if (!result.document) {
    FUZZ_CHECK(!result.error.empty() && result.error_offset <= data.size());
    return;
  }
  for (const zelvoran::RtfParagraph& paragraph : result.document->paragraphs) {
    for (const zelvoran::RtfRun& run : paragraph.runs) {
      FUZZ_CHECK(!run.text.empty() && WellFormedUtf8(run.text) && run.format.half_points >= 1);
      FUZZ_CHECK(WellFormedUtf8(run.format.font));
    }
  }
}
