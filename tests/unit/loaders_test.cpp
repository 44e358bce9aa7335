// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/program_state.h"
#include "app/startup.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fixture_data.h"
#include "text/cp1253.h"
#include "tools/encoders/field_encoders.h"

namespace zelvoran {
namespace {

using testing::Entry;
using testing::FakeFileSystem;

std::string W(const char* utf8) {
  return Utf8ToCp1253(utf8);
}

// A decoded user's index line by its columns.
std::string UserLine(int anchor, int number, const std::string& headword, int position, int length,
                     const std::string& category = "") {
  char head[16];
  std::snprintf(head, sizeof head, "%05d%05d", anchor, number);
  std::string line = head;
  std::string hw = headword;
  hw.resize(80, ' ');
  char tail[16];
  std::snprintf(tail, sizeof tail, "%08d%05d", position, length);
  return line + hw + tail + category;
}

std::string EncodeUserFile(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += ShiftCodec(l, ShiftDirection::kEncode) + "\r\n";
  return out;
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.ProgramFolder = "C:\\Dict\\";
    data = testing::SmallDataSet();
  }
  void Load() {
    testing::WriteData(fs, state.ProgramFolder, data);
    LoadDictionary(fs, state);
  }
  // A dictionary of `n` English entries named w001, w002, ... (entry number = line number).
  void Numbered(int n) {
    data.English.clear();
    for (int i = 1; i <= n; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "w%03d", i);
      data.English.push_back(Entry(name, std::string("text ") + name));
    }
  }
  std::vector<std::string> EnglishHeadwords() const {
    std::vector<std::string> out;
    for (int i = 1; i <= state.Dict.EnglishIndex.Count(); ++i) {
      out.push_back(state.Dict.EnglishIndex.Slot(i).Headword +
                    (state.Dict.EnglishIndex.Slot(i).Origin == Origin::kOwn ? "*" : ""));
    }
    return out;
  }

  FakeFileSystem fs;
  ProgramState state;
  dictc::DataSet data;
};

TEST_F(LoaderTest, LoadsAllTablesFromFixture) {
  Load();
  const Dictionary& d = state.Dict;
  ASSERT_EQ(d.EnglishIndex.Count(), 6);
  ASSERT_EQ(d.GreekIndex.Count(), 5);
  EXPECT_EQ(d.EnglishIndex.Slot(2).Headword, "apple tree");
  EXPECT_EQ(d.EnglishIndex.Slot(2).SearchKey, "appletree");
  EXPECT_EQ(d.EnglishIndex.Slot(2).Origin, Origin::kDictionary);
  EXPECT_EQ(d.EnglishIndex.Slot(2).EntryNumber, 2);
  EXPECT_EQ(d.EnglishIndex.Slot(2).LineNumber, 2);
  EXPECT_EQ(d.EnglishIndex.Slot(5).Category, "MULTI");
  EXPECT_EQ(d.GreekIndex.Slot(1).Headword, W("άρθρο"));
  EXPECT_EQ(d.GreekIndex.Slot(1).EntryNumber, 1);
  EXPECT_EQ(d.EnglishIndex.Slot(7).EntryNumber, 0);  // past the end: empty
  ASSERT_EQ(d.AbbreviationTable.size(), 237u);
  EXPECT_EQ(d.AbbreviationTable[2].Abbreviation, W("ιατρ."));
  EXPECT_TRUE(d.AbbreviationTable[2].IsSubjectField);
  EXPECT_FALSE(d.AbbreviationTable[1].IsSubjectField);
  EXPECT_EQ(d.AbbreviationTable[1].Meaning, W("ουσιαστικό"));
  // doctor (5) has two links, γιατρός (3) two; the final line of the file is entered too.
  ASSERT_EQ(d.EnglishCategoryLinks.size(), 3u);
  EXPECT_EQ(d.EnglishCategoryLinks[1].EntryNumber, 5);
  EXPECT_EQ(d.EnglishCategoryLinks[2].Category, W("ζωολ."));
  ASSERT_EQ(d.GreekCategoryLinks.size(), 3u);
  EXPECT_EQ(d.GreekCategoryLinks[2].Category, W("βοτ."));
  EXPECT_TRUE(state.DataProblem.empty());
}

