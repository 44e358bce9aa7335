// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/custom_commands.h"

#include "app/busy_cursor.h"
#include "app/guard.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/toolbar.h"
#include "custom/custom_dialogs.h"
#include "custom/custom_folder.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
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

// A refusal of what was typed is a plain message; one about the store is a problem.
void Tell(MainCore& core, StoreRefusal refusal) {
  if (!core.svc.messages) return;
  MessageBoxes& boxes = *core.svc.messages;
  switch (refusal) {
    case StoreRefusal::kEmptyHeadword:
      return boxes.ShowMessage(Utf8ToCp1253(kEmptyHeadwordText));
    case StoreRefusal::kHeadwordTooLong:
      return boxes.ShowMessage(Utf8ToCp1253(kHeadwordTooLongText));
    case StoreRefusal::kExplanationTooLong:
      return boxes.ShowMessage(Utf8ToCp1253(kExplanationTooLongText));
    case StoreRefusal::kIndexFull:
      return boxes.ShowProblem(Utf8ToCp1253(kIndexFullText));
    case StoreRefusal::kNumbersExhausted:
      return boxes.ShowProblem(Utf8ToCp1253(kNumbersExhaustedText));
  }
}

const char* TextOf(StoreFailure failure) {
  switch (failure) {
    case StoreFailure::kBusy:
      return kBusyText;
    case StoreFailure::kUnsettled:
      return kUnsettledText;
    case StoreFailure::kDamaged:
      return kDamagedText;
    case StoreFailure::kTooLarge:
      return kTooLargeText;
    case StoreFailure::kNotSaved:
      return kNotSavedText;
    case StoreFailure::kPending:
      break;
  }
  return kPendingText;
}

// How the window follows a change.
enum class Refresh {
  kNone,
  kClearWhenSaved,      // an insert: the display empties once the entry is stored
  kClearUnlessFailed,   // a modify: the display empties unless the change failed
  kRemoveRowWhenSaved,  // a delete: the selected row leaves the list
};

void RemoveSelectedRow(MainCore& core) {
  EntriesListModel& list = core.List;
  if (list.Selected < 0 || list.Selected >= list.Count()) return;
  const auto row = static_cast<size_t>(list.Selected);
  list.Items.erase(list.Items.begin() + static_cast<std::ptrdiff_t>(row));
  list.Selected = -1;
  core.view.ListRowsChanged();
  core.view.SetDescription("");
  core.view.SetModifyEntryEnabled(false);
  core.view.SetDeleteEntryEnabled(false);
}

// What every change ends with: the user is told why it was refused or failed, the window
// follows it, and the indexes are rebuilt from the files with the core's slots kept on their
// entries.
StoreOutcome Conclude(MainCore& core, const StoreResult& result, Refresh refresh) {
  StoreOutcome outcome = StoreOutcome::kUnchanged;
  switch (result.kind) {
    case StoreResult::Kind::kUnchanged:
      break;
    case StoreResult::Kind::kSaved:
      outcome = StoreOutcome::kSaved;
      break;
    case StoreResult::Kind::kRefused:
      Tell(core, result.refusal);
      outcome = StoreOutcome::kFailed;
      break;
    case StoreResult::Kind::kFailed:
      if (core.svc.messages) core.svc.messages->ShowProblem(Utf8ToCp1253(TextOf(result.failure)));
      outcome = StoreOutcome::kFailed;
      break;
  }
  switch (refresh) {
    case Refresh::kNone:
      break;
    case Refresh::kClearWhenSaved:
      if (outcome == StoreOutcome::kSaved) ClearEntryDisplay(core);
      break;
    case Refresh::kClearUnlessFailed:
      if (outcome != StoreOutcome::kFailed) ClearEntryDisplay(core);
      break;
    case Refresh::kRemoveRowWhenSaved:
      if (outcome == StoreOutcome::kSaved) RemoveSelectedRow(core);
      break;
  }
  // The rebuilt indexes move the later rows' slots; the remap keeps each row on its entry.
  ReloadIndexesKeepingSlots(core);
  return outcome;
}

// The entry of the selected row; slot 0 (no entry) when nothing is selected.
RowRef SelectedRow(const MainCore& core) {
  const EntriesListModel& list = core.List;
  if (list.Selected < 0 || list.Selected >= list.Count()) return {};
  const auto row = static_cast<size_t>(list.Selected);
  if (row >= list.Items.size()) return {};
  return list.Items[row].ref;
}

// Restores the program folder as the current directory when it leaves its scope.
class ProgramFolderKept {
 public:
  explicit ProgramFolderKept(MainCore& core) : core_(core) {}
  ~ProgramFolderKept() { core_.svc.fs.SetCurrentDirectory(core_.state.ProgramFolder); }
  ProgramFolderKept(const ProgramFolderKept&) = delete;
  ProgramFolderKept& operator=(const ProgramFolderKept&) = delete;

