// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/custom_commands.h"
#include "custom/store_lines.h"
#include "dictionary/data_profile.h"
#include "tests/unit/store_fixture.h"

namespace zelvoran {
namespace {

using testing::DecodeLines;
using testing::EncodeLines;
using testing::UserLine;
using testing::W;

class StoreOpsTest : public testing::StoreTest {
 protected:
  StoreOutcome Insert(const std::string& headword, const std::string& text, int row = -1) {
    const StoreOutcome o = InsertCustomEntry(core, {W(headword), W(text), row});
    Reload();
    return o;
  }
  StoreOutcome Modify(bool greek, const std::string& current, const std::string& headword,
                      const std::string& text, int row = 0) {
    SelectEntry(greek, current);
    const Origin origin = state.Dict.Index(greek).Slot(core.List.Items[0].ref.slot).Origin;
    const StoreOutcome o = ModifyCustomEntry(core, {W(headword), row, W(text), origin});
    Reload();
    return o;
  }
  StoreOutcome Delete(bool greek, const std::string& headword) {
    SelectEntry(greek, headword);
    return DeleteCustomEntry(core);
  }
  int NumberOf(bool greek, const std::string& headword) const {
    return state.Dict.Index(greek).Slot(SlotOf(greek, headword)).EntryNumber;
  }
};

TEST_F(StoreOpsTest, WorkedExampleByteForByte) {
  Numbered(300);
  fs.Put(kEnIndex,
         EncodeLines({UserLine(100, 51000, "w100b", 1, 10), UserLine(200, 51001, "w200b", 11, 5)}));
  const std::string old_texts = ShiftCodec("0123456789", ShiftDirection::kEncode) +
                                ShiftCodec("abcde", ShiftDirection::kEncode);
  fs.Put(kEnTexts, old_texts);
  Load();
  ASSERT_EQ(Insert("w150a", "seven c"), StoreOutcome::kSaved);

  EXPECT_EQ(DecodeLines(File(kEnIndex)),
            (std::vector<std::string>{UserLine(100, 51000, "w100b", 1, 10),
                                      UserLine(150, 51002, "w150a", 11, 7),
                                      UserLine(200, 51001, "w200b", 18, 5)}));
  EXPECT_EQ(File(kEnTexts), old_texts.substr(0, 10) +
                                ShiftCodec("seven c", ShiftDirection::kEncode) +
                                old_texts.substr(10));
  EXPECT_FALSE(fs.FileExists("D:\\Mine\\tempi.tbo"));
  EXPECT_FALSE(fs.FileExists("D:\\Mine\\templex.tbo"));
  EXPECT_EQ(English()[151], "w150a*");
}

TEST_F(StoreOpsTest, InsertIntoEmptyStoreCreatesBothFiles) {
  Load();
  ASSERT_EQ(Insert("  cattle ", "βοοειδή ζώα", 3), StoreOutcome::kSaved);
  // Predecessor: "catalogue" (entry 4); number 1 + largest (6).
  EXPECT_EQ(DecodeLines(File(kEnIndex)),
            std::vector<std::string>{UserLine(4, 7, "cattle", 1, 11, W("βοτ."))});
  EXPECT_EQ(ShiftCodec(File(kEnTexts), ShiftDirection::kDecode), W("βοοειδή ζώα"));
  EXPECT_FALSE(fs.FileExists(kGrIndex));
  EXPECT_EQ(English(), (std::vector<std::string>{"apple", "apple tree", "cat", "catalogue",
                                                 "cattle*", "doctor", "dog"}));
  EXPECT_EQ(state.Dict.EnglishIndex.Slot(5).Category, W("βοτ."));
}

TEST_F(StoreOpsTest, InsertEmptiesTheDisplay) {
  Load();
  view.description = "shown";
  core.List.Add("cat", RowRef{Direction::kEnglish, 3});
  Insert("cattle", "x");
  EXPECT_EQ(core.List.Count(), 0);
  EXPECT_EQ(view.description, "");
}

TEST_F(StoreOpsTest, SecondEntryBehindSameDictionaryEntryGoesBehindTheFirst) {
  Load();
  Insert("cb", "first");
  Insert("catb", "second");
  EXPECT_EQ(English(), (std::vector<std::string>{"apple", "apple tree", "cat", "catalogue", "cb*",
                                                 "catb*", "doctor", "dog"}));
  // Behind an own-entry predecessor ("catb") the new line shares its anchor.
  Insert("cc", "third");
  EXPECT_EQ(English()[6], "cc*");
  EXPECT_EQ(DecodeLines(File(kEnIndex))[2].substr(0, 10), "0000400009");
}

TEST_F(StoreOpsTest, HeadwordBeforeEveryRecordGetsAnchorZeroAndIsListed) {
  Load();
  Insert("aardvark", "μυρμηγκοφάγος");
  EXPECT_EQ(DecodeLines(File(kEnIndex))[0].substr(0, 5), "00000");
  EXPECT_EQ(English()[0], "aardvark*");
  // With no predecessor at all, a later entry goes behind every line anchored at 00000.
  Insert("aa", "before that");
  EXPECT_EQ(English()[0], "aardvark*");
  EXPECT_EQ(English()[1], "aa*");
}

TEST_F(StoreOpsTest, GreekHeadwordGoesToTheGreekPair) {
  Load();
  Insert("γάτος", "tomcat");
  EXPECT_TRUE(fs.FileExists(kGrIndex));
  EXPECT_FALSE(fs.FileExists(kEnIndex));
  EXPECT_EQ(Greek(),
            (std::vector<std::string>{"άρθρο", "γάτα", "γάτος*", "γιατρός", "μήλο", "σοφός"}));
}

TEST_F(StoreOpsTest, ModifyOwnEntryRenumbersAndResorts) {
  Load();
  Insert("zebra", "ζέβρα");  // 7
  Insert("cb", "x");         // 8
  ASSERT_EQ(Modify(false, "zebra", "apricot", "βερίκοκο"), StoreOutcome::kSaved);
  EXPECT_EQ(English(), (std::vector<std::string>{"apple", "apple tree", "apricot*", "cat",
                                                 "catalogue", "cb*", "doctor", "dog"}));
  EXPECT_EQ(NumberOf(false, "apricot"), 9);
  // The largest number, modified, comes back with the same number.
  Modify(false, "apricot", "apricots", "βερίκοκα");
  EXPECT_EQ(NumberOf(false, "apricots"), 9);
  EXPECT_EQ(DecodeLines(File(kEnIndex)).size(), 2u);
}

TEST_F(StoreOpsTest, ModifyOwnEntryIntoTheOtherLanguageMovesIt) {
  Load();
  Insert("zebra", "ζέβρα");
  ASSERT_EQ(Modify(false, "zebra", "ζέβρα", "zebra"), StoreOutcome::kSaved);
  EXPECT_EQ(DecodeLines(File(kEnIndex)).size(), 0u);
  EXPECT_EQ(Greek(),
            (std::vector<std::string>{"άρθρο", "γάτα", "γιατρός", "ζέβρα*", "μήλο", "σοφός"}));
  EXPECT_EQ(SlotOf(false, "zebra"), 0);
}

TEST_F(StoreOpsTest, ModifyDictionaryEntryWithEmptyTextStoresEmptyAddition) {
  Load();
  ASSERT_EQ(Modify(false, "cat", "cat", ""), StoreOutcome::kSaved);
  EXPECT_EQ(DecodeLines(File(kEnIndex)), std::vector<std::string>{UserLine(3, 3, "", 1, 0)});
  EXPECT_EQ(English()[2], "cat+");
  ASSERT_EQ(state.Dict.AdditionList.size(), 1u);
  EXPECT_EQ(state.Dict.AdditionList[0], "0000000100000");
}

TEST_F(StoreOpsTest, AdditionGoesBeforeTheEntryLinesOfItsAnchor) {
  Load();
  Insert("cb", "own");
  Modify(false, "catalogue", "catalogue", "more");
  const auto lines = DecodeLines(File(kEnIndex));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], UserLine(4, 4, "", 1, 4));
  EXPECT_EQ(lines[1], UserLine(4, 7, "cb", 5, 3));
  EXPECT_EQ(ShiftCodec(File(kEnTexts).substr(0, 4), ShiftDirection::kDecode), "more");
}

