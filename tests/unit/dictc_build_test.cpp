// The data compiler end to end on small dictd fixtures: merge rules, the written folder as
// the program's loaders read it, and the verifier on sound and damaged folders.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "app/program_state.h"
#include "app/startup.h"
#include "dictionary/cp1253.h"
#include "dictionary/field_codec.h"
#include "platform/linux/posix_file_system.h"
#include "tests/support/dictd_numbers.h"
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
                {{"ad", "a.d."}, "AD, A.D. /x/\n\nμετά Χριστόν\n"},
                {{"café"}, "café /x/\n\nκαφετέρια\n"},
                {{"3d"}, "3D /x/\n\nτρισδιάστατος\n"},
                {{"?"}, "? /x/\n\nερώτημα\n"}},
               true);
    WriteDictd(root_ / "src", kGreekEnglishName,
               {{{"γάτα"}, "γάτα /ˈɣa.ta/ <n>\ncat, queen\nκατοικίδιο ζώο\n"},
                {{"άγκιστρο"},
                 "άγκιστρο /x/ <n>\n1. hook\n2. brace, curly bracket\nτυπογραφία, μαθηματικά\n"},
                {{"ξυλόφωνο"}, "ξυλόφωνο /x/ <n>\nxylophone\nμουσικό όργανο\n"},
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
  PosixFileSystem files;
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

TEST(DictcVerifyTest, MissingFolderIsAFault) {
  const VerifyReport r = VerifyDataFolder("/nonexistent/zelvoran");
  ASSERT_EQ(r.FaultCount, 1);
  EXPECT_NE(r.Faults[0].find("not a folder"), std::string::npos);
}

}  // namespace
}  // namespace zelvoran::dictc