TEST_F(LoaderTest, HeadwordOfSeventyCharactersKeepsFiftySeven) {
  data.English.push_back(Entry(std::string(70, 'z'), "long"));
  Load();
  EXPECT_EQ(state.Dict.EnglishIndex.Slot(7).Headword, std::string(57, 'z'));
  EXPECT_EQ(state.Dict.EnglishIndex.Slot(7).SearchKey, std::string(42, 'z'));
}

TEST_F(LoaderTest, MergesAdditionAndOwnEntriesAfterTheirAnchor) {
  Numbered(8);
  state.Paths = CustomPaths::In("C:\\User\\");
  fs.Put(state.Paths.CustomEnglishIndexPath,
         EncodeUserFile({UserLine(5, 5, "", 1, 3), UserLine(5, 9001, "mine one", 4, 2, W("ιατρ.")),
                         UserLine(5, 9002, "mine two", 6, 2)}));
  Load();
  const HeadwordIndex& ix = state.Dict.EnglishIndex;
  ASSERT_EQ(ix.Count(), 10);
  EXPECT_EQ(ix.Slot(5).Origin, Origin::kAddition);
  ASSERT_EQ(state.Dict.AdditionList.size(), 1u);
  EXPECT_EQ(state.Dict.AdditionList[0], "0000000100003");
  EXPECT_EQ(ix.Slot(5).AdditionSlot, 0);
  EXPECT_EQ(ix.Slot(6).Headword, "mine one");
  EXPECT_EQ(ix.Slot(6).SearchKey, "mineone");
  EXPECT_EQ(ix.Slot(6).Origin, Origin::kOwn);
  EXPECT_EQ(ix.Slot(6).EntryNumber, 9001);
  EXPECT_EQ(ix.Slot(6).TextPosition, 4);
  EXPECT_EQ(ix.Slot(6).TextLength, 2);
  EXPECT_EQ(ix.Slot(6).Category, W("ιατρ."));
  EXPECT_EQ(ix.Slot(7).EntryNumber, 9002);
  EXPECT_EQ(ix.Slot(8).Headword, "w006");  // dictionary entry 6 moved to slot 8
  EXPECT_EQ(ix.Slot(8).LineNumber, 6);
}

TEST_F(LoaderTest, AnchorZeroEntersBeforeTheFirstRecordInFileOrder) {
  Numbered(3);
  state.Paths = CustomPaths::In("C:\\User\\");
  fs.Put(state.Paths.CustomEnglishIndexPath,
         EncodeUserFile({UserLine(0, 100, "aaa first", 1, 1), UserLine(0, 101, "aab second", 2, 1),
                         UserLine(2, 102, "w002x", 3, 1)}));
  Load();
  EXPECT_EQ(EnglishHeadwords(), (std::vector<std::string>{"aaa first*", "aab second*", "w001",
                                                          "w002", "w002x*", "w003"}));
}

TEST_F(LoaderTest, OutOfOrderUserIndexLosesNoLine) {
  Numbered(60);
  state.Paths = CustomPaths::In("C:\\User\\");
  fs.Put(state.Paths.CustomEnglishIndexPath,
         EncodeUserFile({UserLine(50, 200, "after fifty", 1, 1),
                         UserLine(40, 201, "after forty", 2, 1),
                         UserLine(55, 202, "after fifty-five", 3, 1)}));
  Load();
  const auto hw = EnglishHeadwords();
  ASSERT_EQ(hw.size(), 63u);
  EXPECT_EQ(hw[40], "after forty*");  // slot 41, right after w040
  EXPECT_EQ(hw[51], "after fifty*");
  EXPECT_EQ(hw[57], "after fifty-five*");
}

TEST_F(LoaderTest, UnmatchedAnchorsStillAppearAndBadLinesAreSkipped) {
  Numbered(3);
  state.Paths = CustomPaths::In("C:\\User\\");
  fs.Put(state.Paths.CustomEnglishIndexPath,
         EncodeUserFile({"garbage", UserLine(2, 2, "", 1, 1), UserLine(99, 300, "beyond", 2, 1),
                         UserLine(77, 77, "", 3, 1)}));
  Load();
  EXPECT_EQ(EnglishHeadwords(), (std::vector<std::string>{"w001", "w002", "w003", "beyond*"}));
  EXPECT_EQ(state.Dict.EnglishIndex.Slot(2).Origin, Origin::kAddition);
}

