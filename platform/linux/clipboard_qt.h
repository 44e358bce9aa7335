// The clipboard on Qt: the text of QClipboard (converted to and from Windows-1253) and a viewer
// chain inside the process, whose head is sent the draw-clipboard message on each of
// QClipboard's change notifications.
#pragma once

#include <QMetaObject>

#include "platform/clipboard.h"

class QClipboard;

namespace zelvoran {

class QtClipboard final : public Clipboard {
 public:
  // The application's clipboard by default.
  explicit QtClipboard(QClipboard* clipboard = nullptr);
  ~QtClipboard() override;
  QtClipboard(const QtClipboard&) = delete;
  QtClipboard& operator=(const QtClipboard&) = delete;

  // The chain: the main window (and, in tests, further viewers) are windows of it.
  LocalViewerChain& Chain() { return chain_; }

  bool HasText() const override;
  std::optional<std::string> ReadText() const override;
  bool WriteText(std::string_view text) override;
  bool WriteUnicodeText(std::string_view utf8) override;
  bool Empty() override;
  Window SetClipboardViewer(Window window) override;
  bool ChangeClipboardChain(Window remove, Window next) override;
  intptr_t SendMessage(Window to, uint32_t message, uint64_t wparam, uint64_t lparam) override;

 private:
  QClipboard* clipboard_;
  LocalViewerChain chain_;
  QMetaObject::Connection changed_;
};

}  // namespace zelvoran
