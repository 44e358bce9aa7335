// SPDX-License-Identifier: GPL-3.0-or-later
// ReadExplanation at arbitrary positions and lengths over arbitrary file bytes, from the
// dictionary's explanations file or a user's file, with or without an addition. A range
// outside the file gives an empty text; a range inside it gives exactly its decoded bytes.
#include "dictionary/dictionary_data.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/fake_file_system.h"

namespace {

constexpr std::string_view kUserTexts = "C:\\User\\ZelvoranC.tbo";

// Whether a read of `length` bytes from 0-based `offset` succeeds; reading nothing succeeds
// at any offset that is not negative.
bool Inside(int64_t offset, int64_t length, size_t size) {
  if (offset < 0 || length < 0) return false;
  return length == 0 || (static_cast<uint64_t>(offset) <= size &&
                         static_cast<uint64_t>(length) <= size - static_cast<uint64_t>(offset));
}

std::string_view Range(std::string_view bytes, int64_t offset, int64_t length) {
  return length == 0 ? std::string_view()
                     : bytes.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
}

}  // namespace

ZELVORAN_FUZZ_TARGET(explanation) {
  using namespace zelvoran;
  fuzz::FuzzInput in(data);
  const uint8_t flags = in.Byte();
  const bool from_dictionary = (flags & 1) != 0;
  const bool with_addition = (flags & 2) != 0;
  const bool addition_exists = (flags & 4) != 0;
  const std::string_view prefix = in.Take(in.Byte() % 20);
  const size_t addition_size = in.Byte() * 4u;
  const std::string_view added = in.Take(addition_size);
  const std::string_view file_bytes = in.Rest();
  const int64_t position = in.Number(file_bytes.size());
  const int64_t length = in.Number(file_bytes.size());
  const int64_t addition_offset = in.Number(added.size());
  const int64_t addition_length = in.Number(added.size());

  testing::FakeFileSystem fs;
  fs.CreateDirectories("C:\\User");
  const std::string_view file = from_dictionary ? kTextsFile : kUserTexts;
  fs.Put(std::string("C:\\Dict\\") + std::string(kTextsFile), file_bytes);
  fs.Put(kUserTexts, file_bytes);
  const std::string addition_file = "C:\\User\\ZelvoranHC.tbo";
  if (addition_exists) fs.Put(addition_file, added);

  const std::string text =
      ReadExplanation(fs, file, position, length, with_addition ? addition_file : "",
                      addition_offset, addition_length, prefix);
  if (position < 1 || !Inside(position - 1, length, file_bytes.size())) {
    FUZZ_CHECK(text.empty());
    return;
  }
  const std::string_view bytes = Range(file_bytes, position - 1, length);
  std::string expected = from_dictionary ? PositionDecode(position, bytes)
                                         : ShiftCodec(bytes, ShiftDirection::kDecode);
  if (!from_dictionary && !prefix.empty()) expected = std::string(prefix) + "\r\n" + expected;
  if (with_addition && addition_exists && Inside(addition_offset, addition_length, added.size())) {
    expected += "\r\n\r\n";
    expected += kAdditionLabel;
    expected += "\r\n";
    expected += ShiftCodec(Range(added, addition_offset, addition_length), ShiftDirection::kDecode);
    expected += "\r\n";
  }
  FUZZ_CHECK(text == expected);
}
