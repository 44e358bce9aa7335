// SPDX-License-Identifier: GPL-3.0-or-later
// Every file operation of a rewrite made to fail in turn, and a crash after every step: the
// store must then hold exactly the old or exactly the new entries, and say which.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "app/custom_commands.h"
#include "app/entry_presenter.h"
#include "custom/custom_store.h"
#include "custom/store_commit.h"
#include "dictionary/entry_display.h"
#include "tests/unit/store_fixture.h"

namespace zelvoran {
namespace {

using testing::EncodeLines;
using testing::UserLine;
using testing::W;

class StoreFaultTest : public testing::StoreTest,
                       public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    Load();
    auto enc = [](const char* t) { return ShiftCodec(t, ShiftDirection::kEncode); };
    fs.Put(kEnIndex, EncodeLines({UserLine(3, 7, "cb", 1, 3), UserLine(6, 8, "dz", 4, 2)}));
    fs.Put(kEnTexts, enc("one") + enc("tw"));
    fs.Put(kGrIndex, EncodeLines({UserLine(2, 9, W("γκρι"), 1, 4)}));
    fs.Put(kGrTexts, enc("grey"));
    Reload();
  }

  StoreOutcome Run(const std::string& op) {
    if (op == "insert") return InsertCustomEntry(core, {"catz", "new text", 2});
    if (op == "delete") {
      SelectEntry(false, "dz");
      return DeleteCustomEntry(core);
    }
    if (op == "modify-own") {
      SelectEntry(false, "cb");
      return ModifyCustomEntry(core, {"apricot", 0, "changed", Origin::kOwn});
    }
    if (op == "move-to-greek") {
      SelectEntry(false, "cb");
      return ModifyCustomEntry(core, {W("δέντρο"), 0, "tree", Origin::kOwn});
    }
    if (op == "move-to-english") {
      SelectEntry(true, "γκρι");
      return ModifyCustomEntry(core, {"grey", 0, W("γκρίζο"), Origin::kOwn});
    }
    SelectEntry(false, "apple");
    return ModifyCustomEntry(core, {"apple", 0, "my note", Origin::kDictionary});
  }

  // The store files as they stand (absent files omitted).
  std::map<std::string, std::string> Store() const {
    std::map<std::string, std::string> out;
    for (const char* p : {kEnIndex, kEnTexts, kGrIndex, kGrTexts}) {
      if (auto d = fs.ReadFile(p)) out[p] = *d;
    }
    return out;
  }
  // Both indexes as loaded, with each own entry's explanation as the display reads it.
  std::vector<std::string> Loaded() {
    Reload();
    std::vector<std::string> out;
    for (bool greek : {false, true}) {
      const HeadwordIndex& index = state.Dict.Index(greek);
      for (int i = 1; i <= index.Count(); ++i) {
        const HeadwordRecord& r = index.Slot(i);
        std::string row = Cp1253ToUtf8(r.Headword);
        if (r.Origin == Origin::kOwn) {
          core.List.Clear();
          core.List.Add(r.Headword + " *",
                        RowRef{greek ? Direction::kGreek : Direction::kEnglish, i});
          ShowEntry(core, 0);
          row += "* " + Cp1253ToUtf8(view.description);
        }
        out.push_back(row + (r.Origin == Origin::kAddition ? "+" : ""));
      }
    }
    return out;
  }
  void ExpectNoLeftovers() const {
    for (const char* name :
         {"tempi.tbo", "templex.tbo", "tempi2.tbo", "templex2.tbo", "tempmark.tbo"}) {
      EXPECT_FALSE(fs.FileExists(std::string("D:\\Mine\\") + name)) << name;
    }
  }
};

