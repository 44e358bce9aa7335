// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/search_commands.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/main_core.h"
#include "app/startup.h"
#include "dictionary/field_codec.h"
#include "platform/native/native_file_system.h"
#include "search/lookup_engine.h"
#include "search/search_dialogs.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fixture_data.h"
#include "tests/support/temp_dir.h"
#include "text/cp1253.h"
#include "text/text_lines.h"

namespace zelvoran {
namespace {

using testing::Entry;
using testing::FakeFileSystem;

std::string W(const char* utf8) {
  return Utf8ToCp1253(utf8);
}

Direction Dir(bool greek) {
  return greek ? Direction::kGreek : Direction::kEnglish;
}

// The search as a scan of the files, slot by slot, written plainly after the rules (each file
// is read once up front; a read is a slice of it).
std::vector<std::pair<std::string, int32_t>> ScanSearch(const FileSystem& fs,
                                                        const ProgramState& state, bool greek,
                                                        const std::string& needle) {
  std::vector<std::pair<std::string, int32_t>> rows;
  const auto texts = fs.ReadFile(state.ProgramFolder + "data\\ZelvoranDat.tbo");
  if (!texts) return rows;
  auto read = [](const std::string& file, int64_t offset,
                 int64_t length) -> std::optional<std::string> {
    if (offset < 0 || length < 0 || static_cast<uint64_t>(offset + length) > file.size()) {
      return std::nullopt;
    }
    return file.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
  };
  const std::string* user_paths[] = {&state.Paths.CustomEnglishTextsPath,
                                     &state.Paths.CustomGreekTextsPath};
  for (int pass = 0; pass < 2; ++pass) {
    const HeadwordIndex& ix = state.Dict.Index(pass == 1);
    const std::string& user_path = *user_paths[pass];
    std::optional<std::string> user;
    if (!user_path.empty() && fs.FileExists(user_path)) user = fs.ReadFile(user_path);
    for (int slot = 1; slot <= ix.Count() && rows.size() < 32000; ++slot) {
      const HeadwordRecord& r = ix.Slot(slot);
      if (r.EntryNumber == 0) break;  // the first empty slot ends the index
      std::string text;
      bool has = false;
      if (r.Origin == Origin::kDictionary || r.Origin == Origin::kAddition) {
        auto b = read(*texts, r.TextPosition - 1, r.TextLength);
        if (!b) return rows;
        text = PositionDecode(r.TextPosition, *b);
        has = true;
        if (r.Origin == Origin::kAddition && user) {
          const std::string& a = state.Dict.AdditionList[static_cast<size_t>(r.AdditionSlot)];
          auto ub = read(*user, *ParseDecimal(a.substr(0, 8)) - 1, *ParseDecimal(a.substr(8, 5)));
          if (!ub) return rows;
          text = ShiftCodec(*ub, ShiftDirection::kDecode) + " ";
        }
      } else if (r.Origin == Origin::kOwn && user) {
        auto ub = read(*user, r.TextPosition - 1, r.TextLength);
        if (!ub) return rows;
        text = ShiftCodec(*ub, ShiftDirection::kDecode) + " ";
        has = true;
      }
      if (!has) continue;
      text = greek ? GreekFold(text) : AsciiLower(text);
      if (WholeWordFound(text, needle)) {
        rows.emplace_back(r.Headword + (r.Origin == Origin::kOwn ? " *" : ""), slot);
      }
    }
  }
  return rows;
}

std::vector<std::string> Rows(const std::vector<ExplanationHit>& hits) {
  std::vector<std::string> out;
  for (const auto& h : hits) out.push_back(Cp1253ToUtf8(h.Row));
  return out;
}

std::string UserLine(int anchor, int number, const std::string& headword, int pos, int len) {
  char buf[200];
  std::snprintf(buf, sizeof buf, "%05d%05d%-80s%08d%05d", anchor, number, headword.c_str(), pos,
                len);
  return ShiftCodec(buf, ShiftDirection::kEncode) + "\r\n";
}

class ExplanationSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.ProgramFolder = "C:\\Dict\\";
    data.Abbreviations = {{"n.", false, "noun"}};
    data.English = {Entry("house", "σπίτι, οικία"), Entry("home", "ΣΠΙΤΙ μου"),
                    Entry("hut", "σπιτι μικρό"), Entry("houses", "σπίτια")};
    data.Greek = {Entry("αλυσίδα", "concatenate, a cat"), Entry("γάτα", "cat, feline"),
                  Entry("γατάκι", "small (cat)"), Entry("γάτες", "cats"),
                  Entry("συνένωση", "concat")};
  }
  void Load() {
    testing::WriteData(fs, state.ProgramFolder, data);
    LoadDictionary(fs, state);
  }
  std::vector<std::string> Search(const char* word_utf8) {
    const std::string word = W(word_utf8);
    const bool greek = IsGreekFirst(word);
    auto hits =
        SearchExplanations(fs, state, cache, Dir(greek), ExplanationNeedle(word, Dir(greek)));
    auto scan = ScanSearch(fs, state, greek, ExplanationNeedle(word, Dir(greek)));
    EXPECT_EQ(hits.size(), scan.size()) << word_utf8;
    for (size_t i = 0; i < std::min(hits.size(), scan.size()); ++i) {
      EXPECT_EQ(hits[i].Row, scan[i].first);
      EXPECT_EQ(hits[i].ref.slot, scan[i].second);
    }
    return Rows(hits);
  }
  static bool IsGreekFirst(const std::string& w) {
    return !w.empty() && static_cast<unsigned char>(w[0]) >= 0xA2;
  }

