// SPDX-License-Identifier: GPL-3.0-or-later
// TMainLex: the main window. It owns the MainCore, implements MainView for it, and passes
// every event of its controls to one core routine.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "app/main_core.h"
#include "app/toolbar.h"
#include "app/ui/anchor_layout.h"
#include "app/ui/entries_list.h"
#include "app/ui/widgets.h"

namespace zelvoran {

class QtSearchDialogs;
class QtCustomDialogs;
class QtPrinting;
class CopyrightFormFactory;
class SpeakButton;
class THelpForm;

// "MS Sans Serif" and "Tahoma" have no font file here: both become a face with full Greek
// coverage.
void InstallFontSubstitutions();

// What the language button's accessible description says for each direction.
QString DirectionAccessibleDescription(bool greek);

inline constexpr int kDesignClientWidth = 592;
inline constexpr int kDesignClientHeight = 338;
// The frame of the designed window around its client area (outer 602 = client 592 + 10).
inline constexpr int kFrameWidth = 10;
inline constexpr int kFrameHeight = 29;
inline constexpr int kMinOuterWidth = 224;
inline constexpr int kMinOuterHeight = 170;

class TMainLex final : public QWidget, public MainView {
 public:
  // Runs FormCreate. `state` and the services outlive the window.
  TMainLex(Services services, ProgramState& state, QWidget* parent = nullptr);
  ~TMainLex() override;

  MainCore& Core() { return core_; }

  // The components, named as the window's design names them.
  PictureBox* Main_Image;
  PictureBox* Line_Image;
  QWidget* Panel2;
  EntryEdit* Entry_Text;
  QLabel* Entry_Label;
  // How the shown headword is said (IPA), under Entry_Label in a quieter style.
  QLabel* Pronunciation_Label;
  // "Εκφώνηση": says the shown headword. The button stands beside the headword; the action
  // (shortcut F9) belongs to the window and suits the explanation box's context menu.
  SpeakButton* Speak_Button;
  QAction* SpeakItem;
  EntriesListView* Entries_List;
  QLineEdit* MiddleColor_Edit;
  DescriptionEdit* Description_Text;
  QLabel* CopyrightLabel;
  PictureBox* QuimbrellImage;
  QLabel* Quimbrell_Label;
  QLineEdit* Clipboard_Edit;
  QPushButton* Fill_List_Button;
  QMenu* PrevMenu;
  QMenu* NextMenu;
  QMenu* CustomEntriesMenu;
  QAction* CustomEntriesItem;
  QAction* InsertEntryItem;
  QAction* ModifyEntryItem;
  QAction* DeleteEntryItem;
  QPixmap GrImage;
  QPixmap EnImage;
  QPixmap AutoTrImage;
  QPixmap CancelAutoTrImage;

  GlyphButton* Button(ToolbarButton b) const { return buttons_[static_cast<size_t>(b)]; }
  // The label's justification: true when left-justified.
  bool HeadwordLabelLeftJustified() const;

  // MainView.
  std::string EntryText() const override;
  void SetEntryText(std::string_view text) override;
  std::string EntrySelectedText() const override;
  void SelectAllEntryText() override;
  void CollapseEntrySelection() override;
  void FocusEntryText() override;
  void PasteIntoEntryText() override;
  void ListRowsChanged() override;
  void ListSelectionChanged() override;
  void FocusEntriesList() override;
  int ListHeight() const override;
  int ListWidth() const override;
  int MeasureListText(std::string_view text) const override;
  void SetListHint(std::string_view text) override;
  void SetHintDisplayTime(int milliseconds) override;
  void SetHeadwordLabel(std::string_view text) override;
  void SetFormHeadwordLabel(std::string_view form, std::string_view headword) override;
  std::string HeadwordLabel() const override;
  int MeasureLabelText(std::string_view text) const override;
  void SetHeadwordLabelLeftJustified(bool left) override;
  void SetPronunciation(std::string_view utf8) override;
  std::string Pronunciation() const override;
  void SetDescription(std::string_view text) override;
  std::string DescriptionText() const override;
  std::string DescriptionSelectedText() const override;
  void CollapseDescriptionSelection() override;
  int DescriptionWidth() const override;
  int DescriptionHeight() const override;
  std::vector<std::string> DescriptionDisplayLines() const override;
  int DescriptionTextWidth() const override;
  void SetModifyEntryEnabled(bool enabled) override;
  void SetDeleteEntryEnabled(bool enabled) override;
  void SetLangPicture(bool greek) override;
  void SetBusy(bool busy) override;
  int ShowPopupMenu(const std::vector<MenuItem>& items, Point screen) override;
  Point ClientOrigin() const override;
  Rect ButtonBounds(ToolbarButton button) const override;
  void SetButtonBounds(ToolbarButton button, Rect bounds) override;
  void BringButtonToFront(ToolbarButton button) override;
  int ListRowAt(Point point) const override;
  void SetWindowWidth(int outer_width) override;
  bool LoadLinePicture(std::string_view path) override;
  bool IsStayOnTop() const override;
  void SetStayOnTop(bool on_top) override;
  void CloseMainWindow() override;
  void SetApplicationTitle(std::string_view text) override;
  void SetWindowCaption(std::string_view text) override;
  void SetAutoTranslatePicture(bool on) override;
  void SetAutoTranslateHint(std::string_view text) override;
  void MinimizeApplication() override;
  void RestoreApplication() override;
  void ActivateWindow() override;
  bool ShowHelpWindow(std::string_view path) override;
  bool ModifyEntryEnabled() const override;
  bool DeleteEntryEnabled() const override;

  // The help window, once the help was shown in it (the desktop had no program for it).
  THelpForm* HelpForm() const { return help_form_; }

  // The application title (the text of the program's taskbar button on Windows).
  const QString& ApplicationTitle() const { return application_title_; }

  // The context menus of the three text controls, in Greek, built afresh each time one
  // opens; every copy in them goes through the copy command's rule (app/ui/text_menus.cpp).
  // Entry box: cut, copy, paste, delete, select all.
  std::unique_ptr<QMenu> BuildEntryMenu();
  // Explanation box: copy and select all, then, after a separator, DescriptionMenuExtras in
  // their order. Another command for the explanation is added by appending its action (owned
  // by the window) to that list.
  std::unique_ptr<QMenu> BuildDescriptionMenu();
  std::vector<QAction*> DescriptionMenuExtras;
  // Headword list: copy.
  std::unique_ptr<QMenu> BuildListMenu();

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  void BuildToolbar();
  void Wire();
  // The copy, cut and paste keys and the context menus of the three text controls.
  void WireTextControls();
  // Accessible names and descriptions (in Greek) for every control (app/ui/accessible_names.cpp).
  void NameControls();
  void JoinClipboardChain();
  void FormResize();
  void PlaceHeadwordLabel();

  MainCore core_;
  AnchorLayout anchors_{{kDesignClientWidth, kDesignClientHeight}};
  std::array<GlyphButton*, kToolbarButtonCount> buttons_{};
  std::unique_ptr<QtSearchDialogs> search_dialogs_;
  std::unique_ptr<QtCustomDialogs> custom_dialogs_;
  std::unique_ptr<QtPrinting> printing_;
  std::unique_ptr<CopyrightFormFactory> about_factory_;
  THelpForm* help_form_ = nullptr;  // a child window of this one
  QString application_title_;
  bool shown_ = false;
  bool label_left_ = false;
  int busy_depth_ = 0;
};

// The single instance.
extern TMainLex* MainLex;

}  // namespace zelvoran
