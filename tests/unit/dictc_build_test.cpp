// SPDX-License-Identifier: GPL-3.0-or-later
// The data compiler end to end on small dictd fixtures: merge rules, the written folder as
// the program's loaders read it, and the verifier on sound and damaged folders.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "app/program_state.h"
#include "app/startup.h"
#include "dictionary/field_codec.h"
#include "dictionary/pronunciations.h"
#include "platform/native/native_file_system.h"
#include "tests/support/dictd_numbers.h"
#include "text/cp1253.h"
#include "tools/dictc/compile.h"
#include "tools/dictc/verify.h"
#include "tools/encoders/field_encoders.h"

namespace zelvoran::dictc {
namespace {

namespace fs = std::filesystem;

std::string W(const char* utf8) {
  return Utf8ToCp1253(utf8);
}

using testing::B64;

// A dictd database from (index keys, article) pairs, the text gzip-compressed when asked.
void WriteDictd(const fs::path& dir, const std::string& name,
                const std::vector<std::pair<std::vector<std::string>, std::string>>& articles,
                bool compress) {
  std::string dict = "FIXTURE\nMaintainer: Test Author\nEdition: 1.0\n";
  std::string index = "00databaseinfo\tA\t" + B64(dict.size()) + "\n";
  for (const auto& [keys, text] : articles) {
    for (const std::string& k : keys) {
      index += k + "\t" + B64(dict.size()) + "\t" + B64(text.size()) + "\n";
    }
    dict += text;
  }
  std::ofstream(dir / (name + ".index"), std::ios::binary) << index;
  if (compress) {
    gzFile gz = gzopen((dir / (name + ".dict.dz")).string().c_str(), "wb");
    gzwrite(gz, dict.data(), static_cast<unsigned>(dict.size()));
    gzclose(gz);
  } else {
    std::ofstream(dir / (name + ".dict"), std::ios::binary) << dict;
  }
}

class DictcBuildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("zelvoran-dictc-test-" +
             std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "src");
    WriteDictd(root_ / "src", kEnglishGreekName,
               {{{"cat"}, "cat /kat/\n\nγάτα, (στο σπίτι) γατί\n"},
                {{"asian"}, "Asian /x/\n\nασιάτης\n"},
                {{"asian"}, "Asian /x/\n\nασιατικός\n"},
                {{"ad", "a.d."}, "AD, A.D. /ˈad/ /ɐ dˈiː/\n\nμετά Χριστόν\n"},
                {{"house"}, "house /hˈaʊs/\n\nσπίτι\n"},
                {{"café"}, "café /x/\n\nκαφετέρια\n"},
                {{"3d"}, "3D /x/\n\nτρισδιάστατος\n"},
                {{"?"}, "? /x/\n\nερώτημα\n"}},
               true);
    WriteDictd(root_ / "src", kGreekEnglishName,
               {{{"γάτα"}, "γάτα /ˈɣa.ta/ <n>\ncat, queen\nκατοικίδιο ζώο\n"},
                {{"άγκιστρο"},
                 "άγκιστρο /x/ <n>\n1. hook\n2. brace, curly bracket\nτυπογραφία, μαθηματικά\n"},
                {{"ξυλόφωνο"}, "ξυλόφωνο <n>\nxylophone\nμουσικό όργανο\n"},
                {{"σπίτι"}, "σπίτι /ˈspi.ti/ /ˈspiti/ <n>\nHouse\n"},
                {{"ἀρχή"}, "ἀρχή /x/ <n>\nbeginning\n"},
                {{"click away"}, "click away /x/ <n>\nclick and collect\n"}},
               false);
  }
  void TearDown() override { fs::remove_all(root_); }

  BuildReport Build() { return BuildDataFolder((root_ / "src").string(), Data().string()); }
  fs::path Data() const { return root_ / "program" / "data"; }

