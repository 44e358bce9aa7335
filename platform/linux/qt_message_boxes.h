// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes with QMessageBox, over the active window.
#pragma once

#include "platform/message_boxes.h"

namespace zelvoran {

class QtMessageBoxes final : public MessageBoxes {
 public:
  void ShowMessage(std::string_view text) override;
  void ShowProblem(std::string_view text) override;
  bool Confirm(std::string_view text, std::string_view caption) override;
};

}  // namespace zelvoran
