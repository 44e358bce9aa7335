// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/entry_presenter.h"
#include "app/history_commands.h"
#include "app/lookup_presenter.h"

#include "dictionary/entry_display.h"
#include "search/lookup_engine.h"
#include "tests/unit/lookup_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

// English entries "e01" .. "e20", then "ox" (a row text too short to be recorded), and one
// Greek entry "λέξη".
dictc::DataSet HistoryDataSet() {
  dictc::DataSet d = LookupDataSet();
  d.English.clear();
  for (int i = 1; i <= 20; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "e%02d", i);
    d.English.push_back(Entry(name, std::string("text ") + name));
  }
  d.English.push_back(Entry("ox", "βόδι"));
  d.Greek = {Entry("λέξη", "word")};
  return d;
}

class HistoryTest : public CoreFixture {
 protected:
  void SetUp() override { Load(HistoryDataSet()); }
  Strings Captions(const std::vector<HistoryItem>& list) const {
    Strings out;
    for (const HistoryItem& i : list) out.push_back(Cp1253ToUtf8(i.Caption));
    return out;
  }
  Strings Back() const { return Captions(core.History.BackList); }
  Strings Forward() const { return Captions(core.History.ForwardList); }
};

TEST_F(HistoryTest, BackAndForwardWalkThroughShownEntries) {
  Type("e01");
  Type("e02");
  Type("e03");
  EXPECT_EQ(Label(), "e03");
  EXPECT_EQ(Back(), (Strings{"e02", "e01"}));
  Prev_ButtonClick(core);
  EXPECT_EQ(Label(), "e02");
  EXPECT_EQ(Forward(), (Strings{"e03"}));
  EXPECT_EQ(Back(), (Strings{"e01"}));
  Prev_ButtonClick(core);
  EXPECT_EQ(Label(), "e01");
  EXPECT_EQ(Forward(), (Strings{"e02", "e03"}));
  EXPECT_EQ(Back(), Strings{});
  Prev_ButtonClick(core);  // nothing to go back to
  EXPECT_EQ(Label(), "e01");
  Next_ButtonClick(core);
  EXPECT_EQ(Label(), "e02");
  EXPECT_EQ(Forward(), (Strings{"e03"}));
  EXPECT_EQ(Back(), (Strings{"e01"}));
  EXPECT_EQ(Rows(), (Strings{"e02"}));  // a step lists its one entry
  EXPECT_EQ(view.entry_text, "e02");
  Next_ButtonClick(core);
  Next_ButtonClick(core);  // nothing left forward
  EXPECT_EQ(Label(), "e03");
  EXPECT_EQ(Back(), (Strings{"e02", "e01"}));
}

TEST_F(HistoryTest, TypingOrEnterAfterStepsBackEmptiesForward) {
  Type("e01");
  Type("e02");
  Prev_ButtonClick(core);
  ASSERT_EQ(Forward(), (Strings{"e02"}));
  Type("e0");
  EXPECT_TRUE(Forward().empty());
  Type("e02");
  Prev_ButtonClick(core);
  ASSERT_FALSE(Forward().empty());
  Fill_List_ButtonClick(core);
  EXPECT_TRUE(Forward().empty());
}

TEST_F(HistoryTest, BackListKeepsFifteenAndEachSlotOnce) {
  for (int i = 1; i <= 17; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "e%02d", i);
    Type(name);
  }
  ASSERT_EQ(core.History.BackList.size(), kBackListMax);
  EXPECT_EQ(Back().front(), "e16");
  EXPECT_EQ(Back().back(), "e02");
  // Shown again: it stays where it is while on screen, then moves to the front.
  Type("e10");
  EXPECT_EQ(Back()[0], "e17");
  EXPECT_EQ(Back()[7], "e10");
  Type("e11");
  EXPECT_EQ(Back()[0], "e10");
  const Strings back = Back();
  EXPECT_EQ(std::count(back.begin(), back.end(), "e10"), 1);
  // The same entry twice in a row heads BackList while still on screen.
  Type("e1");
  Type("e11");
  EXPECT_EQ(Back()[0], "e11");
  EXPECT_EQ(Label(), "e11");
}

