#include <QApplication>
#include <QMessageBox>

#include "dictionary/cp1253.h"
#include "platform/linux/qt_message_boxes.h"

namespace zelvoran {
namespace {

QString ToQ(std::string_view cp1253) {
  return QString::fromStdString(Cp1253ToUtf8(cp1253));
}

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
