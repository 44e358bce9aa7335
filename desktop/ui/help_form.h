// SPDX-License-Identifier: GPL-3.0-or-later
// THelpForm: the help document in a window of the program's own, where no program on the
// desktop opens it. Qt's rich-text browser reads the page; a link inside the document moves
// to its target, Backspace and Alt+Left go back, and a web or mail address is handed to the
// desktop (with the same messages as the about window's links when nothing takes it).
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace zelvoran {

class MessageBoxes;
class Shell;

class THelpForm final : public QWidget {
 public:
  THelpForm(Shell* shell, MessageBoxes* messages, QWidget* parent = nullptr);

  // Shows the document at `file` (an absolute path), or false when it cannot be read.
  bool ShowDocument(const QString& file);

  QTextBrowser* Help_Browser;

 private:
  void LinkClicked(const QUrl& url);

  Shell* shell_;
  MessageBoxes* messages_;
};

}  // namespace zelvoran