  const HeadwordRecord* Find(const HeadwordIndex& index, const std::string& headword) {
    for (int s = 1; s <= index.Count(); ++s) {
      if (index.Slot(s).Headword == headword) return &index.Slot(s);
    }
    return nullptr;
  }

  fs::path root_;
};

TEST_F(DictcBuildTest, BuiltFolderLoadsAndLooksUpInBothDirections) {
  const BuildReport r = Build();
  ASSERT_EQ(r.error, "");
  NativeFileSystem files;
  ProgramState state;
  state.ProgramFolder = (root_ / "program").string() + "/";
  LoadDictionary(files, state);
  ASSERT_EQ(state.DataProblem, "");
  const Dictionary& d = state.Dict;
  EXPECT_EQ(d.EnglishIndex.Count(), r.EnglishHeadwords);
  EXPECT_EQ(d.GreekIndex.Count(), r.GreekHeadwords);

  // English: keys rise in byte order, the letter table points at each letter's first slot.
  for (int s = 2; s <= d.EnglishIndex.Count(); ++s) {
    EXPECT_LE(d.EnglishIndex.Slot(s - 1).SearchKey, d.EnglishIndex.Slot(s).SearchKey);
  }
  const auto c_start = d.Profile.letters.EnglishStart('c');
  ASSERT_TRUE(c_start);
  EXPECT_EQ(d.EnglishIndex.Slot(*c_start).SearchKey[0], 'c');
  EXPECT_LT(d.EnglishIndex.Slot(*c_start - 1).SearchKey[0], 'c');

  // The explanation as the program reads it: the bytes at the record's position, decoded by
  // position.
  auto explanation = [&](const HeadwordRecord* rec) -> std::string {
    if (!rec) return "(missing)";
    const auto bytes =
        files.ReadRange((Data() / "ZelvoranDat.tbo").string(),
                        static_cast<uint64_t>(rec->TextPosition - 1), rec->TextLength);
    return bytes ? Cp1253ToUtf8(PositionDecode(rec->TextPosition, *bytes)) : "(unreadable)";
  };

  // Identical headwords become numbered blocks; reversal adds the other source's words.
  EXPECT_EQ(explanation(Find(d.EnglishIndex, "Asian")), "I. ασιάτης\r\nII. ασιατικός");
  // A reversed translation already given by the article adds nothing; others add a block.
  EXPECT_EQ(explanation(Find(d.EnglishIndex, "cat")), "γάτα, (στο σπίτι) γατί");
  EXPECT_EQ(explanation(Find(d.EnglishIndex, "queen")), "ουσ. γάτα");
  // Variants of one headline are separate headwords; accents leave Latin letters.
  EXPECT_NE(Find(d.EnglishIndex, "A.D."), nullptr);
  EXPECT_NE(Find(d.EnglishIndex, "AD"), nullptr);
  EXPECT_NE(Find(d.EnglishIndex, "cafe"), nullptr);
  // Made by reversal only: the English headword from a Greek article, with its field.
  const HeadwordRecord* xylophone = Find(d.EnglishIndex, "xylophone");
  ASSERT_NE(xylophone, nullptr);
  EXPECT_EQ(Cp1253ToUtf8(xylophone->Category), "μουσ.");
  EXPECT_EQ(explanation(xylophone), "ουσ. ξυλόφωνο");
  // A key without a letter can never be reached: "?" is not a headword.
  EXPECT_EQ(Find(d.EnglishIndex, "?"), nullptr);

  // Greek: a sense with two fields makes a MULTI entry with one link per field.
  const HeadwordRecord* hook = Find(d.GreekIndex, W("άγκιστρο"));
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(hook->Category, "MULTI");
  std::vector<std::string> fields;
  for (const CategoryLink& l : d.GreekCategoryLinks) {
    if (l.EntryNumber == hook->LineNumber && hook->LineNumber)
      fields.push_back(Cp1253ToUtf8(l.Category));
  }
  EXPECT_EQ(fields, (std::vector<std::string>{"τυπογρ.", "μαθ."}));
  EXPECT_EQ(explanation(hook), "ουσ.\r\n1. hook\r\n2. τυπογρ. μαθ. brace, curly bracket");
  // The reversed "cat" is already among the translations: no second block.
  EXPECT_EQ(explanation(Find(d.GreekIndex, W("γάτα"))), "ουσ. cat, queen\r\nκατοικίδιο ζώο");
  EXPECT_EQ(explanation(Find(d.GreekIndex, W("τρισδιάστατος"))), "3D");
  EXPECT_NE(Find(d.GreekIndex, W("αρχή")), nullptr);     // polytonic made monotonic
  EXPECT_EQ(Find(d.GreekIndex, "click away"), nullptr);  // no Greek letter: unreachable
  EXPECT_TRUE(fs::exists(Data() / kSourcesFileName));
}

