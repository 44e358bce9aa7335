// SPDX-License-Identifier: GPL-3.0-or-later
// The lookup as a question and an answer: the rows name their records by direction and slot,
// whatever their text looks like, and the window hears of each keystroke's answer once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/lookup_presenter.h"
#include "dictionary/entry_display.h"
#include "search/history.h"
#include "search/lookup_engine.h"
#include "search/lookup_index.h"
#include "tests/unit/lookup_fixture.h"

namespace zelvoran::testing {
namespace {

constexpr Direction E = Direction::kEnglish;
constexpr Direction G = Direction::kGreek;

class LookupQueryTest : public CoreFixture {
 protected:
  void SetUp() override { Load(); }

  LookupResult Ask(Direction current, SearchMode mode, const std::string& utf8,
                   const std::string& category_utf8 = "", int32_t slot = 0,
                   bool user_only = false) {
    text_ = W(utf8);
    category_ = W(category_utf8);
    LookupQuery q;
    q.direction = current;
    q.mode = mode;
    q.text = text_;
    q.slot = slot;
    q.category = category_;
    q.user_entries_only = user_only;
    q.criteria = &state.Criteria;
    return Lookup(state.Dict, CurrentLookupIndex(core), q);
  }

  std::string text_, category_;
};

struct QueryCase {
  const char* what;
  Direction current;
  SearchMode mode;
  const char* text;
  const char* category;
  int32_t slot;
  Direction answered;
  bool chosen;
  std::vector<RowRef> refs;
};

TEST_F(LookupQueryTest, RowsCarryTheirRecordPerMode) {
  const QueryCase cases[] = {
      {"English start", G, SearchMode::kStart, "cat", "", 0, E, true, {{E, 8}, {E, 9}}},
      {"Greek start", E, SearchMode::kStart, "γάτ", "", 0, G, true, {{G, 4}}},
      // A form holding "@" is contained in every text.
      {"contain",
       E,
       SearchMode::kContain,
       "ppl",
       "",
       0,
       E,
       true,
       {{E, 5}, {E, 6}, {E, 7}, {E, 12}}},
      {"end", E, SearchMode::kEnd, "ος", "", 0, G, true, {{G, 2}, {G, 5}, {G, 6}, {G, 9}}},
      // A record is named by the query's direction, not by what its headword looks like.
      {"specific Greek", G, SearchMode::kSpecific, "x", "", 9, G, false, {{G, 9}}},
      {"specific English", E, SearchMode::kSpecific, "σ", "", 9, E, false, {{E, 9}}},
      {"specific past the end", E, SearchMode::kSpecific, "x", "", 99, E, false, {}},
      {"shortcut, both indexes",
       E,
       SearchMode::kShortcut,
       "",
       "ιατρ.",
       0,
       E,
       false,
       {{E, 10}, {G, 3}, {G, 5}}},
      {"category filter", E, SearchMode::kStart, "do", "ιατρ.", 0, E, true, {{E, 10}}},
      {"empty text", G, SearchMode::kStart, "", "", 0, G, false, {}},
  };
  for (const QueryCase& c : cases) {
    const LookupResult r = Ask(c.current, c.mode, c.text, c.category, c.slot);
    std::vector<RowRef> refs;
    for (const LookupRow& row : r.rows) refs.push_back(row.ref);
    EXPECT_EQ(refs, c.refs) << c.what;
    EXPECT_EQ(r.direction, c.answered) << c.what;
    EXPECT_EQ(r.direction_chosen, c.chosen) << c.what;
    EXPECT_EQ(r.selected, c.refs.empty() ? -1 : 0) << c.what;
    for (const LookupRow& row : r.rows) {
      EXPECT_EQ(row.text, RowText(state.Dict.Index(row.ref.direction == G).Slot(row.ref.slot)))
          << c.what;
    }
  }
}

TEST_F(LookupQueryTest, MultiTakesItsDirectionFromTheCriteria) {
  state.Criteria.SearchEndText = W("ος");
  const LookupResult r = Ask(E, SearchMode::kMulti, "");
  EXPECT_EQ(r.direction, G);
  EXPECT_TRUE(r.direction_chosen);
  ASSERT_FALSE(r.rows.empty());
  for (const LookupRow& row : r.rows) EXPECT_EQ(row.ref.direction, G);
}

TEST_F(LookupQueryTest, SearchModeNamesRoundTrip) {
  for (SearchMode m : {SearchMode::kStart, SearchMode::kContain, SearchMode::kEnd,
                       SearchMode::kSpecific, SearchMode::kMulti, SearchMode::kShortcut}) {
    EXPECT_EQ(ParseSearchMode(SearchModeName(m)), m);
  }
  EXPECT_EQ(ParseSearchMode("start"), std::nullopt);
  EXPECT_EQ(ParseSearchMode(""), std::nullopt);
}

TEST_F(LookupQueryTest, ExplanationOfReadsTheRecordsOwnIndex) {
  const Explanation greek = ExplanationOf(state.Dict, fs, RowRef{G, 9}, "");
  EXPECT_EQ(Cp1253ToUtf8(greek.headword), "σοφός");
  EXPECT_EQ(greek.origin, Origin::kDictionary);
  EXPECT_EQ(greek.text, std::optional<std::string>("wise"));
  EXPECT_EQ(greek.delete_enabled, std::optional<bool>(false));
  const Explanation english = ExplanationOf(state.Dict, fs, RowRef{E, 9}, "");
  EXPECT_EQ(english.headword, "catalogue");
  // An empty slot leaves the pane and the delete item as they are.
  const Explanation empty = ExplanationOf(state.Dict, fs, RowRef{E, 999}, "");
  EXPECT_EQ(empty.origin, Origin::kNone);
  EXPECT_FALSE(empty.text.has_value());
  EXPECT_FALSE(empty.delete_enabled.has_value());
}

TEST_F(LookupQueryTest, EachKeystrokeResetsTheListOnceAndSelectsOnce) {
  for (const char* typed : {"c", "ca", "cat", "catz", "σοφ", ""}) {
    view.list_rows_changed = 0;
    view.list_selection_changed = 0;
    Type(typed);
    EXPECT_EQ(view.list_rows_changed, 1) << typed;
    EXPECT_EQ(view.list_selection_changed, 1) << typed;
  }
}

TEST(HistoryModelTest, RecordsEachEntryOnceNewestFirst) {
  HistoryModel h;
  HistoryItem last;
  h.Record(last, {"cat", {E, 8}});
  EXPECT_TRUE(h.BackList.empty());  // nothing was shown before
  h.Record(last, {"dog", {E, 11}});
  h.Record(last, {"cat", {E, 8}});
  h.Record(last, {"dog", {E, 11}});
  // The same slot in the other index is another entry.
  h.Record(last, {"xyz", {G, 8}});
  h.Record(last, {"ab", {E, 1}});
  h.Record(last, {"cat", {E, 8}});  // "ab" is too short to be recorded
  EXPECT_EQ(h.BackList,
            (std::vector<HistoryItem>{{"xyz", {G, 8}}, {"dog", {E, 11}}, {"cat", {E, 8}}}));
  EXPECT_EQ(h.Insertions, 5u);
  for (int i = 0; i < 30; ++i) h.Record(last, {"w" + std::to_string(i), {E, 100 + i}});
  EXPECT_EQ(h.BackList.size(), kBackListMax);
}

}  // namespace
}  // namespace zelvoran::testing
