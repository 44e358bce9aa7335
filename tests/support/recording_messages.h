// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes that record what they were asked to show (Windows-1253 text as given) and
// answer every question with `answer`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/message_boxes.h"

namespace zelvoran::testing {

class RecordingMessages final : public MessageBoxes {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> problems;
  std::vector<std::string> questions;
  bool answer = false;
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void ShowProblem(std::string_view text) override { problems.emplace_back(text); }
  bool Confirm(std::string_view text, std::string_view) override {
    questions.emplace_back(text);
    return answer;
  }
};

}  // namespace zelvoran::testing
