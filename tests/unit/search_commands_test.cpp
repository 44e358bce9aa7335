// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_commands.h"

#include <gtest/gtest.h>

#include "app/main_core.h"
#include "app/search_commands.h"
#include "search/search_dialogs.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

TEST(DecideSearch, FollowsTheFilledFields) {
  struct Case {
    const char* start;
    const char* contain;
    const char* end;
    const char* category;
    SearchAction expected;
  } cases[] = {
      {"", "", "", "", SearchAction::kNothing},
      {"ab", "", "", "", SearchAction::kStart},
      {"ab", "", "", "f1.", SearchAction::kStart},
      {"", "ab", "", "", SearchAction::kContain},
      {"", "", "ab", "f1.", SearchAction::kEnd},
      {"", "", "", "f1.", SearchAction::kShortcut},
      {"ab", "", "yz", "", SearchAction::kMulti},
      {"", "c", "yz", "f1.", SearchAction::kMulti},
      {"a", "b", "c", "", SearchAction::kMulti},
      {"   ", "", "", "", SearchAction::kStart},  // blanks count as filled
      {" ", " ", "", "", SearchAction::kMulti},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideSearch(c.start, c.contain, c.end, c.category), c.expected)
        << "'" << c.start << "' '" << c.contain << "' '" << c.end << "' '" << c.category << "'";
  }
}

Dictionary WithAbbreviations(int fields, int others) {
  Dictionary d;
  d.AbbreviationTable.assign(1, {});
  for (int i = 0; i < fields + others; ++i) {
    AbbreviationRecord r;
    r.Abbreviation = "a" + std::to_string(i);
    r.Meaning = "meaning " + std::to_string(i);
    r.IsSubjectField = i % 2 == 0 && i / 2 < fields;
    d.AbbreviationTable.push_back(r);
  }
  return d;
}

TEST(CategoryCodes, SubjectFieldsInTableOrderAtMostTwoHundred) {
  const Dictionary few = WithAbbreviations(3, 3);
  const SubjectFieldList list = CategoryCodesOf(few);
  EXPECT_EQ(list.codes, (std::vector<std::string>{"", "a0", "a2", "a4"}));
  EXPECT_EQ(list.meanings[2], "meaning 2");
  const SubjectFieldList many = CategoryCodesOf(WithAbbreviations(230, 230));
  EXPECT_EQ(many.codes.size(), 201u);
  EXPECT_EQ(many.codes.back(), "a398");
  EXPECT_EQ(CategoryCodesOf(Dictionary{}).codes.size(), 1u);
}

TEST(ShortCutRows, ShowTheProfilesCountInTableOrder) {
  Dictionary d = WithAbbreviations(2, 2);
  d.Profile.counts.abbreviations = 4;
  const auto rows = ShortCutRowsOf(d);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"a0", "meaning 0"}));
  EXPECT_EQ(rows[3].first, "a3");
  Dictionary empty;  // no abbreviation file: the designed rows, empty
  EXPECT_EQ(ShortCutRowsOf(empty).size(), 236u);
  EXPECT_TRUE(ShortCutRowsOf(empty)[0].first.empty());
}

class FakeDialogs : public SearchDialogs {
 public:
  std::optional<SearchFormResult> result;
  std::vector<std::string> offered;
  std::vector<std::pair<std::string, std::string>> shortcut_rows;
  std::optional<std::string> RunMessageForm() override { return std::nullopt; }
  std::optional<SearchFormResult> RunSearchForm(const std::vector<std::string>& fields) override {
    offered = fields;
    return result;
  }
  void RunShortCutsForm(const std::vector<std::pair<std::string, std::string>>& rows) override {
    shortcut_rows = rows;
  }
};

class SearchButtonTest : public ::testing::Test {
 protected:
  SearchButtonTest() : core({fs, folders, info}, state, view) {
    state.Dict = WithAbbreviations(3, 3);
    core.search_dialogs = &dialogs;
    view.on_entry_change = [this] {
      if (!core.SuppressEntryChange) ++lookups;
    };
  }
  testing::FakeFileSystem fs;
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  testing::FakeMainView view;
  ProgramState state;
  MainCore core;
  FakeDialogs dialogs;
  int lookups = 0;
};

