// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/entry_display.h"
#include "app/entry_presenter.h"
#include "app/lookup_presenter.h"

#include "search/lookup_engine.h"
#include "tests/unit/lookup_fixture.h"

namespace zelvoran::testing {
namespace {

const std::string kUserTexts = "C:\\User\\ZelvoranC.tbo";

std::string Shifted(const std::string& plain) {
  return ShiftCodec(plain, ShiftDirection::kEncode);
}

class ReadExplanationTest : public CoreFixture {
 protected:
  void SetUp() override {
    Load();
    fs.Put(kUserTexts, Shifted("first\r\n") + Shifted("line two") + Shifted("ADDED"));
  }
  std::string Read(std::string_view file, int64_t pos, int64_t len, std::string_view add = "",
                   int64_t off = 0, int64_t add_len = 0, std::string_view prefix = "") {
    return ReadExplanation(fs, file, pos, len, add, off, add_len, prefix);
  }
};

TEST_F(ReadExplanationTest, DecodesDictionaryAndUserTexts) {
  const HeadwordRecord& cat = state.Dict.EnglishIndex.Slot(8);
  EXPECT_EQ(Cp1253ToUtf8(Read(kTextsFile, cat.TextPosition, cat.TextLength)), "γάτα");
  EXPECT_EQ(Cp1253ToUtf8(Read("DATA/zelvorandat.tbo", cat.TextPosition, cat.TextLength)), "γάτα");
  EXPECT_EQ(Read(kUserTexts, 1, 7), "first\r\n");
  EXPECT_EQ(Read(kUserTexts, 8, 8), "line two");
  EXPECT_EQ(Read(kUserTexts, 8, 8, "", 0, 0, "abbr."), "abbr.\r\nline two");
  // The prefix belongs to the user's texts only.
  EXPECT_EQ(Cp1253ToUtf8(Read(kTextsFile, cat.TextPosition, cat.TextLength, "", 0, 0, "x")),
            "γάτα");
}

TEST_F(ReadExplanationTest, AppendsTheUsersAdditionUnderItsLabel) {
  const HeadwordRecord& cat = state.Dict.EnglishIndex.Slot(8);
  EXPECT_EQ(Cp1253ToUtf8(Read(kTextsFile, cat.TextPosition, cat.TextLength, kUserTexts, 15, 5)),
            "γάτα\r\n\r\nΣυμπλήρωση δική σας:\r\nADDED\r\n");
  // An addition file that is missing, or too short for the addition, leaves it out.
  EXPECT_EQ(Cp1253ToUtf8(Read(kTextsFile, cat.TextPosition, cat.TextLength, "C:\\No\\x.tbo", 0, 5)),
            "γάτα");
  EXPECT_EQ(Cp1253ToUtf8(Read(kTextsFile, cat.TextPosition, cat.TextLength, kUserTexts, 18, 50)),
            "γάτα");
}

TEST_F(ReadExplanationTest, FailuresGiveAnEmptyText) {
  EXPECT_EQ(Read("C:\\missing.tbo", 1, 3), "");
  EXPECT_EQ(Read(kUserTexts, 10, 100), "");  // short read
  EXPECT_EQ(Read(kUserTexts, 0, 3), "");
  EXPECT_EQ(Read(kUserTexts, -7, 3), "");
  EXPECT_EQ(Read(kUserTexts, 1, -1), "");
}

TEST_F(ReadExplanationTest, TextLongerThanTheReadingBufferIsShownWhole) {
  std::string big;
  for (int i = 0; i < 4000; ++i) big += "0123456789";
  fs.Put(kUserTexts, Shifted(big));
  EXPECT_EQ(Read(kUserTexts, 1, 40000), big);
  const std::string added = Read(kTextsFile, 1, 3, kUserTexts, 0, 40000);
  EXPECT_EQ(added.size(), 3 + 4 + 20 + 2 + 40000 + 2u);
}

class ShowEntryTest : public CoreFixture {
 protected:
  void SetUp() override {
    dictc::DataSet d = LookupDataSet();
    d.English.push_back(Entry(std::string(54, 'z'), "long one"));  // 15: wider than the pane
    Load(d);
    fs.Put(state.Paths.CustomEnglishTextsPath, Shifted("mine") + Shifted("ADDED"));
    fs.Put(state.Paths.CustomEnglishIndexPath,
           EncodeUserLines({UserIndexLineText(8, 8, "", 5, 5),
                            UserIndexLineText(8, 9001, "cats", 1, 4, W("ζωολ.")),
                            UserIndexLineText(9, 9002, "catalogues", 1, 4)}));
    ReloadHeadwordIndexes(fs, state);
  }
  void Show(const std::string& typed) {
    view.entry_text = W(typed);
    RunLookup(core, SearchMode::kStart, 0, "", false);
    ShowEntry(core, 0);
  }
};

TEST_F(ShowEntryTest, OriginDecidesMenuItemsAndLayout) {
  struct Case {
    const char* typed;
    const char* label;
    const char* text;
    bool remove;
  } cases[] = {
      {"dog", "dog", "σκύλος", false},
      {"cats", "cats", "ζωολ.\r\nmine", true},     // own entry with a field
      {"catalogues", "catalogues", "mine", true},  // own entry without one
      {"cat", "cat", "γάτα\r\n\r\nΣυμπλήρωση δική σας:\r\nADDED\r\n", false},
  };
  for (const Case& c : cases) {
    view.modify_enabled = false;
    view.delete_enabled = !c.remove;
    Show(c.typed);
    EXPECT_EQ(Label(), c.label);
    EXPECT_EQ(Description(), c.text) << c.typed;
    EXPECT_TRUE(view.modify_enabled);
    EXPECT_EQ(view.delete_enabled, c.remove) << c.typed;
  }
}

TEST_F(ShowEntryTest, AdditionFileMissingShowsTheDictionaryTextAlone) {
  fs.RemoveFile(state.Paths.CustomEnglishTextsPath);
  Show("cat");
  EXPECT_EQ(Description(), "γάτα");
}

TEST_F(ShowEntryTest, WideHeadwordIsLeftJustifiedNarrowOneRight) {
  Show("zz");
  EXPECT_TRUE(view.label_left);  // 54 characters x 7 pixels > 373
  Show("dog");
  EXPECT_FALSE(view.label_left);
}

TEST_F(ShowEntryTest, HiddenPaneMovesTheExplanationIntoTheListHint) {
  view.description_width = 0;
  Show("dog");
  EXPECT_EQ(view.hint_display_time, 10000);
  EXPECT_EQ(Cp1253ToUtf8(view.list_hint), "dog\r\nσκύλος");
  view.description_width = 300;
  Show("dog");
  EXPECT_EQ(view.list_hint, "");
}

TEST_F(ShowEntryTest, RowsOutsideTheListAndEmptySlotsChangeNothing) {
  Show("dog");
  ShowEntry(core, -1);
  ShowEntry(core, 5);
  EXPECT_EQ(Label(), "dog");
  core.List.Items[0].ref.slot = 999;  // an empty slot
  view.delete_enabled = true;
  ShowEntry(core, 0);
  EXPECT_EQ(view.label, "");
  EXPECT_EQ(Description(), "σκύλος");
  EXPECT_TRUE(view.delete_enabled);
}

TEST_F(ShowEntryTest, ListClickWithoutSelectionOnlyMovesTheFocus) {
  view.description_width = 0;
  view.label = "kept";
  Entries_ListClick(core);
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kEntriesList);
  EXPECT_TRUE(view.entry_focused);
  EXPECT_EQ(view.label, "kept");
  EXPECT_EQ(view.list_hint, "\r\n");
  EXPECT_EQ(core.LastShownHeadword, "");
}

TEST_F(ShowEntryTest, RowDirectionComesFromItsText) {
  // A Greek row is read from GreekIndex whatever the current direction.
  view.entry_text = W("σοφός");
  RunLookup(core, SearchMode::kStart, 0, "", false);
  SetDirection(core, Direction::kEnglish);
  ShowEntry(core, 0);
  EXPECT_EQ(Description(), "wise");
}

}  // namespace
}  // namespace zelvoran::testing
