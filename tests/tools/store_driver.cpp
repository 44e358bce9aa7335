// SPDX-License-Identifier: GPL-3.0-or-later
// Changes the user's entries from a terminal, for the tests that stop, kill or race real
// processes. Runs from a program folder, as zelvoran-lookup does.
//   zelvoran-store-driver seed                  three entries: zq1, zq2 (English), ψψ3 (Greek)
//   zelvoran-store-driver stop K OP              runs OP, stopping dead before its K-th change
//                                                of a file (OP: move, modify, insert, delete);
//                                                prints "done STEPS" when it was not stopped
//   zelvoran-store-driver cycle N                N changes (0: no end) of inserts, changes,
//                                                moves between the languages and deletions;
//                                                prints "begin STATE" before each and "saved
//                                                STATE" once it is saved
//   zelvoran-store-driver insert PREFIX N        inserts PREFIX1 .. PREFIXN, one change each
// STATE lists the own entries as "headword=explanation" joined by ";", sorted (UTF-8).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/custom_commands.h"
#include "app/entry_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "dictionary/entry_display.h"
#include "platform/linux/posix_file_system.h"
#include "platform/message_boxes.h"
#include "search/lookup_engine.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

// The POSIX file system that stops the process, as a crash would, before a given change.
class StoppingFileSystem final : public FileSystem {
 public:
  int stop_before = 0;  // 1-based number of the change that never happens; 0: none
  int changes = 0;

  char Separator() const override { return fs_.Separator(); }
  std::string CurrentDirectory() const override { return fs_.CurrentDirectory(); }
  bool SetCurrentDirectory(std::string_view p) override { return fs_.SetCurrentDirectory(p); }
  bool FileExists(std::string_view p) const override { return fs_.FileExists(p); }
  bool DirectoryExists(std::string_view p) const override { return fs_.DirectoryExists(p); }
  std::optional<bool> IsReadOnly(std::string_view p) const override { return fs_.IsReadOnly(p); }
  std::optional<FileVersion> Version(std::string_view p) const override { return fs_.Version(p); }
  std::optional<std::string> ReadFile(std::string_view p) const override { return fs_.ReadFile(p); }
  std::optional<std::string> ReadRange(std::string_view p, uint64_t o, uint64_t n) const override {
    return fs_.ReadRange(p, o, n);
  }
  std::optional<uint64_t> FileSize(std::string_view p) const override { return fs_.FileSize(p); }
  bool WriteFile(std::string_view p, std::string_view d) override {
    Change();
    return fs_.WriteFile(p, d);
  }
  bool CreateDirectories(std::string_view p) override { return fs_.CreateDirectories(p); }
  bool RemoveFile(std::string_view p) override {
    Change();
    return fs_.RemoveFile(p);
  }
  bool RenameFile(std::string_view a, std::string_view b) override {
    Change();
    return fs_.RenameFile(a, b);
  }
  std::vector<std::string> ListDirectories(std::string_view p) const override {
    return fs_.ListDirectories(p);
  }
  LockResult LockFile(std::string_view p, std::chrono::milliseconds w) override {
    return fs_.LockFile(p, w);
  }

 private:
  void Change() {
    if (++changes == stop_before) _exit(77);
  }
  PosixFileSystem fs_;
};

class StderrMessages final : public MessageBoxes {
 public:
  void ShowMessage(std::string_view t) override { Say(t); }
  void ShowProblem(std::string_view t) override { Say(t); }
  bool Confirm(std::string_view, std::string_view) override { return true; }
  int shown = 0;

 private:
  void Say(std::string_view t) {
    ++shown;
    std::cerr << "message: " << Cp1253ToUtf8(t) << "\n";
  }
};

struct Driver {
  StoppingFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  StderrMessages boxes;
  testing::FakeMainView view;
  ProgramState state;
  MainCore core{Services{.fs = fs, .folders = folders, .info = info, .messages = &boxes}, state,
                view};

  bool Start() {
    InitProgramFolders(fs, folders, state);
    LoadDictionary(fs, state);
    return state.DataProblem.empty() && !state.Paths.TempIndexPath.empty();
  }

  // The own entries as the display shows them: headword (UTF-8) to explanation.
  std::map<std::string, std::string> Entries() {
    ReloadHeadwordIndexes(fs, state);
    std::map<std::string, std::string> out;
    for (bool greek : {false, true}) {
      const HeadwordIndex& index = state.Dict.Index(greek);
      for (int s = 1; s <= index.Count(); ++s) {
        if (index.Slot(s).Origin != Origin::kOwn) continue;
        Select(greek, s);
        ShowEntry(core, 0);
        out[Cp1253ToUtf8(index.Slot(s).Headword)] = Cp1253ToUtf8(view.description);
      }
    }
    return out;
  }

  void Select(bool greek, int slot) {
    const HeadwordRecord& r = state.Dict.Index(greek).Slot(slot);
    core.List.Clear();
    core.List.Add(r.Headword + (r.Origin == Origin::kOwn ? " *" : ""),
                  RowRef{greek ? Direction::kGreek : Direction::kEnglish, slot});
    core.List.Selected = 0;
  }
  bool SelectOwn(const std::string& headword_utf8) {
    const std::string hw = Utf8ToCp1253(headword_utf8);
    for (bool greek : {false, true}) {
      const HeadwordIndex& index = state.Dict.Index(greek);
      for (int s = 1; s <= index.Count(); ++s) {
        if (index.Slot(s).Origin == Origin::kOwn && index.Slot(s).Headword == hw) {
          Select(greek, s);
          return true;
        }
      }
    }
    return false;
  }

