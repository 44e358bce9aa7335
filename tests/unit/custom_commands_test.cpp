// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/custom_commands.h"

#include "custom/custom_store.h"
#include "custom/slot_remap.h"
#include "dictionary/entry_display.h"
#include "tests/unit/store_fixture.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

using testing::W;

class CustomCommandsTest : public testing::StoreTest {
 protected:
  void SetUp() override {
    Load();
    // The folder is known and already holds the user's English index.
    fs.Put(kEnIndex, "");
  }
  EntryDialogResult Answer(const std::string& headword, const std::string& text, int row = 0) {
    return {W(headword), row, W(text)};
  }
};

TEST_F(CustomCommandsTest, MenuOpensUnderTheButtonWithTheEnablingRule) {
  view.modify_enabled = true;
  view.delete_enabled = false;
  view.menu_choice = -1;
  EXPECT_EQ(CustomEntries_ButtonClick(core), CustomEntriesChoice::kNone);
  ASSERT_EQ(view.menus_shown.size(), 1u);
  // Client area at (100, 50) on the screen; button (60, 2, 36 x 39): just under it.
  EXPECT_EQ(view.menu_points[0], (Point{160, 91}));
  const auto& items = view.menus_shown[0];
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(Cp1253ToUtf8(items[0].caption), "Εμφάνιση Επεξεργασμένων Λημμάτων");
  EXPECT_EQ(Cp1253ToUtf8(items[1].caption), "Εισαγωγή Νέου Λήμματος");
  EXPECT_EQ(Cp1253ToUtf8(items[2].caption), "Τροποποίηση Λήμματος");
  EXPECT_EQ(Cp1253ToUtf8(items[3].caption), "Διαγραφή Λήμματος");
  EXPECT_TRUE(items[0].enabled && items[1].enabled && items[2].enabled);
  EXPECT_FALSE(items[3].enabled);

  view.menu_choice = 3;  // disabled: nothing runs
  EXPECT_EQ(CustomEntries_ButtonClick(core), CustomEntriesChoice::kNone);
  EXPECT_TRUE(boxes.questions.empty());
  view.menu_choice = 0;
  EXPECT_EQ(CustomEntries_ButtonClick(core), CustomEntriesChoice::kShowEntries);
}

TEST_F(CustomCommandsTest, InsertThroughTheMenu) {
  view.menu_choice = 1;
  dialogs.entry_answers.push_back(Answer("cattle", "βοοειδή", 2));
  core.List.Add("cat", RowRef{Direction::kEnglish, 3});
  EXPECT_EQ(CustomEntries_ButtonClick(core), CustomEntriesChoice::kInsert);
  ASSERT_EQ(dialogs.entry_setups.size(), 1u);
  const EntryDialogSetup& setup = dialogs.entry_setups[0];
  EXPECT_EQ(setup.EditMode, EditMode::kInsert);
  EXPECT_TRUE(setup.Headword.empty() && setup.Explanation.empty());
  ASSERT_EQ(setup.CategoryItems.size(), 5u);
  EXPECT_EQ(setup.CategoryItems[0], " ");
  EXPECT_EQ(Cp1253ToUtf8(setup.CategoryItems[2]), "ιατρική");
  EXPECT_EQ(English()[4], "cattle*");
  EXPECT_EQ(state.Dict.EnglishIndex.Slot(5).Category, W("ιατρ."));
  EXPECT_EQ(core.List.Count(), 0);  // the display is emptied
  EXPECT_EQ(view.busy_depth, 0);
  EXPECT_GT(view.busy_calls, 0);
}

TEST_F(CustomCommandsTest, InsertCancelledChangesNothing) {
  const auto files = fs.Files();
  InsertEntryItemClick(core);
  EXPECT_EQ(dialogs.entry_setups.size(), 1u);
  EXPECT_EQ(fs.Files(), files);
  EXPECT_EQ(view.busy_calls, 0);
}

