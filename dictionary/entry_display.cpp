#include "dictionary/entry_display.h"

#include "app/main_core.h"

namespace zelvoran {

// Placeholder bodies; the entry display replaces them.
std::string ReadExplanation(const FileSystem&, std::string_view, int64_t, int64_t, std::string_view,
                            int64_t, int64_t, std::string_view) {
  return {};
}
void ShowEntry(MainCore&, int) {}
void Entries_ListClick(MainCore& core) {
  core.FocusedControlTag = "ENTRIES_LIST";
}
void Description_TextDblClick(MainCore&, std::string_view) {}

}  // namespace zelvoran
