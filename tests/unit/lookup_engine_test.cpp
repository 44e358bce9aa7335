// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/lookup_engine.h"
#include "app/lookup_presenter.h"

#include "dictionary/field_codec.h"
#include "search/lookup_index.h"
#include "tests/unit/lookup_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

class LookupEngineTest : public CoreFixture {
 protected:
  void SetUp() override { Load(); }
  // The entry box holds `utf8` (written without a lookup), then RunLookup runs.
  Strings Lookup(const std::string& mode, const std::string& utf8,
                 const std::string& category_utf8 = "", int32_t slot = 0) {
    view.entry_text = W(utf8);
    RunLookup(core, *ParseSearchMode(mode), slot, W(category_utf8), false);
    EXPECT_EQ(core.List.Items.size(), core.List.Items.size());
    return Rows();
  }
  // English: an addition to cat (entry 8) and two own entries, "cats" after cat (so doctor
  // moves from slot 10 to 11) and "mine" after mail@home; Greek: one own entry after γάτα.
  void AddUserEntries() {
    fs.Put(state.Paths.CustomEnglishTextsPath,
           ShiftCodec("own text", ShiftDirection::kEncode) +
               ShiftCodec("added", ShiftDirection::kEncode) +
               ShiftCodec("mine text", ShiftDirection::kEncode));
    fs.Put(state.Paths.CustomEnglishIndexPath,
           EncodeUserLines({UserIndexLineText(8, 8, "", 9, 5),
                            UserIndexLineText(8, 9001, "cats", 1, 8, W("ιατρ.")),
                            UserIndexLineText(12, 9002, "mine", 14, 9)}));
    fs.Put(state.Paths.CustomGreekTextsPath, ShiftCodec("own", ShiftDirection::kEncode));
    fs.Put(state.Paths.CustomGreekIndexPath,
           EncodeUserLines({UserIndexLineText(4, 9100, W("δικό μου"), 1, 3)}));
    ReloadHeadwordIndexes(fs, state);
  }
};

struct StartCase {
  const char* typed;
  Strings rows;
};

TEST_F(LookupEngineTest, StartModeShortensTheKeyUntilSomethingMatches) {
  const StartCase cases[] = {
      {"abcq", {"abc", "abcd", "abcdef"}},
      {"abcdeq", {"abcdef"}},
      {"azzz", {"abc", "abcd", "abcdef", "abd", "apple", "apple tree", "Apple-pie"}},
      {"APPLE", {"apple", "apple tree", "Apple-pie"}},  // A-Z only is folded
      {"apple-", {"Apple-pie"}},                        // punctuation must match
      {"apple t", {"apple tree"}},                      // and so must blanks
      {"  cat  ", {"cat", "catalogue"}},                // the text is trimmed
      {"new y", {"New York"}},
      {"zzz", {}},  // no start for z in this data: slot 1, and nothing begins with z
      {"Ά ρ-θρο", {"άρθρο", "αρθρογράφος"}},  // accents, capitals, blanks, punctuation ignored
      {"αρθρο", {"άρθρο", "αρθρογράφος"}},
      {"ΘΕΟΣ", {"ΘΕΟΣ"}},  // capital sigma folds to σ, final ς stays different
      {"θεός", {"θεός"}},
      {"θεόξ", {"θεός", "ΘΕΟΣ"}},  // shortened to θεο
      {"ω", {}},
  };
  for (const StartCase& c : cases) {
    EXPECT_EQ(Lookup("START", c.typed), c.rows) << c.typed;
    EXPECT_EQ(core.List.Selected, c.rows.empty() ? -1 : 0) << c.typed;
  }
}

TEST_F(LookupEngineTest, StartLookupSelectsButShowsNothing) {
  view.label = "old";
  view.description = "old";
  view.modify_enabled = view.delete_enabled = true;
  Lookup("START", "cat");
  EXPECT_EQ(core.List.Slots(), (std::vector<int32_t>{8, 9}));
  EXPECT_EQ(core.List.Selected, 0);
  EXPECT_EQ(view.label, "");
  EXPECT_EQ(view.description, "");
  EXPECT_FALSE(view.modify_enabled);
  EXPECT_FALSE(view.delete_enabled);
  EXPECT_EQ(view.busy_depth, 0);
  EXPECT_GT(view.busy_calls, 0);
}

