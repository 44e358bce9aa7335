// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QMessageBox>

#include "platform/linux/qt_message_boxes.h"
#include "platform/linux/qt_text.h"

namespace zelvoran {
namespace {

int Run(QMessageBox::Icon icon, const QString& caption, std::string_view text,
        QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, caption, ToQ(text), buttons, QApplication::activeWindow());
  return box.exec();
}

}  // namespace

void QtMessageBoxes::ShowMessage(std::string_view text) {
  Run(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

void QtMessageBoxes::ShowProblem(std::string_view text) {
  Run(QMessageBox::Warning, QStringLiteral("Πρόβλημα"), text, QMessageBox::Ok);
}

bool QtMessageBoxes::Confirm(std::string_view text, std::string_view caption) {
  return Run(QMessageBox::Question, ToQ(caption), text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

}  // namespace zelvoran
