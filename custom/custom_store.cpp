#include "custom/custom_store.h"

#include <algorithm>
#include <functional>

#include "app/guard.h"
#include "app/main_core.h"
#include "app/message_boxes.h"
#include "app/settings.h"
#include "custom/custom_dialogs.h"
#include "custom/slot_remap.h"
#include "custom/store_commit.h"
#include "custom/store_lines.h"
#include "dictionary/cp1253.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "search/lookup_engine.h"

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
constexpr const char* kOldFormKeptText =
    "Το λήμμα αποθηκεύτηκε με τη νέα του μορφή, αλλά η παλιά του μορφή δεν διαγράφηκε.";

void Tell(MainCore& core, const char* utf8) {
  if (core.svc.messages) core.svc.messages->ShowProblem(Utf8ToCp1253(utf8));
}

void TellInvalid(MainCore& core, const char* utf8) {
  if (core.svc.messages) core.svc.messages->ShowMessage(Utf8ToCp1253(utf8));
}

const std::string& IndexPathOf(const CustomPaths& p, bool greek) {
  return greek ? p.CustomGreekIndexPath : p.CustomEnglishIndexPath;
}
const std::string& TextsPathOf(const CustomPaths& p, bool greek) {
  return greek ? p.CustomGreekTextsPath : p.CustomEnglishTextsPath;
}

// The rewrite frame: settle any interrupted replacement, read the pair, let `change` apply
// the operation's rule (false: nothing to change), and replace the pair.
StoreOutcome Rewrite(MainCore& core, bool greek, const std::function<bool(StorePair&)>& change) {
  FileSystem& fs = core.svc.fs;
  const CustomPaths& paths = core.state.Paths;
  if (IndexPathOf(paths, greek).empty() || paths.TempIndexPath.empty())
    return StoreOutcome::kUnchanged;
  if (RecoverCustomStore(fs, paths) == RecoveryResult::kUnsettled) {
    Tell(core, kUnsettledText);
    return StoreOutcome::kFailed;
  }
  StoreReadResult read = ReadStorePair(fs, IndexPathOf(paths, greek), TextsPathOf(paths, greek));
  if (read.problem != ReadProblem::kNone) {
    Tell(core, kDamagedText);
    return StoreOutcome::kFailed;
  }
  if (!change(read.pair)) return StoreOutcome::kUnchanged;
  const auto files = WriteStorePair(read.pair);
  if (!files) {
    Tell(core, kTooLargeText);
    return StoreOutcome::kFailed;
  }
  switch (CommitStorePair(fs, paths, greek, *files)) {
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
  if (row >= list.RowIndexList.size()) return std::nullopt;
  SelectedRecord sel;
  sel.greek = IsGreekText(list.Rows[row]);
  sel.slot = list.RowIndexList[row];
  sel.record = &core.state.Dict.Index(sel.greek).Slot(sel.slot);
  if (sel.record->EntryNumber == 0) return std::nullopt;
  return sel;
}

StoreOutcome InsertInto(MainCore& core, bool greek, const std::string& headword,
                        std::string_view explanation, int category_row, int leaving_slot,
                        std::optional<int64_t> leaving_number) {
  const auto plan = PlanInsert(core, greek, headword, leaving_slot);
  if (!plan) return StoreOutcome::kFailed;
  StoreLine line = MakeStoreLine(plan->predecessor, plan->number, headword, explanation,
                                 CategoryOf(core, category_row));
  return Rewrite(core, greek, [&](StorePair& pair) {
    if (leaving_number) DropEntry(pair, *leaving_number, false);
    PlaceOwnEntry(pair, std::move(line), plan->predecessor, plan->predecessor_is_own);
    return true;
  });
}

StoreOutcome ModifyOwnEntry(MainCore& core, const ModifyRequest& request) {
  const auto sel = Selected(core);
  if (!sel || sel->record->Origin != 'C') return StoreOutcome::kUnchanged;
  if (!ModifyRequestStorable(core, request)) return StoreOutcome::kFailed;
  const std::string headword(TrimBlanks(request.Headword));
  const int64_t old_number = sel->record->EntryNumber;
  const bool greek = IsGreekText(request.Headword);
  if (greek == sel->greek) {
    // One rewrite removes the old line and places the new one, as a delete followed by an
    // insert would, so the entry is never missing from the files.
    return InsertInto(core, greek, headword, request.Explanation, request.CategoryRow, sel->slot,
                      old_number);
  }
  // Another language: the new entry is stored first; the old one goes only once it is.
  const StoreOutcome inserted =
      InsertInto(core, greek, headword, request.Explanation, request.CategoryRow, 0, std::nullopt);
  if (inserted != StoreOutcome::kSaved) return inserted;
  const StoreOutcome dropped = Rewrite(
      core, sel->greek, [&](StorePair& pair) { return DropEntry(pair, old_number, false); });
  if (dropped == StoreOutcome::kFailed) Tell(core, kOldFormKeptText);
  return StoreOutcome::kSaved;
}

StoreOutcome ModifyAddition(MainCore& core, const ModifyRequest& request) {
  const auto sel = Selected(core);
  if (!sel || sel->record->Origin == 'C') return StoreOutcome::kUnchanged;
  if (!ModifyRequestStorable(core, request)) return StoreOutcome::kFailed;
  const int64_t number = sel->record->EntryNumber;
  return Rewrite(core, sel->greek, [&](StorePair& pair) {
    SetAddition(pair, number, request.Explanation, request.Origin == 'A');
    return true;
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
  const StoreOutcome outcome =
      InsertInto(core, IsGreekText(request.Headword), std::string(TrimBlanks(request.Headword)),
                 request.Explanation, request.CategoryRow, 0, std::nullopt);
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
  const auto sel = Selected(core);
  if (!sel || sel->record->Origin != 'C') return StoreOutcome::kUnchanged;
  const int64_t number = sel->record->EntryNumber;
  const StoreOutcome outcome =
      Rewrite(core, sel->greek, [&](StorePair& pair) { return DropEntry(pair, number, false); });
  if (outcome == StoreOutcome::kSaved) {
    EntriesListModel& list = core.List;
    const auto row = static_cast<size_t>(list.Selected);
    list.Rows.erase(list.Rows.begin() + static_cast<std::ptrdiff_t>(row));
    list.RowIndexList.erase(list.RowIndexList.begin() + static_cast<std::ptrdiff_t>(row));
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