TEST_F(DictcBuildTest, MissingSourceIsAnErrorAndLeavesNoFolder) {
  fs::remove(root_ / "src" / (std::string(kGreekEnglishName) + ".index"));
  const BuildReport r = Build();
  EXPECT_NE(r.error.find("freedict-ell-eng.index"), std::string::npos) << r.error;
  EXPECT_FALSE(fs::exists(Data()));
}

TEST_F(DictcBuildTest, SourcesFileNamesBothSourcesAndTheLicence) {
  ASSERT_EQ(Build().error, "");
  std::ifstream in(Data() / kSourcesFileName);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const char* needed : {"dict-freedict-ell-eng", "dict-freedict-eng-ell", "Test Author",
                             "CC BY-SA 3.0", "converted and merged"}) {
    EXPECT_NE(text.find(needed), std::string::npos) << needed;
  }
}

// Damage done to a sound folder, and the words the verifier must name it with.
struct Damage {
  const char* name;
  void (*apply)(const fs::path& data);
  const char* expected;
};

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
void WriteBytes(const fs::path& p, const std::string& s) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << s;
}

TEST_F(DictcBuildTest, VerifierPassesTheBuiltFolderAndNamesEachDamage) {
  ASSERT_EQ(Build().error, "");
  const VerifyReport sound = VerifyDataFolder(Data().string());
  EXPECT_EQ(sound.FaultCount, 0) << (sound.Faults.empty() ? "" : sound.Faults[0]);
  EXPECT_TRUE(sound.ProfileFromFile);

  const Damage damages[] = {
      {"explanations cut short",
       [](const fs::path& d) {
         const std::string t = ReadBytes(d / "ZelvoranDat.tbo");
         WriteBytes(d / "ZelvoranDat.tbo", t.substr(0, t.size() - 3));
       },
       "runs past the end of ZelvoranDat.tbo"},
      {"index line swapped for garbage",
       [](const fs::path& d) {
         std::string t = ReadBytes(d / "ZelvoranI.tbo");
         t.replace(0, t.find("\r\n"), "garbage");
         WriteBytes(d / "ZelvoranI.tbo", t);
       },
       "ZelvoranI.tbo English line 1"},
      {"lines swapped (order and numbers)",
       [](const fs::path& d) {
         std::string t = ReadBytes(d / "ZelvoranI.tbo");
         const size_t a = t.find("\r\n"), b = t.find("\r\n", a + 2);
         t = t.substr(a + 2, b - a - 2) + "\r\n" + t.substr(0, a) + t.substr(b);
         WriteBytes(d / "ZelvoranI.tbo", t);
       },
       "line 1"},
      {"profile count wrong",
       [](const fs::path& d) {
         std::string t = ReadBytes(d / "ZelvoranProfile.txt");
         const size_t p = t.find("abbreviations=");
         t.insert(p + 14, "1");
         WriteBytes(d / "ZelvoranProfile.txt", t);
       },
       "the profile says"},
      {"links file missing", [](const fs::path& d) { fs::remove(d / "ZelvoranEC.tbo"); },
       "ZelvoranEC.tbo: missing"},
      {"link to a headword without MULTI",
       [](const fs::path& d) {
         WriteBytes(d / "ZelvoranEC.tbo", ReadBytes(d / "ZelvoranEC.tbo") + "00001E" +
                                              MirrorEncode(1, Utf8ToCp1253("μαθ.")) + "\r\n");
       },
       "not \"MULTI\""},
      {"bare LF in the abbreviations",
       [](const fs::path& d) {
         std::string t = ReadBytes(d / "ZelvoranSrt.tbo");
         t.erase(t.find('\r'), 1);
         WriteBytes(d / "ZelvoranSrt.tbo", t);
       },
       "ZelvoranSrt.tbo line 1: line ends with a bare CR or LF"},
  };
  for (const Damage& damage : damages) {
    fs::remove_all(Data());
    ASSERT_EQ(Build().error, "");
    damage.apply(Data());
    const VerifyReport r = VerifyDataFolder(Data().string());
    ASSERT_GT(r.FaultCount, 0) << damage.name;
    bool named = false;
    for (const std::string& f : r.Faults) named |= f.find(damage.expected) != std::string::npos;
    EXPECT_TRUE(named) << damage.name << ": first fault: " << r.Faults[0];
  }
}

