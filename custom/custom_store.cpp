// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/custom_store.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "app/guard.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/message_boxes.h"
#include "app/settings.h"
#include "custom/custom_dialogs.h"
#include "custom/slot_remap.h"
#include "custom/store_commit.h"
#include "custom/store_lines.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "search/lookup_engine.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

// Messages of the store (UTF-8 here, shown in Windows-1253).
constexpr const char* kNotSavedText =
    "Η αλλαγή δεν αποθηκεύτηκε. Τα λήμματά σας έμειναν όπως ήταν.";
constexpr const char* kPendingText =
    "Η αποθήκευση της αλλαγής διακόπηκε. Θα ολοκληρωθεί ή θα αναιρεθεί την επόμενη φορά που "
    "θα ανοίξει το πρόγραμμα· τα λήμματά σας δεν χάνονται.";
constexpr const char* kUnsettledText =
    "Μια προηγούμενη αλλαγή των λημμάτων σας δεν έχει ολοκληρωθεί, γιατί ο φάκελός τους δεν "
    "δέχεται εγγραφή. Η νέα αλλαγή δεν αποθηκεύτηκε.";
constexpr const char* kDamagedText =
    "Τα αρχεία των επεξεργασμένων λημμάτων είναι κατεστραμμένα ή δεν διαβάζονται, και δεν "
    "αλλάχτηκαν. Η αλλαγή δεν αποθηκεύτηκε.";
constexpr const char* kTooLargeText =
    "Το αρχείο των επεξεργασμένων λημμάτων έφτασε το μέγιστο μέγεθός του. Η αλλαγή δεν "
    "αποθηκεύτηκε.";
constexpr const char* kNumbersExhaustedText =
    "Δεν υπάρχει ελεύθερος αριθμός για νέο λήμμα (ο μεγαλύτερος είναι 65535). Το λήμμα δεν "
    "αποθηκεύτηκε.";
constexpr const char* kIndexFullText =
    "Ο πίνακας των λημμάτων αυτής της γλώσσας είναι γεμάτος (60001 λήμματα). Το λήμμα δεν "
    "αποθηκεύτηκε.";
constexpr const char* kExplanationTooLongText =
    "Η περιγραφή είναι πολύ μεγάλη: επιτρέπονται έως 31000 χαρακτήρες. Η αλλαγή δεν "
    "αποθηκεύτηκε.";
constexpr const char* kHeadwordTooLongText =
    "Το λήμμα είναι πολύ μεγάλο: επιτρέπονται έως 80 χαρακτήρες. Το λήμμα δεν αποθηκεύτηκε.";
constexpr const char* kEmptyHeadwordText = "Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή";
constexpr const char* kBusyText =
    "Τα λήμματά σας τα αλλάζει αυτή τη στιγμή άλλο πρόγραμμα. Η αλλαγή δεν αποθηκεύτηκε· "
    "δοκιμάστε ξανά σε λίγο.";

void Tell(MainCore& core, const char* utf8) {
  if (core.svc.messages) core.svc.messages->ShowProblem(Utf8ToCp1253(utf8));
}

void TellInvalid(MainCore& core, const char* utf8) {
  if (core.svc.messages) core.svc.messages->ShowMessage(Utf8ToCp1253(utf8));
}

// How long an operation waits for another copy of the program to finish its change.
constexpr std::chrono::milliseconds kStoreLockWait{4000};