TEST_F(StoreOpsTest, ModifyAdditionReplacesOrRemovesIt) {
  Load();
  Modify(false, "dog", "dog", "old text");
  Insert("dz", "own");
  ASSERT_EQ(Modify(false, "dog", "dog", "new"), StoreOutcome::kSaved);
  EXPECT_EQ(DecodeLines(File(kEnIndex))[0], UserLine(6, 6, "", 1, 3));
  EXPECT_EQ(DecodeLines(File(kEnIndex))[1], UserLine(6, 7, "dz", 4, 3));
  EXPECT_EQ(English()[5], "dog+");

  ASSERT_EQ(Modify(false, "dog", "dog", ""), StoreOutcome::kSaved);
  EXPECT_EQ(DecodeLines(File(kEnIndex)), std::vector<std::string>{UserLine(6, 7, "dz", 1, 3)});
  EXPECT_EQ(English()[5], "dog");
  EXPECT_EQ(ShiftCodec(File(kEnTexts), ShiftDirection::kDecode), "own");
}

TEST_F(StoreOpsTest, DeleteOfLargestNumberLetsNextInsertReuseIt) {
  Load();
  Insert("cb", "a");     // 7
  Insert("zebra", "b");  // 8
  ASSERT_EQ(Delete(false, "zebra"), StoreOutcome::kSaved);
  EXPECT_EQ(SlotOf(false, "zebra"), 0);
  Insert("yak", "c");
  EXPECT_EQ(NumberOf(false, "yak"), 8);
  // A smaller freed number is not reused while a larger one remains.
  Delete(false, "cb");
  Insert("ca", "d");
  EXPECT_EQ(NumberOf(false, "ca"), 9);
}

