// SPDX-License-Identifier: GPL-3.0-or-later
// A data folder with each of its files missing, empty, cut in the middle of a line, with
// lengths past the end of the explanations, non-numeric fields, absurd numbers, or a profile
// that contradicts the files. Loading never crashes or hangs and keeps what the loaders'
// failure rules keep; lookups, clicks and the explanation search still work on what loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/entry_presenter.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/search_commands.h"
#include "app/startup.h"
#include "dictionary/data_profile.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "search/explanation_search.h"
#include "search/lookup_engine.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fixture_data.h"
#include "tests/support/temp_dir.h"
#include "text/cp1253.h"
#include "text/text_lines.h"
#include "tools/dictc/verify.h"
#include "tools/encoders/field_encoders.h"

namespace zelvoran {
namespace {

using testing::FakeFileSystem;

constexpr const char* kFolder = "C:\\Dict\\";
const std::string kIndex = "C:\\Dict\\data\\ZelvoranI.tbo";
const std::string kTexts = "C:\\Dict\\data\\ZelvoranDat.tbo";
const std::string kAbbreviations = "C:\\Dict\\data\\ZelvoranSrt.tbo";
const std::string kLinks = "C:\\Dict\\data\\ZelvoranEC.tbo";
const std::string kProfile = "C:\\Dict\\data\\ZelvoranProfile.txt";

// The small fixture (6 English, 5 Greek headwords, 4 abbreviations, 2 + 2 links) as files.
struct Folder {
  FakeFileSystem fs;
  Folder() { testing::WriteData(fs, kFolder, testing::SmallDataSet()); }
  std::string Get(const std::string& path) const { return *fs.ReadFile(path); }
  std::vector<std::string> Lines(const std::string& path) const {
    const std::string data = Get(path);
    std::vector<std::string> out;
    for (std::string_view l : SplitLines(data)) out.emplace_back(l);
    return out;
  }
  void PutLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    fs.Put(path, s);
  }
  // Replaces line `n` (1-based, over both sections) of the index with `decoded`, encoded
  // with its number within its section.
  void ReplaceIndexLine(size_t n, int section_number, const std::string& decoded) {
    auto lines = Lines(kIndex);
    lines[n - 1] = MirrorEncode(section_number, decoded);
    PutLines(kIndex, lines);
  }
  // The decoded index line `n` over both sections (English lines 1-6, Greek 7-11).
  std::string DecodedIndexLine(size_t n) const {
    const auto lines = Lines(kIndex);
    return MirrorDecode(n <= 6 ? static_cast<int64_t>(n) : static_cast<int64_t>(n - 6),
                        lines[n - 1]);
  }
  // Replaces one profile line that starts with `key`.
  void SetProfileValue(const std::string& key, const std::string& value) {
    auto lines = Lines(kProfile);
    for (std::string& l : lines) {
      if (l.rfind(key + "=", 0) == 0) l = key + "=" + value;
    }
    PutLines(kProfile, lines);
  }
  void Remove(const std::string& path) { fs.RemoveFile(path); }
  void Cut(const std::string& path, size_t size) { fs.Put(path, Get(path).substr(0, size)); }
};

// What a load keeps: record counts, abbreviation rows (-1: no table at all) and link slots
// in use.
struct Kept {
  int english = 6;
  int greek = 5;
  int abbreviation_rows = kAbbreviationRows;
  int english_links = 2;
  int greek_links = 2;
  bool problem = false;
};

struct Damage {
  const char* name;
  std::function<void(Folder&)> apply;
  Kept kept;
  const char* named;  // what the data compiler's verifier says about it
};

Kept K(int english, int greek, int abbreviation_rows = kAbbreviationRows, int english_links = 2,
       int greek_links = 2, bool problem = false) {
  return Kept{english, greek, abbreviation_rows, english_links, greek_links, problem};
}

// Index line fields of the fixture with one field replaced (1-based field number).
std::string WithField(const std::string& decoded, int field, const std::string& value) {
  std::vector<std::string> f;
  size_t start = 0;
  for (int i = 0; i < 5; ++i) {
    const size_t hash = decoded.find('#', start);
    f.push_back(decoded.substr(start, hash - start));
    start = hash + 1;
  }
  f.push_back(decoded.substr(start));
  f[static_cast<size_t>(field - 1)] = value;
  return f[0] + "#" + f[1] + "#" + f[2] + "#" + f[3] + "#" + f[4] + "#" + f[5];
}

std::vector<Damage> Damages() {
  std::vector<Damage> d;
  // The index.
  d.push_back({"index missing", [](Folder& f) { f.Remove(kIndex); }, K(0, 0),
               "ZelvoranI.tbo: missing or unreadable"});
  d.push_back({"index empty", [](Folder& f) { f.fs.Put(kIndex, ""); }, K(0, 0),
               "ZelvoranI.tbo: 0 lines, fewer than the profile's 6 English headwords"});
  d.push_back({"index cut inside English line 3",
               [](Folder& f) {
                 const auto lines = f.Lines(kIndex);
                 f.fs.Put(kIndex, lines[0] + "\r\n" + lines[1] + "\r\n" +
                                      lines[2].substr(0, lines[2].size() / 2));
               },
               K(2, 0), "ZelvoranI.tbo English line 3: "});
  d.push_back({"index cut inside Greek line 2",
               [](Folder& f) {
                 const std::string all = f.Get(kIndex);
                 size_t at = 0;
                 for (int i = 0; i < 7; ++i) at = all.find("\r\n", at) + 2;
                 f.fs.Put(kIndex, all.substr(0, at + 5));
               },
               K(6, 1), "ZelvoranI.tbo Greek line 2: "});
  d.push_back({"index cut inside a CR LF",
               [](Folder& f) { f.Cut(kIndex, f.Get(kIndex).size() - 1); }, K(6, 5),
               "ZelvoranI.tbo line 11: line ends with a bare CR or LF"});
  d.push_back({"index line without six fields",
               [](Folder& f) { f.ReplaceIndexLine(4, 4, "4#catalogue#catalogue"); }, K(3, 0),
               "ZelvoranI.tbo English line 4: 3 fields, not 6"});
  d.push_back(
      {"index entry number not a number",
       [](Folder& f) { f.ReplaceIndexLine(2, 2, WithField(f.DecodedIndexLine(2), 1, "2a")); },
       K(1, 0), "English line 2: field 1 (entry number) is not decimal digits"});
  d.push_back(
      {"index position with a blank",
       [](Folder& f) { f.ReplaceIndexLine(5, 5, WithField(f.DecodedIndexLine(5), 5, " 12")); },
       K(4, 0), "English line 5: field 5 (position) is not decimal digits"});
  d.push_back({"index length empty",
               [](Folder& f) { f.ReplaceIndexLine(8, 2, WithField(f.DecodedIndexLine(8), 6, "")); },
               K(6, 1), "Greek line 2: field 6 (length) is not decimal digits"});
  d.push_back(
      {"index entry number above 65535",
       [](Folder& f) { f.ReplaceIndexLine(3, 3, WithField(f.DecodedIndexLine(3), 1, "99999999")); },
       K(2, 0), "English line 3: entry number above 65535"});
  d.push_back({"index position above 2^31",
               [](Folder& f) {
                 f.ReplaceIndexLine(3, 3, WithField(f.DecodedIndexLine(3), 5, "99999999999"));
               },
               K(2, 0), "English line 3: position 99999999999 out of range"});
  d.push_back({"index number of forty digits",
               [](Folder& f) {
                 f.ReplaceIndexLine(3, 3,
                                    WithField(f.DecodedIndexLine(3), 6, std::string(40, '9')));
               },
               K(2, 0), "English line 3: field 6 (length) is not decimal digits"});
  d.push_back(
      {"index length above 65535",
       [](Folder& f) { f.ReplaceIndexLine(9, 3, WithField(f.DecodedIndexLine(9), 6, "70000")); },
       K(6, 2), "Greek line 3: explanation of 70000 bytes, more than the 31000"});
  d.push_back(
      {"index length past the end of the explanations",
       [](Folder& f) { f.ReplaceIndexLine(3, 3, WithField(f.DecodedIndexLine(3), 6, "65535")); },
       K(6, 5), "English line 3: explanation at "});
  d.push_back({"index position past the end of the explanations",
               [](Folder& f) {
                 f.ReplaceIndexLine(7, 1, WithField(f.DecodedIndexLine(7), 5, "2147483647"));
               },
               K(6, 5), "Greek line 1: explanation at 2147483647 "});
  d.push_back({"index headword of 100000 bytes",
               [](Folder& f) {
                 f.ReplaceIndexLine(2, 2,
                                    WithField(f.DecodedIndexLine(2), 2, std::string(100000, 'x')));
               },
               K(6, 5), "English line 2: headword longer than 57"});
  d.push_back({"index of binary noise",
               [](Folder& f) {
                 std::string noise;
                 for (int i = 0; i < 5000; ++i) noise += static_cast<char>(i * 7919 % 256);
                 f.fs.Put(kIndex, noise);
               },
               K(0, 0), "ZelvoranI.tbo English line 1: "});
  // The explanations.
  d.push_back({"explanations missing", [](Folder& f) { f.Remove(kTexts); }, K(6, 5),
               "ZelvoranDat.tbo: missing or unreadable"});
  d.push_back({"explanations empty", [](Folder& f) { f.fs.Put(kTexts, ""); }, K(6, 5),
               "runs past the end of ZelvoranDat.tbo (0 bytes)"});
  d.push_back({"explanations cut in half",
               [](Folder& f) { f.Cut(kTexts, f.Get(kTexts).size() / 2); }, K(6, 5),
               "runs past the end of ZelvoranDat.tbo"});
  // The abbreviations.
  d.push_back({"abbreviations missing", [](Folder& f) { f.Remove(kAbbreviations); }, K(6, 5, 0),
               "ZelvoranSrt.tbo: missing or unreadable"});
  d.push_back({"abbreviations empty", [](Folder& f) { f.fs.Put(kAbbreviations, ""); }, K(6, 5),
               "ZelvoranSrt.tbo: 0 lines, the profile says 4"});
  d.push_back({"abbreviations cut inside line 2",
               [](Folder& f) {
                 const auto lines = f.Lines(kAbbreviations);
                 f.fs.Put(kAbbreviations, lines[0] + "\r\n" + lines[1].substr(0, 3));
               },
               K(6, 5), "ZelvoranSrt.tbo line 2: no CR LF at the end of the file"});
  d.push_back({"abbreviations of 1000 lines",
               [](Folder& f) {
                 std::vector<std::string> lines(1000, "abbr.     \xCD" + std::string(70, 'm'));
                 f.PutLines(kAbbreviations, lines);
               },
               K(6, 5), "ZelvoranSrt.tbo: 1000 lines, the table holds 236"});
  d.push_back({"abbreviations with a line of a million bytes",
               [](Folder& f) {
                 auto lines = f.Lines(kAbbreviations);
                 lines[1] = std::string(1000000, 'a');
                 f.PutLines(kAbbreviations, lines);
               },
               K(6, 5), "ZelvoranSrt.tbo line 2: longer than 76 columns"});
  // The category links.
  d.push_back({"links missing", [](Folder& f) { f.Remove(kLinks); },
               K(6, 5, kAbbreviationRows, 0, 0), "ZelvoranEC.tbo: missing or unreadable"});
  d.push_back({"links empty", [](Folder& f) { f.fs.Put(kLinks, ""); },
               K(6, 5, kAbbreviationRows, 0, 0),
               "ZelvoranEC.tbo: 0 English and 0 Greek links, the profile says 2 and 2"});
  d.push_back({"links cut inside the last line",
               [](Folder& f) {
                 const auto lines = f.Lines(kLinks);
                 f.fs.Put(kLinks, lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n" +
                                      lines[3].substr(0, 3));
               },
               K(6, 5, kAbbreviationRows, 2, 2),
               "ZelvoranEC.tbo line 4: no CR LF at the end of the file"});
  d.push_back({"links number not a number",
               [](Folder& f) {
                 auto lines = f.Lines(kLinks);
                 lines[1].replace(0, 5, "00x05");
                 f.PutLines(kLinks, lines);
               },
               K(6, 5, kAbbreviationRows, 1, 0),
               "ZelvoranEC.tbo line 2: columns 1-5 are not a decimal number"});
  d.push_back({"links number above 65535",
               [](Folder& f) {
                 auto lines = f.Lines(kLinks);
                 lines[0].replace(0, 5, "99999");
                 f.PutLines(kLinks, lines);
               },
               K(6, 5, kAbbreviationRows, 0, 0), "ZelvoranEC.tbo line 1: names "});
  d.push_back({"links of 10000 English lines",
               [](Folder& f) {
                 std::vector<std::string> lines(10000, "00005E" + MirrorEncode(5, "x"));
                 f.PutLines(kLinks, lines);
               },
               K(6, 5, kAbbreviationRows, kMaxEnglishLinks, 0), "more links than the tables hold"});
  // The profile.
  d.push_back({"profile with fewer English headwords than the index",
               [](Folder& f) { f.SetProfileValue("english-headwords", "3"); },
               // English line 4, decoded with the key of Greek line 1, happens to parse.
               K(3, 1), "ZelvoranI.tbo: 8 Greek lines, the profile says 5"});
  d.push_back({"profile with more English headwords than the index",
               [](Folder& f) { f.SetProfileValue("english-headwords", "60001"); }, K(6, 0),
               "fewer than the profile's 60001 English headwords"});
  d.push_back({"profile with letter starts beyond the index",
               [](Folder& f) {
                 std::string english, greek;
                 for (int i = 0; i < kEnglishLetters; ++i) english += "60001 ";
                 for (int i = 0; i < kGreekLetters; ++i) greek += "60001 ";
                 f.SetProfileValue("english-letter-starts", english);
                 f.SetProfileValue("greek-letter-starts", greek);
               },
               K(6, 5), "profile: English letter 'a' starts at slot 60001, the index has it at 1"});
  d.push_back({"profile with more links than the file",
               [](Folder& f) {
                 f.SetProfileValue("english-links", "6375");
                 f.SetProfileValue("greek-links", "205");
               },
               K(6, 5), "2 English and 2 Greek links, the profile says 6375 and 205"});
  d.push_back({"profile with a count above the table",
               [](Folder& f) { f.SetProfileValue("abbreviations", "237"); }, K(0, 0, 0, 0, 0, true),
               "ZelvoranProfile.txt: rejected"});
  d.push_back({"profile with a non-numeric count",
               [](Folder& f) { f.SetProfileValue("greek-headwords", "5x"); },
               K(0, 0, 0, 0, 0, true), "ZelvoranProfile.txt: rejected"});
  d.push_back({"profile empty", [](Folder& f) { f.fs.Put(kProfile, ""); }, K(0, 0, 0, 0, 0, true),
               "ZelvoranProfile.txt: rejected"});
  d.push_back({"profile cut inside a line", [](Folder& f) { f.Cut(kProfile, 60); },
               K(0, 0, 0, 0, 0, true), "ZelvoranProfile.txt: rejected"});
  d.push_back({"profile missing, the built-in one contradicting the files",
               [](Folder& f) { f.Remove(kProfile); }, K(6, 0),
               "11 lines, fewer than the profile's 50929 English headwords"});
  d.push_back({"every file missing",
               [](Folder& f) {
                 for (const std::string& p : {kIndex, kTexts, kAbbreviations, kLinks, kProfile}) {
                   f.Remove(p);
                 }
               },
               K(0, 0, 0, 0, 0), "ZelvoranI.tbo: missing or unreadable"});
  return d;
}

// Lookups, clicks and searches over whatever loaded: every row names a loaded record, the
// cursor is restored, and nothing throws.
void Exercise(FakeFileSystem& fs, ProgramState& state) {
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  testing::FakeMainView view;
  MainCore core(Services{fs, folders, info}, state, view);
  view.on_entry_change = [&] { Entry_TextChange(core); };
  auto check_rows = [&](const std::string& what) {
    ASSERT_EQ(core.List.Items.size(), core.List.Items.size()) << what;
    for (int row = 0; row < core.List.Count(); ++row) {
      const bool greek = IsGreekText(core.List.Items[static_cast<size_t>(row)].text);
      const int32_t slot = core.List.Items[static_cast<size_t>(row)].ref.slot;
      EXPECT_GE(slot, 1) << what;
      EXPECT_LE(slot, state.Dict.Index(greek).Count()) << what;
      core.List.Selected = row;
      Entries_ListClick(core);
    }
    EXPECT_EQ(view.busy_depth, 0) << what;
  };
  const std::vector<std::string> typed = {"a",
                                          "cat",
                                          "dog",
                                          Utf8ToCp1253("γάτα"),
                                          Utf8ToCp1253("σ"),
                                          "zzz",
                                          "\xFF\x01",
                                          std::string(200000, 'c')};
  for (const std::string& t : typed) {
    view.SetEntryText(t);
    check_rows("typed " + Cp1253ToUtf8(t.substr(0, 20)));
    view.SetEntryText("");
  }
  for (const char* mode : {"CONTAIN", "END", "SPECIFIC"}) {
    view.entry_text = "a";
    RunLookup(core, *ParseSearchMode(mode), 3, "", false);
    check_rows(mode);
  }
  view.entry_text.clear();
  RunLookup(core, SearchMode::kShortcut, 0, Utf8ToCp1253("ζωολ."), false);
  check_rows("SHORTCUT");
  ExplanationCache cache;
  for (Direction direction : {Direction::kEnglish, Direction::kGreek}) {
    for (const char* word : {"cat", "\xE3\xE1\xF4\xE1"}) {
      for (const ExplanationHit& hit : SearchExplanations(fs, state, cache, direction, word)) {
        EXPECT_GE(hit.ref.slot, 1);
        EXPECT_LE(hit.ref.slot, state.Dict.Index(hit.ref.direction == Direction::kGreek).Count());
      }
    }
  }
}

class DamagedData : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedData, LoadsWhatItCanAndStillLooksUp) {
  Folder folder;
  GetParam().apply(folder);
  ProgramState state;
  state.ProgramFolder = kFolder;
  LoadDictionary(folder.fs, state);
  const Kept& k = GetParam().kept;
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), k.english);
  EXPECT_EQ(state.Dict.GreekIndex.Count(), k.greek);
  EXPECT_EQ(static_cast<int>(state.Dict.AbbreviationTable.size()), k.abbreviation_rows);
  EXPECT_EQ(static_cast<int>(state.Dict.EnglishCategoryLinks.size()) - 1, k.english_links);
  EXPECT_EQ(static_cast<int>(state.Dict.GreekCategoryLinks.size()) - 1, k.greek_links);
  EXPECT_EQ(!state.DataProblem.empty(), k.problem);
  // Whatever was stored is stored whole: every record came from a line that parsed.
  for (bool greek : {false, true}) {
    const HeadwordIndex& index = state.Dict.Index(greek);
    for (int s = 1; s <= index.Count(); ++s) {
      EXPECT_EQ(index.Slot(s).Origin, Origin::kDictionary);
      EXPECT_LE(index.Slot(s).Headword.size(), kHeadwordMax);
      EXPECT_EQ(index.Slot(s).LineNumber, s);
    }
  }
  Exercise(folder.fs, state);
}

