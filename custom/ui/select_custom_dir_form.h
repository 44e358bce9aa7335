// SPDX-License-Identifier: GPL-3.0-or-later
// TSelectCustomDirForm: the modal dialog that asks for the folder of the user's entries,
// proposes one, lets the user type or browse, and creates the folder when it is missing.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextEdit;

namespace zelvoran {

class FileSystem;
class MessageBoxes;
class SystemFolders;
class SystemInfo;

class TSelectCustomDirForm : public QDialog {
  Q_OBJECT

 public:
  // `reason` is the FolderPromptMode, "NULL" or "INVALID".
  TSelectCustomDirForm(std::string reason, FileSystem& fs, const SystemFolders& folders,
                       const SystemInfo& info, MessageBoxes* messages, QWidget* parent = nullptr);

  // Dir_Edit's text (Windows-1253).
  std::string ChosenFolder() const;
  // Shows `folder` in DirectoryListBox1 as its current folder.
  void ShowFolder(const std::string& folder);

  QLabel* Image1;
  QLabel* Image2;
  QTextEdit* MsgMemo;
  QLabel* Label1;
  QLineEdit* Dir_Edit;
  QListWidget* DirectoryListBox1;
  QComboBox* DriveComboBox1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  // The message in MsgMemo's fixed size, wrapped, in the largest font in which it fits.
  void FitMessage();
  // Puts a path in Dir_Edit, shown from its start.
  void ShowPath(const QString& path);
  void DirectoryListBox1Change();
  void BitBtn1Click();

  std::string reason_;
  FileSystem& fs_;
  const SystemFolders& folders_;
  const SystemInfo& info_;
  MessageBoxes* messages_;
  std::vector<std::string> drives_;
  std::string current_;
};

}  // namespace zelvoran
