// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes the core shows, one platform service among the others.
#pragma once

#include <string_view>

namespace zelvoran {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A plain message box with an OK button (validation messages).
  virtual void ShowMessage(std::string_view text) = 0;
  // Captioned "Πρόβλημα", exclamation icon, OK button.
  virtual void ShowProblem(std::string_view text) = 0;
  // Yes and No buttons; true for Yes.
  virtual bool Confirm(std::string_view text, std::string_view caption) = 0;
};

}  // namespace zelvoran
