// The main window's state that is not a widget, with the services and the view the core's
// routines work through. TMainLex owns one; tests build one over fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/main_view.h"
#include "app/program_state.h"

namespace zelvoran {

class FileSystem;
class SystemFolders;
class SystemInfo;
class KeyboardLayouts;
class MessageBoxes;
class CustomDialogs;
class SlotRemap;

// The platform services, injected. The optional ones may be missing in tests that do not
// need them.
struct Services {
  FileSystem& fs;
  SystemFolders& folders;
  SystemInfo& info;
  KeyboardLayouts* keyboard = nullptr;
  MessageBoxes* messages = nullptr;
  // The entry dialog and the folder dialog of the user's entries (custom/custom_dialogs.h).
  CustomDialogs* custom_dialogs = nullptr;
};

// Entries_List's rows with the parallel RowIndexList (slot numbers) and the selection.
struct EntriesListModel {
  std::vector<std::string> Rows;
  std::vector<int32_t> RowIndexList;
  int Selected = -1;

  int Count() const { return static_cast<int>(Rows.size()); }
  void Clear() {
    Rows.clear();
    RowIndexList.clear();
    Selected = -1;
  }
  void Add(std::string text, int32_t slot) {
    Rows.push_back(std::move(text));
    RowIndexList.push_back(slot);
  }
};

inline constexpr uint8_t kDirectionEnglish = 0;
inline constexpr uint8_t kDirectionGreek = 1;

struct MainCore {
  MainCore(Services services, ProgramState& program_state, MainView& main_view)
      : svc(services), state(program_state), view(main_view) {}

  Services svc;
  ProgramState& state;
  MainView& view;

  EntriesListModel List;
  uint8_t CurrentDirection = kDirectionEnglish;
  std::string FocusedControlTag;
  std::string LastShownHeadword;
  int32_t LastShownIndex = 0;
  bool SuppressEntryChange = false;
  bool CopyInProgress = false;
  bool QuickTranslationOn = false;
  LayoutHandles Layouts;
  // Called after the headword indexes were rebuilt with the map from old to new slots, so
  // other holders of slot numbers (the history) can follow their entries.
  std::function<void(const SlotRemap&)> OnSlotsRemapped;
};

}  // namespace zelvoran
