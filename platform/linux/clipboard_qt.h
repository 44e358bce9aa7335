// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard on Qt: the text of the desktop's clipboard (converted to and from Windows-1253,
// with LF line ends on the desktop and CR LF in the program) and a viewer chain inside the
// process, whose head is sent the draw-clipboard message when the clipboard changes.
//
// On X11 another program's text is read away from the window's thread (X11SelectionReader):
// the head is told of the change only once the text has arrived, and HasText and ReadText then
// answer with that text, so an owner that never answers cannot freeze the window. Elsewhere
// (Wayland, offscreen) QClipboard's own notification and text are used.
#pragma once

#include <QMetaObject>
#include <QString>
#include <memory>

#include "platform/clipboard.h"

class QClipboard;
class QObject;

namespace zelvoran {

class X11SelectionReader;

class QtClipboard final : public Clipboard {
 public:
  // The application's clipboard by default. `read_away` chooses the reader on X11 (where the
  // application runs on xcb).
  explicit QtClipboard(QClipboard* clipboard = nullptr, bool read_away = true);
  ~QtClipboard() override;
  QtClipboard(const QtClipboard&) = delete;
  QtClipboard& operator=(const QtClipboard&) = delete;

  // The chain: the main window (and, in tests, further viewers) are windows of it.
  LocalViewerChain& Chain() { return chain_; }

  // Whether another program's text is read away from the window's thread.
  bool ReadsAway() const { return reader_ != nullptr; }
  // The clipboard's text as the desktop has it (LF line ends) when another program's text is
  // read away: the program's own, or the text that arrived at the last change; nullopt when
  // there is none, and always when nothing is read away (then QClipboard answers).
  std::optional<QString> ReceivedText() const;

  bool HasText() const override;
  std::optional<std::string> ReadText() const override;
  bool WriteText(std::string_view text) override;
  bool WriteUnicodeText(std::string_view utf8) override;
  bool Empty() override;
  Window SetClipboardViewer(Window window) override;
  bool ChangeClipboardChain(Window remove, Window next) override;
  intptr_t SendMessage(Window to, uint32_t message, uint64_t wparam, uint64_t lparam) override;

  // Clipboard text between the program's form (CR LF) and the desktop's (LF).
  static QString ToDesktopText(std::string_view cp1253);
  // `text` with every line end (CR LF, or a lone CR) as LF.
  static QString DesktopLines(QString text);
  static std::string FromDesktopText(const QString& text);

 private:
  // Every write of the program's own ends here, whatever its source: the desktop receives LF
  // line ends.
  bool Write(QString text);
  void Received(std::optional<QString> text);

  QClipboard* clipboard_;
  LocalViewerChain chain_;
  QMetaObject::Connection changed_;
  std::unique_ptr<QObject> receiver_;  // the window thread's end of the reader's deliveries
  std::unique_ptr<X11SelectionReader> reader_;
  std::optional<QString> received_;
};

}  // namespace zelvoran