TEST_F(CustomCommandsTest, TheEntryDialogMeetsTheStoresRefusalsWhileItIsOpen) {
  // An own English entry numbered 65535 leaves no number for another English one.
  fs.Put(kEnIndex, testing::EncodeLines({testing::UserLine(6, 65535, "zoo", 1, 3)}));
  fs.Put(kEnTexts, ShiftCodec("zoo", ShiftDirection::kEncode));
  Reload();
  InsertEntryItemClick(core);  // cancelled; the dialog was handed its check
  ASSERT_EQ(dialogs.entry_setups.size(), 1u);
  const auto accepts = dialogs.entry_setups[0].Accepts;
  ASSERT_TRUE(accepts);
  const struct {
    std::string headword;
    std::string text;
    const char* message;  // the message's beginning; empty: accepted
    bool problem;
  } cases[] = {
      {"   ", "βοοειδή", "Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή", false},
      {std::string(81, 'a'), "x", "Το λήμμα είναι πολύ μεγάλο", false},
      {"γάτος", std::string(31001, 'x'), "Η περιγραφή είναι πολύ μεγάλη", false},
      {"cattle", "βοοειδή", "Δεν υπάρχει ελεύθερος αριθμός", true},
      {" γάτος ", std::string(31000, 'x'), "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.headword.substr(0, 10));
    boxes.messages.clear();
    boxes.problems.clear();
    EXPECT_EQ(accepts(Answer(c.headword, c.text)), std::string(c.message).empty());
    const std::vector<std::string>& told = c.problem ? boxes.problems : boxes.messages;
    ASSERT_EQ(boxes.messages.size() + boxes.problems.size(),
              std::string(c.message).empty() ? 0u : 1u);
    if (!told.empty()) {
      EXPECT_EQ(told[0].rfind(c.message, 0), 0u) << told[0];
    }
  }
  // What the dialog would accept is stored.
  EXPECT_EQ(InsertCustomEntry(core, {W(" γάτος "), std::string(31000, 'x'), 0}),
            StoreOutcome::kSaved);
}

TEST_F(CustomCommandsTest, ModifyOwnEntryPrefillsWithoutMarkAndCategoryLine) {
  InsertCustomEntry(core, {"cattle", W("βοοειδή\r\nζώα"), 3});
  Reload();
  SelectEntry(false, "cattle");
  view.description = W("βοτ.\r\nβοοειδή\r\nζώα");
  dialogs.entry_answers.push_back(Answer("cattle", "αγελάδες", 3));
  ModifyEntryItemClick(core);
  ASSERT_EQ(dialogs.entry_setups.size(), 1u);
  const EntryDialogSetup& s = dialogs.entry_setups[0];
  EXPECT_EQ(s.EditMode, EditMode::kUpdate);
  EXPECT_EQ(s.Origin, Origin::kOwn);
  EXPECT_EQ(s.Headword, "cattle");
  EXPECT_EQ(s.CategoryRow, 3);
  EXPECT_EQ(Cp1253ToUtf8(s.Explanation), "βοοειδή\r\nζώα");
  EXPECT_EQ(English()[4], "cattle*");
  EXPECT_EQ(state.Dict.EnglishIndex.Slot(5).EntryNumber, 7);
  EXPECT_EQ(view.busy_depth, 0);
}

TEST_F(CustomCommandsTest, ModifyDictionaryEntryPrefills) {
  SelectEntry(false, "doctor");  // category MULTI
  dialogs.entry_answers.push_back(Answer("doctor", ""));
  ModifyEntryItemClick(core);
  ASSERT_EQ(dialogs.entry_setups.size(), 1u);
  EXPECT_EQ(dialogs.entry_setups[0].Origin, Origin::kDictionary);
  EXPECT_EQ(dialogs.entry_setups[0].CategoryRow, 0);
  EXPECT_EQ(dialogs.entry_setups[0].Explanation, "");
  EXPECT_EQ(English()[4], "doctor+");  // an empty addition

  SelectEntry(false, "doctor");
  view.description = W("γιατρός\r\n\r\n") + std::string(kAdditionLabel) + "\r\n" +
                     W("δική μου\r\nσημείωση") + "\r\n";
  dialogs.entry_answers.push_back(Answer("doctor", ""));
  ModifyEntryItemClick(core);
  EXPECT_EQ(dialogs.entry_setups[1].Origin, Origin::kAddition);
  EXPECT_EQ(Cp1253ToUtf8(dialogs.entry_setups[1].Explanation), "δική μου\r\nσημείωση");
  EXPECT_EQ(English()[4], "doctor");  // emptied: the addition is gone
}

TEST_F(CustomCommandsTest, ModifyCategoryRowFollowsTheRecord) {
  SelectEntry(false, "dog");  // ζωολ. is row 4
  ModifyEntryItemClick(core);
  ASSERT_EQ(dialogs.entry_setups.size(), 1u);
  EXPECT_EQ(dialogs.entry_setups[0].CategoryRow, 4);
  EXPECT_EQ(CategoryRowOf(state.Dict, "MULTI"), 0);
  EXPECT_EQ(CategoryRowOf(state.Dict, W("άγνωστο")), 0);
}

TEST_F(CustomCommandsTest, ModifyWithoutSelectionDoesNothing) {
  ModifyEntryItemClick(core);
  EXPECT_TRUE(dialogs.entry_setups.empty());
}

TEST_F(CustomCommandsTest, DeleteAnsweredNoChangesNothing) {
  InsertCustomEntry(core, {"cattle", "x", -1});
  Reload();
  SelectEntry(false, "cattle");
  const auto files = fs.Files();
  boxes.answer = false;
  DeleteEntryItemClick(core);
  ASSERT_EQ(boxes.questions.size(), 1u);
  EXPECT_EQ(boxes.questions[0], "Να διαγραφεί το Λήμμα; | Επιβεβαίωση Διαγραφής");
  EXPECT_EQ(fs.Files(), files);
  EXPECT_EQ(core.List.Count(), 1);
}

TEST_F(CustomCommandsTest, DeleteRemovesTheRowAndKeepsTheOthersOnTheirEntries) {
  InsertCustomEntry(core, {"cattle", "x", -1});
  Reload();
  const int cattle = SlotOf(false, "cattle");
  core.List.Clear();
  core.List.Add("cat", RowRef{Direction::kEnglish, SlotOf(false, "cat")});
  core.List.Add("cattle *", RowRef{Direction::kEnglish, cattle});
  core.List.Add("doctor", RowRef{Direction::kEnglish, SlotOf(false, "doctor")});
  core.List.Add("dog", RowRef{Direction::kEnglish, SlotOf(false, "dog")});
  core.List.Add(W("σοφός"), RowRef{Direction::kGreek,
                                   SlotOf(true, "σοφός")});  // another language: its slot stays
  core.List.Selected = 1;
  core.LastShownHeadword = "dog";
  core.LastShownIndex = SlotOf(false, "dog");
  view.description = "x";
  view.delete_enabled = true;
  DeleteEntryItemClick(core);
  EXPECT_EQ(core.List.Texts(), (std::vector<std::string>{"cat", "doctor", "dog", W("σοφός")}));
  EXPECT_EQ(core.List.Slots(), (std::vector<int32_t>{3, 5, 6, 5}));
  EXPECT_EQ(core.LastShownIndex, 6);
  EXPECT_EQ(view.description, "");
  EXPECT_FALSE(view.delete_enabled);
  EXPECT_EQ(view.busy_depth, 0);
}

TEST_F(CustomCommandsTest, RemapFollowsEntriesAndDropsVanishedOnes) {
  InsertCustomEntry(core, {"cb", "x", -1});
  Reload();
  InsertCustomEntry(core, {"aa", "y", -1});
  Reload();
  ASSERT_EQ(English(), (std::vector<std::string>{"aa*", "apple", "apple tree", "cat", "catalogue",
                                                 "cb*", "doctor", "dog"}));
  // Rows in no particular order, as a search would list them; "aa" is deleted.
  core.List.Clear();
  core.List.Add("dog", RowRef{Direction::kEnglish, 8});
  core.List.Add("aa *", RowRef{Direction::kEnglish, 1});
  core.List.Add("cb *", RowRef{Direction::kEnglish, 6});
  core.List.Add("apple", RowRef{Direction::kEnglish, 2});
  core.List.Selected = 1;
  core.LastShownHeadword = "cb";
  core.LastShownIndex = 6;
  const std::string greek_row = Utf8ToCp1253("γάτα");
  core.History.BackList = {{"aa *", {Direction::kEnglish, 1}},
                           {"cb *", {Direction::kEnglish, 6}},
                           {greek_row, {Direction::kGreek, 2}}};
  core.History.ForwardList = {{"dog", {Direction::kEnglish, 8}}};
  ASSERT_EQ(DeleteCustomEntry(core), StoreOutcome::kSaved);
  EXPECT_EQ(core.List.Texts(), (std::vector<std::string>{"dog", "cb *", "apple"}));
  EXPECT_EQ(core.List.Slots(), (std::vector<int32_t>{7, 5, 1}));
  EXPECT_EQ(core.LastShownIndex, 5);
  // The history follows its entries too: the deleted one leaves it.
  EXPECT_EQ(core.History.BackList, (std::vector<HistoryItem>{{"cb *", {Direction::kEnglish, 5}},
                                                             {greek_row, {Direction::kGreek, 2}}}));
  EXPECT_EQ(core.History.ForwardList,
            (std::vector<HistoryItem>{{"dog", {Direction::kEnglish, 7}}}));

  // A row whose entry vanished is removed, the selection follows its row, and the last shown
  // entry is dropped when it is gone.
  const IndexSnapshot before = TakeIndexSnapshot(state.Dict);
  core.List.Clear();
  core.List.Add("cb *", RowRef{Direction::kEnglish, 5});
  core.List.Add("dog", RowRef{Direction::kEnglish, 7});
  core.List.Selected = 1;
  core.LastShownHeadword = "cb";
  core.LastShownIndex = 5;
  fs.Put(kEnIndex, "");
  fs.Put(kEnTexts, "");
  Reload();
  ApplySlotRemap(core, SlotRemap(before, state.Dict));
  EXPECT_EQ(core.List.Texts(), std::vector<std::string>{"dog"});
  EXPECT_EQ(core.List.Slots(), std::vector<int32_t>{6});
  EXPECT_EQ(core.List.Selected, 0);
  EXPECT_EQ(core.LastShownIndex, 0);
  EXPECT_EQ(core.LastShownHeadword, "");
}

struct PrefillCase {
  Origin origin;
  const char* description;
  const char* category;
  const char* expected;
};

TEST(PrefillExplanationTest, Cases) {
  const std::string label = Cp1253ToUtf8(kAdditionLabel);
  const std::vector<PrefillCase> cases = {
      {Origin::kOwn, "βοτ.\r\nμηλιά", "βοτ.", "μηλιά"},
      {Origin::kOwn, "ΒΟΤ.\r\n  μηλιά", "βοτ.", "μηλιά"},  // letter case ignored, leading blanks go
      {Origin::kOwn, "  μηλιά", "", "  μηλιά"},            // no category: unchanged
      {Origin::kDictionary, "κείμενο", "", ""},
      {Origin::kAddition, "χωρίς σημείωση", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1253ToUtf8(PrefillExplanation(c.origin, W(c.description), W(c.category))),
              c.expected)
        << c.description;
  }
  // An underscore in the dictionary's text does not shift the addition.
  const std::string shown = "a_b\r\n\r\n" + label + "\r\n  note\r\nline 2\r\n";
  EXPECT_EQ(PrefillExplanation(Origin::kAddition, W(shown), ""), "  note\r\nline 2");
}

}  // namespace
}  // namespace zelvoran
