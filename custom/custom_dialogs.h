// SPDX-License-Identifier: GPL-3.0-or-later
// The two dialogs of the user's entries as the core sees them, with the rules their handlers
// follow. TInsertEntryFrm and TSelectCustomDirForm (custom/ui/) implement the dialogs; tests
// use fakes. All text is Windows-1253.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/domain.h"

namespace zelvoran {

class FileSystem;
class SystemFolders;
class SystemInfo;

// Whether TInsertEntryFrm adds a new entry or changes the selected one.
enum class EditMode { kInsert, kUpdate };

inline constexpr std::string_view kFolderPromptNull = "NULL";
inline constexpr std::string_view kFolderPromptInvalid = "INVALID";

struct EntryDialogResult;

// What TInsertEntryFrm shows when it opens.
struct EntryDialogSetup {
  zelvoran::EditMode EditMode = zelvoran::EditMode::kInsert;
  zelvoran::Origin Origin = zelvoran::Origin::kNone;  // of the entry being modified (kUpdate)
  std::string Headword;
  int CategoryRow = 0;
  std::string Explanation;  // line breaks as CR LF
  // The items of InsertEntry_ShortCut: a blank item, then one per abbreviation.
  std::vector<std::string> CategoryItems;
  // Asked on OK once the fields are filled in: whether the store would take what the dialog
  // holds. It tells the user why not, and the dialog then stays open with the text as typed.
  std::function<bool(const EntryDialogResult&)> Accepts;
};

// What the dialog hands back on OK, exactly as typed (line breaks as CR LF).
struct EntryDialogResult {
  std::string Headword;
  int CategoryRow = -1;  // -1: nothing chosen
  std::string Explanation;
};

class CustomDialogs {
 public:
  virtual ~CustomDialogs() = default;
  // Shows TInsertEntryFrm modally; nullopt when it closed with Cancel.
  virtual std::optional<EntryDialogResult> RunEntryDialog(const EntryDialogSetup& setup) = 0;
  // Shows TSelectCustomDirForm modally with the reason "NULL" or "INVALID"; the Dir_Edit text
  // when it closed with OK, nullopt on Cancel.
  virtual std::optional<std::string> RunFolderDialog(std::string_view reason) = 0;
};

// --- TInsertEntryFrm ---

inline constexpr size_t kMaxEntryDialogHeadword = 80;  // InsertEntry_Text's limit

// The items of InsertEntry_ShortCut: a single blank, then columns 12-211 of each line of the
// abbreviation file, trimmed. A missing or unreadable file leaves just the blank.
std::vector<std::string> CategoryItems(const FileSystem& fs, const std::string& program_folder);

// InsertOk_ButtonClick's check: the validation message when the dialog must stay open.
std::optional<std::string> CheckEntryDialog(EditMode edit_mode, Origin origin,
                                            std::string_view headword,
                                            std::string_view explanation);

// --- TSelectCustomDirForm ---

// MsgMemo's text for the reason.
std::string FolderPromptText(std::string_view reason);

// The folder proposed in Dir_Edit.
std::string ProposedCustomFolder(const FileSystem& fs, const SystemFolders& folders,
                                 const SystemInfo& info);

// BitBtn1Click: creates a missing folder with every missing level above it. True when the
// dialog closes with OK (an empty path included); otherwise the message to show.
struct FolderConfirmation {
  bool close = false;
  std::string message;
};
FolderConfirmation ConfirmFolderChoice(FileSystem& fs, std::string_view folder);

// What DirectoryListBox1 shows for a folder: its ancestors from the drive down (each a full
// path) and then its sub-folders.
struct FolderListing {
  std::vector<std::string> ancestors;  // full paths, the drive first and `folder` last
  std::vector<std::string> children;   // full paths
};
FolderListing ListFolder(const FileSystem& fs, std::string_view folder);

// The drive of DriveComboBox1 that `folder` lies on, from `drives`; -1 when none.
int DriveOf(const std::vector<std::string>& drives, std::string_view folder);

}  // namespace zelvoran
