// SPDX-License-Identifier: GPL-3.0-or-later
// The seam between the presenter and the main window: the few narrow views the presenter's
// routines need, and MainView, which is all of them. TMainLex implements it; tests use a
// fake. All text is Windows-1253.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "desktop/copy_paste.h"

namespace zelvoran {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// The toolbar buttons, numbered as their hover numbers (the menu arrows share the number of
// their main button and have their own ids here).
enum class ToolbarButton {
  kLang,
  kPrev,
  kPrevMenu,
  kNext,
  kNextMenu,
  kCopy,
  kPaste,
  kPrint,
  kSearch,
  kDescrSearch,
  kAutoTranslate,
  kCustomEntries,
  kShortCuts,
  kHelp,
  kPin,
  kExit,
};

struct MenuItem {
  std::string caption;
  bool enabled = true;
};

// Entry_Text. SetEntryText raises the change event (Entry_TextChange) when, and only when, the
// text differs from what the box holds.
class EntryBoxView {
 public:
  virtual ~EntryBoxView() = default;
  virtual std::string EntryText() const = 0;
  virtual void SetEntryText(std::string_view text) = 0;
  virtual std::string EntrySelectedText() const = 0;
  virtual void SelectAllEntryText() = 0;
  virtual void CollapseEntrySelection() = 0;
  virtual void FocusEntryText() = 0;
  // The edit control's own paste of the clipboard's text (raises the change event).
  virtual void PasteIntoEntryText() = 0;
};

// Entries_List: it shows the core's list model; these tell it what changed.
class HeadwordListView {
 public:
  virtual ~HeadwordListView() = default;
  virtual void ListRowsChanged() = 0;
  virtual void ListSelectionChanged() = 0;
  virtual void FocusEntriesList() = 0;
  virtual int ListHeight() const = 0;  // pixels; a whole number of 16-pixel rows
  // The width a row's text has before the list cuts it off (inside the frame, less the scroll
  // bar when one shows and the text's indent).
  virtual int ListWidth() const = 0;
  virtual int MeasureListText(std::string_view text) const = 0;  // in the list's font
  virtual void SetListHint(std::string_view text) = 0;
  virtual void SetHintDisplayTime(int milliseconds) = 0;
  // The row of Entries_List under a point of the list, counted from row 0 and possibly past
  // the last row (-1: none); for the long-headword tooltip.
  virtual int ListRowAt(Point /*point*/) const { return -1; }
};

// The shown entry: Entry_Label, the pronunciation, Description_Text and the menu items that
// act on the entry.
class ExplanationView {
 public:
  virtual ~ExplanationView() = default;
  // Entry_Label.
  virtual void SetHeadwordLabel(std::string_view text) = 0;
  virtual int MeasureLabelText(std::string_view text) const = 0;  // in the label's font
  // Left-justified, or right-justified; the label takes the explanation box's left and width.
  virtual void SetHeadwordLabelLeftJustified(bool left) = 0;
  // Entry_Label for an entry reached from another form of a word: "form → headword" (the arrow
  // has no Windows-1253 byte, so the window joins the two parts itself).
  virtual void SetFormHeadwordLabel(std::string_view form, std::string_view headword) {
    SetHeadwordLabel(std::string(form) + " -> " + std::string(headword));
  }
  // The text Entry_Label shows, for AlignHeadwordLabel.
  virtual std::string HeadwordLabel() const { return {}; }

  // How the shown headword is said, in IPA: UTF-8, not Windows-1253; empty for none. Shown
  // beside Entry_Label, copied and printed with the entry.
  virtual void SetPronunciation(std::string_view /*utf8*/) {}
  virtual std::string Pronunciation() const { return {}; }

  // Description_Text.
  virtual void SetDescription(std::string_view text) = 0;
  virtual std::string DescriptionText() const = 0;
  virtual std::string DescriptionSelectedText() const = 0;
  virtual void CollapseDescriptionSelection() = 0;
  virtual int DescriptionWidth() const = 0;
  virtual int DescriptionHeight() const = 0;
  // The lines as the box shows them at its current width (for printing).
  virtual std::vector<std::string> DescriptionDisplayLines() const = 0;
  // The width the box wraps its lines at; 0 when not even one character fits (a box made
  // narrow or hidden), and its lines are then no layout to print.
  virtual int DescriptionTextWidth() const { return DescriptionWidth(); }
  // Told after SetDescription has shown suggestions for a word that is no headword.
  virtual void SuggestionsShown(const std::vector<std::string>& /*headwords*/) {}

  // Menu items of CustomEntriesMenu.
  virtual void SetModifyEntryEnabled(bool enabled) = 0;
  virtual void SetDeleteEntryEnabled(bool enabled) = 0;
  // Whether those two items are enabled now (CustomEntriesMenu is drawn from them).
  virtual bool ModifyEntryEnabled() const { return false; }
  virtual bool DeleteEntryEnabled() const { return false; }
};

// The window itself: the toolbar, the cursor, pop-up menus and the window-level effects.
class WindowView {
 public:
  virtual ~WindowView() = default;
  // Lang_Button's picture: GrImage for Greek, EnImage for English.
  virtual void SetLangPicture(bool greek) = 0;

  // Hourglass on; off restores SavedCursor.
  virtual void SetBusy(bool busy) = 0;

  // Opens a pop-up menu at a screen point; returns the chosen item or -1.
  virtual int ShowPopupMenu(const std::vector<MenuItem>& items, Point screen) = 0;
  // The screen position of the window's client area (its top-left corner), and a toolbar
  // button's client bounds.
  virtual Point ClientOrigin() const = 0;
  virtual Rect ButtonBounds(ToolbarButton button) const = 0;

  // The toolbar's hover effect: a button's client bounds, and its place in front of the
  // window's other controls.
  virtual void SetButtonBounds(ToolbarButton /*button*/, Rect /*bounds*/) {}
  virtual void BringButtonToFront(ToolbarButton /*button*/) {}

  // The window itself: its outer width, the rule under the toolbar (false when the picture
  // cannot be loaded), stay-on-top, and closing (which ends the program).
  virtual void SetWindowWidth(int /*outer_width*/) {}
  virtual bool LoadLinePicture(std::string_view /*path*/) { return false; }
  virtual bool IsStayOnTop() const { return false; }
  virtual void SetStayOnTop(bool /*on_top*/) {}
  virtual void CloseMainWindow() {}
  // Quick translation's window-level effects: the application title (the taskbar button's
  // text), the window caption, AutoTranslate_Button's picture (CancelAutoTrImage when `on`,
  // else AutoTrImage) and hint, and minimising the application and restoring it when it is
  // minimised.
  virtual void SetApplicationTitle(std::string_view) {}
  virtual void SetWindowCaption(std::string_view) {}
  virtual void SetAutoTranslatePicture(bool /*on*/) {}
  virtual void SetAutoTranslateHint(std::string_view) {}
  virtual void MinimizeApplication() {}
  virtual void RestoreApplication() {}
  // Activates the main window (gives it the focus back after a modal window closed).
  virtual void ActivateWindow() {}
  // Shows an HTML document (a path relative to the program folder) in a window of the
  // program's own, with its links working; false when it cannot be shown.
  virtual bool ShowHelpWindow(std::string_view /*path*/) { return false; }
};

// The whole main window, as the routines that still need more than one part of it take it.
class MainView : public EntryBoxView,
                 public HeadwordListView,
                 public ExplanationView,
                 public WindowView {};

}  // namespace zelvoran
