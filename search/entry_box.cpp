#include "search/entry_box.h"

#include "app/main_core.h"

namespace zelvoran {

// Placeholder bodies; the lookup engine replaces them.
void Entry_TextChange(MainCore&) {}
void Entry_TextKeyDown(MainCore&, ListKey) {}
void Fill_List_ButtonClick(MainCore&) {}

}  // namespace zelvoran