// The data compiler's verifier names the same damage, in a real folder.
TEST_P(DamagedData, VerifierNamesTheFault) {
  Folder folder;
  GetParam().apply(folder);
  const std::filesystem::path dir(testing::MakeTempDir("zelvoran-damaged"));
  for (const std::string& path : {kIndex, kTexts, kAbbreviations, kLinks, kProfile}) {
    if (const auto bytes = folder.fs.ReadFile(path)) {
      std::ofstream(dir / path.substr(path.rfind('\\') + 1), std::ios::binary) << *bytes;
    }
  }
  const dictc::VerifyReport r = dictc::VerifyDataFolder(dir.string(), 100000);
  std::filesystem::remove_all(dir);
  ASSERT_GT(r.FaultCount, 0);
  bool named = false;
  for (const std::string& f : r.Faults) named |= f.find(GetParam().named) != std::string::npos;
  EXPECT_TRUE(named) << "first fault: " << r.Faults[0];
}

std::string NameOf(const ::testing::TestParamInfo<Damage>& info) {
  std::string name;
  for (const char* c = info.param.name; *c; ++c) {
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(EachFault, DamagedData, ::testing::ValuesIn(Damages()), NameOf);

// The fault shows where it lies: entries whose explanation lies inside a cut explanations
// file keep their text, the others show an empty pane; a length past the end empties only
// that entry.
TEST(DamagedData, ExplanationsPastTheEndShowEmptyAndOnlyThere) {
  Folder folder;
  const std::string texts = folder.Get(kTexts);
  folder.ReplaceIndexLine(3, 3, WithField(folder.DecodedIndexLine(3), 6, "65535"));
  ProgramState state;
  state.ProgramFolder = kFolder;
  LoadDictionary(folder.fs, state);
  const HeadwordIndex& english = state.Dict.EnglishIndex;
  ASSERT_EQ(english.Count(), 6);
  for (int s = 1; s <= 6; ++s) {
    const HeadwordRecord& r = english.Slot(s);
    const std::string text =
        ReadExplanation(folder.fs, kTextsFile, r.TextPosition, r.TextLength, "", 0, 0, "");
    if (s == 3) {
      EXPECT_EQ(text, "");
    } else {
      EXPECT_FALSE(text.empty()) << s;
    }
  }
  // Half the file: the entries inside it still read in full.
  folder.Cut(kTexts, texts.size() / 2);
  int readable = 0, empty = 0;
  for (bool greek : {false, true}) {
    const HeadwordIndex& index = state.Dict.Index(greek);
    for (int s = 1; s <= index.Count(); ++s) {
      const HeadwordRecord& r = index.Slot(s);
      const std::string text =
          ReadExplanation(folder.fs, kTextsFile, r.TextPosition, r.TextLength, "", 0, 0, "");
      const bool inside =
          r.TextPosition - 1 + r.TextLength <= static_cast<int64_t>(texts.size() / 2);
      (text.empty() ? empty : readable)++;
      EXPECT_EQ(!text.empty(), inside && r.TextLength > 0) << greek << " " << s;
    }
  }
  EXPECT_GT(readable, 0);
  EXPECT_GT(empty, 0);
}

// A rejected profile says so in Greek and loads nothing.
TEST(DamagedData, RejectedProfileIsNamedInGreek) {
  Folder folder;
  folder.SetProfileValue("english-headwords", "-1");
  ProgramState state;
  state.ProgramFolder = kFolder;
  LoadDictionary(folder.fs, state);
  ASSERT_FALSE(state.DataProblem.empty());
  EXPECT_NE(Cp1253ToUtf8(state.DataProblem).find("ZelvoranProfile.txt"), std::string::npos);
  EXPECT_NE(Cp1253ToUtf8(state.DataProblem).find("δεν"), std::string::npos);
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 0);
  // A reload after the user's entries changed loads nothing either.
  ReloadHeadwordIndexes(folder.fs, state);
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 0);
}

