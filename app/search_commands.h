// SPDX-License-Identifier: GPL-3.0-or-later
// The search commands on the main window: the search dialog, the listing of the user's
// entries, the abbreviations table and the search through the explanations.
#pragma once

#include <string_view>
#include <vector>

#include "dictionary/domain.h"
#include "search/explanation_search.h"
#include "search/search_commands.h"

namespace zelvoran {

struct MainCore;
struct ProgramState;
class FileSystem;

void Search_ButtonClick(MainCore& core);
void CustomEntriesItemClick(MainCore& core);
void ShortCuts_ButtonClick(MainCore& core);

// DescrSearch_Button: asks for the word, then lists the headwords whose explanation holds it.
void DescrSearch_ButtonClick(MainCore& core);

// The explanation search over the program's data and the user's committed texts (even while
// a replacement waits for a folder that can be written).
std::vector<ExplanationHit> SearchExplanations(const FileSystem& fs, const ProgramState& state,
                                               ExplanationCache& cache, Direction direction,
                                               std::string_view needle);

}  // namespace zelvoran
