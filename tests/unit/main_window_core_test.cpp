// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/anchors.h"
#include "app/commands.h"
#include "app/keyboard.h"
#include "app/main_core.h"
#include "app/toolbar.h"
#include "app/window_commands.h"
#include "platform/message_boxes.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_keyboard.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fixture_data.h"
#include "tests/support/recording_messages.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

using testing::FakeFileSystem;
using testing::FakeKeyboardLayouts;
using testing::FakeMainView;
using testing::FakeSystemFolders;
using testing::FakeSystemInfo;
using B = ToolbarButton;

using testing::RecordingMessages;

class MainWindowCore : public ::testing::Test {
 protected:
  MainWindowCore() : core(Services{fs, folders, info, &keyboard, &messages}, state, view) {
    view.on_entry_change = [this] { ++entry_changes; };
  }
  bool Raised(B b) { return view.ButtonBounds(b) == ToolbarInfo(b).raised; }
  bool AtRest(B b) { return view.ButtonBounds(b) == ToolbarInfo(b).rest; }

  FakeFileSystem fs;
  FakeSystemFolders folders;
  FakeSystemInfo info;
  FakeKeyboardLayouts keyboard;
  RecordingMessages messages;
  FakeMainView view;
  ProgramState state;
  MainCore core;
  int entry_changes = 0;
};

TEST(ToolbarTable, RaisedBoundsGrowByOnePixelAroundExceptArrowsShiftRight) {
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    const bool arrow = b.button == B::kPrevMenu || b.button == B::kNextMenu;
    EXPECT_EQ(b.raised.left, b.rest.left + (arrow ? 1 : -1)) << b.hover_number;
    EXPECT_EQ(b.raised.top, b.rest.top - 1);
    EXPECT_EQ(b.raised.width, b.rest.width + 2);
    EXPECT_EQ(b.raised.height, b.rest.height + 2);
  }
  EXPECT_EQ(ToolbarInfo(B::kPin).rest, (Rect{516, 10, 25, 22}));
  EXPECT_EQ(ToolbarInfo(B::kExit).rest, (Rect{545, 2, 45, 39}));
  EXPECT_EQ(ToolbarInfo(B::kPrevMenu).raised, (Rect{97, 1, 15, 41}));
  EXPECT_EQ(Cp1253ToUtf8(ToolbarInfo(B::kExit).hint), "Έξοδος");
  EXPECT_EQ(Cp1253ToUtf8(ToolbarInfo(B::kDescrSearch).hint),
            "Αναζήτηση στο περιεχόμενο του λεξικού");
}

TEST_F(MainWindowCore, HoverRaisesPairsAndLowersOnOtherButtons) {
  HighlightToolbarButton(core, kHoverReset);
  for (const ToolbarButtonInfo& b : ToolbarButtons()) EXPECT_TRUE(AtRest(b.button));

  view.brought_to_front.clear();
  HighlightToolbarButton(core, 2);
  EXPECT_TRUE(Raised(B::kPrev));
  EXPECT_TRUE(Raised(B::kPrevMenu));
  EXPECT_EQ(view.brought_to_front, (std::vector<B>{B::kPrev, B::kPrevMenu}));

  // Same hover number from the arrow: nothing moves again.
  view.brought_to_front.clear();
  HighlightToolbarButton(core, 2);
  EXPECT_TRUE(view.brought_to_front.empty());

  HighlightToolbarButton(core, 4);
  EXPECT_TRUE(AtRest(B::kPrev));
  EXPECT_TRUE(AtRest(B::kPrevMenu));
  EXPECT_TRUE(Raised(B::kCopy));

  HighlightToolbarButton(core, kHoverNone);
  for (const ToolbarButtonInfo& b : ToolbarButtons()) EXPECT_TRUE(AtRest(b.button));
}

TEST_F(MainWindowCore, LangButtonComesToFrontWhenLoweredOthersKeepTheirPlace) {
  HighlightToolbarButton(core, kHoverReset);
  EXPECT_EQ(view.brought_to_front, std::vector<B>{B::kLang});
  HighlightToolbarButton(core, 1);
  view.brought_to_front.clear();
  HighlightToolbarButton(core, 14);  // Lang goes to rest and to the front; Exit rises
  EXPECT_EQ(view.brought_to_front, (std::vector<B>{B::kLang, B::kExit}));
  view.brought_to_front.clear();
  HighlightToolbarButton(core, kHoverNone);
  EXPECT_TRUE(AtRest(B::kExit));
  EXPECT_TRUE(view.brought_to_front.empty());
}

TEST_F(MainWindowCore, DesignedExitButtonCountsAsRaisedUntilTheReset) {
  view.button_bounds[B::kExit] = {545, 1, 45, 39};
  HighlightToolbarButton(core, 14);  // already "raised": left as designed
  EXPECT_EQ(view.ButtonBounds(B::kExit), (Rect{545, 1, 45, 39}));
  HighlightToolbarButton(core, kHoverReset);
  EXPECT_TRUE(AtRest(B::kExit));
}