TEST_F(StoreOpsTest, DeleteTouchesOnlyOwnEntries) {
  Load();
  Modify(false, "cat", "cat", "addition");
  const std::string before = File(kEnIndex);
  SelectEntry(false, "cat");
  EXPECT_EQ(DeleteCustomEntry(core), StoreOutcome::kUnchanged);
  EXPECT_EQ(File(kEnIndex), before);
}

TEST_F(StoreOpsTest, LineBreakBytesReadBackAsCrAndLf) {
  Load();
  const std::string text =
      std::string("a") + static_cast<char>(172) + "b" + static_cast<char>(182) + "c\r\nd";
  InsertCustomEntry(core, {"cb", text, -1});
  EXPECT_EQ(ShiftCodec(File(kEnTexts), ShiftDirection::kDecode), "a\rb\nc\r\nd");
  EXPECT_EQ(File(kEnTexts).find_first_of("\r\n"), std::string::npos);
}

TEST_F(StoreOpsTest, OtherLinesKeepTheirStoredBytes) {
  // A headword holding a control character does not survive a decode and encode; the lines
  // an operation does not change are carried over as stored.
  Load();
  const std::string odd = UserLine(2, 40, std::string("odd\x01") + "word", 1, 2);
  fs.Put(kEnIndex, EncodeLines({odd}));
  fs.Put(kEnTexts, ShiftCodec("ab", ShiftDirection::kEncode));
  const std::string before = File(kEnIndex);
  Reload();
  Insert("zebra", "z");
  EXPECT_EQ(File(kEnIndex).substr(0, before.size()), before);
}