// The pronunciation the loaded dictionary gives a headword of a section ("(missing)" when the
// headword is not there).
std::string SaidAs(const Dictionary& d, bool greek, const std::string& utf8_headword) {
  const HeadwordIndex& index = d.Index(greek);
  for (int s = 1; s <= index.Count(); ++s) {
    if (index.Slot(s).Headword == Utf8ToCp1253(utf8_headword)) {
      return std::string(d.Pronunciations.Of(greek, index.Slot(s).LineNumber));
    }
  }
  return "(missing)";
}

TEST_F(DictcBuildTest, PronunciationsFileServesBothDirectionsAndReversedHeadwords) {
  const BuildReport r = Build();
  ASSERT_EQ(r.error, "");
  ASSERT_TRUE(fs::exists(Data() / kPronunciationsFileName));
  NativeFileSystem files;
  ProgramState state;
  state.ProgramFolder = (root_ / "program").string() + "/";
  LoadDictionary(files, state);
  const Dictionary& d = state.Dict;
  const struct {
    bool greek;
    const char* headword;
    const char* said;
  } cases[] = {
      {false, "cat", "/kat/"},
      {false, "AD", "/ˈad/"},  // variants of one headline, each with its own
      {false, "A.D.", "/ɐ dˈiː/"},
      {false, "house", "/hˈaʊs/"},
      {false, "House", "/hˈaʊs/"},  // made by reversal, said as the source's "house"
      {false, "xylophone", ""},     // made by reversal, no source word
      {true, "γάτα", "/ˈɣa.ta/"},
      {true, "σπίτι", "/ˈspi.ti/ /ˈspiti/"},  // a source article and a reversal
      {true, "ξυλόφωνο", ""},                 // the source gives none
      {true, "τρισδιάστατος", ""},            // reversed from English: no Greek IPA
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SaidAs(d, c.greek, c.headword), c.said) << c.headword;
  }
  const VerifyReport v = VerifyDataFolder(Data().string());
  EXPECT_EQ(v.FaultCount, 0) << (v.Faults.empty() ? "" : v.Faults[0]);
  EXPECT_TRUE(v.HasPronunciations);
  EXPECT_EQ(v.EnglishPronunciations + v.GreekPronunciations,
            static_cast<int>(d.Pronunciations.Count()));
}

