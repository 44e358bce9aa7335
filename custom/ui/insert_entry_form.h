// SPDX-License-Identifier: GPL-3.0-or-later
// TInsertEntryFrm: the modal dialog that collects a headword, a category and an explanation
// for inserting or modifying one of the user's entries.
#pragma once

#include <QDialog>

#include "custom/custom_dialogs.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelvoran {

class MessageBoxes;

class TInsertEntryFrm : public QDialog {
  Q_OBJECT

 public:
  // `messages` shows the validation message; may be null (the dialog then just stays open).
  TInsertEntryFrm(const EntryDialogSetup& setup, MessageBoxes* messages, QWidget* parent = nullptr);

  // What the controls hold, as typed (line breaks as CR LF).
  EntryDialogResult Result() const;

  QLineEdit* InsertEntry_Text;
  QComboBox* InsertEntry_ShortCut;
  QPlainTextEdit* InsertEntry_Descr;
  QPushButton* InsertCancel_Button;
  QPushButton* InsertOk_Button;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void InsertOk_ButtonClick();
  void InsertCancel_ButtonClick();

  EntryDialogSetup setup_;
  MessageBoxes* messages_;
};

}  // namespace zelvoran