  FakeFileSystem fs;
  ProgramState state;
  dictc::DataSet data;
  ExplanationCache cache;
};

TEST_F(ExplanationSearchTest, WholeWordAtTheFirstOccurrenceOnly) {
  Load();
  EXPECT_EQ(Search("cat"), (std::vector<std::string>{"γάτα", "γατάκι"}));
  EXPECT_EQ(Search("CAT"), (std::vector<std::string>{"γάτα", "γατάκι"}));  // A-Z lowered
  EXPECT_EQ(Search("concat"), (std::vector<std::string>{"συνένωση"}));
  // Needles without letters, and with several words, agree with the scan as well.
  EXPECT_EQ(Search(", "), (std::vector<std::string>{}));  // a letter stands before every ","
  EXPECT_EQ(Search("(cat)"), (std::vector<std::string>{"γατάκι"}));
  EXPECT_EQ(Search("cat, feline"), (std::vector<std::string>{"γάτα"}));
}

TEST_F(ExplanationSearchTest, GreekWordsMatchWhateverTheirAccentsAndCapitals) {
  Load();
  EXPECT_EQ(Search("Σπίτι"), (std::vector<std::string>{"house", "home", "hut"}));
  EXPECT_EQ(Search("ΣΠΙΤΙ"), (std::vector<std::string>{"house", "home", "hut"}));
}

TEST_F(ExplanationSearchTest, EmptyNeedleFindsNothing) {
  Load();
  EXPECT_TRUE(SearchExplanations(fs, state, cache, Direction::kEnglish, "").empty());
}

TEST_F(ExplanationSearchTest, UserTextsReplaceOrJoinWithTheUsersFiles) {
  state.Paths = CustomPaths::In("C:\\User\\");
  // English own entry after "home" (2) and an addition to "house" (1) that drops σπίτι.
  const std::string own = ShiftCodec(W("σπίτι δικό μου"), ShiftDirection::kEncode);
  const std::string add = ShiftCodec(W("άλλο κείμενο"), ShiftDirection::kEncode);
  fs.Put(state.Paths.CustomEnglishIndexPath,
         UserLine(1, 1, "", 1, static_cast<int>(add.size())) +
             UserLine(2, 9000, "my hut", static_cast<int>(add.size()) + 1,
                      static_cast<int>(own.size())));
  fs.Put(state.Paths.CustomEnglishTextsPath, add + own);
  Load();
  EXPECT_EQ(Search("σπίτι"), (std::vector<std::string>{"home", "my hut *", "hut"}));
  EXPECT_EQ(Search("κείμενο"), (std::vector<std::string>{"house"}));
  // Without the user's texts file: the own entry has no text, the addition's entry is
  // searched in its dictionary text.
  fs.RemoveFile(state.Paths.CustomEnglishTextsPath);
  EXPECT_EQ(Search("σπίτι"), (std::vector<std::string>{"house", "home", "hut"}));
  EXPECT_EQ(Search("κείμενο"), (std::vector<std::string>{}));
}

