// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/entry_box_typing_qt.h"

#include <QCoreApplication>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QWidget>

#include "platform/linux/xkb_keys.h"

namespace zelvoran {

EntryBoxTyping::EntryBoxTyping(XkbKeys& keys, QWidget* entry, std::function<void()> before_key)
    : QObject(entry), keys_(keys), entry_(entry), before_key_(std::move(before_key)) {
  entry->installEventFilter(this);
}

bool EntryBoxTyping::eventFilter(QObject* watched, QEvent* event) {
  if (watched != entry_) return false;
  // An input method (Qt's compose one among them) would compose the desktop layout's dead keys
  // before the key reaches the box; the box declines it while it types with its own layout.
  if (event->type() == QEvent::InputMethodQuery && keys_.HasLayout()) {
    auto* query = static_cast<QInputMethodQueryEvent*>(event);
    if (query->queries() == Qt::ImEnabled) {
      query->setValue(Qt::ImEnabled, false);
      query->accept();
      return true;
    }
  }
  if (event->type() != QEvent::KeyPress || forwarding_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (before_key_ && key->nativeScanCode() != 0) before_key_();
  // Without an X keycode (offscreen, synthesised events) the key stays as it is.
  if (!keys_.HasLayout() || key->nativeScanCode() == 0) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    keys_.ResetCompose();
    return false;
  }
  const XkbKeys::Key typed = keys_.Press(key->nativeScanCode(), key->nativeModifiers());
  switch (typed.outcome) {
    case XkbKeys::Outcome::kPass:
      return false;
    case XkbKeys::Outcome::kSwallow:
      return true;
    case XkbKeys::Outcome::kText:
      break;
  }
  QKeyEvent translated(QEvent::KeyPress, key->key(), key->modifiers(), key->nativeScanCode(),
                       key->nativeVirtualKey(), key->nativeModifiers(),
                       QString::fromStdString(typed.text), key->isAutoRepeat(),
                       static_cast<quint16>(key->count()));
  forwarding_ = true;
  QCoreApplication::sendEvent(entry_, &translated);
  forwarding_ = false;
  return true;
}

}  // namespace zelvoran
