// SPDX-License-Identifier: GPL-3.0-or-later
// A main core over a fixture dictionary in a fake file system, with the entry box wired to
// its change handler as the window wires it. Shared by the lookup, entry and history tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "dictionary/field_codec.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fixture_data.h"
#include "text/cp1253.h"

namespace zelvoran::testing {

inline std::string W(const std::string& utf8) {
  return Utf8ToCp1253(utf8);
}

// One decoded line of a user's index file by its columns.
inline std::string UserIndexLineText(int anchor, int number, const std::string& headword,
                                     int position, int length, const std::string& category = "") {
  char head[16];
  std::snprintf(head, sizeof head, "%05d%05d", anchor, number);
  std::string hw = headword;
  hw.resize(80, ' ');
  char tail[16];
  std::snprintf(tail, sizeof tail, "%08d%05d", position, length);
  return std::string(head) + hw + tail + category;
}

inline std::string EncodeUserLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += ShiftCodec(l, ShiftDirection::kEncode) + "\r\n";
  return out;
}

// The dictionary used by most lookup tests (UTF-8 here, Windows-1253 once written).
inline dictc::DataSet LookupDataSet() {
  dictc::DataSet d;
  d.Abbreviations = {
      {W("ουσ."), false, W("ουσιαστικό")},
      {W("ιατρ."), true, W("ιατρική")},
      {W("βοτ."), true, W("βοτανική")},
      {W("ζωολ."), true, W("ζωολογία")},
  };
  d.English = {
      Entry("abc", "αβγ"),                             // 1
      Entry("abcd", "αβγδ"),                           // 2
      Entry("abcdef", "αβγδεζ"),                       // 3
      Entry("abd", "αβδ"),                             // 4
      Entry("apple", "μήλο", {"βοτ."}),                // 5
      Entry("apple tree", "μηλιά", {"βοτ."}),          // 6
      Entry("Apple-pie", "μηλόπιτα"),                  // 7
      Entry("cat", "γάτα", {"ζωολ."}),                 // 8
      Entry("catalogue", "κατάλογος"),                 // 9
      Entry("doctor", "γιατρός", {"ιατρ.", "ζωολ."}),  // 10 (MULTI)
      Entry("dog", "σκύλος", {"ζωολ."}),               // 11
      Entry("mail@home", "ταχυδρομείο"),               // 12
      Entry("New York", "Νέα Υόρκη"),                  // 13
      Entry("sofa", "καναπές"),                        // 14
  };
  d.Greek = {
      Entry("άρθρο", "article"),                                 // 1
      Entry("αρθρογράφος", "columnist"),                         // 2
      Entry("άρθρωση", "joint", {"ιατρ."}),                      // 3
      Entry("γάτα", "cat", {"ζωολ."}),                           // 4
      Entry("γιατρός", "doctor, physician", {"ιατρ.", "βοτ."}),  // 5 (MULTI)
      Entry("θεός", "god"),                                      // 6
      Entry("ΘΕΟΣ", "GOD"),                                      // 7
      Entry("μήλο", "apple", {"βοτ."}),                          // 8
      Entry("σοφός", "wise"),                                    // 9
  };
  return d;
}

class CoreFixture : public ::testing::Test {
 protected:
  CoreFixture() : core(Services{fs, folders, info}, state, view) {
    state.ProgramFolder = "C:\\Dict\\";
    state.Paths = CustomPaths::In("C:\\User\\");
    fs.CreateDirectories("C:\\User");
    view.on_entry_change = [this] { Entry_TextChange(core); };
  }

  void Load(const dictc::DataSet& data = LookupDataSet()) {
    WriteData(fs, state.ProgramFolder, data);
    LoadDictionary(fs, state);
    state.CurrentSearchMode = SearchMode::kStart;
  }

  // Typing: the whole text replaced, as a paste or a keystroke leaves it.
  void Type(const std::string& utf8) { view.SetEntryText(W(utf8)); }

  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (const std::string& r : core.List.Texts()) out.push_back(Cp1253ToUtf8(r));
    return out;
  }
  std::string Label() const { return Cp1253ToUtf8(view.label); }
  std::string Description() const { return Cp1253ToUtf8(view.description); }

  FakeFileSystem fs;
  FakeSystemFolders folders;
  FakeSystemInfo info;
  ProgramState state;
  FakeMainView view;
  MainCore core;
};

}  // namespace zelvoran::testing