TEST_P(StoreFaultTest, EveryFailureAndCrashLeavesOldOrNewPair) {
  const std::string op = GetParam();
  const auto old_store = Store();
  const auto old_index = Loaded();
  // A clean run gives the new pair and the number of changing file operations.
  const auto saved_files = fs.Files();
  fs.changes = 0;
  ASSERT_EQ(Run(op), StoreOutcome::kSaved);
  const int steps = fs.changes;
  const auto new_store = Store();
  const auto new_index = Loaded();
  ASSERT_NE(new_store, old_store);
  ASSERT_GE(steps, 5);

  auto restore = [&] {
    fs.crash_after = -1;
    fs.fail_if = nullptr;
    const auto current = fs.Files();
    for (const auto& [k, v] : current) {
      if (!saved_files.count(k)) fs.RemoveFile(k);
    }
    for (const auto& [k, v] : saved_files) fs.Put(k, v);
    Reload();
    boxes.problems.clear();
  };
  for (int mode = 0; mode < 2; ++mode) {
    for (int k = 0; k < steps; ++k) {
      restore();
      fs.changes = 0;
      int seen = 0;  // outlives the run that calls fail_if
      if (mode == 0) {
        fs.crash_after = k;  // the machine stops after k changes
      } else {
        // Only the k-th change fails, every other one works.
        fs.fail_if = [&seen, k](const std::string&, const std::string&) { return seen++ == k; };
      }
      const StoreOutcome outcome = Run(op);
      const bool told = !boxes.problems.empty();
      // Start-up after the crash or failure settles the folder.
      fs.crash_after = -1;
      fs.fail_if = nullptr;
      const RecoveryResult recovered = RecoverCustomStore(fs, state.Paths);
      EXPECT_NE(recovered, RecoveryResult::kUnsettled);
      const auto store = Store();
      SCOPED_TRACE(op + (mode == 0 ? " crash after " : " failure of change ") + std::to_string(k));
      EXPECT_TRUE(store == old_store || store == new_store);
      ExpectNoLeftovers();
      const auto loaded = Loaded();
      EXPECT_TRUE(loaded == old_index || loaded == new_index);
      if (outcome == StoreOutcome::kSaved) {
        EXPECT_EQ(store, new_store);
        EXPECT_FALSE(told);
      } else {
        EXPECT_TRUE(told);  // a failure is never reported as success
      }
      if (mode == 1 && outcome == StoreOutcome::kFailed && store == new_store) {
        // Only a committed rewrite whose rename failed may come out new after a failure.
        EXPECT_EQ(boxes.problems.back().find("δεν αποθηκεύτηκε"), std::string::npos);
      }
    }
  }
}

// A crash at every step of the rewrite, then a second crash at every step of the recovery
// that the next start runs, then a whole recovery: still exactly the old or the new files. A
// reader that may not write sees the same state before any recovery.
TEST_P(StoreFaultTest, CrashDuringRecoveryLeavesOldOrNewPair) {
  const std::string op = GetParam();
  const auto saved_files = fs.Files();
  const auto old_store = Store();
  const auto old_index = Loaded();
  fs.changes = 0;
  ASSERT_EQ(Run(op), StoreOutcome::kSaved);
  const int steps = fs.changes;
  const auto new_store = Store();
  const auto new_index = Loaded();
  auto restore = [&] {
    fs.crash_after = -1;
    for (const auto& [k, v] : fs.Files()) {
      if (!saved_files.count(k)) fs.RemoveFile(k);
    }
    for (const auto& [k, v] : saved_files) fs.Put(k, v);
    Reload();
  };
  for (int k = 0; k < steps; ++k) {
    for (int j = 0;; ++j) {
      restore();
      fs.changes = 0;
      fs.crash_after = k;
      Run(op);
      fs.crash_after = -1;
      SCOPED_TRACE(op + " crash after " + std::to_string(k) + ", recovery crash after " +
                   std::to_string(j));
      // What a reader in a read-only folder sees of the interrupted state.
      fs.SetReadOnlyFolder(kFolder, true);
      RecoverCustomStore(fs, state.Paths);
      const auto read_only = Loaded();
      EXPECT_TRUE(read_only == old_index || read_only == new_index);
      fs.SetReadOnlyFolder(kFolder, false);
      fs.changes = 0;
      fs.crash_after = j;
      RecoverCustomStore(fs, state.Paths);
      const bool recovery_finished = fs.changes < j;
      fs.crash_after = -1;
      const auto between = Loaded();  // a reader after the second crash
      EXPECT_TRUE(between == old_index || between == new_index);
      EXPECT_EQ(between, read_only);
      EXPECT_NE(RecoverCustomStore(fs, state.Paths), RecoveryResult::kUnsettled);
      const auto store = Store();
      EXPECT_TRUE(store == old_store || store == new_store);
      EXPECT_EQ(Loaded(), between);
      ExpectNoLeftovers();
      if (recovery_finished) break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, StoreFaultTest,
                         ::testing::Values("insert", "delete", "modify-own", "modify-addition",
                                           "move-to-greek", "move-to-english"),
                         [](const auto& param_info) {
                           std::string n = param_info.param;
                           for (char& c : n) {
                             if (c == '-') c = '_';
                           }
                           return n;
                         });

class StoreRecoveryTest : public testing::StoreTest {
 protected:
  void Put(const char* name, const std::string& content) {
    fs.Put(std::string("D:\\Mine\\") + name, content);
  }
  bool Has(const char* name) const { return fs.FileExists(std::string("D:\\Mine\\") + name); }
  // Writes a committed rewrite of the English pair without replacing anything yet.
  void Commit(const std::string& index, const std::string& texts) {
    fs.changes = 0;
    fs.crash_after = 3;  // both new files and the marker, then the machine stops
    CommitStorePair(fs, state.Paths, false, {index, texts});
    fs.crash_after = -1;
  }
};

TEST_F(StoreRecoveryTest, CommittedRewriteIsCompleted) {
  Put("ZelvoranIC.tbo", "old index");
  Put("ZelvoranC.tbo", "old texts");
  Commit("new index", "new texts");
  ASSERT_TRUE(Has("tempmark.tbo"));
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledForward);
  EXPECT_EQ(File(kEnIndex), "new index");
  EXPECT_EQ(File(kEnTexts), "new texts");
  EXPECT_FALSE(Has("tempmark.tbo"));
}

TEST_F(StoreRecoveryTest, HalfRenamedRewriteIsCompleted) {
  Put("ZelvoranIC.tbo", "old index");
  Put("ZelvoranC.tbo", "old texts");
  fs.changes = 0;
  fs.crash_after = 4;  // the index file is in place, the text file not yet
  CommitStorePair(fs, state.Paths, false, {"new index", "new texts"});
  fs.crash_after = -1;
  ASSERT_EQ(File(kEnIndex), "new index");
  ASSERT_EQ(File(kEnTexts), "old texts");
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledForward);
  EXPECT_EQ(File(kEnTexts), "new texts");
}

