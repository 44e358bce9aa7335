// SPDX-License-Identifier: GPL-3.0-or-later
// The search windows: TMessageForm (the word of the explanation search), TSearchForm (the
// criteria) and TShortCutsForm (the abbreviations table), and the SearchDialogs the core
// opens them through.
#pragma once

#include <QDialog>

#include "search/search_dialogs.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zelvoran {

class TMessageForm : public QDialog {
 public:
  explicit TMessageForm(QWidget* parent = nullptr);
  QLineEdit* DescrSearch_Edit = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
};

class TSearchForm : public QDialog {
 public:
  explicit TSearchForm(QWidget* parent = nullptr);
  QLineEdit* Start_Edit = nullptr;
  QLineEdit* Contain_edit = nullptr;
  QLineEdit* End_Edit = nullptr;
  QComboBox* ShortCuts_Combo = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
};

class TShortCutsForm : public QDialog {
 public:
  explicit TShortCutsForm(QWidget* parent = nullptr);
  QTableWidget* StringGrid1 = nullptr;
  QPushButton* BitBtn1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
};

// Opens the forms modally over `owner` (centred on it, or on the screen for the table).
class QtSearchDialogs : public SearchDialogs {
 public:
  explicit QtSearchDialogs(QWidget* owner) : owner_(owner) {}
  std::optional<std::string> RunMessageForm() override;
  std::optional<SearchFormResult> RunSearchForm(const std::vector<std::string>& fields) override;
  void RunShortCutsForm(const std::vector<std::pair<std::string, std::string>>& rows) override;

 private:
  QWidget* owner_;
};

}  // namespace zelvoran