// Runs `body` holding the store's lock, on the files as they are now: an interrupted
// replacement is settled first, and the indexes are rebuilt from the files, since another
// copy of the program may have changed them since they were loaded.
StoreOutcome Locked(MainCore& core, const std::function<StoreOutcome()>& body) {
  FileSystem& fs = core.svc.fs;
  const CustomPaths& paths = core.state.Paths;
  if (paths.TempIndexPath.empty()) return StoreOutcome::kUnchanged;
  // Without a lock file (a folder that cannot be written) the rewrite fails and says so.
  LockResult lock = fs.LockFile(StoreLockPath(paths), kStoreLockWait);
  if (lock.status == LockStatus::kBusy) {
    Tell(core, kBusyText);
    return StoreOutcome::kFailed;
  }
  if (RecoverCustomStore(fs, paths) == RecoveryResult::kUnsettled) {
    Tell(core, kUnsettledText);
    return StoreOutcome::kFailed;
  }
  ReloadIndexesKeepingSlots(core);
  return body();
}

// A change of one language's pair; false when it has nothing to change.
struct PairChange {
  bool greek = false;
  std::function<bool(StorePair&)> change;
};

// The rewrite frame, inside Locked: read each pair, apply its change, and replace every
// changed pair in one commit.
StoreOutcome Rewrite(MainCore& core, const std::vector<PairChange>& changes) {
  FileSystem& fs = core.svc.fs;
  const CustomPaths& paths = core.state.Paths;
  std::vector<PairUpdate> updates;
  for (const PairChange& c : changes) {
    const std::string& index = c.greek ? paths.CustomGreekIndexPath : paths.CustomEnglishIndexPath;
    const std::string& texts = c.greek ? paths.CustomGreekTextsPath : paths.CustomEnglishTextsPath;
    if (index.empty() || texts.empty()) return StoreOutcome::kUnchanged;
    StoreReadResult read = ReadStorePair(fs, index, texts);
    if (read.problem != ReadProblem::kNone) {
      Tell(core, kDamagedText);
      return StoreOutcome::kFailed;
    }
    if (!c.change(read.pair)) continue;
    auto files = WriteStorePair(read.pair);
    if (!files) {
      Tell(core, kTooLargeText);
      return StoreOutcome::kFailed;
    }
    updates.push_back({c.greek, std::move(*files)});
  }
  if (updates.empty()) return StoreOutcome::kUnchanged;
  switch (CommitStoreFiles(fs, paths, updates)) {
    case CommitResult::kSaved:
      return StoreOutcome::kSaved;
    case CommitResult::kNotSaved:
      Tell(core, kNotSavedText);
      return StoreOutcome::kFailed;
    case CommitResult::kPending:
      break;
  }
  Tell(core, kPendingText);
  return StoreOutcome::kFailed;
}

// Where a new own entry goes: its number N and its predecessor (number P, own or not).
struct InsertPlan {
  int64_t number = 0;
  int64_t predecessor = 0;
  bool predecessor_is_own = false;
};

// The number a new own entry of the language gets (the largest in use plus one), or 0 with
// the user told when the index has no room for it. `leaving_slot` is the slot of an entry that
// the same rewrite removes (0: none).
int64_t NewEntryNumber(MainCore& core, bool greek, int leaving_slot) {
  const HeadwordIndex& index = core.state.Dict.Index(greek);
  const int count = index.Count();
  if (count - (leaving_slot > 0 ? 1 : 0) >= kMaxIndexRecords) {
    Tell(core, kIndexFullText);
    return 0;
  }
  int64_t largest = 0;
  for (int s = 1; s <= count; ++s) {
    if (s != leaving_slot) largest = std::max<int64_t>(largest, index.Slot(s).EntryNumber);
  }
  if (largest + 1 > kMaxEntryNumber) {
    Tell(core, kNumbersExhaustedText);
    return 0;
  }
  return largest + 1;
}