TEST_F(ExplanationSearchTest, ChangedUserFilesRefreshTheKeptTexts) {
  state.Paths = CustomPaths::In("C:\\User\\");
  const std::string own = ShiftCodec("alpha", ShiftDirection::kEncode);
  fs.Put(state.Paths.CustomGreekIndexPath, UserLine(5, 9000, W("ωμέγα"), 1, 5));
  fs.Put(state.Paths.CustomGreekTextsPath, own);
  Load();
  EXPECT_EQ(Search("alpha"), (std::vector<std::string>{"ωμέγα *"}));
  fs.Put(state.Paths.CustomGreekTextsPath, ShiftCodec("beta!", ShiftDirection::kEncode) + "x");
  EXPECT_EQ(Search("beta"), (std::vector<std::string>{"ωμέγα *"}));
}

TEST_F(ExplanationSearchTest, TheFirstEmptySlotEndsTheIndexAsForTheLookups) {
  state.Paths = CustomPaths::In("C:\\User\\");
  // An own entry numbered 0 after "home" (2) leaves slot 3 empty: "hut" and "houses" lie
  // beyond the index's end, for this search as for the lookups.
  const std::string own = ShiftCodec(W("σπίτι"), ShiftDirection::kEncode);
  fs.Put(state.Paths.CustomEnglishIndexPath,
         UserLine(2, 0, "zero", 1, static_cast<int>(own.size())));
  fs.Put(state.Paths.CustomEnglishTextsPath, own);
  Load();
  ASSERT_EQ(state.Dict.EnglishIndex.Slot(3).EntryNumber, 0);
  ASSERT_EQ(state.Dict.EnglishIndex.Slot(4).Headword, "hut");
  EXPECT_EQ(Search("σπίτι"), (std::vector<std::string>{"house", "home"}));
  EXPECT_EQ(Search("σπίτια"), (std::vector<std::string>{}));
}

TEST(ExplanationSearchFiles, ARewriteWithinOneTickOfTheFileTimesIsSeen) {
  namespace stdfs = std::filesystem;
  const std::string dir = testing::MakeTempDir("zelvoran-explanations");
  NativeFileSystem fs;
  ProgramState state;
  state.ProgramFolder = dir + "/program/";
  state.Paths = CustomPaths::In(dir + "/user/");
  stdfs::create_directories(dir + "/user");
  dictc::DataSet data;
  data.English = {Entry("house", "σπίτι"), Entry("home", "οικία")};
  data.Greek = {Entry("γάτα", "cat")};
  testing::WriteData(fs, state.ProgramFolder, data);
  const std::string own = ShiftCodec("alpha", ShiftDirection::kEncode);
  ASSERT_TRUE(fs.WriteFile(state.Paths.CustomGreekIndexPath, UserLine(1, 9000, W("ωμέγα"), 1, 5)));
  ASSERT_TRUE(fs.WriteFile(state.Paths.CustomGreekTextsPath, own));
  LoadDictionary(fs, state);
  ExplanationCache cache;
  auto rows = [&](const char* word_utf8) {
    const std::string word = W(word_utf8);
    const bool greek = static_cast<unsigned char>(word[0]) >= 0xA2;
    return Rows(
        SearchExplanations(fs, state, cache, Dir(greek), ExplanationNeedle(word, Dir(greek))));
  };
  ASSERT_EQ(rows("alpha"), (std::vector<std::string>{"ωμέγα *"}));
  ASSERT_EQ(rows("σπίτι"), (std::vector<std::string>{"house"}));

  // Rewrites of the same size that keep the file times to the nanosecond.
  auto rewrite = [](const std::string& path, const std::string& bytes, bool in_place) {
    const stdfs::file_time_type modified = stdfs::last_write_time(path);
    if (in_place) {
      std::ofstream(path, std::ios::binary | std::ios::in | std::ios::out) << bytes;
    } else {  // replaced by another file, as an installer or a sync tool does
      std::ofstream(path + ".new", std::ios::binary) << bytes;
      stdfs::rename(path + ".new", path);
    }
    stdfs::last_write_time(path, modified);
  };
  // The user's texts, in place: only what they hold tells.
  rewrite(state.Paths.CustomGreekTextsPath, ShiftCodec("gamma", ShiftDirection::kEncode), true);
  EXPECT_EQ(rows("gamma"), (std::vector<std::string>{"ωμέγα *"}));
  EXPECT_EQ(rows("alpha"), (std::vector<std::string>{}));
  // The dictionary's texts, replaced by a file of the same size with the same times.
  dictc::DataSet other = data;
  other.English = {Entry("house", "σπίθα"), Entry("home", "οικία")};
  testing::WriteData(fs, dir + "/other/", other);
  const std::string texts = state.ProgramFolder + "data/ZelvoranDat.tbo";
  ASSERT_EQ(stdfs::file_size(texts), stdfs::file_size(dir + "/other/data/ZelvoranDat.tbo"));
  rewrite(texts, *fs.ReadFile(dir + "/other/data/ZelvoranDat.tbo"), false);
  EXPECT_EQ(rows("σπίθα"), (std::vector<std::string>{"house"}));
  EXPECT_EQ(rows("σπίτι"), (std::vector<std::string>{}));
  stdfs::remove_all(dir);
}

