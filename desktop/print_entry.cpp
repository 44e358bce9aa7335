// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/print_entry.h"

#include <algorithm>
#include <functional>

#include "app/main_core.h"
#include "desktop/printer_text_stream.h"
#include "search/lookup_engine.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

constexpr std::string_view kIndent = "      ";

PrintFont Font(uint32_t color, bool bold, bool underline) {
  PrintFont font;  // the explanation box's font: MS Sans Serif, 10 points
  font.Color = color;
  font.Bold = bold;
  font.Underline = underline;
  return font;
}

void Piece(PrinterTextStream& stream, const PrintFont& font, std::string_view text) {
  stream.SetFont(font);
  stream.Write(text);
  stream.Flush();
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

const std::string& PrintHeading(bool greek_headword) {
  static const std::string english = Utf8ToCp1253("Αγγλική Ερμηνεία");
  static const std::string greek = Utf8ToCp1253("Ελληνική Ερμηνεία");
  return greek_headword ? english : greek;
}

void WriteEntryPage(PrinterTextStream& stream, std::string_view headword, std::string_view heading,
                    const std::vector<std::string>& lines, std::string_view pronunciation) {
  static const std::string label = Utf8ToCp1253("Λήμμα:");
  const PrintFont maroon = Font(kPrintMaroon, false, false);
  const PrintFont maroon_underlined = Font(kPrintMaroon, false, true);
  const PrintFont black_bold = Font(kPrintBlack, true, false);
  const PrintFont black = Font(kPrintBlack, false, false);

  stream.SetFont(black);
  for (int i = 0; i < 4; ++i) stream.WriteLine("");
  Piece(stream, maroon, kIndent);
  Piece(stream, maroon_underlined, label);
  Piece(stream, black_bold, "   ");
  Piece(stream, black_bold, headword);
  if (!pronunciation.empty()) {
    PrintFont said = black;
    said.Face = "DejaVu Sans";  // has the IPA letters
    said.Unicode = true;
    Piece(stream, black, "   ");
    Piece(stream, said, pronunciation);
  }
  stream.WriteLine("");
  stream.WriteLine("");
  Piece(stream, maroon, kIndent);
  Piece(stream, maroon_underlined, heading);
  stream.WriteLine("");
  stream.SetFont(black);
  stream.WriteLine("");
  std::string line;
  for (const std::string& text : lines) {
    line.assign(kIndent);
    line.append(text);
    stream.WriteLine(line);
  }
}

std::vector<std::string> WrapLines(std::string_view text, int width,
                                   const std::function<int(std::string_view)>& measure) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view paragraph = text.substr(start, end - start);
    start = end + 2;
    if (paragraph.empty()) {
      if (start <= text.size()) lines.emplace_back();  // a trailing empty line is not printed
      continue;
    }
    size_t from = 0;
    while (from < paragraph.size()) {
      // The longest beginning that fits (blanks at its end do not count) ...
      size_t fit = from;
      while (fit < paragraph.size()) {
        size_t ink = fit + 1;
        while (ink > from && IsBlank(paragraph[ink - 1])) --ink;
        if (ink > from && measure(paragraph.substr(from, ink - from)) > width) break;
        ++fit;
      }
      size_t cut = fit;
      if (fit < paragraph.size() && !IsBlank(paragraph[fit])) {
        // ... broken after its last blank, or inside a word wider than the line.
        size_t blank = fit;
        while (blank > from && !IsBlank(paragraph[blank - 1])) --blank;
        cut = blank > from ? blank : std::max(fit, from + 1);
      }
      size_t ink = cut;
      while (ink > from && IsBlank(paragraph[ink - 1])) --ink;
      lines.emplace_back(paragraph.substr(from, ink - from));
      from = cut;
      while (from < paragraph.size() && IsBlank(paragraph[from])) ++from;
    }
  }
  return lines;
}

void Print_ButtonClick(MainCore& core) {
  const int row = core.List.Selected;
  if (row < 0 || row >= core.List.Count() || static_cast<size_t>(row) >= core.List.Refs.size() ||
      !core.svc.printing) {
    return;
  }
  std::unique_ptr<PrintSurface> surface = core.svc.printing->ShowPrintDialog();
  if (!surface) return;

  const bool greek = core.List.Refs[static_cast<size_t>(row)].direction == Direction::kGreek;
  const int32_t slot = core.List.Refs[static_cast<size_t>(row)].slot;
  const std::string headword = core.state.Dict.Index(greek).Slot(slot).Headword;
  std::vector<std::string> lines;
  if (core.view.DescriptionTextWidth() > 0) lines = core.view.DescriptionDisplayLines();

  PrinterTextStream stream(*surface);
  if (!stream.Open()) return;
  if (core.view.DescriptionTextWidth() <= 0) {
    // The box has no width to lay the explanation out at (it would hold one character a
    // line): the page's width, less the indent, takes its place.
    stream.SetFont(Font(kPrintBlack, false, false));
    const int width = surface->PrintableWidth() - surface->TextWidth(kIndent);
    lines = WrapLines(core.view.DescriptionText(), width,
                      [&surface](std::string_view t) { return surface->TextWidth(t); });
  }
  WriteEntryPage(stream, headword, PrintHeading(greek), lines, core.view.Pronunciation());
  stream.Close();
}

}  // namespace zelvoran