// `leaving_slot` is the slot of an entry that the same rewrite removes (0: none); the plan is
// then the one the index would give without it.
std::optional<InsertPlan> PlanInsert(MainCore& core, bool greek, std::string_view headword,
                                     int leaving_slot) {
  const HeadwordIndex& index = core.state.Dict.Index(greek);
  const int count = index.Count();
  auto key_of = [greek](std::string_view text) {
    return greek ? GreekKey(text) : EnglishKey(text);
  };
  InsertPlan plan;
  plan.number = NewEntryNumber(core, greek, leaving_slot);
  if (plan.number == 0) return std::nullopt;
  const std::string key = key_of(headword);
  int s = count;
  // Keys compare byte by byte by code value; a key that begins another is the smaller.
  while (s >= 1 && (s == leaving_slot ||
                    std::string_view(key_of(index.Slot(s).Headword)) > std::string_view(key))) {
    --s;
  }
  if (s >= 1) {
    plan.predecessor = index.Slot(s).EntryNumber;
    plan.predecessor_is_own = index.Slot(s).Origin == 'C';
  }
  return plan;
}

std::string CategoryOf(const MainCore& core, int row) {
  const auto& table = core.state.Dict.AbbreviationTable;
  if (row < 1 || static_cast<size_t>(row) >= table.size()) return {};
  return table[static_cast<size_t>(row)].Abbreviation.substr(0, kMaxCategory);
}

// Whether the headword, trimmed as it is stored, can be stored; the user is told when not.
bool StorableHeadword(MainCore& core, std::string_view typed) {
  const std::string_view headword = TrimBlanks(typed);
  if (headword.empty()) {
    TellInvalid(core, kEmptyHeadwordText);
    return false;
  }
  if (headword.size() > kMaxStoredHeadword) {
    TellInvalid(core, kHeadwordTooLongText);
    return false;
  }
  return true;
}

bool StorableExplanation(MainCore& core, std::string_view text) {
  if (text.size() <= kMaxExplanation) return true;
  TellInvalid(core, kExplanationTooLongText);
  return false;
}

// The record of the selected row, with the row's language.
struct SelectedRecord {
  bool greek = false;
  int slot = 0;
  const HeadwordRecord* record = nullptr;
};

std::optional<SelectedRecord> Selected(const MainCore& core) {
  const EntriesListModel& list = core.List;
  if (list.Selected < 0 || list.Selected >= list.Count()) return std::nullopt;
  const auto row = static_cast<size_t>(list.Selected);
  if (row >= list.Refs.size()) return std::nullopt;
  SelectedRecord sel;
  sel.greek = list.Refs[row].direction == Direction::kGreek;
  sel.slot = list.Refs[row].slot;
  sel.record = &core.state.Dict.Index(sel.greek).Slot(sel.slot);
  if (sel.record->EntryNumber == 0) return std::nullopt;
  return sel;
}

// The change that places a new own entry in its language's pair. `leaving_slot` and
// `leaving_number` name an own entry of the same language that the change removes.
std::optional<PairChange> PlaceNew(MainCore& core, bool greek, const std::string& headword,
                                   std::string_view explanation, int category_row, int leaving_slot,
                                   std::optional<int64_t> leaving_number) {
  const auto plan = PlanInsert(core, greek, headword, leaving_slot);
  if (!plan) return std::nullopt;
  auto line = std::make_shared<StoreLine>(MakeStoreLine(
      plan->predecessor, plan->number, headword, explanation, CategoryOf(core, category_row)));
  return PairChange{greek, [where = *plan, line, leaving_number](StorePair& pair) {
                      if (leaving_number) DropEntry(pair, *leaving_number, false);
                      PlaceOwnEntry(pair, *line, where.predecessor, where.predecessor_is_own);
                      return true;
                    }};
}