TEST_F(ExplanationSearchTest, LongExplanationsAreSearchedWhole) {
  data.English.push_back(Entry("long", std::string(20000, 'x') + " " + "σπίτι"));
  Load();
  EXPECT_EQ(Search("σπίτι").back(), "long");
}

TEST_F(ExplanationSearchTest, TheLimitCountsBothPasses) {
  data.English.clear();
  for (int i = 0; i < 32005; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "w%05d", i);
    data.English.push_back(Entry(name, "η λέξη"));
  }
  data.Greek = {Entry("λέξη", "η λέξη")};
  Load();
  auto hits = SearchExplanations(fs, state, cache, Direction::kGreek,
                                 ExplanationNeedle(W("λέξη"), Direction::kGreek));
  ASSERT_EQ(hits.size(), 32000u);
  EXPECT_EQ(hits.back().ref.direction, Direction::kEnglish);
}

TEST_F(ExplanationSearchTest, ATextRunningPastTheFileEndsTheSearchThere) {
  Load();
  std::string texts = *fs.ReadFile("C:\\Dict\\data\\ZelvoranDat.tbo");
  const HeadwordRecord& hut = state.Dict.EnglishIndex.Slot(3);
  texts.resize(static_cast<size_t>(hut.TextPosition));  // cuts "hut" and all after it
  fs.Put("C:\\Dict\\data\\ZelvoranDat.tbo", texts);
  EXPECT_EQ(Search("σπίτι"), (std::vector<std::string>{"house", "home"}));
}

