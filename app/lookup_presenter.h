// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's lookup: asks the core for the rows of a query and applies the answer to the
// window, once per event (one list reset, one selection). The entry box's handlers, the
// direction and the clearing of the shown entry live here too.
#pragma once

#include <cstdint>
#include <string_view>

#include "dictionary/domain.h"
#include "search/lookup_engine.h"
#include "search/word_forms_step.h"

namespace zelvoran {

struct MainCore;
class LookupIndex;
class WordForms;

// The lookup forms and the word forms of the core's dictionary, rebuilt when the indexes have
// been reloaded since.
const LookupIndex& CurrentLookupIndex(MainCore& core);
const WordForms& CurrentWordForms(MainCore& core);

// Fills the list for `mode` from the entry box's text. kSpecific shows the record at `slot` of
// the current direction's index.
void RunLookup(MainCore& core, SearchMode mode, int32_t slot, std::string_view category,
               bool user_entries_only);

// The only writer of CurrentDirection after start-up; switches the language picture and the
// keyboard layout.
void SetDirection(MainCore& core, Direction direction);

// Sets the direction from the first character of Entry_Text (untrimmed).
void DirectionFromEntryText(MainCore& core);

// Empties the headword label, the list with RowIndexList and the explanation, and disables
// the modify and delete menu items.
void ClearEntryDisplay(MainCore& core);

enum class ListKey { kDown, kUp, kPageUp, kPageDown };

// The incremental lookup on every change of Entry_Text: the START rows, and the typed word's
// entry, its base form's entry or suggestions.
void Entry_TextChange(MainCore& core);
// Looks `text` up as `source` takes it (search/word_forms_step.h) and shows the answer: the
// START rows, and the word's entry, its base form's entry or suggestions. The forward history
// is emptied: a lookup starts a new path.
void LookUpEntryText(MainCore& core, std::string_view text, EntrySource source);
// Moves the list selection for Down, Up, Page Up and Page Down; the key also reaches the box.
void Entry_TextKeyDown(MainCore& core, ListKey key);
// Enter: lists again, taking the entry box's text as a complete word; a word that is no
// headword gets its base form's entry or suggestions, a headword's entry is not shown.
void Fill_List_ButtonClick(MainCore& core);

// Sets SuppressEntryChange for its lifetime, so the core can write Entry_Text without an
// incremental lookup; the flag is cleared again even when the write fails.
class SuppressEntryChangeScope {
 public:
  explicit SuppressEntryChangeScope(MainCore& core);
  ~SuppressEntryChangeScope();
  SuppressEntryChangeScope(const SuppressEntryChangeScope&) = delete;
  SuppressEntryChangeScope& operator=(const SuppressEntryChangeScope&) = delete;

 private:
  MainCore& core_;
};

}  // namespace zelvoran