TEST_F(HistoryTest, ChoosingFromPrevMenuKeepsTheItemsBeforeIt) {
  for (const char* w : {"e01", "e02", "e03", "e04", "e05"}) Type(w);
  Prev_ButtonClick(core);  // e04 shown; forward: e05
  ASSERT_EQ(Back(), (Strings{"e03", "e02", "e01"}));
  view.menu_choice = 2;
  PrevMenu_ButtonClick(core);
  EXPECT_EQ(Label(), "e01");
  EXPECT_EQ(Back(), (Strings{"e04", "e03", "e02"}));
  EXPECT_TRUE(Forward().empty());
  ASSERT_EQ(view.menus_shown.size(), 1u);
  EXPECT_EQ(view.menus_shown[0].size(), 3u);
  EXPECT_EQ(view.menus_shown[0][2].caption, "e01");
  // Client area at (100, 50) on the screen, button at (60, 2) 36 x 39: just under the button.
  EXPECT_EQ(view.menu_points[0], (Point{160, 91}));
}

TEST_F(HistoryTest, ChoosingFromNextMenuDropsTheWholeForwardList) {
  for (const char* w : {"e01", "e02", "e03", "e04"}) Type(w);
  Prev_ButtonClick(core);
  Prev_ButtonClick(core);
  Prev_ButtonClick(core);
  ASSERT_EQ(Forward(), (Strings{"e02", "e03", "e04"}));
  view.menu_choice = 1;
  NextMenu_ButtonClick(core);
  EXPECT_EQ(Label(), "e03");
  EXPECT_TRUE(Forward().empty());
  EXPECT_EQ(Back(), (Strings{"e01"}));
  view.menu_choice = -1;  // dismissed
  NextMenu_ButtonClick(core);
  EXPECT_TRUE(view.menus_shown.back().empty());  // an empty menu still opens
  EXPECT_EQ(Label(), "e03");
  PrevMenuClick(core, 7);  // out of range: nothing
  EXPECT_EQ(Label(), "e03");
}

TEST_F(HistoryTest, BackOnAUserEntryShowsTheHeadwordWithoutTheMark) {
  fs.Put(state.Paths.CustomEnglishTextsPath, ShiftCodec("mine", ShiftDirection::kEncode));
  fs.Put(state.Paths.CustomEnglishIndexPath,
         EncodeUserLines({UserIndexLineText(3, 9001, "e03x", 1, 4)}));
  ReloadHeadwordIndexes(fs, state);
  Type("e03x");
  ASSERT_EQ(Label(), "e03x");
  Type("e05");
  int lookups = 0;
  view.on_entry_change = [&] { lookups += core.SuppressEntryChange ? 0 : 1; };
  Prev_ButtonClick(core);
  EXPECT_EQ(lookups, 0);
  EXPECT_EQ(view.entry_text, "e03x");
  EXPECT_EQ(Rows(), (Strings{"e03x *"}));
  EXPECT_EQ(Forward(), (Strings{"e05"}));
  Next_ButtonClick(core);
  EXPECT_EQ(Back(), (Strings{"e03x *"}));
}

TEST_F(HistoryTest, StepsFollowTheCaptionsDirection) {
  Type("λέξη");
  Type("e01");
  Prev_ButtonClick(core);
  EXPECT_EQ(Label(), "λέξη");
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  Next_ButtonClick(core);
  EXPECT_EQ(Label(), "e01");
  EXPECT_EQ(core.CurrentDirection, Direction::kEnglish);
}

