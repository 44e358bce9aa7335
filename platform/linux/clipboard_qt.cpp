#include "platform/linux/clipboard_qt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

#include "platform/linux/qt_text.h"

namespace zelvoran {
QtClipboard::QtClipboard(QClipboard* clipboard)
    : clipboard_(clipboard ? clipboard : QGuiApplication::clipboard()) {
  if (clipboard_) {
    changed_ = QObject::connect(clipboard_, &QClipboard::dataChanged,
                                [this] { chain_.ClipboardChanged(); });
  }
}

QtClipboard::~QtClipboard() {
  QObject::disconnect(changed_);
}

bool QtClipboard::HasText() const {
  if (!clipboard_) return false;
  const QMimeData* data = clipboard_->mimeData();
  return data && data->hasText();
}

std::optional<std::string> QtClipboard::ReadText() const {
  if (!HasText()) return std::nullopt;
  return FromQ(clipboard_->text());
}

bool QtClipboard::WriteText(std::string_view text) {
  if (!clipboard_) return false;
  clipboard_->setText(ToQ(text));
  return true;
}

bool QtClipboard::WriteUnicodeText(std::string_view utf8) {
  if (!clipboard_) return false;
  clipboard_->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  return true;
}

bool QtClipboard::Empty() {
  if (!clipboard_) return false;
  clipboard_->clear();
  return true;
}

Clipboard::Window QtClipboard::SetClipboardViewer(Window window) {
  return chain_.SetClipboardViewer(window);
}

bool QtClipboard::ChangeClipboardChain(Window remove, Window next) {
  return chain_.ChangeClipboardChain(remove, next);
}

intptr_t QtClipboard::SendMessage(Window to, uint32_t message, uint64_t wparam, uint64_t lparam) {
  return chain_.SendMessage(to, message, wparam, lparam);
}

}  // namespace zelvoran
