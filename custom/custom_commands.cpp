// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/custom_commands.h"

#include "app/guard.h"
#include "app/main_core.h"
#include "app/message_boxes.h"
#include "app/toolbar.h"
#include "custom/custom_dialogs.h"
#include "custom/custom_store.h"
#include "custom/slot_remap.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

// The hourglass while a store operation and the reload run; SavedCursor afterwards.
class BusyCursor {
 public:
  explicit BusyCursor(MainView& view) : view_(view) {}
  ~BusyCursor() {
    if (on_) view_.SetBusy(false);
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  void On() {
    if (!on_) view_.SetBusy(true);
    on_ = true;
  }

 private:
  MainView& view_;
  bool on_ = false;
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
  BusyCursor busy(core.view);
  Guarded([&] {
    if (!ValidateCustomFolder(core) || !core.svc.custom_dialogs) return;
    EntryDialogSetup setup;
    setup.EditMode = std::string(kEditModeInsert);
    setup.CategoryItems = CategoryItems(core.svc.fs, core.state.ProgramFolder);
    setup.Accepts = [&core](const EntryDialogResult& r) {
      return InsertRequestStorable(core, {r.Headword, r.Explanation, r.CategoryRow});
    };
    const auto result = core.svc.custom_dialogs->RunEntryDialog(setup);
    if (!result) return;
    busy.On();
    InsertCustomEntry(core, {result->Headword, result->Explanation, result->CategoryRow});
    ReloadIndexesKeepingSlots(core);
  });
}

void ModifyEntryItemClick(MainCore& core) {
  BusyCursor busy(core.view);
  Guarded([&] {
    const EntriesListModel& list = core.List;
    if (list.Selected < 0 || list.Selected >= list.Count()) return;
    const auto row = static_cast<size_t>(list.Selected);
    const std::string row_text = list.Rows[row];
    const RowRef ref = list.Refs.at(row);
    const HeadwordRecord& record =
        core.state.Dict.Index(ref.direction == Direction::kGreek).Slot(ref.slot);
    const char origin = record.Origin;
    if (origin != 'C' && origin != 'A' && origin != 'L') return;
    const std::string category = record.Category;

    ModifyRequest request;
    request.Headword = row_text;
    if (origin == 'C' && request.Headword.size() >= kUserEntryMark.size() &&
        request.Headword.ends_with(kUserEntryMark)) {
      request.Headword.resize(request.Headword.size() - kUserEntryMark.size());
    }
    request.CategoryRow = CategoryRowOf(core.state.Dict, category);
    if (!ValidateCustomFolder(core) || !core.svc.custom_dialogs) return;
    request.Origin = origin;
    request.Explanation = PrefillExplanation(origin, core.view.DescriptionText(), category);

    EntryDialogSetup setup;
    setup.EditMode = std::string(kEditModeUpdate);
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
      return ModifyRequestStorable(core, typed);
    };
    const auto result = core.svc.custom_dialogs->RunEntryDialog(setup);
    if (!result) return;
    request.Headword = result->Headword;
    request.CategoryRow = result->CategoryRow;
    request.Explanation = result->Explanation;
    busy.On();
    ModifyCustomEntry(core, request);
    ReloadIndexesKeepingSlots(core);
  });
}

void DeleteEntryItemClick(MainCore& core) {
  BusyCursor busy(core.view);
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

int CategoryRowOf(const Dictionary& dict, std::string_view category) {
  if (category.empty() || category == "MULTI") return 0;
  const auto& table = dict.AbbreviationTable;
  for (size_t row = 1; row < table.size(); ++row) {
    if (table[row].Abbreviation == category) return static_cast<int>(row);
  }
  return 0;
}

std::string PrefillExplanation(char origin, std::string_view description,
                               std::string_view category) {
  if (origin == 'C') {
    if (category.empty()) return std::string(description);
    const std::string lowered = CharLowerA(description);
    const size_t at = lowered.find(CharLowerA(category));
    std::string text(description);
    if (at != std::string::npos) text.erase(at, category.size());
    return std::string(TrimLeftBlanks(text));
  }
  if (origin == 'A') {
    const size_t at = description.find(kAdditionLabel);
    if (at == std::string_view::npos) return {};
    std::string_view rest = description.substr(at + kAdditionLabel.size());
    if (rest.starts_with("\r\n")) rest.remove_prefix(2);
    if (rest.ends_with("\r\n")) rest.remove_suffix(2);
    return std::string(rest);
  }
  return {};
}

}  // namespace zelvoran
