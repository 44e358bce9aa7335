#include "search/lookup_engine.h"

#include "app/main_core.h"

namespace zelvoran {

// Placeholder bodies; the lookup engine replaces them.
void RunLookup(MainCore&, std::string_view, int32_t, std::string_view, bool) {}
bool IsGreekText(std::string_view) {
  return false;
}
void SetDirection(MainCore& core, bool greek) {
  core.CurrentDirection = greek ? kDirectionGreek : kDirectionEnglish;
  core.view.SetLangPicture(greek);
  ActivateDirectionLayout(core);
}
void DirectionFromEntryText(MainCore&) {}
void ClearEntryDisplay(MainCore&) {}
bool EntryInCategory(const Dictionary&, int32_t, std::string_view, std::string_view) {
  return false;
}

}  // namespace zelvoran
