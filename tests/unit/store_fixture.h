// SPDX-License-Identifier: GPL-3.0-or-later
// A core over fakes with a small dictionary and a folder for the user's entries, shared by the
// store's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/main_core.h"
#include "app/program_state.h"
#include "app/startup.h"
#include "custom/custom_dialogs.h"
#include "dictionary/field_codec.h"
#include "platform/message_boxes.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fixture_data.h"
#include "text/cp1253.h"

namespace zelvoran::testing {

inline std::string W(const std::string& utf8) {
  return Utf8ToCp1253(utf8);
}

class FakeMessageBoxes final : public MessageBoxes {
 public:
  std::vector<std::string> messages;  // UTF-8, in the order shown
  std::vector<std::string> problems;
  std::vector<std::string> questions;
  bool answer = true;
  void ShowMessage(std::string_view text) override { messages.push_back(Cp1253ToUtf8(text)); }
  void ShowProblem(std::string_view text) override { problems.push_back(Cp1253ToUtf8(text)); }
  bool Confirm(std::string_view text, std::string_view caption) override {
    questions.push_back(Cp1253ToUtf8(text) + " | " + Cp1253ToUtf8(caption));
    return answer;
  }
};

class FakeCustomDialogs final : public CustomDialogs {
 public:
  std::vector<EntryDialogSetup> entry_setups;
  std::deque<std::optional<EntryDialogResult>> entry_answers;  // nullopt: Cancel
  std::vector<std::string> folder_reasons;
  std::deque<std::optional<std::string>> folder_answers;
  std::function<void()> during_folder_dialog;

  std::optional<EntryDialogResult> RunEntryDialog(const EntryDialogSetup& setup) override {
    entry_setups.push_back(setup);
    if (entry_answers.empty()) return std::nullopt;
    auto a = entry_answers.front();
    entry_answers.pop_front();
    return a;
  }
  std::optional<std::string> RunFolderDialog(std::string_view reason) override {
    folder_reasons.emplace_back(reason);
    if (during_folder_dialog) during_folder_dialog();
    if (folder_answers.empty()) return std::nullopt;
    auto a = folder_answers.front();
    folder_answers.pop_front();
    return a;
  }
};

// A decoded user's index line by its columns.
inline std::string UserLine(int anchor, int number, const std::string& headword, int position,
                            int length, const std::string& category = "") {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%05d%05d", anchor, number);
  std::string hw = headword;
  hw.resize(80, ' ');
  std::string line = buf + hw;
  std::snprintf(buf, sizeof buf, "%08d%05d", position, length);
  return line + buf + category;
}

inline std::string EncodeLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += ShiftCodec(l, ShiftDirection::kEncode) + "\r\n";
  return out;
}

inline std::vector<std::string> DecodeLines(const std::string& file) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < file.size()) {
    size_t end = file.find("\r\n", start);
    if (end == std::string::npos) end = file.size();
    out.push_back(ShiftCodec(file.substr(start, end - start), ShiftDirection::kDecode));
    start = end + 2;
  }
  return out;
}

class StoreTest : public ::testing::Test {
 protected:
  static constexpr const char* kFolder = "D:\\Mine";
  static constexpr const char* kEnIndex = "D:\\Mine\\ZelvoranIC.tbo";
  static constexpr const char* kEnTexts = "D:\\Mine\\ZelvoranC.tbo";
  static constexpr const char* kGrIndex = "D:\\Mine\\ZelvoranHIC.tbo";
  static constexpr const char* kGrTexts = "D:\\Mine\\ZelvoranHC.tbo";

  StoreTest()
      : core(Services{.fs = fs,
                      .folders = folders,
                      .info = info,
                      .messages = &boxes,
                      .custom_dialogs = &dialogs},
             state, view) {
    state.ProgramFolder = "C:\\Dict\\";
    data = SmallDataSet();
    fs.CreateDirectories(kFolder);
    state.Paths = CustomPaths::In(std::string(kFolder) + "\\");
  }

  void Load() {
    WriteData(fs, state.ProgramFolder, data);
    LoadDictionary(fs, state);
  }
  void Reload() { ReloadHeadwordIndexes(fs, state); }

  // A dictionary of `n` English entries w001, w002, ... (entry number = line number).
  void Numbered(int n) {
    data.English.clear();
    for (int i = 1; i <= n; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "w%03d", i);
      data.English.push_back(Entry(name, std::string("text ") + name));
    }
  }

  // The English index as "headword" or "headword*" (own entries) per slot.
  std::vector<std::string> English() const { return Headwords(state.Dict.EnglishIndex); }
  std::vector<std::string> Greek() const { return Headwords(state.Dict.GreekIndex); }
  static std::vector<std::string> Headwords(const HeadwordIndex& index) {
    std::vector<std::string> out;
    for (int i = 1; i <= index.Count(); ++i) {
      const HeadwordRecord& r = index.Slot(i);
      out.push_back(Cp1253ToUtf8(r.Headword) + (r.Origin == Origin::kOwn ? "*" : "") +
                    (r.Origin == Origin::kAddition ? "+" : ""));
    }
    return out;
  }
  int SlotOf(bool greek, const std::string& headword_utf8) const {
    const HeadwordIndex& index = state.Dict.Index(greek);
    for (int i = 1; i <= index.Count(); ++i) {
      if (index.Slot(i).Headword == W(headword_utf8)) return i;
    }
    return 0;
  }
  // Puts a row of the list on an entry and selects it, as a lookup and a click would.
  void SelectEntry(bool greek, const std::string& headword_utf8) {
    const int slot = SlotOf(greek, headword_utf8);
    ASSERT_NE(slot, 0) << headword_utf8;
    const HeadwordRecord& r = state.Dict.Index(greek).Slot(slot);
    core.List.Clear();
    core.List.Add(r.Headword + (r.Origin == Origin::kOwn ? " *" : ""),
                  RowRef{greek ? Direction::kGreek : Direction::kEnglish, slot});
    core.List.Selected = 0;
  }
  std::string File(const char* path) const {
    auto d = fs.ReadFile(path);
    return d ? *d : std::string();
  }

  FakeFileSystem fs;
  FakeSystemFolders folders;
  FakeSystemInfo info;
  FakeMainView view;
  FakeMessageBoxes boxes;
  FakeCustomDialogs dialogs;
  ProgramState state;
  MainCore core;
  dictc::DataSet data;
};

}  // namespace zelvoran::testing
