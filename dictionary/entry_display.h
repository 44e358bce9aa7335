// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one explanation, and showing the entry of a list row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvoran {

struct MainCore;
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

// Shows row `row` of Entries_List (-1: nothing).
void ShowEntry(MainCore& core, int row);
// The list's click: shows the selected row and returns the focus to the entry box.
void Entries_ListClick(MainCore& core);
// Looks up the word that a double-click selected in the explanation.
void Description_TextDblClick(MainCore& core, std::string_view selected);
// Whether a Windows-1253 character belongs to a looked-up word: "-", the Greek letters without
// diaeresis and A-Z, a-z. The explanation box selects a double-clicked word by it.
bool IsLookupWordCharacter(unsigned char c);

}  // namespace zelvoran
