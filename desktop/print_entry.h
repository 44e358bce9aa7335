// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the selected entry: its headword and explanation under a short heading.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

struct MainCore;
class PrinterTextStream;

inline constexpr uint32_t kPrintMaroon = 0x000080;  // RGB(128,0,0)
inline constexpr uint32_t kPrintBlack = 0x000000;   // the explanation box's text colour

// "Αγγλική Ερμηνεία" for a Greek headword, "Ελληνική Ερμηνεία" for an English one.
const std::string& PrintHeading(bool greek_headword);

// Writes the page to an open stream: four empty lines, the headword line (with the
// headword's pronunciation, UTF-8, after it when there is one), an empty line, the heading, an
// empty line, then each explanation line behind six blanks.
void WriteEntryPage(PrinterTextStream& stream, std::string_view headword, std::string_view heading,
                    const std::vector<std::string>& lines, std::string_view pronunciation = {});

// The lines of a text (paragraphs separated by CR LF) laid out at `width` as the explanation
// box lays them out: each paragraph broken after a blank, or inside a word wider than a line;
// a trailing empty line is left out. `measure` gives a text's width.
std::vector<std::string> WrapLines(std::string_view text, int width,
                                   const std::function<int(std::string_view)>& measure);

// Prints the selected row's entry after the print dialog; nothing without a selected row or
// when the dialog is cancelled. The headword is read from the index of the row's own language,
// as the display chooses it, and the heading follows the same language. The explanation
// lines are those the explanation box shows at its current width, or, when the box has no
// usable width, the explanation laid out at the page's width. A job that a failure cuts short
// is aborted.
void Print_ButtonClick(MainCore& core);

}  // namespace zelvoran
