// Every file operation of a rewrite made to fail in turn, and a crash after every step: the
// store must then hold exactly the old or exactly the new entries, and say which.
#include <gtest/gtest.h>

#include <map>

#include "custom/custom_store.h"
#include "custom/store_commit.h"
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
      return ModifyCustomEntry(core, {"apricot", 0, "changed", 'C'});
    }
    SelectEntry(false, "apple");
    return ModifyCustomEntry(core, {"apple", 0, "my note", 'L'});
  }

  // The store files as they stand: the two English files (absent files omitted).
  std::map<std::string, std::string> Store() const {
    std::map<std::string, std::string> out;
    for (const char* p : {kEnIndex, kEnTexts}) {
      if (auto d = fs.ReadFile(p)) out[p] = *d;
    }
    return out;
  }
  std::vector<std::string> Loaded() {
    Reload();
    return English();
  }
};

TEST_P(StoreFaultTest, EveryFailureAndCrashLeavesOldOrNewPair) {
  const std::string op = GetParam();
  const auto old_store = Store();
  const auto old_index = English();
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
      EXPECT_FALSE(fs.FileExists("D:\\Mine\\tempi.tbo"));
      EXPECT_FALSE(fs.FileExists("D:\\Mine\\templex.tbo"));
      EXPECT_FALSE(fs.FileExists("D:\\Mine\\tempmark.tbo"));
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

INSTANTIATE_TEST_SUITE_P(Operations, StoreFaultTest,
                         ::testing::Values("insert", "delete", "modify-own", "modify-addition"),
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

}  // namespace
}  // namespace zelvoran
