// SPDX-License-Identifier: GPL-3.0-or-later
// The CustomEntryStore's operations: settling the folder, and inserting, modifying and
// deleting the user's entries. Each operation rewrites the user's files through
// CommitStoreFiles under the store's lock (a move to the other language replaces both pairs in
// one commit), so a failure leaves the old files exactly as they were and says so.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvoran {

struct MainCore;

#ifdef _WIN32
inline constexpr std::string_view kProgramFileName = "Zelvoran.exe";
#else
inline constexpr std::string_view kProgramFileName = "Zelvoran";
#endif

struct InsertRequest {
  std::string Headword;
  std::string Explanation;
  int CategoryRow = -1;  // 0 the blank item, n an AbbreviationTable row, -1 nothing chosen
};

struct ModifyRequest {
  std::string Headword;
  int CategoryRow = 0;
  std::string Explanation;
  char Origin = '\0';  // of the entry being modified: 'C', 'A' or 'L'
};

enum class StoreOutcome {
  kUnchanged,  // nothing to do
  kSaved,      // the files hold the change
  kFailed,     // refused or not saved; the user has been told why
};

// Settles the folder of the user's entries before an editing command (asking for one through
// PromptCustomFolder when needed) and sets the six paths. False when there is no usable
// folder; the command then does nothing.
bool ValidateCustomFolder(MainCore& core);

// Shows TSelectCustomDirForm for `reason` ("NULL" or "INVALID"). Returns the chosen folder,
// which then exists and is saved with WriteSettings; nullopt when the user declined. The
// current directory is the program folder again afterwards.
std::optional<std::string> PromptCustomFolder(MainCore& core, std::string_view reason);

// The refusals a request meets before any file is touched: a headword of blanks or too long, an
// explanation too long, no room in the index of the headword's language. False after telling
// the user why; the store operations and the entry dialog (before it closes) both ask this.
bool InsertRequestStorable(MainCore& core, const InsertRequest& request);
// The same for a modify of the selected row's entry.
bool ModifyRequestStorable(MainCore& core, const ModifyRequest& request);

// Adds the request as an own entry and empties the display.
StoreOutcome InsertCustomEntry(MainCore& core, const InsertRequest& request);

// Applies the request to the entry of the selected row, and empties the display.
StoreOutcome ModifyCustomEntry(MainCore& core, const ModifyRequest& request);

// Removes the own entry of the selected row from the store and from the list, and rebuilds the
// indexes.
StoreOutcome DeleteCustomEntry(MainCore& core);

}  // namespace zelvoran