TEST_F(StoreRecoveryTest, IncompleteMarkerRollsBack) {
  Put("ZelvoranIC.tbo", "old index");
  Put("tempi.tbo", "new index");
  Put("templex.tbo", "new texts");
  Put("tempmark.tbo", "ZelvoranStore 1\r\nE\r\n9 ");  // cut short by a crash
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledBack);
  EXPECT_EQ(File(kEnIndex), "old index");
  EXPECT_FALSE(Has("tempi.tbo") || Has("templex.tbo") || Has("tempmark.tbo"));
}

TEST_F(StoreRecoveryTest, NewFilesThatDoNotMatchTheMarkerAreDiscarded) {
  Put("ZelvoranIC.tbo", "old index");
  Commit("new index", "new texts");
  Put("templex.tbo", "new text");  // not what was committed
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledBack);
  EXPECT_EQ(File(kEnIndex), "old index");
}

TEST_F(StoreRecoveryTest, LeftoversWithoutMarkerAreRemoved) {
  Put("ZelvoranIC.tbo", "old index");
  Put("tempi.tbo", "partial");
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kClean);
  EXPECT_FALSE(Has("tempi.tbo"));
  EXPECT_EQ(File(kEnIndex), "old index");
}

TEST_F(StoreRecoveryTest, GreekMarkerCompletesTheGreekPair) {
  fs.changes = 0;
  fs.crash_after = 3;
  CommitStorePair(fs, state.Paths, true, {"gi", "gt"});
  fs.crash_after = -1;
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledForward);
  EXPECT_EQ(File(kGrIndex), "gi");
  EXPECT_EQ(File(kGrTexts), "gt");
  EXPECT_FALSE(Has("ZelvoranIC.tbo"));
}

TEST_F(StoreRecoveryTest, OperationIsRefusedWhileAnEarlierOneCannotBeCompleted) {
  Load();
  Commit("new index", "new texts");
  fs.fail_if = [](const std::string& op, const std::string&) { return op == "rename"; };
  EXPECT_EQ(InsertCustomEntry(core, {"cb", "x", -1}), StoreOutcome::kFailed);
  ASSERT_EQ(boxes.problems.size(), 1u);
  EXPECT_NE(boxes.problems[0].find("προηγούμενη"), std::string::npos);
  EXPECT_TRUE(Has("tempmark.tbo"));
}

