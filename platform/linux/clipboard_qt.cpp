// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/clipboard_qt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QObject>
#include <QString>
#include <cstdlib>

#include "platform/linux/qt_text.h"

#include "platform/linux/x11_selection_reader.h"

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#endif

namespace zelvoran {
namespace {

#if QT_CONFIG(xcb)
// A reader on its own connection, told the window ids of Qt's connection, whose changes are
// the program's own.
std::unique_ptr<X11SelectionReader> StartReader(QObject* receiver,
                                                std::function<void(std::optional<QString>)> got) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return nullptr;
  const xcb_setup_t* setup = xcb_get_setup(x11->connection());
  X11SelectionReader::Options options;
  options.own_id_base = setup->resource_id_base;
  options.own_id_mask = setup->resource_id_mask;
  auto reader = std::make_unique<X11SelectionReader>(
      [receiver, got](std::optional<std::string> text) {
        std::optional<QString> q;
        if (text) q = QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size()));
        // To the window's thread; dropped if the clipboard object is gone by then.
        QMetaObject::invokeMethod(
            receiver, [got, q] { got(q); }, Qt::QueuedConnection);
      },
      options);
  if (!reader->Running()) return nullptr;
  return reader;
}

// Whether the X server names a window of the program's own connection as CLIPBOARD's owner
// now. Qt's own view of it follows the server's events, which can reach the window's thread
// after the reader has delivered a later owner's text.
bool ProgramOwnsSelectionNow(const QClipboard& clipboard) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return clipboard.ownsClipboard();
  xcb_connection_t* c = x11->connection();
  static const xcb_atom_t atom = [c] {
    static constexpr char kName[] = "CLIPBOARD";
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof kName - 1, kName), nullptr);
    const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    free(r);
    return a;
  }();
  if (atom == XCB_ATOM_NONE) return clipboard.ownsClipboard();
  xcb_get_selection_owner_reply_t* r =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom), nullptr);
  if (!r) return clipboard.ownsClipboard();
  const xcb_window_t owner = r->owner;
  free(r);
  const xcb_setup_t* setup = xcb_get_setup(c);
  return owner != XCB_NONE && (owner & ~setup->resource_id_mask) == setup->resource_id_base;
}
#else
std::unique_ptr<X11SelectionReader> StartReader(QObject*,
                                                std::function<void(std::optional<QString>)>) {
  return nullptr;
}
bool ProgramOwnsSelectionNow(const QClipboard& clipboard) {
  return clipboard.ownsClipboard();
}
#endif

}  // namespace

QtClipboard::QtClipboard(QClipboard* clipboard, bool read_away)
    : clipboard_(clipboard ? clipboard : QGuiApplication::clipboard()),
      receiver_(std::make_unique<QObject>()) {
  if (read_away && clipboard_) {
    reader_ = StartReader(receiver_.get(),
                          [this](std::optional<QString> text) { Received(std::move(text)); });
  }
  if (clipboard_ && !reader_) {
    changed_ = QObject::connect(clipboard_, &QClipboard::dataChanged,
                                [this] { chain_.ClipboardChanged(); });
  }
}

QtClipboard::~QtClipboard() {
  QObject::disconnect(changed_);
  reader_.reset();  // joins the reader's thread before the receiver goes
  receiver_.reset();
}

void QtClipboard::Received(std::optional<QString> text) {
  if (text && text->isEmpty()) text.reset();
  received_ = std::move(text);
  // The program wrote the clipboard after that owner's change: the text is no longer there.
  if (ProgramOwnsSelectionNow(*clipboard_)) return;
  // Only a change that brought text reaches the viewers: an owner that gave none in time is
  // not looked up.
  if (received_) chain_.ClipboardChanged();
}

std::optional<QString> QtClipboard::ReceivedText() const {
  if (!reader_) return std::nullopt;
  // Text the program put there itself (also through a control's own copy) is at hand without
  // asking anyone.
  if (ProgramOwnsSelectionNow(*clipboard_)) {
    const QString own = clipboard_->text();
    if (own.isEmpty()) return std::nullopt;
    return own;
  }
  return received_;
}

bool QtClipboard::HasText() const {
  if (reader_) return ReceivedText().has_value();
  if (!clipboard_) return false;
  const QMimeData* data = clipboard_->mimeData();
  return data && data->hasText();
}

std::optional<std::string> QtClipboard::ReadText() const {
  if (reader_) {
    const std::optional<QString> text = ReceivedText();
    if (!text) return std::nullopt;
    return FromDesktopText(*text);
  }
  if (!HasText()) return std::nullopt;
  return FromDesktopText(clipboard_->text());
}

bool QtClipboard::WriteText(std::string_view text) {
  return Write(ToQ(text));
}

bool QtClipboard::WriteUnicodeText(std::string_view utf8) {
  return Write(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

bool QtClipboard::Write(QString text) {
  if (!clipboard_) return false;
  const QString desktop = DesktopLines(std::move(text));
  clipboard_->setText(desktop);
  if (reader_) {
    // The reader leaves the program's own writes to it; the viewers hear of them at once, as
    // QClipboard tells of them elsewhere.
    received_ = desktop;
    chain_.ClipboardChanged();
  }
  return true;
}

bool QtClipboard::Empty() {
  if (!clipboard_) return false;
  clipboard_->clear();
  if (reader_) {
    received_.reset();
    chain_.ClipboardChanged();
  }
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

QString QtClipboard::DesktopLines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QString QtClipboard::ToDesktopText(std::string_view cp1253) {
  return DesktopLines(ToQ(cp1253));
}

std::string QtClipboard::FromDesktopText(const QString& text) {
  return MemoFromQ(text);
}

}  // namespace zelvoran
