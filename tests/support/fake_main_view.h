// SPDX-License-Identifier: GPL-3.0-or-later
// A main window without a window: it keeps what the core shows, and raises the entry box's
// change event the way a real edit box does (writing the same text raises none).
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/main_view.h"

namespace zelvoran::testing {

class FakeMainView : public MainView {
 public:
  std::function<void()> on_entry_change;  // the change handler of Entry_Text
  std::string clipboard_text;             // what PasteIntoEntryText pastes
  // When set, PasteIntoEntryText pastes what this returns instead of clipboard_text.
  std::function<std::string()> paste_source;

  std::string entry_text;
  size_t entry_sel_start = 0, entry_sel_length = 0;
  bool entry_focused = false;
  bool list_focused = false;
  int list_height = 224;  // 14 rows
  int list_width = 211;
  int char_width = 7;  // MeasureListText / MeasureLabelText: characters x char_width
  std::string list_hint;
  int hint_display_time = 0;
  std::string label;
  std::string pronunciation;  // UTF-8
  bool label_left = false;
  std::string description;
  size_t desc_sel_start = 0, desc_sel_length = 0;
  int description_width = 373;
  int description_height = 228;
  bool modify_enabled = false;
  bool delete_enabled = false;
  bool lang_greek = false;
  int busy_depth = 0;
  int busy_calls = 0;
  int list_rows_changed = 0;
  int list_selection_changed = 0;
  std::vector<std::vector<MenuItem>> menus_shown;
  std::vector<Point> menu_points;
  int menu_choice = -1;
  Point client_origin{100, 50};
  // Quick translation's window-level effects.
  std::string application_title;
  std::string window_caption;
  bool auto_translate_picture_on = false;
  std::string auto_translate_hint;
  bool minimized = false;
  int restore_calls = 0;
  int window_activations = 0;
  // The documents shown in the help window, and whether it can show one.
  std::vector<std::string> help_windows;
  bool help_window_works = true;

