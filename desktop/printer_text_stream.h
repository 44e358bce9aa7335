// SPDX-License-Identifier: GPL-3.0-or-later
// Line-oriented text output to a printer, over an abstract drawing surface: the layout rules
// (wrapping, line heights, page breaks, control characters, tab stops) live here; the surface
// only measures and draws.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zelvoran {

struct PrintFont {
  std::string Face = "MS Sans Serif";
  int Points = 10;
  uint32_t Color = 0;  // Windows colour value, 0x00BBGGRR
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  // The text written in this font is UTF-8, not Windows-1253 (a pronunciation in IPA).
  bool Unicode = false;
  bool operator==(const PrintFont&) const = default;
};

// The canvas of one print job, in the printer's device units; (0, 0) is the top-left corner of
// the printable area. Text is Windows-1253.
class PrintSurface {
 public:
  virtual ~PrintSurface() = default;
  virtual bool BeginJob() = 0;
  // Ends the job, which then prints.
  virtual bool EndJob() = 0;
  // Cancels a job that was begun; nothing of it is printed. It cannot fail, so that a stream
  // whose job a failure cut short can always cancel it on the way out.
  virtual void AbortJob() noexcept = 0;
  virtual bool NewPage() = 0;
  virtual int PrintableWidth() const = 0;
  virtual int PrintableHeight() const = 0;
  virtual void SetFont(const PrintFont& font) = 0;
  virtual int TextWidth(std::string_view text) const = 0;
  virtual int TextHeight(std::string_view text) const = 0;
  // The current font's character height and average character width.
  virtual int CharHeight() const = 0;
  virtual int AverageCharWidth() const = 0;
  // Draws `text` with its top-left corner at (x, y) in the current font.
  virtual void DrawText(int x, int y, std::string_view text) = 0;
};

// The print dialog, behind which the printer is chosen.
class Printing {
 public:
  virtual ~Printing() = default;
  // Shows the dialog; the chosen printer's surface, or nullptr when the user cancels.
  virtual std::unique_ptr<PrintSurface> ShowPrintDialog() = 0;
};

class PrinterTextStream {
 public:
  explicit PrinterTextStream(PrintSurface& surface) : surface_(surface) {}
  // A job that was opened and not closed (a failure cut it short) is aborted.
  ~PrinterTextStream();
  PrinterTextStream(const PrinterTextStream&) = delete;
  PrinterTextStream& operator=(const PrinterTextStream&) = delete;

  // Starts the job at the top-left corner of the printable area.
  bool Open();
  // The canvas's font; what is flushed after this is drawn in it.
  void SetFont(const PrintFont& font);
  // Text without ending the line; it is drawn at the next Flush.
  void Write(std::string_view text);
  // Draws what was written so far in the current font.
  void Flush();
  // The text and the end of the line, then Flush.
  void WriteLine(std::string_view text);
  // Ends the job so that it prints; a job in which something failed is aborted instead.
  // True when the job was printed.
  bool Close();

  bool IsOpen() const { return open_; }
  bool Failed() const { return failed_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int LineHeight() const { return line_height_; }

 private:
  void Draw(std::string_view piece);
  void EndLine();
  void BeginPage();
  void Tab();
  size_t LongestFit(std::string_view piece, int room) const;

  PrintSurface& surface_;
  std::string pending_;
  int x_ = 0;
  int y_ = 0;
  int line_height_ = 0;
  int right_ = 0;
  int bottom_ = 0;
  bool open_ = false;
  bool failed_ = false;
  bool unicode_ = false;  // the current font's text is UTF-8
};

}  // namespace zelvoran