TEST(ExplanationSearchRandom, MatchesTheScanOnARealDictionary) {
  NativeFileSystem posix;
  ProgramState state;
  FakeFileSystem fake;
  const FileSystem* fs = &posix;
  const std::string bundled = std::string(ZELVORAN_PROGRAM_DIR) + "/";
  if (std::filesystem::exists(bundled + "data/ZelvoranI.tbo")) {
    state.ProgramFolder = bundled;
  } else {
    // No bundled data in this build: a generated dictionary of real-looking text.
    dictc::DataSet data;
    std::mt19937 rng(5);
    const char* words[] = {"cat",    "dog",   "house", "σπίτι", "γάτα", "σκύλος",
                           "concat", "Σπίτι", "(cat)", "cats",  "ΓΆΤΑ", "σπιτάκι"};
    for (int i = 0; i < 400; ++i) {
      std::string text;
      for (int k = 0; k < 12; ++k)
        text += std::string(words[rng() % 12]) + (rng() % 3 ? " " : ", ");
      char name[16];
      std::snprintf(name, sizeof name, "e%04d", i);
      data.English.push_back(Entry(name, text));
      data.Greek.push_back(Entry(std::string("λ") + name, text));
    }
    state.ProgramFolder = "C:\\Dict\\";
    testing::WriteData(fake, state.ProgramFolder, data);
    fs = &fake;
  }
  LoadDictionary(*fs, state);
  ASSERT_GT(state.Dict.EnglishIndex.Count(), 0);
  ExplanationCache cache;
  std::mt19937 rng(11);
  // Needles: words taken from random headwords of both sections, and their fragments.
  for (int round = 0; round < 16; ++round) {
    const bool from_greek = round % 2;
    const HeadwordIndex& ix = state.Dict.Index(from_greek);
    std::string word =
        ix.Slot(1 + static_cast<int>(rng() % static_cast<unsigned>(ix.Count()))).Headword;
    word = word.substr(0, word.find(' '));
    if (round % 5 == 4 && word.size() > 3) word = word.substr(0, word.size() - 1);
    const bool greek = IsGreekText(word) && static_cast<unsigned char>(word[0]) >= 0xA2;
    const std::string needle = ExplanationNeedle(word, Dir(greek));
    const auto hits = SearchExplanations(*fs, state, cache, Dir(greek), needle);
    const auto scan = ScanSearch(*fs, state, greek, needle);
    ASSERT_EQ(hits.size(), scan.size()) << Cp1253ToUtf8(word);
    for (size_t i = 0; i < hits.size(); ++i) {
      ASSERT_EQ(hits[i].ref.slot, scan[i].second) << Cp1253ToUtf8(word) << " row " << i;
      ASSERT_EQ(hits[i].Row, scan[i].first);
    }
  }
}

// The word window and the handler around the search.
class FakeSearchDialogs : public SearchDialogs {
 public:
  std::optional<std::string> word;
  int shown = 0;
  std::optional<std::string> RunMessageForm() override {
    ++shown;
    return word;
  }
  std::optional<SearchFormResult> RunSearchForm(const std::vector<std::string>&) override {
    return std::nullopt;
  }
  void RunShortCutsForm(const std::vector<std::pair<std::string, std::string>>&) override {}
};

TEST_F(ExplanationSearchTest, ButtonSearchesTheWordWithoutALookupAndSelectsNothing) {
  Load();
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  testing::FakeMainView view;
  MainCore core({fs, folders, info}, state, view);
  FakeSearchDialogs dialogs;
  core.search_dialogs = &dialogs;
  int changes_while_suppressed = 0, changes = 0;
  view.on_entry_change = [&] {
    ++changes;
    if (core.SuppressEntryChange) ++changes_while_suppressed;
  };
  dialogs.word = W("  Σπίτι");
  DescrSearch_ButtonClick(core);
  EXPECT_EQ(view.entry_text, W("Σπίτι"));
  EXPECT_EQ(changes, changes_while_suppressed);
  EXPECT_FALSE(core.SuppressEntryChange);
  EXPECT_EQ(core.CurrentDirection, Direction::kGreek);
  EXPECT_TRUE(view.lang_greek);
  ASSERT_EQ(core.List.Count(), 3);
  EXPECT_EQ(core.List.Items[1].text, "home");
  EXPECT_EQ(core.List.Items[1].ref.slot, 2);
  EXPECT_EQ(core.List.Selected, -1);
  EXPECT_EQ(view.busy_depth, 0);
  EXPECT_TRUE(view.entry_focused);

  // Cancelled: nothing changes.
  dialogs.word.reset();
  DescrSearch_ButtonClick(core);
  EXPECT_EQ(core.List.Count(), 3);
  EXPECT_EQ(view.entry_text, W("Σπίτι"));

  // An empty word empties the list and finds nothing.
  dialogs.word = std::string();
  DescrSearch_ButtonClick(core);
  EXPECT_EQ(core.List.Count(), 0);
}

}  // namespace
}  // namespace zelvoran
