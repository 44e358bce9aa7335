// SPDX-License-Identifier: GPL-3.0-or-later
// The entry box types with the program's own layout: each key press that types text is
// translated from its X keycode through XkbKeys, whatever layout the desktop has active. Keys
// with Ctrl, Alt or the logo key, and keys that type nothing, reach the box as they are.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace zelvoran {

class XkbKeys;

class EntryBoxTyping final : public QObject {
 public:
  // Filters the key presses of `entry` and is deleted with it. `before_key` runs before each
  // key is translated (it may change the layout `keys` types with).
  EntryBoxTyping(XkbKeys& keys, QWidget* entry, std::function<void()> before_key = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  XkbKeys& keys_;
  QWidget* entry_;
  std::function<void()> before_key_;
  bool forwarding_ = false;
};

}  // namespace zelvoran