TEST_F(StoreOpsTest, LimitsAreCheckedBeforeWriting) {
  Load();
  fs.Put(kEnIndex, EncodeLines({UserLine(6, 65535, "last", 1, 1)}));
  fs.Put(kEnTexts, ShiftCodec("x", ShiftDirection::kEncode));
  Reload();
  const auto files = fs.Files();
  EXPECT_EQ(Insert("zebra", "z"), StoreOutcome::kFailed);
  EXPECT_EQ(Insert("cb", std::string(31001, 'x')), StoreOutcome::kFailed);
  EXPECT_EQ(Insert(std::string(81, 'q'), "x"), StoreOutcome::kFailed);
  EXPECT_EQ(Modify(false, "cat", "cat", std::string(31001, 'x')), StoreOutcome::kFailed);
  EXPECT_EQ(fs.Files(), files);
  ASSERT_EQ(boxes.problems.size() + boxes.messages.size(), 4u);
  EXPECT_NE(boxes.problems[0].find("65535"), std::string::npos);
  EXPECT_NE(boxes.messages[0].find("31000"), std::string::npos);
  EXPECT_NE(boxes.messages[1].find("80"), std::string::npos);
}

TEST_F(StoreOpsTest, FullIndexRefusesAnOwnEntryButTakesAnAddition) {
  // The operations read the index afresh, so it is full in the data, not only in memory.
  Numbered(kMaxIndexRecords);
  Load();
  ASSERT_TRUE(state.Dict.EnglishIndex.IsFull());
  EXPECT_EQ(InsertCustomEntry(core, {"cb", "x", -1}), StoreOutcome::kFailed);
  EXPECT_FALSE(fs.FileExists(kEnIndex));
  SelectEntry(false, "w001");
  EXPECT_EQ(ModifyCustomEntry(core, {"w001", 0, "more", Origin::kDictionary}),
            StoreOutcome::kSaved);
}

TEST_F(StoreOpsTest, BlankHeadwordIsRefusedWithTheValidationMessage) {
  Load();
  EXPECT_EQ(InsertCustomEntry(core, {"", "x", -1}), StoreOutcome::kUnchanged);
  EXPECT_EQ(InsertCustomEntry(core, {"   ", "x", -1}), StoreOutcome::kFailed);
  EXPECT_EQ(boxes.messages,
            std::vector<std::string>{"Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή"});
  EXPECT_FALSE(fs.FileExists(kEnIndex));
}

TEST_F(StoreOpsTest, DamagedFileIsLeftAloneAndReported) {
  Load();
  const std::string damaged = EncodeLines({UserLine(2, 40, "fine", 1, 2), "0000x00041garbage"});
  fs.Put(kEnIndex, damaged);
  fs.Put(kEnTexts, ShiftCodec("ab", ShiftDirection::kEncode));
  EXPECT_EQ(Insert("zebra", "z"), StoreOutcome::kFailed);
  EXPECT_EQ(File(kEnIndex), damaged);
  ASSERT_EQ(boxes.problems.size(), 1u);
  // A text that lies beyond the end of the text file counts as damage too.
  fs.Put(kEnIndex, EncodeLines({UserLine(2, 40, "fine", 1, 9)}));
  EXPECT_EQ(Insert("zebra", "z"), StoreOutcome::kFailed);
}

TEST_F(StoreOpsTest, OutOfOrderFileIsWrittenBackInAnchorOrder) {
  Load();
  fs.Put(kEnIndex,
         EncodeLines({UserLine(5, 41, "doctors", 1, 2), UserLine(2, 40, "apples", 3, 1)}));
  auto enc = [](const char* t) { return ShiftCodec(t, ShiftDirection::kEncode); };
  fs.Put(kEnTexts, enc("dd") + enc("a"));
  Reload();
  Insert("zebra", "z");
  EXPECT_EQ(
      DecodeLines(File(kEnIndex)),
      (std::vector<std::string>{UserLine(2, 40, "apples", 1, 1), UserLine(5, 41, "doctors", 2, 2),
                                UserLine(6, 42, "zebra", 4, 1)}));
  EXPECT_EQ(File(kEnTexts), enc("a") + enc("dd") + enc("z"));
}

}  // namespace
}  // namespace zelvoran