StoreOutcome ModifyOwnEntry(MainCore& core, const ModifyRequest& request) {
  const auto before = Selected(core);
  if (!before || before->record->Origin != 'C') return StoreOutcome::kUnchanged;
  if (!ModifyRequestStorable(core, request)) return StoreOutcome::kFailed;
  const std::string headword(TrimBlanks(request.Headword));
  return Locked(core, [&] {
    const auto sel = Selected(core);  // on the rebuilt indexes
    if (!sel || sel->record->Origin != 'C') return StoreOutcome::kUnchanged;
    const int64_t old_number = sel->record->EntryNumber;
    const bool greek = IsGreekText(request.Headword);
    // The old line goes and the new one comes in one commit, so the entry is never missing
    // from the files nor there twice, even when it moves to the other language's pair.
    if (greek == sel->greek) {
      auto place = PlaceNew(core, greek, headword, request.Explanation, request.CategoryRow,
                            sel->slot, old_number);
      return place ? Rewrite(core, {*place}) : StoreOutcome::kFailed;
    }
    auto place =
        PlaceNew(core, greek, headword, request.Explanation, request.CategoryRow, 0, std::nullopt);
    if (!place) return StoreOutcome::kFailed;
    return Rewrite(core, {*place, PairChange{sel->greek, [old_number](StorePair& pair) {
                                               return DropEntry(pair, old_number, false);
                                             }}});
  });
}

StoreOutcome ModifyAddition(MainCore& core, const ModifyRequest& request) {
  const auto before = Selected(core);
  if (!before || before->record->Origin == 'C') return StoreOutcome::kUnchanged;
  if (!ModifyRequestStorable(core, request)) return StoreOutcome::kFailed;
  return Locked(core, [&] {
    const auto sel = Selected(core);
    if (!sel || sel->record->Origin == 'C') return StoreOutcome::kUnchanged;
    const int64_t number = sel->record->EntryNumber;
    return Rewrite(core, {PairChange{sel->greek, [&](StorePair& pair) {
                                       SetAddition(pair, number, request.Explanation,
                                                   request.Origin == 'A');
                                       return true;
                                     }}});
  });
}

}  // namespace

bool InsertRequestStorable(MainCore& core, const InsertRequest& request) {
  if (request.Headword.empty()) return true;  // nothing to store: the insert does nothing
  return StorableHeadword(core, request.Headword) &&
         StorableExplanation(core, request.Explanation) &&
         NewEntryNumber(core, IsGreekText(request.Headword), 0) != 0;
}

bool ModifyRequestStorable(MainCore& core, const ModifyRequest& request) {
  if (request.Headword.empty()) return true;  // nothing to store: the modify does nothing
  const auto sel = Selected(core);
  if (request.Origin == 'L' || request.Origin == 'A') {
    if (!sel || sel->record->Origin == 'C') return true;
    return StorableExplanation(core, request.Explanation);
  }
  if (request.Origin != 'C' || !sel || sel->record->Origin != 'C') return true;
  if (!StorableHeadword(core, request.Headword) ||
      !StorableExplanation(core, request.Explanation)) {
    return false;
  }
  // The same language: the entry's own slot is freed by the same rewrite.
  const bool greek = IsGreekText(request.Headword);
  return NewEntryNumber(core, greek, greek == sel->greek ? sel->slot : 0) != 0;
}

std::optional<std::string> PromptCustomFolder(MainCore& core, std::string_view reason) {
  std::optional<std::string> chosen;
  Guarded([&] {
    if (!core.svc.custom_dialogs) return;
    auto folder = core.svc.custom_dialogs->RunFolderDialog(reason);
    if (!folder || folder->empty()) return;
    WriteSettings(core.svc.fs, core.svc.folders, core.state, *folder);
    chosen = std::move(folder);
  });
  core.svc.fs.SetCurrentDirectory(core.state.ProgramFolder);
  return chosen;
}

