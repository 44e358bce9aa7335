// SPDX-License-Identifier: GPL-3.0-or-later
// The copy command's choice of text, the keyboard layout and CopyInProgress around it, the
// paste command and the shortcuts.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/desktop_commands.h"
#include "tests/support/fake_desktop.h"

namespace zelvoran::testing {
namespace {

struct CopyCase {
  const char* name;
  FocusedControl tag;
  bool row_selected;
  std::string entry;
  size_t entry_sel_start, entry_sel_length;
  std::string description;
  size_t desc_sel_start, desc_sel_length;
  std::optional<std::string> copied;  // nullopt: the clipboard is unchanged
  size_t entry_sel_after, desc_sel_after;
};

const std::string kDesc = "first line\r\nsecond line";

const CopyCase kCopyCases[] = {
    {"DescriptionSelection", FocusedControl::kDescriptionText, true, "word", 0, 2, kDesc, 6, 4,
     "line", 2, 4},
    {"DescriptionWhole", FocusedControl::kDescriptionText, true, "word", 0, 0, kDesc, 0, 0, kDesc,
     0, 0},
    {"DescriptionEmpty", FocusedControl::kDescriptionText, false, "word", 0, 0, "", 0, 0,
     std::nullopt, 0, 0},
    {"ListRow", FocusedControl::kEntriesList, true, "word", 0, 4, kDesc, 0, 3, "row *", 4, 3},
    {"EntryFocusButRowSelected", FocusedControl::kEntryText, true, "word", 0, 2, kDesc, 0, 0,
     "row *", 2, 0},
    {"EntrySelection", FocusedControl::kEntryText, false, "headword", 4, 4, kDesc, 0, 0, "word", 4,
     0},
    {"EntryWhole", FocusedControl::kEntryText, false, "headword", 0, 0, kDesc, 0, 0, "headword", 0,
     0},
    {"EmptyTagEntryWhole", FocusedControl::kOther, false, "headword", 0, 0, kDesc, 0, 5, "headword",
     0, 5},
    {"EmptyEntryNothing", FocusedControl::kEntryText, false, "", 0, 0, kDesc, 0, 0, std::nullopt, 0,
     0},
    {"EmptyTagRow", FocusedControl::kOther, true, "", 0, 0, "", 0, 0, "row *", 0, 0},
};

class CopyRuleTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyRuleTest, CopiesTheChosenText) {
  const CopyCase& c = GetParam();
  DesktopHarness h;
  h.clipboard.text = "before";
  h.core.FocusedControlTag = c.tag;
  h.core.List.Add("other", RowRef{Direction::kEnglish, 3});
  h.core.List.Add("row *", RowRef{Direction::kEnglish, 4});
  if (c.row_selected) h.core.List.Selected = 1;
  h.view.entry_text = c.entry;
  h.view.entry_sel_start = c.entry_sel_start;
  h.view.entry_sel_length = c.entry_sel_length;
  h.view.description = c.description;
  h.view.desc_sel_start = c.desc_sel_start;
  h.view.desc_sel_length = c.desc_sel_length;

  Copy_ButtonClick(h.core);