TEST(FindKeyboardLayouts, FirstGreekAndFirstEnglishWin) {
  FakeKeyboardLayouts k;
  k.layouts = {{11, "0000040X"},   // unreadable name
               {12, "00000407"},   // German
               {13, "00000408"},   // Greek: taken
               {14, "00000809"},   // English (UK): taken
               {15, "00000408"},   // a second Greek layout: ignored
               {16, "00000409"},   // a second English layout: ignored
               {17, "00010408"}};  // locale 0x10408 has no English name here
  const LayoutHandles h = FindKeyboardLayouts(k);
  EXPECT_EQ(h.GreekKeyboardLayout, 13u);
  EXPECT_EQ(h.EnglishKeyboardLayout, 14u);
  EXPECT_EQ(k.max_asked, 20);
  EXPECT_EQ(k.active, 17u);  // the scan leaves the last layout active
}

TEST(FindKeyboardLayouts, WholeNameIsTheLocaleNumber) {
  FakeKeyboardLayouts k;
  k.layouts = {{1, "00010408"}, {2, "00000409"}};
  k.languages[0x10408] = "Greek";
  const LayoutHandles h = FindKeyboardLayouts(k);
  EXPECT_EQ(h.GreekKeyboardLayout, 1u);
  EXPECT_EQ(h.EnglishKeyboardLayout, 2u);
  FakeKeyboardLayouts none;
  EXPECT_EQ(FindKeyboardLayouts(none).GreekKeyboardLayout, 0u);
}

TEST_F(MainWindowCore, LanguageSwitchTwiceReturnsToTheStart) {
  keyboard.layouts = {{1, "00000408"}, {2, "00000409"}};
  FormCreate(core);
  EXPECT_EQ(core.Layouts.GreekKeyboardLayout, 1u);
  EXPECT_EQ(keyboard.active, 2u);
  EXPECT_EQ(core.CurrentDirection, Direction::kEnglish);

  view.SetEntryText("abc");
  entry_changes = 0;
  Lang_ButtonClick(core);
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  EXPECT_TRUE(view.lang_greek);
  EXPECT_EQ(keyboard.active, 1u);
  EXPECT_EQ(view.entry_text, "");
  EXPECT_TRUE(view.entry_focused);
  EXPECT_EQ(entry_changes, 1);

  Lang_ButtonClick(core);
  EXPECT_EQ(core.CurrentDirection, Direction::kEnglish);
  EXPECT_FALSE(view.lang_greek);
  EXPECT_EQ(keyboard.active, 2u);
  EXPECT_EQ(entry_changes, 1);  // already empty: no second change event
}

TEST_F(MainWindowCore, FocusHandlersRecordTheControlAndEntrySelectsAll) {
  view.entry_text = "word";
  Entry_TextEnter(core);
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kEntryText);
  EXPECT_EQ(view.EntrySelectedText(), "word");
  Description_Text_Enter(core);
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kDescriptionText);
  ToolbarButtonClick(core, B::kCopy);  // a toolbar click keeps the record
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kDescriptionText);
  Entries_ListEnter(core);
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kEntriesList);
}

TEST_F(MainWindowCore, HeadwordLabelJustification) {
  view.char_width = 7;
  view.description_width = 70;
  struct Case {
    std::string text;
    bool left;
  };
  for (const Case& c : {Case{"", false}, Case{"abcdefghi", false}, Case{"abcdefghij", false},
                        Case{"abcdefghijk", true}}) {
    view.label = c.text;
    AlignHeadwordLabel(core);
    EXPECT_EQ(view.label_left, c.left) << c.text;
  }
}

TEST(AlignedDescriptionHeight, EndsOnTheListsBottom) {
  EXPECT_EQ(AlignedDescriptionHeight({2, 88, 211, 228}, {216, 88, 373, 228}), 228);
  EXPECT_EQ(AlignedDescriptionHeight({2, 88, 211, 212}, {216, 88, 373, 222}), 212);
  EXPECT_EQ(AlignedDescriptionHeight({2, 88, 211, 0}, {216, 90, 373, 5}), 0);
}

TEST_F(MainWindowCore, LongHeadwordTooltip) {
  core.List.Add("short", RowRef{Direction::kEnglish, 1});
  core.List.Add(std::string(40, 'w'),
                RowRef{Direction::kEnglish, 2});  // 280 pixels, wider than the list
  view.button_bounds[B::kCopy] = ToolbarInfo(B::kCopy).raised;
  Entries_ListMouseMove(core, {5, 20});
  EXPECT_EQ(view.list_hint, std::string(40, 'w'));
  EXPECT_TRUE(AtRest(B::kCopy));
  Entries_ListMouseMove(core, {5, 3});
  EXPECT_EQ(view.list_hint, "");
  view.list_hint = "x";
  Entries_ListMouseMove(core, {5, 40});  // below the last row
  EXPECT_EQ(view.list_hint, "");

  // With the explanation hidden the list's hint belongs to the entry display.
  view.list_hint = "headword\r\nexplanation";
  view.description_width = 0;
  Entries_ListMouseMove(core, {5, 20});
  EXPECT_EQ(view.list_hint, "headword\r\nexplanation");
  view.description_width = 10;
  view.description_height = 0;
  Entries_ListMouseMove(core, {5, 3});
  EXPECT_EQ(view.list_hint, "headword\r\nexplanation");
}

