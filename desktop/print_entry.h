// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the selected entry: its headword and explanation under a short heading.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/domain.h"

namespace zelvoran {

class PrinterTextStream;
class PrintSurface;

inline constexpr uint32_t kPrintMaroon = 0x000080;  // RGB(128,0,0)
inline constexpr uint32_t kPrintBlack = 0x000000;   // the explanation box's text colour

// "Αγγλική Ερμηνεία" for a Greek headword, "Ελληνική Ερμηνεία" for an English one.
const std::string& PrintHeading(Direction headword);

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

// One entry as it is printed.
struct EntryPage {
  std::string headword;
  Direction direction = Direction::kEnglish;  // the headword's language
  // The explanation's lines as the explanation box shows them; nullopt when the box has no
  // usable width, and `explanation` is then laid out at the page's width.
  std::optional<std::vector<std::string>> shown_lines;
  std::string explanation;
  std::string pronunciation;  // UTF-8; empty for none
};

// Prints the page as one job on `surface`, headed by the heading of the headword's language.
// A job that a failure cuts short is aborted. True when the job was printed.
bool PrintEntryPage(PrintSurface& surface, const EntryPage& page);

}  // namespace zelvoran
