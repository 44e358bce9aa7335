// SPDX-License-Identifier: GPL-3.0-or-later
// Printing on Qt: the print dialog, and the printer text stream's surface on a QPrinter.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <functional>
#include <memory>
#include <optional>

#include "desktop/printer_text_stream.h"

class QPrinter;
class QWidget;

namespace zelvoran {

// A print job on a QPrinter. Fonts that the system lacks ("MS Sans Serif") fall back to a
// sans-serif face with Greek letters.
class QtPrintSurface final : public PrintSurface {
 public:
  explicit QtPrintSurface(std::unique_ptr<QPrinter> printer);
  ~QtPrintSurface() override;

  bool BeginJob() override;
  bool EndJob() override;
  void AbortJob() noexcept override;
  bool NewPage() override;
  int PrintableWidth() const override;
  int PrintableHeight() const override;
  void SetFont(const PrintFont& font) override;
  int TextWidth(std::string_view text) const override;
  int TextHeight(std::string_view text) const override;
  int CharHeight() const override;
  int AverageCharWidth() const override;
  void DrawText(int x, int y, std::string_view text) override;

 private:
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  // The text as Qt draws it: UTF-8 in a Unicode font, else Windows-1253.
  QString Text(std::string_view text) const;

  QFont font_;
  bool unicode_ = false;
  std::optional<QFontMetrics> metrics_;  // of font_ on the printer
};

class QtPrinting final : public Printing {
 public:
  // Shows the dialog for `printer` and answers whether the user chose to print; the default
  // is the standard print dialog over `parent`.
  using DialogRunner = std::function<bool(QPrinter& printer)>;
  explicit QtPrinting(QWidget* parent = nullptr, DialogRunner runner = {});
  std::unique_ptr<PrintSurface> ShowPrintDialog() override;

 private:
  QWidget* parent_;
  DialogRunner runner_;
};

}  // namespace zelvoran