TEST_F(MainWindowCore, DispatchRunsPinExitAndLangAndIgnoresTheRest) {
  ToolbarButtonClick(core, B::kPin);
  EXPECT_TRUE(view.stay_on_top);
  ToolbarButtonClick(core, B::kPin);
  EXPECT_FALSE(view.stay_on_top);
  ToolbarButtonClick(core, B::kExit);
  EXPECT_EQ(view.close_calls, 1);
  ToolbarButtonClick(core, B::kLang);
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  for (B b : {B::kPrev, B::kNext, B::kPrint, B::kHelp}) ToolbarButtonClick(core, b);
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
}

TEST_F(MainWindowCore, FormShowLoadsEvenWithoutTheRulePicture) {
  fs.Put("C:\\Dict\\content\\orangeline.bmp", "BM");
  testing::WriteData(fs, "C:\\Dict\\", testing::SmallDataSet());
  FormCreate(core);
  view.line_picture_loads = false;
  view.button_bounds[B::kExit] = {545, 1, 45, 39};
  core.List.Add("stale", RowRef{Direction::kEnglish, 9});
  FormShow(core);
  EXPECT_EQ(view.line_picture_path, "C:\\Dict\\content\\orangeline.bmp");
  EXPECT_EQ(view.window_width, 602);
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 6);
  EXPECT_EQ(state.CurrentSearchMode, SearchMode::kStart);
  EXPECT_EQ(core.List.Count(), 0);
  EXPECT_EQ(view.busy_depth, 0);
  EXPECT_TRUE(messages.problems.empty());
}

TEST_F(MainWindowCore, RejectedProfileIsShownAsAProblem) {
  fs.Put("C:\\Dict\\data\\ZelvoranProfile.txt", "english-headwords=abc\r\n");
  FormCreate(core);
  FormShow(core);
  ASSERT_EQ(messages.problems.size(), 1u);
  EXPECT_EQ(messages.problems[0], state.DataProblem);
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 0);
  EXPECT_EQ(state.CurrentSearchMode, SearchMode::kStart);
}

TEST(GetWindowsVersionCode, Table) {
  struct Case {
    int platform, major, minor;
    const char* sp;
    int code;
  };
  const Case cases[] = {
      {1, 4, 0, "", 1},  {1, 4, 10, " A", 3}, {1, 4, 10, "A", 2}, {1, 4, 10, " B", 2},
      {1, 4, 90, "", 5}, {1, 4, 20, "", 0},   {1, 5, 0, "", 0},   {2, 3, 51, "", 4},
      {2, 4, 0, "", 4},  {2, 5, 0, "", 6},    {2, 5, 1, "", 7},   {2, 5, 2, "", 0},
      {2, 6, 3, "", 8},  {2, 10, 0, "", 0},   {3, 6, 0, "", 0},
  };
  for (const Case& c : cases) {
    FakeSystemInfo info;
    info.version = OsVersion{c.platform, c.major, c.minor, c.sp};
    EXPECT_EQ(GetWindowsVersionCode(info), c.code)
        << c.platform << " " << c.major << "." << c.minor << " '" << c.sp << "'";
  }
  EXPECT_EQ(GetWindowsVersionCode(FakeSystemInfo{}), 0);
}

TEST(AnchoredBounds, FollowsTheAnchoredEdges) {
  const Size design{592, 338};
  const Size bigger{700, 400};  // +108, +62
  EXPECT_EQ(AnchoredBounds({216, 88, 373, 228}, kAnchorAll, design, bigger),
            (Rect{216, 88, 481, 290}));
  EXPECT_EQ(AnchoredBounds({452, 318, 21, 18}, kAnchorRight | kAnchorBottom, design, bigger),
            (Rect{560, 380, 21, 18}));
  EXPECT_EQ(AnchoredBounds({4, 320, 60, 13}, kAnchorLeft | kAnchorBottom, design, bigger),
            (Rect{4, 382, 60, 13}));
  EXPECT_EQ(AnchoredBounds({2, 47, 211, 35}, 0, design, bigger), (Rect{2, 47, 211, 35}));
  // Shrinking never gives a negative size.
  EXPECT_EQ(AnchoredBounds({216, 88, 373, 228}, kAnchorAll, design, {200, 100}),
            (Rect{216, 88, 0, 0}));
}

TEST(WholeRowsHeight, RoundsDownToRows) {
  EXPECT_EQ(WholeRowsHeight(228, 16, 2), 228);
  EXPECT_EQ(WholeRowsHeight(243, 16, 2), 228);
  EXPECT_EQ(WholeRowsHeight(244, 16, 2), 244);
  EXPECT_EQ(WholeRowsHeight(10, 16, 2), 4);
  EXPECT_EQ(WholeRowsHeight(-5, 16, 2), 0);
}

}  // namespace
}  // namespace zelvoran