TEST_F(LoaderTest, EmptyUserFileLoadsDictionaryUnchanged) {
  state.Paths = CustomPaths::In("C:\\User\\");
  fs.Put(state.Paths.CustomEnglishIndexPath, "");
  Load();
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 6);
}

TEST_F(LoaderTest, GreekUserEntriesGetGreekKeys) {
  state.Paths = CustomPaths::In("C:\\User\\");
  fs.Put(state.Paths.CustomGreekIndexPath, EncodeUserFile({UserLine(2, 60000, W("Γάτος"), 1, 1)}));
  Load();
  ASSERT_EQ(state.Dict.GreekIndex.Count(), 6);
  EXPECT_EQ(state.Dict.GreekIndex.Slot(3).SearchKey, W("γατος"));
  EXPECT_EQ(state.Dict.GreekIndex.Slot(3).EntryNumber, 60000);
}

TEST_F(LoaderTest, MalformedIndexLineEndsTheLoaderKeepingWhatCameBefore) {
  testing::WriteData(fs, state.ProgramFolder, data);
  std::string index = *fs.ReadFile("C:\\Dict\\data\\ZelvoranI.tbo");
  // Replace English line 3 with one whose number field is not numeric.
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < index.size()) {
    const size_t end = index.find("\r\n", pos);
    lines.push_back(index.substr(pos, end - pos));
    pos = end + 2;
  }
  lines[2] = MirrorEncode(3, "x3#cat#cat##1#3");
  std::string rebuilt;
  for (const auto& l : lines) rebuilt += l + "\r\n";
  fs.Put("C:\\Dict\\data\\ZelvoranI.tbo", rebuilt);
  LoadDictionary(fs, state);
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 2);
  EXPECT_EQ(state.Dict.GreekIndex.Count(), 0);
  EXPECT_EQ(state.Dict.AbbreviationTable.size(), 237u);
}

TEST_F(LoaderTest, MissingFilesLeaveTheirTablesEmpty) {
  testing::WriteData(fs, state.ProgramFolder, data);
  fs.RemoveFile("C:\\Dict\\data\\ZelvoranSrt.tbo");
  fs.RemoveFile("C:\\Dict\\data\\ZelvoranEC.tbo");
  LoadDictionary(fs, state);
  EXPECT_TRUE(state.Dict.AbbreviationTable.empty());
  EXPECT_EQ(state.Dict.EnglishCategoryLinks.size(), 1u);
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 6);
}

TEST_F(LoaderTest, RejectedProfileLoadsNothingAndSaysWhy) {
  testing::WriteData(fs, state.ProgramFolder, data);
  fs.Put("C:\\Dict\\data\\ZelvoranProfile.txt", "english-headwords=lots\r\n");
  LoadDictionary(fs, state);
  EXPECT_FALSE(state.DataProblem.empty());
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 0);
}

TEST_F(LoaderTest, ProfileDecidesWhereTheEnglishSectionEnds) {
  Load();  // the small data carries a profile: 6 English lines
  EXPECT_EQ(state.Dict.Profile.counts.english_headwords, 6);
  EXPECT_EQ(state.Dict.Profile.letters.EnglishStart('c'), 3);
  EXPECT_EQ(state.Dict.Profile.letters.GreekStart(0xE3), 2);  // γ
}

TEST(ParseUserIndexLine, ReadsColumns) {
  const auto line = ParseUserIndexLine(UserLine(123, 51001, "word", 1, 12, "abc"));
  ASSERT_TRUE(line.has_value());
  EXPECT_EQ(line->AnchorNumber, 123);
  EXPECT_EQ(line->EntryNumber, 51001);
  EXPECT_EQ(line->Headword, "word");
  EXPECT_EQ(line->TextPosition, 1);
  EXPECT_EQ(line->TextLength, 12);
  EXPECT_EQ(line->Category, "abc");
  EXPECT_FALSE(line->IsAddition());
  EXPECT_FALSE(ParseUserIndexLine("0012351001").has_value());
}

}  // namespace
}  // namespace zelvoran
