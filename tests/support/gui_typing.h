// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into a widget key by key in the GUI tests. QTest::keyClicks cannot send text outside
// Latin-1 under offscreen, so each character goes as a key event carrying its text.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace zelvoran::testing {

inline void TypeText(QWidget* w, const QString& text) {
  for (QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &release);
  }
}

}  // namespace zelvoran::testing