TEST_F(HistoryTest, BackFromAnUnrecordedEntryLosesOnlyTheTarget) {
  Type("e01");
  Type("e02");
  Type("ox");  // two characters: never recorded
  ASSERT_EQ(Back(), (Strings{"e02", "e01"}));
  Prev_ButtonClick(core);
  EXPECT_EQ(Label(), "e02");
  EXPECT_EQ(Back(), (Strings{"e01"}));
  EXPECT_EQ(Forward(), (Strings{"ox"}));
  Next_ButtonClick(core);
  EXPECT_EQ(Label(), "ox");
  EXPECT_EQ(Back(), (Strings{"e02", "e01"}));
}

TEST_F(HistoryTest, NothingShownYetGivesForwardNothing) {
  core.History.BackList = {{"e04", {Direction::kEnglish, 4}}, {"e01", {Direction::kEnglish, 1}}};
  Prev_ButtonClick(core);
  EXPECT_EQ(Label(), "e04");
  EXPECT_EQ(Back(), (Strings{"e01"}));
  EXPECT_TRUE(Forward().empty());
}

TEST_F(HistoryTest, TheSameSlotInTheOtherDirectionIsAnotherEntry) {
  // λέξη and e01 share slot 1: both are listed, and each step shows its own entry.
  Type("e01");
  Type("e02");
  Type("λέξη");
  Type("e03");
  EXPECT_EQ(Back(), (Strings{"λέξη", "e02", "e01"}));
  Prev_ButtonClick(core);
  EXPECT_EQ(Label(), "λέξη");
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  EXPECT_EQ(Back(), (Strings{"e02", "e01"}));
  EXPECT_EQ(Forward(), (Strings{"e03"}));
  // Showing e01 again moves its own item to the front, and leaves λέξη's alone.
  Type("e01");
  Type("e04");
  EXPECT_EQ(Back(), (Strings{"e01", "λέξη", "e02"}));
  view.menu_choice = 1;
  PrevMenu_ButtonClick(core);
  EXPECT_EQ(Label(), "λέξη");
  EXPECT_EQ(Back(), (Strings{"e04", "e01", "e02"}));
}

TEST_F(HistoryTest, AGreekHeadwordThatBeginsWithADigitStepsBackToItself) {
  dictc::DataSet data = HistoryDataSet();
  data.Greek = {Entry("26 Δεκεμβρίου", "December 26"), Entry("λέξη", "word")};
  Load(data);
  const HeadwordIndex& greek = state.Dict.GreekIndex;
  int32_t slot = 0;
  for (int s = 1; s <= greek.Count(); ++s) {
    if (greek.Slot(s).Headword == W("26 Δεκεμβρίου")) slot = s;
  }
  ASSERT_GT(slot, 0);
  ASSERT_GT(state.Dict.EnglishIndex.Count(), slot);  // an English entry at the same slot
  // Shown from a list, as a search lists it: its text is Greek by its first letter.
  core.List.Clear();
  core.List.Add(W("26 Δεκεμβρίου"), RowRef{Direction::kGreek, slot});
  core.List.Selected = 0;
  Entries_ListClick(core);
  ASSERT_EQ(Label(), "26 Δεκεμβρίου");
  Type("e10");
  Prev_ButtonClick(core);
  EXPECT_EQ(Label(), "26 Δεκεμβρίου");
  EXPECT_EQ(Description(), "December 26");
  EXPECT_EQ(Rows(), (Strings{"26 Δεκεμβρίου"}));
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  EXPECT_EQ(Forward(), (Strings{"e10"}));
  // And forward again to the English entry.
  Next_ButtonClick(core);
  EXPECT_EQ(Label(), "e10");
  EXPECT_EQ(core.CurrentDirection, Direction::kEnglish);
  ASSERT_EQ(core.History.BackList.size(), 1u);
  EXPECT_EQ(core.History.BackList[0], (HistoryItem{W("26 Δεκεμβρίου"), {Direction::kGreek, slot}}));
}

}  // namespace
}  // namespace zelvoran::testing
