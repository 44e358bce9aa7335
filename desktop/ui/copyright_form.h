// SPDX-License-Identifier: GPL-3.0-or-later
// TCopyrightForm, the about window: the publisher's emblem, the links to the publisher's web
// site and mail address, the copyright notice read from "content\copyright.rtf", and an OK
// button that is both the default and the cancel button.
#pragma once

#include <QDialog>
#include <QLabel>

#include "desktop/about.h"

class QPushButton;
class QTextDocument;
class QTextEdit;

namespace zelvoran {

class FileSystem;
class MessageBoxes;
class Shell;

// A label that reports a click (press and release of the left button over it).
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// Replaces the content of `target` with the paragraphs and runs of `source`.
void FillTextDocument(QTextDocument& target, const RtfDocument& source);

class TCopyrightForm : public QDialog, public AboutWindow {
  Q_OBJECT
 public:
  TCopyrightForm(const FileSystem& fs, Shell* shell, MessageBoxes* messages,
                 QWidget* parent = nullptr);

  void ShowModal() override;

  // Handlers.
  void FormActivate();
  void SiteLabelClick();
  void MailLabelClick();

  QLabel* Image1 = nullptr;
  ClickableLabel* SiteLabel = nullptr;
  ClickableLabel* MailLabel = nullptr;
  QTextEdit* CopyrightRTF = nullptr;
  QPushButton* BitBtn1 = nullptr;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  const FileSystem& fs_;
  Shell* shell_;
  MessageBoxes* messages_;
  bool centred_ = false;
};

// Creates a TCopyrightForm with no owner for each showing.
class CopyrightFormFactory final : public AboutWindowFactory {
 public:
  CopyrightFormFactory(const FileSystem& fs, Shell* shell, MessageBoxes* messages)
      : fs_(fs), shell_(shell), messages_(messages) {}
  std::unique_ptr<AboutWindow> CreateAboutWindow() override;

 private:
  const FileSystem& fs_;
  Shell* shell_;
  MessageBoxes* messages_;
};

}  // namespace zelvoran