 private:
  MainCore& core_;
};

}  // namespace

std::vector<MenuItem> CustomEntriesMenuItems(const MainView& view) {
  return {
      {Utf8ToCp1253("Εμφάνιση Επεξεργασμένων Λημμάτων"), true},
      {Utf8ToCp1253("Εισαγωγή Νέου Λήμματος"), true},
      {Utf8ToCp1253("Τροποποίηση Λήμματος"), view.ModifyEntryEnabled()},
      {Utf8ToCp1253("Διαγραφή Λήμματος"), view.DeleteEntryEnabled()},
  };
}

CustomEntriesChoice CustomEntries_ButtonClick(MainCore& core) {
  CustomEntriesChoice choice = CustomEntriesChoice::kNone;
  Guarded([&] {
    const Point at = MenuPointUnder(core.view, ToolbarButton::kCustomEntries);
    const std::vector<MenuItem> items = CustomEntriesMenuItems(core.view);
    const int chosen = core.view.ShowPopupMenu(items, at);
    if (chosen < 0 || chosen >= static_cast<int>(items.size())) return;
    if (!items[static_cast<size_t>(chosen)].enabled) return;
    choice = static_cast<CustomEntriesChoice>(chosen + 1);
  });
  switch (choice) {
    case CustomEntriesChoice::kInsert:
      InsertEntryItemClick(core);
      break;
    case CustomEntriesChoice::kModify:
      ModifyEntryItemClick(core);
      break;
    case CustomEntriesChoice::kDelete:
      DeleteEntryItemClick(core);
      break;
    default:
      break;
  }
  return choice;
}

void InsertEntryItemClick(MainCore& core) {
  BusyCursor busy(core.view, BusyCursor::Start::kLater);
  Guarded([&] {
    if (!ValidateCustomFolder(core) || !core.svc.custom_dialogs) return;
    EntryDialogSetup setup;
    setup.EditMode = EditMode::kInsert;
    setup.CategoryItems = CategoryItems(core.svc.fs, core.state.ProgramFolder);
    setup.Accepts = [&core](const EntryDialogResult& r) {
      const auto refusal = StoreOf(core).InsertRefusal({r.Headword, r.Explanation, r.CategoryRow});
      if (refusal) Tell(core, *refusal);
      return !refusal;
    };
    const auto result = core.svc.custom_dialogs->RunEntryDialog(setup);
    if (!result) return;
    busy.On();
    InsertCustomEntry(core, {result->Headword, result->Explanation, result->CategoryRow});
  });
}

void ModifyEntryItemClick(MainCore& core) {
  BusyCursor busy(core.view, BusyCursor::Start::kLater);
  Guarded([&] {
    const EntriesListModel& list = core.List;
    if (list.Selected < 0 || list.Selected >= list.Count()) return;
    const auto row = static_cast<size_t>(list.Selected);
    const std::string row_text = list.Items[row].text;
    const RowRef ref = list.Items.at(row).ref;
    const HeadwordRecord& record =
        core.state.Dict.Index(ref.direction == Direction::kGreek).Slot(ref.slot);
    const Origin origin = record.Origin;
    if (origin == Origin::kNone) return;
    const std::string category = record.Category;

    ModifyRequest request;
    request.Headword = row_text;
    if (origin == Origin::kOwn && request.Headword.size() >= kUserEntryMark.size() &&
        request.Headword.ends_with(kUserEntryMark)) {
      request.Headword.resize(request.Headword.size() - kUserEntryMark.size());
    }
    request.CategoryRow = CategoryRowOf(core.state.Dict, category);
    if (!ValidateCustomFolder(core) || !core.svc.custom_dialogs) return;
    request.Origin = origin;
    request.Explanation = PrefillExplanation(origin, core.view.DescriptionText(), category);

    EntryDialogSetup setup;
    setup.EditMode = EditMode::kUpdate;
    setup.Origin = origin;
    setup.Headword = request.Headword;
    setup.CategoryRow = request.CategoryRow;
    setup.Explanation = request.Explanation;
    setup.CategoryItems = CategoryItems(core.svc.fs, core.state.ProgramFolder);
    setup.Accepts = [&core, &request](const EntryDialogResult& r) {
      ModifyRequest typed = request;
      typed.Headword = r.Headword;
      typed.CategoryRow = r.CategoryRow;
      typed.Explanation = r.Explanation;
      const auto refusal = StoreOf(core).ModifyRefusal(typed, SelectedRow(core));
      if (refusal) Tell(core, *refusal);
      return !refusal;
    };
    const auto result = core.svc.custom_dialogs->RunEntryDialog(setup);
    if (!result) return;
    request.Headword = result->Headword;
    request.CategoryRow = result->CategoryRow;
    request.Explanation = result->Explanation;
    busy.On();
    ModifyCustomEntry(core, request);
  });
}