TEST_F(LookupEngineTest, BlankEntryBoxGivesEmptyListInEveryMode) {
  Lookup("START", "cat");
  for (const char* mode : {"START", "CONTAIN", "END", "SPECIFIC"}) {
    EXPECT_TRUE(Lookup(mode, " \t ", "", 1).empty()) << mode;
    EXPECT_EQ(core.List.Selected, -1);
  }
  EXPECT_TRUE(Lookup("start", "cat").empty());  // modes are compared exactly
  EXPECT_TRUE(Lookup("BOGUS", "cat").empty());
}

TEST_F(LookupEngineTest, DirectionComesFromTheUntrimmedFirstCharacter) {
  Lookup("START", "γάτα");
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  EXPECT_TRUE(view.lang_greek);
  // A leading blank makes the text English even though a Greek letter follows.
  EXPECT_TRUE(Lookup("START", " άρθρο").empty());
  EXPECT_EQ(core.CurrentDirection, Direction::kEnglish);
  EXPECT_FALSE(view.lang_greek);
  Lookup("START", "Ψ");
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  Lookup("START", "");  // an empty box leaves the direction
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
}

TEST_F(LookupEngineTest, ContainAndEndModes) {
  EXPECT_EQ(Lookup("CONTAIN", "OG"), (Strings{"catalogue", "dog", "mail@home"}));
  EXPECT_EQ(Lookup("CONTAIN", "qqq"), (Strings{"mail@home"}));  // "@" passes every key
  EXPECT_EQ(Lookup("CONTAIN", "ρθρ"), (Strings{"άρθρο", "αρθρογράφος", "άρθρωση"}));
  EXPECT_EQ(Lookup("END", "ος"), (Strings{"αρθρογράφος", "γιατρός", "θεός", "σοφός"}));
  EXPECT_EQ(Lookup("END", "ΟΣ"), (Strings{"ΘΕΟΣ"}));
  EXPECT_EQ(Lookup("END", "tree"), (Strings{"apple tree"}));
  EXPECT_TRUE(Lookup("END", "xapple tree").empty());  // longer than every form
}

TEST_F(LookupEngineTest, CategoryFilterAndShortcutListing) {
  EXPECT_EQ(Lookup("START", "d", "ιατρ."), (Strings{"doctor"}));
  // The shortening goes on while the filter rejects every match.
  EXPECT_EQ(Lookup("START", "dz", "ζωολ."), (Strings{"doctor", "dog"}));
  EXPECT_TRUE(Lookup("START", "cab", "ιατρ.").empty());
  EXPECT_EQ(Lookup("END", "ος", "βοτ."), (Strings{"γιατρός"}));
  Lookup("START", "γ");  // direction Greek before the listing
  EXPECT_EQ(Lookup("SHORTCUT", "", "ζωολ."), (Strings{"cat", "doctor", "dog", "γάτα"}));
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);  // unchanged
  EXPECT_EQ(core.List.Selected, 0);
  EXPECT_EQ(Lookup("SHORTCUT", "", "ιατρ."), (Strings{"doctor", "άρθρωση", "γιατρός"}));
  EXPECT_TRUE(Lookup("SHORTCUT", "", "").empty());
  EXPECT_TRUE(Lookup("SHORTCUT", "", "ουσ.").empty());
}

TEST_F(LookupEngineTest, EntryInCategoryFollowsOwnFieldAndLinks) {
  const Dictionary& d = state.Dict;
  EXPECT_TRUE(EntryInCategory(d, RowRef{Direction::kEnglish, 8}, W("ζωολ.")));  // cat: own field
  EXPECT_FALSE(EntryInCategory(d, RowRef{Direction::kEnglish, 8}, W("βοτ.")));
  EXPECT_TRUE(
      EntryInCategory(d, RowRef{Direction::kEnglish, 10}, W("ιατρ.")));  // doctor: MULTI, linked
  EXPECT_FALSE(
      EntryInCategory(d, RowRef{Direction::kEnglish, 10}, W("βοτ.")));          // MULTI, not linked
  EXPECT_TRUE(EntryInCategory(d, RowRef{Direction::kGreek, 5}, W("βοτ.")));     // γιατρός
  EXPECT_FALSE(EntryInCategory(d, RowRef{Direction::kEnglish, 1}, W("βοτ.")));  // no field
  EXPECT_FALSE(EntryInCategory(d, RowRef{Direction::kEnglish, 0}, W("ζωολ.")));
  EXPECT_FALSE(EntryInCategory(d, RowRef{Direction::kGreek, 99999}, W("ζωολ.")));
}

