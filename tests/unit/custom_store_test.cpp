// SPDX-License-Identifier: GPL-3.0-or-later
// The store object on its own: what each operation answers, and that it tells nobody.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "custom/custom_store.h"
#include "custom/store_lines.h"
#include "tests/unit/store_fixture.h"

namespace zelvoran {
namespace {

using testing::EncodeLines;
using testing::UserLine;
using testing::W;
using Kind = StoreResult::Kind;

class CustomStoreTest : public testing::StoreTest {
 protected:
  void SetUp() override {
    Load();
    auto enc = [](const char* t) { return ShiftCodec(t, ShiftDirection::kEncode); };
    fs.Put(kEnIndex, EncodeLines({UserLine(3, 7, "cb", 1, 3), UserLine(6, 8, "dz", 4, 2)}));
    fs.Put(kEnTexts, enc("one") + enc("tw"));
    Reload();
  }
  CustomStore Store() {
    return CustomStore(fs, state.Paths, state.Dict, [this] {
      ++reloads;
      Reload();
    });
  }
  RowRef En(const std::string& headword) const {
    return {Direction::kEnglish, SlotOf(false, headword)};
  }
  int reloads = 0;
};

TEST_F(CustomStoreTest, RefusalsLeaveTheFilesAlone) {
  struct Case {
    const char* name;
    std::string headword;
    std::string explanation;
    StoreRefusal refusal;
  };
  const std::vector<Case> cases = {
      {"blank headword", "   ", "x", StoreRefusal::kEmptyHeadword},
      {"long headword", std::string(81, 'q'), "x", StoreRefusal::kHeadwordTooLong},
      {"long explanation", "cc", std::string(31001, 'x'), StoreRefusal::kExplanationTooLong},
  };
  const auto files = fs.Files();
  for (const Case& c : cases) {
    CustomStore store = Store();
    EXPECT_EQ(store.InsertRefusal({c.headword, c.explanation, -1}), c.refusal) << c.name;
    EXPECT_EQ(store.Insert({c.headword, c.explanation, -1}), StoreResult::Refused(c.refusal))
        << c.name;
    const ModifyRequest modify{c.headword, 0, c.explanation, Origin::kOwn};
    EXPECT_EQ(store.ModifyRefusal(modify, En("cb")), c.refusal) << c.name;
    EXPECT_EQ(store.Modify(modify, En("cb")), StoreResult::Refused(c.refusal)) << c.name;
  }
  // A headword of 80 blanks-trimmed bytes is taken.
  EXPECT_EQ(Store().InsertRefusal({" " + std::string(80, 'q') + " ", "x", -1}), std::nullopt);
  // An addition is refused only for its length.
  const ModifyRequest addition{"apple", 0, std::string(31001, 'x'), Origin::kDictionary};
  EXPECT_EQ(Store().Modify(addition, En("apple")),
            StoreResult::Refused(StoreRefusal::kExplanationTooLong));
  EXPECT_EQ(fs.Files(), files);
  EXPECT_EQ(reloads, 0);  // refused before the lock is taken
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.problems.empty());
}

TEST_F(CustomStoreTest, NoFreeNumberOrNoRoomIsRefused) {
  fs.Put(kEnIndex, EncodeLines({UserLine(6, 65535, "last", 1, 1)}));
  fs.Put(kEnTexts, ShiftCodec("x", ShiftDirection::kEncode));
  Reload();
  EXPECT_EQ(Store().Insert({"zebra2", "z", -1}),
            StoreResult::Refused(StoreRefusal::kNumbersExhausted));
  // Replacing the entry that holds the largest number frees it.
  EXPECT_EQ(Store().ModifyRefusal({"last", 0, "y", Origin::kOwn}, En("last")), std::nullopt);

  Numbered(kMaxIndexRecords);
  fs.RemoveFile(kEnIndex);
  fs.RemoveFile(kEnTexts);
  Load();
  EXPECT_EQ(Store().Insert({"cb", "x", -1}), StoreResult::Refused(StoreRefusal::kIndexFull));
  EXPECT_EQ(Store().Modify({"w001", 0, "more", Origin::kDictionary}, En("w001")),
            StoreResult::Saved());
  EXPECT_TRUE(boxes.problems.empty());
}

TEST_F(CustomStoreTest, FailuresSayWhy) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    StoreFailure failure;
  };
  LockResult other;
  const std::vector<Case> cases = {
      {"busy", [&] { other = fs.LockFile("D:\\Mine\\Zelvoran.lck", std::chrono::milliseconds(0)); },
       StoreFailure::kBusy},
      {"write fails",
       [&] {
         fs.fail_if = [](const std::string& op, const std::string&) { return op == "write"; };
       },
       StoreFailure::kNotSaved},
      {"first rename fails",
       [&] {
         fs.fail_if = [](const std::string& op, const std::string&) { return op == "rename"; };
       },
       StoreFailure::kNotSaved},
      {"damaged index", [&] { fs.Put(kEnIndex, EncodeLines({UserLine(2, 40, "fine", 1, 99)})); },
       StoreFailure::kDamaged},
  };
  for (const Case& c : cases) {
    SetUp();
    c.arrange();
    const auto files = fs.Files();
    EXPECT_EQ(Store().Insert({"catz", "new", -1}), StoreResult::Failed(c.failure)) << c.name;
    fs.fail_if = nullptr;
    other = LockResult{};
    EXPECT_EQ(fs.Files(), files) << c.name;
  }
  EXPECT_TRUE(boxes.problems.empty());
}