TEST_F(StoreRecoveryTest, PairMarkerOfEarlierStoresIsCompleted) {
  // The one-pair marker that stores written before the two-pair commit may hold.
  Put("ZelvoranHIC.tbo", "old index");
  Put("ZelvoranHC.tbo", "old texts");
  Put("tempi.tbo", "new index");
  Put("templex.tbo", "new texts");
  Put("tempmark.tbo",
      "ZelvoranStore 1\r\nG\r\n9 d3c13b7ba2a81e8d\r\n9 d3c13b7ba2a81e8d\r\nend\r\n");
  // A stamp that does not match discards the rewrite...
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledBack);
  EXPECT_EQ(File(kGrIndex), "old index");
  // ...and the right one completes it.
  Put("tempi.tbo", "new index");
  Put("templex.tbo", "new texts");
  fs.changes = 0;
  fs.crash_after = 3;
  CommitStorePair(fs, state.Paths, true, {"new index", "new texts"});
  fs.crash_after = -1;
  const std::string current = File("D:\\Mine\\tempmark.tbo");
  ASSERT_EQ(current.rfind("ZelvoranStore 2\r\n", 0), 0u);
  // The same stamps written the old way.
  const auto stamp = [&](int line) {
    size_t at = 0;
    for (int i = 0; i < line; ++i) at = current.find("\r\n", at) + 2;
    const std::string l = current.substr(at, current.find("\r\n", at) - at);
    return l.substr(l.find(' ', l.find(' ') + 1) + 1);
  };
  Put("tempmark.tbo", "ZelvoranStore 1\r\nG\r\n" + stamp(1) + "\r\n" + stamp(2) + "\r\nend\r\n");
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledForward);
  EXPECT_EQ(File(kGrIndex), "new index");
  EXPECT_EQ(File(kGrTexts), "new texts");
  EXPECT_FALSE(Has("tempmark.tbo"));
}

TEST_F(StoreRecoveryTest, MarkerNamingOtherFilesIsNotFollowed) {
  Put("ZelvoranIC.tbo", "old index");
  Put("tempi.tbo", "x");
  Put("templex.tbo", "y");
  for (const char* bad : {"ZelvoranStore 2\r\ntempi.tbo ..\\evil 1 af63ac4c86019afc\r\n"
                          "templex.tbo ZelvoranC.tbo 1 af63af4c8601a013\r\nend\r\n",
                          "ZelvoranStore 2\r\ntempi.tbo ZelvoranIC.tbo 1 af63ac4c86019afc\r\n"
                          "templex.tbo ZelvoranIC.tbo 1 af63af4c8601a013\r\nend\r\n",
                          "ZelvoranStore 2\r\nSettings.ini ZelvoranIC.tbo 1 af63ac4c86019afc\r\n"
                          "templex.tbo ZelvoranC.tbo 1 af63af4c8601a013\r\nend\r\n"}) {
    Put("tempmark.tbo", bad);
    EXPECT_EQ(CommittedStorePaths(fs, state.Paths), state.Paths);
  }
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kRolledBack);
  EXPECT_EQ(File(kEnIndex), "old index");
  EXPECT_FALSE(Has("tempi.tbo") || Has("templex.tbo") || Has("tempmark.tbo"));
}

TEST_F(StoreRecoveryTest, BothPairsAreReplacedInOneCommit) {
  Put("ZelvoranIC.tbo", "old en index");
  Put("ZelvoranC.tbo", "old en texts");
  Put("ZelvoranHIC.tbo", "old gr index");
  Put("ZelvoranHC.tbo", "old gr texts");
  const std::map<std::string, std::string> after = {{kEnIndex, "en index"},
                                                    {kEnTexts, "en texts"},
                                                    {kGrIndex, "gr index"},
                                                    {kGrTexts, "gr texts"}};
  // Four new files, the marker, then four renames: stop after each and read without writing.
  for (int k = 0; k <= 9; ++k) {
    Put("ZelvoranIC.tbo", "old en index");
    Put("ZelvoranC.tbo", "old en texts");
    Put("ZelvoranHIC.tbo", "old gr index");
    Put("ZelvoranHC.tbo", "old gr texts");
    fs.changes = 0;
    fs.crash_after = k;
    const CommitResult r = CommitStoreFiles(
        fs, state.Paths, {{true, {"gr index", "gr texts"}}, {false, {"en index", "en texts"}}});
    fs.crash_after = -1;
    SCOPED_TRACE(k);
    const CustomPaths seen = CommittedStorePaths(fs, state.Paths);
    const bool is_new = File(seen.CustomEnglishIndexPath.c_str()) == "en index";
    for (const auto& [path, text] : after) {
      const std::string& p = path == std::string(kEnIndex)   ? seen.CustomEnglishIndexPath
                             : path == std::string(kEnTexts) ? seen.CustomEnglishTextsPath
                             : path == std::string(kGrIndex) ? seen.CustomGreekIndexPath
                                                             : seen.CustomGreekTextsPath;
      EXPECT_EQ(File(p.c_str()), is_new ? text : "old " + text);
    }
    EXPECT_EQ(is_new, k >= 5);  // committed once the marker is written
    EXPECT_EQ(r == CommitResult::kSaved, k == 9);
    RecoverCustomStore(fs, state.Paths);
    for (const auto& [path, text] : after) {
      EXPECT_EQ(File(path.c_str()), is_new ? text : "old " + text);
    }
  }
}

