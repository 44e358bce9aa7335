// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/entry_presenter.h"
#include "app/lookup_presenter.h"
#include "dictionary/entry_display.h"
#include "search/history.h"
#include "search/lookup_engine.h"
#include "search/word_forms_step.h"
#include "tests/unit/lookup_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

class FakeLayouts final : public KeyboardLayouts {
 public:
  std::vector<Handle> List(int) override { return {1, 2}; }
  bool Activate(Handle h) override {
    active = h;
    return true;
  }
  std::string ActiveLayoutName() override { return active == 1 ? "00000408" : "00000409"; }
  std::optional<std::string> EnglishLanguageName(uint32_t locale) override {
    return locale == 0x408 ? "Greek" : "English";
  }
  Handle active = 0;
};

class EntryBoxTest : public CoreFixture {
 protected:
  void SetUp() override { Load(); }
};

TEST_F(EntryBoxTest, TypingAHeadwordShowsItAtOnce) {
  Type("cat");
  EXPECT_EQ(Rows(), (Strings{"cat", "catalogue"}));
  EXPECT_EQ(core.List.Selected, 0);
  EXPECT_EQ(Label(), "cat");
  EXPECT_EQ(Description(), "γάτα");
  EXPECT_TRUE(view.modify_enabled);
  EXPECT_FALSE(view.delete_enabled);
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kOther);  // the focus stays in the entry box
}

TEST_F(EntryBoxTest, ShownOnlyWhenTheTypedTextIsTheFirstRowsKey) {
  struct Case {
    const char* typed;
    const char* shown;  // empty: listed only
  } cases[] = {
      {"ca", ""},           {"CAT ", "cat"},  // case and surrounding blanks
      {"apple tree", ""},                     // its key has no blank
      {"appletree", ""},                      // listed by shortening to "apple", whose key differs
      {"Ά ρ-θρο", "άρθρο"},                   // Greek: folded key against folded key
      {"ΑΡΘΡΟ", "άρθρο"},   {"θεοσ", "ΘΕΟΣ"},
      {"θεος", "θεός"},     {"catx", ""},  // shortened to "cat": the typed text is not its key
  };
  for (const Case& c : cases) {
    Type(c.typed);
    EXPECT_FALSE(core.List.Items.empty()) << c.typed;
    EXPECT_EQ(Label(), c.shown) << c.typed;
    // No entry is shown for a text that is no key; suggestions may be offered.
    const bool entry_shown =
        !view.description.empty() && !view.description.starts_with(kSuggestionsHeading);
    EXPECT_EQ(entry_shown, !std::string(c.shown).empty()) << c.typed;
  }
}

TEST_F(EntryBoxTest, EmptyingTheBoxClearsEverythingAndTheForwardHistory) {
  Type("cat");
  core.History.ForwardList.push_back({"dog", {Direction::kEnglish, 11}});
  Type("");
  EXPECT_TRUE(core.List.Items.empty());
  EXPECT_EQ(core.List.Selected, -1);
  EXPECT_EQ(view.label, "");
  EXPECT_EQ(view.description, "");
  EXPECT_TRUE(core.History.ForwardList.empty());
}

TEST_F(EntryBoxTest, GreekFirstLetterSwitchesDirectionPictureAndLayout) {
  FakeLayouts layouts;
  core.svc.keyboard = &layouts;
  core.Layouts = FindKeyboardLayouts(layouts);
  Type("cat");
  EXPECT_EQ(layouts.active, 2u);
  Type("γ");
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  EXPECT_TRUE(view.lang_greek);
  EXPECT_EQ(layouts.active, 1u);
  EXPECT_EQ(Rows(), (Strings{"γάτα", "γιατρός"}));
  Type("d");
  EXPECT_FALSE(view.lang_greek);
  EXPECT_EQ(layouts.active, 2u);
}

TEST_F(EntryBoxTest, ListKeysMoveTheSelectionAndShow) {
  view.list_height = 48;  // a page of 3 rows
  struct Case {
    int from;
    ListKey key;
    int to;  // -2: nothing happens
  } cases[] = {
      {-1, ListKey::kDown, 0},    {0, ListKey::kDown, 1},      {6, ListKey::kDown, -2},
      {0, ListKey::kUp, -2},      {-1, ListKey::kUp, -2},      {4, ListKey::kUp, 3},
      {5, ListKey::kPageUp, 2},   {3, ListKey::kPageUp, 0},    {2, ListKey::kPageUp, 0},
      {0, ListKey::kPageUp, -2},  {1, ListKey::kPageDown, 4},  {4, ListKey::kPageDown, 6},
      {3, ListKey::kPageDown, 6}, {6, ListKey::kPageDown, -2},
  };
  for (const Case& c : cases) {
    Type("a");  // seven rows: abc .. Apple-pie
    ASSERT_EQ(core.List.Count(), 7);
    core.List.Selected = c.from;
    view.label.clear();
    view.list_focused = view.entry_focused = false;
    Entry_TextKeyDown(core, c.key);
    if (c.to == -2) {
      EXPECT_EQ(core.List.Selected, c.from);
      EXPECT_EQ(view.label, "");
      EXPECT_FALSE(view.entry_focused);
    } else {
      EXPECT_EQ(core.List.Selected, c.to) << c.from;
      EXPECT_EQ(view.label, core.List.Items[static_cast<size_t>(c.to)].text);
      EXPECT_TRUE(view.entry_focused);  // the click gives the focus back to the box
      EXPECT_EQ(core.FocusedControlTag, FocusedControl::kEntriesList);
    }
  }
}

TEST_F(EntryBoxTest, EnterRefillsAndShowsNothing) {
  Type("cat");
  core.History.ForwardList.push_back({"dog", {Direction::kEnglish, 11}});
  Fill_List_ButtonClick(core);
  EXPECT_EQ(Rows(), (Strings{"cat", "catalogue"}));
  EXPECT_EQ(core.List.Selected, 0);
  EXPECT_EQ(view.label, "");
  EXPECT_EQ(view.description, "");
  EXPECT_TRUE(core.History.ForwardList.empty());
}

TEST_F(EntryBoxTest, WritesUnderSuppressEntryChangeRunNoLookup) {
  Type("cat");
  {
    SuppressEntryChangeScope quiet(core);
    view.SetEntryText("dog");
  }
  EXPECT_FALSE(core.SuppressEntryChange);
  EXPECT_EQ(Rows(), (Strings{"cat", "catalogue"}));
}

TEST_F(EntryBoxTest, DoubleClickedWordIsTrimmedAndLookedUp) {
  struct Case {
    const char* selected;
    const char* entry;
  } cases[] = {
      {"(λέξη),", "λέξη"}, {"e-mail", "e-mail"}, {"123abc", "abc"},
      {"ναϊσκος", "να"},   {"...!?", ""},        {"«γάτα»", "γάτα"},
  };
  for (const Case& c : cases) {
    view.entry_text = "x";
    Description_TextDblClick(core, W(c.selected));
    EXPECT_EQ(Cp1253ToUtf8(view.entry_text), c.entry) << c.selected;
  }
  Description_TextDblClick(core, W("γάτα"));
  EXPECT_EQ(Label(), "γάτα");
  EXPECT_EQ(Description(), "cat");
  view.entry_text = "keep";
  Description_TextDblClick(core, "");  // an empty selection changes nothing
  EXPECT_EQ(view.entry_text, "keep");
}

}  // namespace
}  // namespace zelvoran::testing