bool ValidateCustomFolder(MainCore& core) {
  bool valid = false;
  Guarded([&] {
    FileSystem& fs = core.svc.fs;
    ProgramState& state = core.state;
    const CustomPaths& paths = state.Paths;
    // A folder that already holds the user's index of either language stays in use.
    if (!paths.CustomEnglishIndexPath.empty() && (fs.FileExists(paths.CustomEnglishIndexPath) ||
                                                  fs.FileExists(paths.CustomGreekIndexPath))) {
      valid = true;
      return;
    }
    std::optional<std::string> folder;
    if (!state.SettingsFilePath.empty() && fs.FileExists(state.SettingsFilePath)) {
      const auto content = fs.ReadFile(state.SettingsFilePath);
      if (!content) return;
      const std::string line = FirstLine(*content);
      if (line.empty()) {
        folder = PromptCustomFolder(core, kFolderPromptNull);
      } else if (fs.DirectoryExists(line)) {
        folder = line;
      } else {
        folder = PromptCustomFolder(core, kFolderPromptInvalid);
      }
    } else {
      const auto read_only = fs.IsReadOnly(state.ProgramFolder + std::string(kProgramFileName));
      if (!read_only || *read_only) {
        folder = PromptCustomFolder(core, kFolderPromptNull);
      } else {
        folder = state.ProgramFolder + "Data";
        WriteSettings(fs, core.svc.folders, state, *folder);
      }
    }
    if (!folder) {
      state.Paths = CustomPaths{};
      return;
    }
    std::string with_separator = *folder;
    if (with_separator.back() != '\\' && with_separator.back() != '/') {
      with_separator += fs.Separator();
    }
    state.Paths = CustomPaths::In(with_separator);
    valid = true;
  });
  return valid;
}

StoreOutcome InsertCustomEntry(MainCore& core, const InsertRequest& request) {
  if (request.Headword.empty()) return StoreOutcome::kUnchanged;
  if (!InsertRequestStorable(core, request)) return StoreOutcome::kFailed;
  const std::string headword(TrimBlanks(request.Headword));
  const StoreOutcome outcome = Locked(core, [&] {
    auto place = PlaceNew(core, IsGreekText(request.Headword), headword, request.Explanation,
                          request.CategoryRow, 0, std::nullopt);
    return place ? Rewrite(core, {*place}) : StoreOutcome::kFailed;
  });
  if (outcome == StoreOutcome::kSaved) ClearEntryDisplay(core);
  return outcome;
}

StoreOutcome ModifyCustomEntry(MainCore& core, const ModifyRequest& request) {
  if (request.Headword.empty()) return StoreOutcome::kUnchanged;
  StoreOutcome outcome = StoreOutcome::kUnchanged;
  if (request.Origin == 'C') {
    outcome = ModifyOwnEntry(core, request);
  } else if (request.Origin == 'L' || request.Origin == 'A') {
    outcome = ModifyAddition(core, request);
  }
  if (outcome != StoreOutcome::kFailed) ClearEntryDisplay(core);
  return outcome;
}

StoreOutcome DeleteCustomEntry(MainCore& core) {
  const auto before = Selected(core);
  if (!before || before->record->Origin != 'C') return StoreOutcome::kUnchanged;
  const StoreOutcome outcome = Locked(core, [&] {
    const auto sel = Selected(core);
    if (!sel || sel->record->Origin != 'C') return StoreOutcome::kUnchanged;
    const int64_t number = sel->record->EntryNumber;
    return Rewrite(core, {PairChange{sel->greek, [number](StorePair& pair) {
                                       return DropEntry(pair, number, false);
                                     }}});
  });
  if (outcome == StoreOutcome::kSaved) {
    EntriesListModel& list = core.List;
    const auto row = static_cast<size_t>(list.Selected);
    list.Rows.erase(list.Rows.begin() + static_cast<std::ptrdiff_t>(row));
    list.Refs.erase(list.Refs.begin() + static_cast<std::ptrdiff_t>(row));
    list.Selected = -1;
    core.view.ListRowsChanged();
    core.view.SetDescription("");
    core.view.SetModifyEntryEnabled(false);
    core.view.SetDeleteEntryEnabled(false);
  }
  // The rebuilt indexes move the later rows' slots; the remap keeps each row on its entry.
  ReloadIndexesKeepingSlots(core);
  return outcome;
}

}  // namespace zelvoran
