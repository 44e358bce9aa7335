// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's state that is not a widget, with the services and the view the core's
// routines work through. TMainLex owns one; tests build one over fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/main_view.h"
#include "app/program_state.h"
#include "dictionary/domain.h"
#include "search/history.h"
#include "search/lookup_engine.h"

namespace zelvoran {

class FileSystem;
class SystemFolders;
class SystemInfo;
class KeyboardLayouts;
class MessageBoxes;
class SearchDialogs;
struct ExplanationCache;
class LookupIndex;
class WordForms;
class Clipboard;
class Printing;
class Shell;
class CustomDialogs;
class Speech;

// The platform services, injected. The optional ones may be missing in tests that do not
// need them.
struct Services {
  FileSystem& fs;
  SystemFolders& folders;
  SystemInfo& info;
  KeyboardLayouts* keyboard = nullptr;
  MessageBoxes* messages = nullptr;
  // The clipboard and its viewer chain (copy, paste, quick translation).
  Clipboard* clipboard = nullptr;
  // The print dialog and print jobs.
  Printing* printing = nullptr;
  Shell* shell = nullptr;  // opens the help document and the publisher's links
  // The entry dialog and the folder dialog of the user's entries (custom/custom_dialogs.h).
  CustomDialogs* custom_dialogs = nullptr;
  // Says the shown headword ("Εκφώνηση"); missing where there is no speech at all.
  Speech* speech = nullptr;
};

// Entries_List's rows, each with its text and the record it names (RowIndexList), and the
// selection. A lookup's answer is handed over whole, without copying its rows.
struct EntriesListModel {
  std::vector<LookupRow> Items;
  int Selected = -1;

  int Count() const { return static_cast<int>(Items.size()); }
  void Clear() {
    Items.clear();
    Selected = -1;
  }
  void Add(std::string text, RowRef ref) { Items.push_back(LookupRow{std::move(text), ref}); }
  // The rows' texts and slot numbers, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    out.reserve(Items.size());
    for (const LookupRow& r : Items) out.push_back(r.text);
    return out;
  }
  std::vector<int32_t> Slots() const {
    std::vector<int32_t> out;
    out.reserve(Items.size());
    for (const LookupRow& r : Items) out.push_back(r.ref.slot);
    return out;
  }
};

struct MainCore {
  MainCore(Services services, ProgramState& program_state, MainView& main_view)
      : svc(services), state(program_state), view(main_view) {}

  Services svc;
  ProgramState& state;
  MainView& view;

  EntriesListModel List;
  Direction CurrentDirection = Direction::kEnglish;
  // The control among the entry box, the list and the explanation that had the focus last.
  FocusedControl FocusedControlTag = FocusedControl::kOther;
  std::string LastShownHeadword;
  int32_t LastShownIndex = 0;
  Direction LastShownDirection = Direction::kEnglish;  // the index LastShownIndex is a slot of
  bool SuppressEntryChange = false;
  bool CopyInProgress = false;
  bool QuickTranslationOn = false;
  // The text being said (UTF-8): a second "Εκφώνηση" of the same text stops it.
  std::string SpokenText;
  LayoutHandles Layouts;
  // BackList and ForwardList, the items of PrevMenu and NextMenu.
  HistoryModel History;
  // Per-record lookup forms, rebuilt by the lookup engine when the indexes are reloaded.
  std::shared_ptr<LookupIndex> Lookup;
  // The storage of the last lookup's rows, kept for the next one.
  std::vector<LookupRow> RowStorage;
  // Base forms and suggestions, rebuilt with the lookup forms.
  std::shared_ptr<WordForms> Forms;
  // Set by a double-click in the explanation: the next change of Entry_Text is a whole word.
  bool WholeWordEntry = false;
  // Entry_Text as the last change left it, to tell typing from a text put in whole.
  std::string PreviousEntryText;

  // The search windows (criteria, explanation search word, abbreviations); may be missing.
  SearchDialogs* search_dialogs = nullptr;
  // Explanation texts kept between searches.
  std::shared_ptr<ExplanationCache> explanation_cache;
  // The main window's handle in the clipboard viewer chain, and the viewer after it (0: none).
  uint64_t MainWindowHandle = 0;
  uint64_t NextClipboardViewer = 0;
};

}  // namespace zelvoran