  StoreOutcome Insert(const std::string& hw, const std::string& text) {
    const StoreOutcome o = InsertCustomEntry(core, {Utf8ToCp1253(hw), Utf8ToCp1253(text), -1});
    ReloadHeadwordIndexes(fs, state);
    return o;
  }
  StoreOutcome Modify(const std::string& from, const std::string& hw, const std::string& text) {
    ReloadHeadwordIndexes(fs, state);
    if (!SelectOwn(from)) return StoreOutcome::kFailed;
    const StoreOutcome o =
        ModifyCustomEntry(core, {Utf8ToCp1253(hw), 0, Utf8ToCp1253(text), Origin::kOwn});
    ReloadHeadwordIndexes(fs, state);
    return o;
  }
  StoreOutcome Delete(const std::string& hw) {
    ReloadHeadwordIndexes(fs, state);
    if (!SelectOwn(hw)) return StoreOutcome::kFailed;
    return DeleteCustomEntry(core);
  }
};

std::string StateText(const std::map<std::string, std::string>& entries) {
  std::string out;
  for (const auto& [hw, text] : entries) {
    if (!out.empty()) out += ";";
    out += hw + "=" + text;
  }
  return out.empty() ? "-" : out;
}

std::string Text(const std::string& hw, int version) {
  return "zelmark " + hw + " v" + std::to_string(version);
}

int Fail(const char* what) {
  std::cerr << "zelvoran-store-driver: " << what << "\n";
  return 1;
}

int Cycle(Driver& d, long count) {
  auto entries = d.Entries();
  std::mt19937 rng(
      static_cast<unsigned>(getpid()) ^
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  // New names from a random start, so that runs after one another rarely reuse one.
  int next = static_cast<int>(rng() % 100000) + 100;
  for (long i = 0; count == 0 || i < count; ++i) {
    ++next;
    auto after = entries;
    std::vector<std::string> names;
    for (const auto& [hw, text] : entries) names.push_back(hw);
    const int choice = static_cast<int>(rng() % 4);
    StoreOutcome o;
    auto begin = [&] { std::cout << "begin " << StateText(after) << std::endl; };
    if (names.size() < 3 || (choice == 0 && names.size() < 6)) {
      const std::string hw = (rng() % 2 ? "zq" : "ψψ") + std::to_string(next);
      after[hw] = Text(hw, next);
      begin();
      o = d.Insert(hw, after[hw]);
    } else {
      const std::string& pick = names[rng() % names.size()];
      after.erase(pick);
      if (choice == 1) {
        after[pick] = Text(pick, next);
        begin();
        o = d.Modify(pick, pick, after[pick]);
      } else if (choice == 2) {
        // To the other language under a new name.
        const bool greek = pick.rfind("zq", 0) != 0;
        const std::string hw = (greek ? "zq" : "ψψ") + std::to_string(next);
        after[hw] = Text(hw, next);
        begin();
        o = d.Modify(pick, hw, after[hw]);
      } else {
        begin();
        o = d.Delete(pick);
      }
    }
    if (o != StoreOutcome::kSaved) return Fail("a change was not saved");
    entries = std::move(after);
    std::cout << "saved " << StateText(entries) << std::endl;
  }
  return 0;
}

int Run(const std::vector<std::string>& args) {
  Driver d;
  if (args.empty()) return Fail("no command");
  if (args[0] == "stop" && args.size() == 3) d.fs.stop_before = std::atoi(args[1].c_str());
  if (!d.Start()) return Fail("no dictionary or no folder for the user's entries");
  if (args[0] == "seed") {
    if (d.Insert("zq1", Text("zq1", 1)) != StoreOutcome::kSaved ||
        d.Insert("zq2", Text("zq2", 1)) != StoreOutcome::kSaved ||
        d.Insert("ψψ3", Text("ψψ3", 1)) != StoreOutcome::kSaved) {
      return Fail("seeding failed");
    }
    std::cout << StateText(d.Entries()) << "\n";
    return 0;
  }
  if (args[0] == "state") {
    std::cout << StateText(d.Entries()) << "\n";
    return 0;
  }
  if (args[0] == "stop" && args.size() == 3) {
    const std::string& op = args[2];
    d.fs.changes = 0;
    StoreOutcome o = StoreOutcome::kFailed;
    if (op == "move") o = d.Modify("zq1", "ψψ1", Text("ψψ1", 2));
    if (op == "move-back") o = d.Modify("ψψ3", "zq3", Text("zq3", 2));
    if (op == "modify") o = d.Modify("zq2", "zq2", Text("zq2", 2));
    if (op == "insert") o = d.Insert("zq4", Text("zq4", 1));
    if (op == "delete") o = d.Delete("zq2");
    if (o != StoreOutcome::kSaved) return Fail("the change was not saved");
    std::cout << "done " << d.fs.changes << "\n";
    return 0;
  }
  if (args[0] == "cycle" && args.size() == 2) return Cycle(d, std::atol(args[1].c_str()));
  if (args[0] == "insert" && args.size() == 3) {
    const int n = std::atoi(args[2].c_str());
    int64_t slowest_ms = 0;
    for (int i = 1; i <= n; ++i) {
      const std::string hw = args[1] + std::to_string(i);
      const auto t0 = std::chrono::steady_clock::now();
      if (d.Insert(hw, Text(hw, 1)) != StoreOutcome::kSaved) return Fail("an insert failed");
      const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - t0)
                          .count();
      slowest_ms = std::max<int64_t>(slowest_ms, ms);
    }
    std::cout << "inserted " << n << " slowest " << slowest_ms << " ms\n";
    return 0;
  }
  return Fail("unknown command");
}

}  // namespace
}  // namespace zelvoran

int main(int argc, char** argv) {
  return zelvoran::Run(std::vector<std::string>(argv + 1, argv + argc));
}