void DeleteEntryItemClick(MainCore& core) {
  BusyCursor busy(core.view, BusyCursor::Start::kLater);
  Guarded([&] {
    if (!core.svc.messages) return;
    if (!core.svc.messages->Confirm(Utf8ToCp1253("Να διαγραφεί το Λήμμα;"),
                                    Utf8ToCp1253("Επιβεβαίωση Διαγραφής"))) {
      return;
    }
    if (!ValidateCustomFolder(core)) return;
    busy.On();
    DeleteCustomEntry(core);
  });
}

std::optional<std::string> PromptCustomFolder(MainCore& core, std::string_view reason) {
  ProgramFolderKept kept(core);
  if (!core.svc.custom_dialogs) return std::nullopt;
  auto folder = core.svc.custom_dialogs->RunFolderDialog(reason);
  if (!folder || folder->empty()) return std::nullopt;
  WriteSettings(core.svc.fs, core.svc.folders, core.state, *folder);
  return folder;
}

bool ValidateCustomFolder(MainCore& core) {
  ProgramState& state = core.state;
  const CustomFolderStep step =
      NextCustomFolderStep(core.svc.fs, state.Paths, state.SettingsFilePath, state.ProgramFolder);
  std::optional<std::string> folder;
  switch (step.kind) {
    case CustomFolderStep::Kind::kKeep:
      return true;
    case CustomFolderStep::Kind::kNone:
      return false;
    case CustomFolderStep::Kind::kUse:
      folder = step.folder;
      break;
    case CustomFolderStep::Kind::kUseAndSave:
      folder = step.folder;
      WriteSettings(core.svc.fs, core.svc.folders, state, *folder);
      break;
    case CustomFolderStep::Kind::kAsk:
      folder = PromptCustomFolder(core, step.reason);
      break;
  }
  if (!folder) {
    state.Paths = CustomPaths{};
    return false;
  }
  state.Paths = CustomPathsInFolder(core.svc.fs, *folder);
  return true;
}

CustomStore StoreOf(MainCore& core) {
  return CustomStore(core.svc.fs, core.state.Paths, core.state.Dict,
                     [&core] { ReloadIndexesKeepingSlots(core); });
}

StoreOutcome InsertCustomEntry(MainCore& core, const InsertRequest& request) {
  return Conclude(core, StoreOf(core).Insert(request), Refresh::kClearWhenSaved);
}

StoreOutcome ModifyCustomEntry(MainCore& core, const ModifyRequest& request) {
  // A modify with nothing typed leaves the display as it is.
  const Refresh refresh = request.Headword.empty() ? Refresh::kNone : Refresh::kClearUnlessFailed;
  return Conclude(core, StoreOf(core).Modify(request, SelectedRow(core)), refresh);
}

StoreOutcome DeleteCustomEntry(MainCore& core) {
  return Conclude(core, StoreOf(core).Delete(SelectedRow(core)), Refresh::kRemoveRowWhenSaved);
}

void ApplySlotRemap(MainCore& core, const SlotRemap& remap) {
  EntriesListModel& list = core.List;
  EntriesListModel kept;
  for (int r = 0; r < list.Count(); ++r) {
    const auto i = static_cast<size_t>(r);
    const RowRef ref = list.Items[i].ref;
    const int32_t slot = remap.Map(ref.direction == Direction::kGreek, ref.slot);
    if (slot == 0) continue;
    if (r == list.Selected) kept.Selected = kept.Count();
    kept.Add(std::move(list.Items[i].text), RowRef{ref.direction, slot});
  }
  const bool rows_changed = kept.Count() != list.Count();
  list = std::move(kept);
  if (rows_changed) core.view.ListRowsChanged();

  if (core.LastShownIndex != 0) {
    core.LastShownIndex =
        remap.Map(core.LastShownDirection == Direction::kGreek, core.LastShownIndex);
    if (core.LastShownIndex == 0) core.LastShownHeadword.clear();
  }

  // History items name their entries by slot as well; an item whose entry is gone leaves.
  for (std::vector<HistoryItem>* items : {&core.History.BackList, &core.History.ForwardList}) {
    std::vector<HistoryItem> moved;
    for (HistoryItem& item : *items) {
      item.Ref.slot = remap.Map(item.Ref.direction == Direction::kGreek, item.Ref.slot);
      if (item.Ref.slot != 0) moved.push_back(std::move(item));
    }
    *items = std::move(moved);
  }
}

SlotRemap ReloadIndexesKeepingSlots(MainCore& core) {
  const IndexSnapshot before = TakeIndexSnapshot(core.state.Dict);
  ReloadHeadwordIndexes(core.svc.fs, core.state);
  SlotRemap remap(before, core.state.Dict);
  ApplySlotRemap(core, remap);
  return remap;
}

}  // namespace zelvoran