  EXPECT_EQ(h.clipboard.text, c.copied.value_or("before"));
  EXPECT_EQ(h.view.entry_sel_length, c.entry_sel_after);
  EXPECT_EQ(h.view.desc_sel_length, c.desc_sel_after);
  EXPECT_EQ(h.view.entry_text, c.entry);
}

INSTANTIATE_TEST_SUITE_P(Branches, CopyRuleTest, ::testing::ValuesIn(kCopyCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

class CopyLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.core.List.Add("row", RowRef{Direction::kEnglish, 1});
    h.core.List.Selected = 0;
    h.clipboard.on_write = [this] {
      active_on_write = h.keyboard.active;
      in_progress_on_write = h.core.CopyInProgress;
    };
  }
  DesktopHarness h;
  KeyboardLayouts::Handle active_on_write = 0;
  bool in_progress_on_write = false;
};

TEST_F(CopyLayoutTest, EnglishDirectionSwitchesToGreekForTheWriteAndBack) {
  Copy_ButtonClick(h.core);
  EXPECT_EQ(active_on_write, TwoLayoutKeyboard::kGreek);
  EXPECT_TRUE(in_progress_on_write);
  EXPECT_EQ(h.keyboard.activations, (std::vector<KeyboardLayouts::Handle>{
                                        TwoLayoutKeyboard::kGreek, TwoLayoutKeyboard::kEnglish}));
  EXPECT_FALSE(h.core.CopyInProgress);
}

TEST_F(CopyLayoutTest, GreekDirectionKeepsTheGreekLayout) {
  h.core.CurrentDirection = Direction::kGreek;
  h.keyboard.active = TwoLayoutKeyboard::kGreek;
  Copy_ButtonClick(h.core);
  EXPECT_EQ(active_on_write, TwoLayoutKeyboard::kGreek);
  EXPECT_TRUE(h.keyboard.activations.empty());
  EXPECT_EQ(h.keyboard.active, TwoLayoutKeyboard::kGreek);
}

TEST_F(CopyLayoutTest, AFailedWriteLeavesTheClipboardAndRestoresLayoutAndFlag) {
  h.clipboard.text = "held";
  h.clipboard.fail_writes = true;
  Copy_ButtonClick(h.core);
  EXPECT_EQ(h.clipboard.text, "held");
  EXPECT_EQ(h.keyboard.active, TwoLayoutKeyboard::kEnglish);
  EXPECT_FALSE(h.core.CopyInProgress);
}

TEST_F(CopyLayoutTest, AFailureInsideTheCopyRestoresLayoutAndFlag) {
  h.clipboard.on_write = [] { throw std::runtime_error("clipboard held open"); };
  EXPECT_THROW(Copy_ButtonClick(h.core), std::runtime_error);
  EXPECT_EQ(h.keyboard.active, TwoLayoutKeyboard::kEnglish);
  EXPECT_FALSE(h.core.CopyInProgress);
}

TEST_F(CopyLayoutTest, MissingLayoutsLeaveTheActiveOne) {
  h.core.Layouts = {};
  Copy_ButtonClick(h.core);
  EXPECT_TRUE(h.keyboard.activations.empty());
  EXPECT_EQ(h.clipboard.text, "row");
}

TEST(PasteTest, EmptiesThenPastesAndFocusesTheEntryBox) {
  DesktopHarness h;
  h.view.SetEntryText("old");
  h.entry_changes.clear();
  h.clipboard.text = "new";
  Paste_ButtonClick(h.core);
  EXPECT_EQ(h.view.entry_text, "new");
  EXPECT_EQ(h.entry_changes, (std::vector<std::string>{"", "new"}));
  EXPECT_TRUE(h.view.entry_focused);

  h.clipboard.text.reset();
  Paste_ButtonClick(h.core);
  EXPECT_EQ(h.view.entry_text, "");
}

TEST(ShortcutTest, KeysRunTheCommandsUnlessTheControlHasABetterUse) {
  DesktopHarness h;
  h.core.List.Add("row", RowRef{Direction::kEnglish, 1});
  h.core.List.Selected = 0;
  h.view.entry_text = "headword";
  h.view.entry_sel_start = 0;
  h.view.entry_sel_length = 4;
  h.core.FocusedControlTag = FocusedControl::kEntryText;

  EXPECT_TRUE(ToolbarShortcut(h.core, ShortcutKey::kCopy, FocusedControl::kEntryText));
  EXPECT_EQ(h.clipboard.text, "head");
  EXPECT_FALSE(h.core.CopyInProgress);
  EXPECT_EQ(h.keyboard.active, TwoLayoutKeyboard::kEnglish);

  EXPECT_TRUE(ToolbarShortcut(h.core, ShortcutKey::kCopy, FocusedControl::kEntriesList));
  EXPECT_EQ(h.clipboard.text, "row");

  h.clipboard.text = "pasted";
  EXPECT_FALSE(ToolbarShortcut(h.core, ShortcutKey::kPaste, FocusedControl::kEntryText));
  EXPECT_EQ(h.view.entry_text, "headword");
  EXPECT_TRUE(ToolbarShortcut(h.core, ShortcutKey::kPaste, FocusedControl::kDescriptionText));
  EXPECT_EQ(h.view.entry_text, "pasted");

  // No printer service: the command does nothing, and the key is still taken.
  EXPECT_TRUE(ToolbarShortcut(h.core, ShortcutKey::kPrint, FocusedControl::kOther));
}

// A copy given inside a control runs the copy command's rule for that control, whatever
// control had the focus last, always with CopyInProgress raised around the write.
TEST(CopyInTextControlTest, EachControlCopiesByTheRuleUnderCopyInProgress) {
  struct Case {
    FocusedControl control;
    FocusedControl tag_before;
    size_t entry_sel_length;
    std::string copied;
    FocusedControl tag_after;
  };
  const Case cases[] = {
      {FocusedControl::kEntryText, FocusedControl::kDescriptionText, 4, "head",
       FocusedControl::kDescriptionText},
      {FocusedControl::kEntryText, FocusedControl::kEntryText, 0, "row",
       FocusedControl::kEntryText},
      {FocusedControl::kDescriptionText, FocusedControl::kEntryText, 4, "explanation",
       FocusedControl::kDescriptionText},
      {FocusedControl::kEntriesList, FocusedControl::kDescriptionText, 4, "row",
       FocusedControl::kEntriesList},
      {FocusedControl::kOther, FocusedControl::kDescriptionText, 4, "explanation",
       FocusedControl::kDescriptionText},
  };
  for (const Case& c : cases) {
    DesktopHarness h;
    h.core.List.Add("row", RowRef{Direction::kEnglish, 1});
    h.core.List.Selected = 0;
    h.view.entry_text = "headword";
    h.view.entry_sel_length = c.entry_sel_length;
    h.view.description = "explanation";
    h.core.FocusedControlTag = c.tag_before;
    bool in_progress = false;
    h.clipboard.on_write = [&] { in_progress = h.core.CopyInProgress; };
    CopyInTextControl(h.core, c.control);
    EXPECT_EQ(h.clipboard.text, c.copied) << static_cast<int>(c.control);
    EXPECT_EQ(h.core.FocusedControlTag, c.tag_after);
    EXPECT_TRUE(in_progress);
    EXPECT_FALSE(h.core.CopyInProgress);
  }
}

TEST(CopyInTextControlTest, CutCopiesOnlyASelection) {
  DesktopHarness h;
  h.clipboard.text = "before";
  h.view.entry_text = "headword";
  h.core.List.Add("row", RowRef{Direction::kEnglish, 1});
  h.core.List.Selected = 0;
  EXPECT_FALSE(CopyEntrySelectionForCut(h.core));
  EXPECT_EQ(h.clipboard.text, "before");

  h.view.entry_sel_start = 4;
  h.view.entry_sel_length = 4;
  bool in_progress = false;
  h.clipboard.on_write = [&] { in_progress = h.core.CopyInProgress; };
  EXPECT_TRUE(CopyEntrySelectionForCut(h.core));
  EXPECT_EQ(h.clipboard.text, "word");
  EXPECT_TRUE(in_progress);
  EXPECT_EQ(h.view.entry_text, "headword");  // the caller removes the selection
}

// The rule as a value, with what the command does to the selections around the write.
TEST(ChooseCopyTextTest, TextEncodingAndSelectionFollowTheFocus) {
  using F = FocusedControl;
  using S = CopySelection;
  struct Case {
    const char* name;
    CopySource source;
    std::string text;
    bool unicode;
    S selection;
  };
  const std::string said = "\xC9\x99";  // IPA schwa, UTF-8
  const Case cases[] = {
      {"DescriptionSelection",
       {F::kDescriptionText, "a\r\nb", "a", said, "row", "w", ""},
       "a",
       false,
       S::kKeep},
      {"DescriptionWithPronunciation",
       {F::kDescriptionText, "\xE1", "", said, {}, "w", ""},
       said + "\r\n\xCE\xB1",
       true,
       S::kCollapseDescription},
      {"DescriptionEmptyWithPronunciation",
       {F::kDescriptionText, "", "", said, {}, "", ""},
       said + "\r\n",
       true,
       S::kCollapseDescription},
      {"DescriptionWholeNoPronunciation",
       {F::kDescriptionText, "text", "", "", {}, "", ""},
       "text",
       false,
       S::kCollapseDescription},
      {"RowBeforeEntry",
       {F::kEntryText, "text", "", "", "row *", "word", "wo"},
       "row *",
       false,
       S::kKeep},
      {"EmptyRowIsStillTheRow", {F::kOther, "", "", "", "", "word", ""}, "", false, S::kKeep},
      {"EntrySelection", {F::kEntriesList, "", "", "", {}, "word", "or"}, "or", false, S::kKeep},
      {"EntryWhole", {F::kOther, "", "", "", {}, "word", ""}, "word", false, S::kSelectWholeEntry},
      {"NothingAtAll", {F::kEntryText, "", "", "", {}, "", ""}, "", false, S::kKeep},
  };
  for (const Case& c : cases) {
    const CopyText copy = ChooseCopyText(c.source);
    EXPECT_EQ(copy.text, c.text) << c.name;
    EXPECT_EQ(copy.unicode, c.unicode) << c.name;
    EXPECT_EQ(copy.selection, c.selection) << c.name;
  }
}

}  // namespace
}  // namespace zelvoran::testing