TEST_F(LookupEngineTest, CategoryLinksSurviveUserEntriesMergedAhead) {
  AddUserEntries();
  ASSERT_EQ(state.Dict.EnglishIndex.Slot(11).Headword, "doctor");
  EXPECT_TRUE(EntryInCategory(state.Dict, RowRef{Direction::kEnglish, 11}, W("ιατρ.")));
  EXPECT_FALSE(EntryInCategory(state.Dict, RowRef{Direction::kEnglish, 10},
                               W("ιατρ.")));  // catalogue now at 10
  EXPECT_EQ(Lookup("SHORTCUT", "", "ιατρ."), (Strings{"cats *", "doctor", "άρθρωση", "γιατρός"}));
  EXPECT_EQ(Lookup("START", "do", "ιατρ."), (Strings{"doctor"}));
}

TEST_F(LookupEngineTest, UserEntriesAreMarkedAndListedEnglishFirst) {
  AddUserEntries();
  EXPECT_EQ(Lookup("START", "mi"), (Strings{"mine *"}));
  EXPECT_EQ(Lookup("START", "cat"), (Strings{"cat", "cats *", "catalogue"}));  // 'A': no mark
  Lookup("START", "γ");
  view.entry_text.clear();
  RunLookup(core, SearchMode::kStart, 0, "", true);
  EXPECT_EQ(Rows(), (Strings{"cat", "cats *", "mine *", "δικό μου *"}));
  EXPECT_EQ(core.List.Slots(), (std::vector<int32_t>{8, 9, 14, 5}));
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  // With text in the box the flag is not read.
  view.entry_text = "cat";
  RunLookup(core, SearchMode::kStart, 0, "", true);
  EXPECT_EQ(Rows(), (Strings{"cat", "cats *", "catalogue"}));
}

TEST_F(LookupEngineTest, SpecificShowsOneEntryAndWritesItsHeadword) {
  AddUserEntries();
  int lookups = 0;
  view.on_entry_change = [&] { lookups += core.SuppressEntryChange ? 0 : 1; };
  EXPECT_EQ(Lookup("SPECIFIC", "cats *", "", 9), (Strings{"cats *"}));
  EXPECT_EQ(view.entry_text, "cats");  // without the mark, and without a lookup
  EXPECT_EQ(lookups, 0);
  EXPECT_FALSE(core.SuppressEntryChange);
  EXPECT_EQ(core.List.Selected, 0);
  EXPECT_EQ(view.label, "cats");
  EXPECT_EQ(Description(), "ιατρ.\r\nown text");
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kEntriesList);
  EXPECT_TRUE(view.delete_enabled);
  EXPECT_EQ(core.LastShownHeadword, "cats *");
  EXPECT_EQ(core.LastShownIndex, 9);
}

TEST_F(LookupEngineTest, SpecificOutsideTheIndexShowsNothing) {
  for (int32_t slot : {0, -3, 15, 60001, INT32_MAX}) {
    EXPECT_TRUE(Lookup("SPECIFIC", "cat", "", slot).empty()) << slot;
    EXPECT_EQ(view.entry_text, "cat");
    EXPECT_EQ(view.label, "");
    EXPECT_EQ(view.busy_depth, 0);
  }
}

TEST_F(LookupEngineTest, MultiComparesCriteriaAsTyped) {
  struct Case {
    const char* start;
    const char* contain;
    const char* end;
    Strings rows;
  } cases[] = {
      {"αρ", "", "ση", {"άρθρωση"}},
      {"Αρ", "", "ση", {}},  // a capital never matches
      {"άρ", "", "ση", {}},  // nor an accent
      {"αρ", "ρθρο", "", {"άρθρο", "αρθρογράφος"}},
      {"", "ατ", "ος", {"γιατρός"}},
      {"ca", "", "e", {"catalogue"}},
      {"CA", "", "e", {}},
      {"", "qqq", "e", {"mail@home"}},  // "@" passes the contains criterion
      {"ap", "", "", {"apple", "apple tree", "Apple-pie"}},
  };
  for (const Case& c : cases) {
    state.Criteria = {W(c.start), W(c.contain), W(c.end), ""};
    EXPECT_EQ(Lookup("MULTI", ""), c.rows) << c.start << "|" << c.contain << "|" << c.end;
  }
  state.Criteria = {W("αρ"), "", "", ""};
  Lookup("MULTI", "");
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);  // the direction follows the sample
}