  std::string EntryText() const override { return entry_text; }
  void SetEntryText(std::string_view text) override {
    if (text == entry_text) return;
    entry_text = std::string(text);
    entry_sel_start = entry_sel_length = 0;
    if (on_entry_change) on_entry_change();
  }
  std::string EntrySelectedText() const override {
    return entry_sel_start < entry_text.size()
               ? entry_text.substr(entry_sel_start, entry_sel_length)
               : std::string();
  }
  void SelectAllEntryText() override {
    entry_sel_start = 0;
    entry_sel_length = entry_text.size();
  }
  void CollapseEntrySelection() override { entry_sel_length = 0; }
  void FocusEntryText() override {
    entry_focused = true;
    list_focused = false;
  }
  void PasteIntoEntryText() override {
    std::string t = entry_text;
    t.replace(entry_sel_start, entry_sel_length, paste_source ? paste_source() : clipboard_text);
    SetEntryText(t);
  }
  void ListRowsChanged() override { ++list_rows_changed; }
  void ListSelectionChanged() override { ++list_selection_changed; }
  void FocusEntriesList() override {
    list_focused = true;
    entry_focused = false;
  }
  int ListHeight() const override { return list_height; }
  int ListWidth() const override { return list_width; }
  int MeasureListText(std::string_view text) const override {
    return static_cast<int>(text.size()) * char_width;
  }
  void SetListHint(std::string_view text) override { list_hint = std::string(text); }
  void SetHintDisplayTime(int ms) override { hint_display_time = ms; }
  void SetHeadwordLabel(std::string_view text) override { label = std::string(text); }
  void SetPronunciation(std::string_view utf8) override { pronunciation = std::string(utf8); }
  std::string Pronunciation() const override { return pronunciation; }
  int MeasureLabelText(std::string_view text) const override {
    return static_cast<int>(text.size()) * char_width;
  }
  void SetHeadwordLabelLeftJustified(bool left) override { label_left = left; }
  void SetDescription(std::string_view text) override {
    description = std::string(text);
    desc_sel_start = desc_sel_length = 0;
  }
  std::string DescriptionText() const override { return description; }
  std::string DescriptionSelectedText() const override {
    return desc_sel_start < description.size() ? description.substr(desc_sel_start, desc_sel_length)
                                               : std::string();
  }
  void CollapseDescriptionSelection() override { desc_sel_length = 0; }
  int DescriptionWidth() const override { return description_width; }
  int DescriptionHeight() const override { return description_height; }
  // Each paragraph cut into lines of description_width / char_width characters (at least one).
  std::vector<std::string> DescriptionDisplayLines() const override {
    std::vector<std::string> lines;
    const size_t per_line = static_cast<size_t>(std::max(1, description_width / char_width));
    size_t start = 0;
    while (start <= description.size()) {
      size_t end = description.find("\r\n", start);
      if (end == std::string::npos) end = description.size();
      size_t from = start;
      do {
        const size_t n = std::min(per_line, end - from);
        lines.push_back(description.substr(from, n));
        from += n;
      } while (from < end);
      start = end + 2;
    }
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
  }
  void SetModifyEntryEnabled(bool enabled) override { modify_enabled = enabled; }
  void SetDeleteEntryEnabled(bool enabled) override { delete_enabled = enabled; }
  bool ModifyEntryEnabled() const override { return modify_enabled; }
  bool DeleteEntryEnabled() const override { return delete_enabled; }
  void SetLangPicture(bool greek) override { lang_greek = greek; }
  void SetBusy(bool busy) override {
    busy_depth += busy ? 1 : -1;
    ++busy_calls;
  }
  int ShowPopupMenu(const std::vector<MenuItem>& items, Point screen) override {
    menus_shown.push_back(items);
    menu_points.push_back(screen);
    return menu_choice;
  }
  Point ClientOrigin() const override { return client_origin; }
  // Buttons never placed by SetButtonBounds report the back button's rest bounds.
  Rect ButtonBounds(ToolbarButton b) const override {
    auto it = button_bounds.find(b);
    return it != button_bounds.end() ? it->second : Rect{60, 2, 36, 39};
  }

  std::map<ToolbarButton, Rect> button_bounds;
  std::vector<ToolbarButton> brought_to_front;  // in call order
  int row_height = 16;
  std::string line_picture_path;
  bool line_picture_loads = true;
  int window_width = 0;
  bool stay_on_top = false;
  int close_calls = 0;

  std::string HeadwordLabel() const override { return label; }
  void SetButtonBounds(ToolbarButton b, Rect r) override { button_bounds[b] = r; }
  void BringButtonToFront(ToolbarButton b) override { brought_to_front.push_back(b); }
  int ListRowAt(Point p) const override {
    return p.y >= 0 && p.y < list_height ? p.y / row_height : -1;
  }
  void SetWindowWidth(int w) override { window_width = w; }
  bool LoadLinePicture(std::string_view path) override {
    line_picture_path = std::string(path);
    return line_picture_loads;
  }
  bool IsStayOnTop() const override { return stay_on_top; }
  void SetStayOnTop(bool on) override { stay_on_top = on; }
  void CloseMainWindow() override { ++close_calls; }
  void SetApplicationTitle(std::string_view text) override { application_title = text; }
  void SetWindowCaption(std::string_view text) override { window_caption = text; }
  void SetAutoTranslatePicture(bool on) override { auto_translate_picture_on = on; }
  void SetAutoTranslateHint(std::string_view text) override { auto_translate_hint = text; }
  void MinimizeApplication() override { minimized = true; }
  void RestoreApplication() override {
    ++restore_calls;
    minimized = false;
  }
  void ActivateWindow() override { ++window_activations; }
  bool ShowHelpWindow(std::string_view path) override {
    if (!help_window_works) return false;
    help_windows.emplace_back(path);
    return true;
  }
};

}  // namespace zelvoran::testing
