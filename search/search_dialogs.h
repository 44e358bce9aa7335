// SPDX-License-Identifier: GPL-3.0-or-later
// The search windows the core asks the window for: the word of the explanation search, the
// criteria dialog and the abbreviations table.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvoran {

// What the criteria dialog returns on OK: the three texts exactly as typed and the chosen
// position in the subject-field combo (0: none).
struct SearchFormResult {
  std::string StartText;
  std::string ContainText;
  std::string EndText;
  int CategoryIndex = 0;
};

class SearchDialogs {
 public:
  virtual ~SearchDialogs() = default;
  // TMessageForm: the word typed, or nullopt when cancelled.
  virtual std::optional<std::string> RunMessageForm() = 0;
  // TSearchForm with the subject fields' meanings (item 0, the empty one, included).
  virtual std::optional<SearchFormResult> RunSearchForm(const std::vector<std::string>& fields) = 0;
  // TShortCutsForm with (abbreviation, meaning) rows.
  virtual void RunShortCutsForm(const std::vector<std::pair<std::string, std::string>>& rows) = 0;
};

}  // namespace zelvoran