TEST_F(CustomStoreTest, OperationsFindTheirEntryAfterAnotherCopyMovedTheSlots) {
  const RowRef dz = En("dz");
  // Another copy of the program adds an entry in front of "dz" after this one loaded.
  auto enc = [](const char* t) { return ShiftCodec(t, ShiftDirection::kEncode); };
  fs.Put(kEnIndex, EncodeLines({UserLine(1, 9, "aa", 1, 2), UserLine(3, 7, "cb", 3, 3),
                                UserLine(6, 8, "dz", 6, 2)}));
  fs.Put(kEnTexts, enc("xy") + enc("one") + enc("tw"));
  EXPECT_EQ(Store().Delete(dz), StoreResult::Saved());
  EXPECT_EQ(reloads, 1);
  Reload();
  EXPECT_EQ(SlotOf(false, "dz"), 0);
  EXPECT_NE(SlotOf(false, "aa"), 0);
  EXPECT_NE(SlotOf(false, "cb"), 0);

  // An entry another copy deleted is left alone.
  const RowRef cb = En("cb");
  fs.Put(kEnIndex, EncodeLines({UserLine(1, 9, "aa", 1, 2)}));
  fs.Put(kEnTexts, enc("xy"));
  const auto files = fs.Files();
  EXPECT_EQ(Store().Modify({"cc", 0, "new", Origin::kOwn}, cb), StoreResult::Unchanged());
  EXPECT_EQ(fs.Files(), files);
}

TEST_F(CustomStoreTest, NothingToDoIsUnchanged) {
  const auto files = fs.Files();
  EXPECT_EQ(Store().Insert({"", "x", -1}), StoreResult::Unchanged());
  EXPECT_EQ(Store().Modify({"", 0, "x", Origin::kOwn}, En("cb")), StoreResult::Unchanged());
  EXPECT_EQ(Store().Delete(En("apple")), StoreResult::Unchanged());  // not an own entry
  EXPECT_EQ(Store().Delete({}), StoreResult::Unchanged());           // no entry
  EXPECT_EQ(Store().Modify({"apple", 0, "x", Origin::kNone}, En("apple")),
            StoreResult::Unchanged());
  EXPECT_EQ(fs.Files(), files);
}

}  // namespace
}  // namespace zelvoran