TEST_F(SearchButtonTest, CancelChangesNothing) {
  view.entry_text = "typed";
  core.List.Add("row", RowRef{Direction::kEnglish, 1});
  Search_ButtonClick(core);
  EXPECT_EQ(view.entry_text, "typed");
  EXPECT_EQ(core.List.Count(), 1);
  EXPECT_EQ(lookups, 0);
  EXPECT_EQ(dialogs.offered, (std::vector<std::string>{"", "meaning 0", "meaning 2", "meaning 4"}));
  EXPECT_TRUE(view.entry_focused);
  EXPECT_EQ(view.busy_depth, 0);
}

TEST_F(SearchButtonTest, ConfirmedStoresCriteriaAndWritesTheEntryBox) {
  struct Case {
    SearchFormResult form;
    std::string entry_after;
    std::string category;
  } cases[] = {
      {{"ab", "", "", 0}, "ab", ""},   {{"", "xy", "", 2}, "xy", "a2"},
      {{"", "", "end", 0}, "end", ""}, {{"", "", "", 3}, "", "a4"},
      {{"ar", "", "si", 1}, "", "a0"}, {{"", "", "", 0}, "", ""},
  };
  for (const Case& c : cases) {
    view.entry_text = "before";
    lookups = 0;
    dialogs.result = c.form;
    Search_ButtonClick(core);
    EXPECT_EQ(view.entry_text, c.entry_after) << c.form.StartText << c.form.ContainText;
    EXPECT_EQ(lookups, 1);  // only emptying the box ran the incremental lookup
    EXPECT_EQ(state.Criteria.SearchStartText, c.form.StartText);
    EXPECT_EQ(state.Criteria.SearchContainText, c.form.ContainText);
    EXPECT_EQ(state.Criteria.SearchEndText, c.form.EndText);
    EXPECT_EQ(state.Criteria.SearchCategory, c.category);
    EXPECT_FALSE(core.SuppressEntryChange);
    EXPECT_EQ(view.busy_depth, 0);
  }
}

TEST_F(SearchButtonTest, AbbreviationsWindowGetsTheTableRows) {
  state.Dict.Profile.counts.abbreviations = 4;
  ShortCuts_ButtonClick(core);
  ASSERT_EQ(dialogs.shortcut_rows.size(), 4u);
  EXPECT_EQ(dialogs.shortcut_rows[1].first, "a1");
  EXPECT_TRUE(view.entry_focused);
}

TEST(SearchRequest, CriteriaAndTheEntryBoxTextFollowTheDialog) {
  SubjectFieldList fields;
  fields.codes = {"", "zool.", "bot."};
  fields.meanings = {"", "zoology", "botany"};
  struct Case {
    SearchFormResult form;
    std::string category;
    SearchAction action;
    std::optional<std::string> entry;
  };
  const Case cases[] = {
      {{"ab", "", "", 0}, "", SearchAction::kStart, "ab"},
      {{"", " c ", "", 2}, "bot.", SearchAction::kContain, " c "},
      {{"", "", "z", 1}, "zool.", SearchAction::kEnd, "z"},
      {{"a", "", "z", 0}, "", SearchAction::kMulti, ""},
      {{"", "", "", 1}, "zool.", SearchAction::kShortcut, std::nullopt},
      {{"", "", "", 3}, "", SearchAction::kNothing, std::nullopt},  // outside the list
      {{"", "", "", -1}, "", SearchAction::kNothing, std::nullopt},
  };
  for (const Case& c : cases) {
    const SearchRequest r = SearchRequestOf(c.form, fields);
    EXPECT_EQ(r.start, c.form.StartText);
    EXPECT_EQ(r.contain, c.form.ContainText);
    EXPECT_EQ(r.end, c.form.EndText);
    EXPECT_EQ(r.category, c.category) << c.form.CategoryIndex;
    EXPECT_EQ(r.action, c.action) << c.form.CategoryIndex;
    EXPECT_EQ(SearchEntryText(r), c.entry) << c.form.CategoryIndex;
  }
}

}  // namespace
}  // namespace zelvoran
