// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "tests/support/dictd_numbers.h"
#include "tools/dictc/dictd_reader.h"

namespace zelvoran::dictc {
namespace {

using testing::B64;

TEST(DictdNumberTest, DecodesBase64Digits) {
  const std::pair<const char*, uint64_t> cases[] = {
      {"A", 0}, {"B", 1}, {"/", 63}, {"BA", 64}, {"Etj8", 4 * 262144 + 45 * 4096 + 35 * 64 + 60}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(DecodeDictdNumber(text), value) << text;
  }
  for (const char* bad : {"", "A=", "a b", "////////"}) {
    EXPECT_FALSE(DecodeDictdNumber(bad)) << bad;
  }
}

TEST(DictdDatabaseTest, GroupsKeysOfOneArticleAndKeepsInfo) {
  const std::string dict = "INFO TEXT\nAD, A.D. /x/\n\nmeta\ncat /k/\n\ngata\n";
  const size_t info = 0, ad = dict.find("AD"), cat = dict.find("cat");
  std::string index = "00databaseinfo\t" + B64(info) + "\t" + B64(ad) + "\n";
  index += "ad\t" + B64(ad) + "\t" + B64(cat - ad) + "\n";
  index += "a.d.\t" + B64(ad) + "\t" + B64(cat - ad) + "\r\n";
  index += "cat\t" + B64(cat) + "\t" + B64(dict.size() - cat) + "\n";
  const DictdReadResult r = ParseDictdDatabase(index, dict);
  ASSERT_TRUE(r.database) << r.error;
  ASSERT_EQ(r.database->Articles.size(), 2u);
  EXPECT_EQ(r.database->Articles[0].Keys, (std::vector<std::string>{"ad", "a.d."}));
  EXPECT_EQ(r.database->Articles[1].Text, "cat /k/\n\ngata\n");
  EXPECT_EQ(r.database->Info, "INFO TEXT\n");
}

TEST(DictdDatabaseTest, RefusesBrokenIndexNamingTheLine) {
  const std::string dict = "0123456789";
  const std::pair<std::string, std::string> cases[] = {
      {"a\tA\tC\nb\tA\n", "line 2"},      // two fields
      {"a\tA\tC\nb\tZ\tC\n", "outside"},  // offset 25 past the text
      {"a\tA\tC\nb\tA\tL\n", "outside"},  // length 11
      {"a\tA\t*\n", "not a dictd number"},
  };
  for (const auto& [index, expected] : cases) {
    const DictdReadResult r = ParseDictdDatabase(index, dict, "x.index");
    EXPECT_FALSE(r.database) << index;
    EXPECT_NE(r.error.find(expected), std::string::npos) << r.error;
  }
}

TEST(DictdFileTest, ReadsGzipAndPlainFilesAndRefusesCorruptOnes) {
  const auto dir = std::filesystem::temp_directory_path() / "zelvoran-dictc-reader-test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string text(200000, 'x');
  gzFile gz = gzopen((dir / "d.dict.dz").string().c_str(), "wb");
  ASSERT_TRUE(gz);
  gzwrite(gz, text.data(), static_cast<unsigned>(text.size()));
  gzclose(gz);
  std::ofstream(dir / "d.index", std::ios::binary) << "x\tA\tB\n";
  std::string error;
  EXPECT_EQ(ReadMaybeCompressed((dir / "d.dict.dz").string(), &error), text);
  EXPECT_EQ(ReadMaybeCompressed((dir / "d.index").string(), &error), "x\tA\tB\n");
  const DictdReadResult db = ReadDictdDatabase(dir.string(), "d");
  ASSERT_TRUE(db.database) << db.error;
  EXPECT_EQ(db.database->Articles[0].Text, "x");

  // A truncated compressed file is an error, not a short text.
  std::string bytes;
  {  // closed before the folder is removed, which Windows refuses while a file is open
    std::ifstream in(dir / "d.dict.dz", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::ofstream(dir / "t.dict.dz", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  EXPECT_FALSE(ReadMaybeCompressed((dir / "t.dict.dz").string(), &error));
  EXPECT_FALSE(ReadMaybeCompressed((dir / "missing").string(), &error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
  EXPECT_FALSE(ReadMaybeCompressed((dir / "d.dict.dz").string(), &error, 1000));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zelvoran::dictc
