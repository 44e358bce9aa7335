// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one explanation, and what the window shows for one record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/domain.h"

namespace zelvoran {

struct Dictionary;
class FileSystem;

inline constexpr std::string_view kAdditionLabel =
    "\xD3\xF5\xEC\xF0\xEB\xDE\xF1\xF9\xF3\xE7 "
    "\xE4\xE9\xEA\xDE \xF3\xE1\xF2:";

// The explanation at 1-based `position` of `file` (decoded by position for the dictionary's
// explanations file, else by the shift codec with `prefix` on its own first line), with the
// user's addition appended when `addition_file` is given. Empty on any failure.
std::string ReadExplanation(const FileSystem& fs, std::string_view file, int64_t position,
                            int64_t length, std::string_view addition_file, int64_t addition_offset,
                            int64_t addition_length, std::string_view prefix);

// What the window shows for one record.
struct Explanation {
  std::string headword;       // Entry_Label
  std::string pronunciation;  // IPA, UTF-8; empty for the user's entries
  Origin origin = Origin::kNone;
  // The explanation and whether the user may delete the entry; none for an empty slot, which
  // leaves the pane and the delete item as they are.
  std::optional<std::string> text;
  std::optional<bool> delete_enabled;
  bool modify_enabled = true;
};

// The explanation of `ref`'s record. `user_texts` is the user's explanations file of the
// record's direction, as last committed.
Explanation ExplanationOf(const Dictionary& dict, const FileSystem& fs, RowRef ref,
                          std::string_view user_texts);

// Whether a Windows-1253 character belongs to a looked-up word: "-", the Greek letters without
// diaeresis and A-Z, a-z. The explanation box selects a double-clicked word by it.
bool IsLookupWordCharacter(unsigned char c);

// The looked-up word in a double-click's selection: its first run of word characters.
std::string_view LookupWordIn(std::string_view selected);

}  // namespace zelvoran