TEST_F(DictcBuildTest, PronunciationsLeaveTheFourDataFilesAsTheyWere) {
  ASSERT_EQ(Build().error, "");
  // The same sources without any transcription.
  const fs::path plain = root_ / "plain";
  fs::create_directories(plain);
  for (const char* name : {kEnglishGreekName, kGreekEnglishName}) {
    const bool compressed = fs::exists(root_ / "src" / (std::string(name) + ".dict.dz"));
    std::string dict;
    if (compressed) {
      gzFile gz = gzopen((root_ / "src" / (std::string(name) + ".dict.dz")).string().c_str(), "rb");
      char buf[4096];
      int n;
      while ((n = gzread(gz, buf, sizeof buf)) > 0) dict.append(buf, static_cast<size_t>(n));
      gzclose(gz);
    } else {
      dict = ReadBytes(root_ / "src" / (std::string(name) + ".dict"));
    }
    // Blank out each "/.../" group, keeping every offset of the index valid.
    for (size_t open = dict.find(" /"); open != std::string::npos; open = dict.find(" /", open)) {
      const size_t close = dict.find('/', open + 2);
      const size_t eol = dict.find('\n', open);
      if (close == std::string::npos || close > eol) break;
      for (size_t i = open + 1; i <= close; ++i) dict[i] = ' ';
    }
    fs::copy_file(root_ / "src" / (std::string(name) + ".index"),
                  plain / (std::string(name) + ".index"));
    WriteBytes(plain / (std::string(name) + ".dict"), dict);
  }
  const fs::path plain_data = root_ / "plain-program" / "data";
  ASSERT_EQ(BuildDataFolder(plain.string(), plain_data.string()).error, "");
  EXPECT_FALSE(fs::exists(plain_data / kPronunciationsFileName));
  for (const char* name :
       {"ZelvoranI.tbo", "ZelvoranDat.tbo", "ZelvoranSrt.tbo", "ZelvoranEC.tbo"}) {
    EXPECT_EQ(ReadBytes(Data() / name), ReadBytes(plain_data / name)) << name;
  }
}

TEST_F(DictcBuildTest, VerifierNamesDamagedPronunciationLines) {
  const std::string file(kPronunciationsFileName);
  const struct {
    const char* name;
    std::string line;
    const char* expected;
  } damages[] = {
      {"line past the section", "E\t999\tcat\t/kat/", "which does not exist"},
      {"headword of another line", "E\t1\tnot-the-headword\t/x/", "is not that of English line 1"},
      {"not UTF-8", "E\t1\tcat\t/k\xC3\x28t/", "not UTF-8"},
      {"three fields", "G\t1\t/x/", "not four fields"},
      {"direction", "X\t1\tcat\t/kat/", "not E or G"},
  };
  for (const auto& damage : damages) {
    fs::remove_all(Data());
    ASSERT_EQ(Build().error, "");
    WriteBytes(Data() / file, ReadBytes(Data() / file) + damage.line + "\n");
    const VerifyReport r = VerifyDataFolder(Data().string());
    ASSERT_GT(r.FaultCount, 0) << damage.name;
    EXPECT_NE(r.Faults[0].find(damage.expected), std::string::npos)
        << damage.name << ": " << r.Faults[0];
    EXPECT_NE(r.Faults[0].find(file), std::string::npos) << damage.name;
  }
  // A headword given twice.
  fs::remove_all(Data());
  ASSERT_EQ(Build().error, "");
  std::string text = ReadBytes(Data() / file);
  const size_t last = text.rfind('\n', text.size() - 2);
  WriteBytes(Data() / file, text + text.substr(last + 1));
  const VerifyReport twice = VerifyDataFolder(Data().string());
  ASSERT_EQ(twice.FaultCount, 1);
  EXPECT_NE(twice.Faults[0].find("a second pronunciation"), std::string::npos);
}

TEST(DictcVerifyTest, MissingFolderIsAFault) {
  const VerifyReport r = VerifyDataFolder("/nonexistent/zelvoran");
  ASSERT_EQ(r.FaultCount, 1);
  EXPECT_NE(r.Faults[0].find("not a folder"), std::string::npos);
}

}  // namespace
}  // namespace zelvoran::dictc
