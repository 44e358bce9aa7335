// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ui/printing.h"

#include <QColor>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include "text/cp1253.h"

namespace zelvoran {
namespace {

QString FromCp1253(std::string_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (const char c : text) {
    out.append(QChar(static_cast<char16_t>(Cp1253ToUnicode(static_cast<unsigned char>(c)))));
  }
  return out;
}

}  // namespace

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

QtPrintSurface::~QtPrintSurface() {
  if (painter_.isActive()) AbortJob();
}

bool QtPrintSurface::BeginJob() {
  if (!printer_ || !painter_.begin(printer_.get())) return false;
  SetFont(PrintFont{});
  return true;
}

bool QtPrintSurface::EndJob() {
  return painter_.isActive() && painter_.end();
}

void QtPrintSurface::AbortJob() noexcept {
  if (!painter_.isActive()) return;
  const QString file = printer_->outputFileName();
  if (printer_->outputFormat() == QPrinter::PdfFormat && !file.isEmpty()) {
    // A PDF cannot be cancelled: nothing of the cut-short job is left behind instead.
    painter_.end();
    QFile::remove(file);
    return;
  }
  printer_->abort();
  painter_.end();
}

bool QtPrintSurface::NewPage() {
  return painter_.isActive() && printer_->newPage();
}

QString QtPrintSurface::Text(std::string_view text) const {
  return unicode_ ? QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                  : FromCp1253(text);
}

int QtPrintSurface::PrintableWidth() const {
  return printer_->width();
}
int QtPrintSurface::PrintableHeight() const {
  return printer_->height();
}

void QtPrintSurface::SetFont(const PrintFont& font) {
  QFont f;
  f.setFamilies(QStringList{QString::fromStdString(font.Face), QStringLiteral("DejaVu Sans"),
                            QStringLiteral("Liberation Sans")});
  f.setPointSize(font.Points > 0 ? font.Points : 10);
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  f.setUnderline(font.Underline);
  font_ = f;
  unicode_ = font.Unicode;
  metrics_.emplace(font_, printer_.get());
  if (!painter_.isActive()) return;
  painter_.setFont(font_);
  painter_.setPen(QColor(static_cast<int>(font.Color & 0xFF),
                         static_cast<int>((font.Color >> 8) & 0xFF),
                         static_cast<int>((font.Color >> 16) & 0xFF)));
}

int QtPrintSurface::TextWidth(std::string_view text) const {
  return QFontMetrics(font_, printer_.get()).horizontalAdvance(Text(text));
}

int QtPrintSurface::TextHeight(std::string_view) const {
  return QFontMetrics(font_, printer_.get()).height();
}

int QtPrintSurface::CharHeight() const {
  return QFontMetrics(font_, printer_.get()).height();
}

int QtPrintSurface::AverageCharWidth() const {
  return QFontMetrics(font_, printer_.get()).averageCharWidth();
}

void QtPrintSurface::DrawText(int x, int y, std::string_view text) {
  if (!painter_.isActive() || !metrics_) return;
  painter_.drawText(QPoint(x, y + metrics_->ascent()), Text(text));
}

QtPrinting::QtPrinting(QWidget* parent, DialogRunner runner)
    : parent_(parent), runner_(std::move(runner)) {}

std::unique_ptr<PrintSurface> QtPrinting::ShowPrintDialog() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  bool accepted = false;
  if (runner_) {
    accepted = runner_(*printer);
  } else {
    QPrintDialog dialog(printer.get(), parent_);
    accepted = dialog.exec() == QDialog::Accepted;
  }
  if (!accepted) return nullptr;
  return std::make_unique<QtPrintSurface>(std::move(printer));
}

}  // namespace zelvoran