TEST_F(LookupEngineTest, ResultLimitStopsEveryScan) {
  dictc::DataSet big = LookupDataSet();
  big.English.clear();
  for (int i = 0; i < kResultLimit + 40; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "w%05d", i);
    big.English.push_back(
        Entry(name, "x", i % 2 ? std::vector<std::string>{"ζωολ."} : std::vector<std::string>{}));
  }
  Load(big);
  EXPECT_EQ(Lookup("START", "w").size(), static_cast<size_t>(kResultLimit));
  EXPECT_EQ(Lookup("CONTAIN", "w").size(), static_cast<size_t>(kResultLimit));
  EXPECT_EQ(Lookup("END", "9").size(), static_cast<size_t>((kResultLimit + 40) / 10));
  // Every odd English entry and γάτα.
  EXPECT_EQ(Lookup("SHORTCUT", "", "ζωολ.").size(),
            static_cast<size_t>((kResultLimit + 40) / 2 + 1));
  // The limit counts rows added, not records visited.
  EXPECT_EQ(Lookup("START", "w", "ζωολ.").size(), static_cast<size_t>((kResultLimit + 40) / 2));
  EXPECT_EQ(core.List.Items.back().text, "w32775");
}

TEST_F(LookupEngineTest, HugeTextGivesTheRowsOfItsLongestMatchingBeginning) {
  EXPECT_EQ(Lookup("START", "abcdez" + std::string(1 << 20, 'q')), (Strings{"abcdef"}));
  std::string greek = "θεό";
  for (int i = 0; i < 200000; ++i) greek += "ξψ";
  EXPECT_EQ(Lookup("START", greek), (Strings{"θεός", "ΘΕΟΣ"}));
  EXPECT_EQ(Lookup("CONTAIN", std::string(1 << 20, 'a')), (Strings{"mail@home"}));
  EXPECT_TRUE(Lookup("END", std::string(1 << 20, 'a')).empty());
}

TEST_F(LookupEngineTest, FormsAreRebuiltAfterAReload) {
  EXPECT_EQ(Lookup("START", "mi"), (Strings{"mail@home"}));  // shortened to m
  const auto before = core.Lookup;
  AddUserEntries();
  EXPECT_EQ(Lookup("START", "mi"), (Strings{"mine *"}));
  EXPECT_NE(core.Lookup, before);
  const auto after = core.Lookup;
  Lookup("START", "ca");
  EXPECT_EQ(core.Lookup, after);  // kept while the indexes stay
}

TEST_F(LookupEngineTest, FirstEmptySlotEndsTheIndex) {
  dictc::DataSet d = LookupDataSet();
  d.English[3].CategoryOverride = std::nullopt;
  Load(d);
  state.Dict.EnglishIndex.MutableSlot(4).EntryNumber = 0;  // abd
  ++state.Dict.IndexGeneration;
  EXPECT_EQ(Lookup("START", "a"), (Strings{"abc", "abcd", "abcdef"}));
  EXPECT_EQ(Lookup("CONTAIN", "e"), (Strings{"abcdef"}));
}

TEST(IsGreekText, FromTheFirstCharacterOfTheEnglishKey) {
  EXPECT_TRUE(IsGreekText(Utf8ToCp1253("  (12άλφα")));
  EXPECT_TRUE(IsGreekText(Utf8ToCp1253("Ϊ")));
  EXPECT_FALSE(IsGreekText(Utf8ToCp1253("ΐ")));  // in neither letter set
  EXPECT_FALSE(IsGreekText("apple"));
  EXPECT_FALSE(IsGreekText("  ...  "));
  EXPECT_FALSE(IsGreekText(""));
}

}  // namespace
}  // namespace zelvoran::testing
