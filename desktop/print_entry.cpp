#include "desktop/print_entry.h"

#include "app/main_core.h"
#include "desktop/printer_text_stream.h"
#include "dictionary/cp1253.h"
#include "search/lookup_engine.h"

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

void Print_ButtonClick(MainCore& core) {
  const int row = core.List.Selected;
  if (row < 0 || row >= core.List.Count() ||
      static_cast<size_t>(row) >= core.List.RowIndexList.size() || !core.svc.printing) {
    return;
  }
  std::unique_ptr<PrintSurface> surface = core.svc.printing->ShowPrintDialog();
  if (!surface) return;

  const bool greek = IsGreekText(core.List.Rows[static_cast<size_t>(row)]);
  const int32_t slot = core.List.RowIndexList[static_cast<size_t>(row)];
  const std::string headword = core.state.Dict.Index(greek).Slot(slot).Headword;
  const std::vector<std::string> lines = core.view.DescriptionDisplayLines();

  PrinterTextStream stream(*surface);
  if (!stream.Open()) return;
  WriteEntryPage(stream, headword, PrintHeading(greek), lines, core.view.Pronunciation());
  stream.Close();
}

}  // namespace zelvoran