TEST_F(StoreRecoveryTest, BusyStoreIsNotChanged) {
  Load();
  const LockResult other = fs.LockFile("D:\\Mine\\Zelvoran.lck", std::chrono::milliseconds(0));
  ASSERT_EQ(other.status, LockStatus::kHeld);
  EXPECT_EQ(InsertCustomEntry(core, {"cb", "x", -1}), StoreOutcome::kFailed);
  ASSERT_EQ(boxes.problems.size(), 1u);
  EXPECT_NE(boxes.problems[0].find("άλλο πρόγραμμα"), std::string::npos);
  EXPECT_FALSE(Has("ZelvoranIC.tbo"));
  // The wait is bounded: seconds, not forever.
  const auto wait = fs.lock_requests.back().second;
  EXPECT_GE(wait, std::chrono::seconds(1));
  EXPECT_LE(wait, std::chrono::seconds(10));
}

TEST_F(StoreRecoveryTest, LockIsHeldForTheRewriteAndReleasedAfter) {
  Load();
  bool held_during_commit = false;
  fs.fail_if = [&](const std::string& op, const std::string&) {
    if (op == "write") held_during_commit = fs.LockHeld("D:\\Mine\\Zelvoran.lck");
    return false;
  };
  EXPECT_EQ(InsertCustomEntry(core, {"cb", "x", -1}), StoreOutcome::kSaved);
  fs.fail_if = nullptr;
  EXPECT_TRUE(held_during_commit);
  EXPECT_FALSE(fs.LockHeld("D:\\Mine\\Zelvoran.lck"));
}

TEST_F(StoreRecoveryTest, OperationRereadsWhatAnotherCopySaved) {
  Load();
  // Another copy of the program saves an entry after this one loaded the files.
  fs.Put(kEnIndex, EncodeLines({UserLine(3, 7, "cb", 1, 3)}));
  fs.Put(kEnTexts, ShiftCodec("one", ShiftDirection::kEncode));
  EXPECT_EQ(InsertCustomEntry(core, {"ca", "two", -1}), StoreOutcome::kSaved);
  const auto lines = testing::DecodeLines(File(kEnIndex));
  ASSERT_EQ(lines.size(), 2u);
  // Both are kept, and the new one takes a number the other's does not collide with.
  EXPECT_NE(lines[0].substr(5, 5), lines[1].substr(5, 5));
  Reload();
  EXPECT_NE(SlotOf(false, "cb"), 0);
  EXPECT_NE(SlotOf(false, "ca"), 0);
}

TEST_F(StoreRecoveryTest, ReadOnlyFolderIsReadAsCommitted) {
  Load();
  Put("ZelvoranIC.tbo", EncodeLines({UserLine(3, 7, "cb", 1, 3)}));
  Put("ZelvoranC.tbo", ShiftCodec("one", ShiftDirection::kEncode));
  const std::string new_index = EncodeLines({UserLine(3, 7, "cc", 1, 3)});
  fs.changes = 0;
  fs.crash_after = 4;  // the new index is in place, the new texts not yet
  CommitStorePair(fs, state.Paths, false, {new_index, ShiftCodec("two", ShiftDirection::kEncode)});
  fs.crash_after = -1;
  fs.SetReadOnlyFolder(kFolder, true);
  const auto before = fs.Files();
  EXPECT_EQ(RecoverCustomStore(fs, state.Paths), RecoveryResult::kUnsettled);
  EXPECT_EQ(fs.Files(), before);
  Reload();
  SelectEntry(false, "cc");
  ShowEntry(core, 0);
  EXPECT_NE(view.description.find("two"), std::string::npos) << view.description;
  EXPECT_EQ(view.description.find("one"), std::string::npos) << view.description;
  // A change is refused and says why; nothing is touched.
  EXPECT_EQ(InsertCustomEntry(core, {"cd", "x", -1}), StoreOutcome::kFailed);
  EXPECT_FALSE(boxes.problems.empty());
  EXPECT_EQ(fs.Files(), before);
}

}  // namespace
}  // namespace zelvoran