// A file system whose profile file exists but cannot be read.
class UnreadableProfile final : public FileSystem {
 public:
  explicit UnreadableProfile(FakeFileSystem& inner) : fs_(inner) {}
  char Separator() const override { return fs_.Separator(); }
  std::string CurrentDirectory() const override { return fs_.CurrentDirectory(); }
  bool SetCurrentDirectory(std::string_view p) override { return fs_.SetCurrentDirectory(p); }
  bool FileExists(std::string_view p) const override { return fs_.FileExists(p); }
  bool DirectoryExists(std::string_view p) const override { return fs_.DirectoryExists(p); }
  std::optional<bool> IsReadOnly(std::string_view p) const override { return fs_.IsReadOnly(p); }
  std::optional<FileVersion> Version(std::string_view p) const override { return fs_.Version(p); }
  std::optional<std::string> ReadFile(std::string_view p) const override {
    if (fs_.Key(p) == fs_.Key(kProfile)) return std::nullopt;
    return fs_.ReadFile(p);
  }
  std::optional<std::string> ReadRange(std::string_view p, uint64_t o, uint64_t n) const override {
    return fs_.ReadRange(p, o, n);
  }
  std::optional<uint64_t> FileSize(std::string_view p) const override { return fs_.FileSize(p); }
  bool WriteFile(std::string_view p, std::string_view d) override { return fs_.WriteFile(p, d); }
  bool CreateDirectories(std::string_view p) override { return fs_.CreateDirectories(p); }
  bool RemoveFile(std::string_view p) override { return fs_.RemoveFile(p); }
  bool RenameFile(std::string_view a, std::string_view b) override { return fs_.RenameFile(a, b); }
  std::vector<std::string> ListDirectories(std::string_view p) const override {
    return fs_.ListDirectories(p);
  }
  LockResult LockFile(std::string_view p, std::chrono::milliseconds w) override {
    return fs_.LockFile(p, w);
  }

 private:
  FakeFileSystem& fs_;
};

TEST(DamagedData, UnreadableProfileIsNamedInGreek) {
  Folder folder;
  UnreadableProfile fs(folder.fs);
  ProgramState state;
  state.ProgramFolder = kFolder;
  LoadDictionary(fs, state);
  EXPECT_EQ(Cp1253ToUtf8(state.DataProblem),
            "Το αρχείο προφίλ των δεδομένων (ZelvoranProfile.txt) δεν διαβάζεται.");
  EXPECT_EQ(state.Dict.EnglishIndex.Count(), 0);
}

}  // namespace
}  // namespace zelvoran
