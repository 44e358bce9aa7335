// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/lookup/lookup_cli.h"

#include <sstream>

#include "tests/unit/lookup_fixture.h"

namespace zelvoran::testing {
namespace {

class LookupCliTest : public CoreFixture {
 protected:
  void SetUp() override {
    WriteData(fs, "C:\\Dict\\", LookupDataSet());
    fs.CreateDirectories("C:\\WINDOWS");
  }
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return LookupCliMain(args, fs, folders, info, out, err);
  }
  std::ostringstream out, err;
};

TEST_F(LookupCliTest, TypedTextListsAndShowsAsTheEntryBoxDoes) {
  EXPECT_EQ(Run({"cat"}), 0);
  EXPECT_EQ(out.str(), "cat\ncatalogue\n\ncat\nγάτα\n");
  EXPECT_EQ(Run({"ca"}), 0);
  EXPECT_EQ(out.str(), "cat\ncatalogue\n");  // a beginning only: nothing shown
  EXPECT_EQ(Run({"Ά ρ-θρο"}), 0);
  EXPECT_EQ(out.str(), "άρθρο\nαρθρογράφος\n\nάρθρο\narticle\n");
  EXPECT_EQ(Run({"--row", "1", "ca"}), 0);
  EXPECT_EQ(out.str(), "cat\ncatalogue\n\ncatalogue\nκατάλογος\n");
  EXPECT_EQ(Run({"--row", "9", "ca"}), 0);  // no such row: nothing shown
  EXPECT_EQ(out.str(), "cat\ncatalogue\n");
}

TEST_F(LookupCliTest, ModesCategoriesAndUserEntries) {
  EXPECT_EQ(Run({"--mode", "end", "ος"}), 0);
  EXPECT_EQ(out.str(), "αρθρογράφος\nγιατρός\nθεός\nσοφός\n");
  EXPECT_EQ(Run({"--mode", "contain", "qqq"}), 0);
  EXPECT_EQ(out.str(), "mail@home\n");
  EXPECT_EQ(Run({"--category", "ζωολ."}), 0);
  EXPECT_EQ(out.str(), "cat\ndoctor\ndog\nγάτα\n");
  EXPECT_EQ(Run({"--category", "ιατρ.", "d"}), 0);
  EXPECT_EQ(out.str(), "doctor\n");
  EXPECT_EQ(Run({"--user-entries"}), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Run({"zzz"}), 1);
}

TEST_F(LookupCliTest, JsonKeepsTheExplanationAsShown) {
  EXPECT_EQ(Run({"--json", "dog"}), 0);
  EXPECT_EQ(out.str(),
            "{\"direction\":\"E\",\"rows\":[\"dog\"],\"slots\":[11],\"selected\":0,"
            "\"headword\":\"dog\",\"explanation\":\"σκύλος\"}\n");
  // Lines end in LF, as the explanation printed as text.
  EXPECT_EQ(Run({"--json", "dgo"}), 0);
  EXPECT_NE(out.str().find("\"explanation\":\"Μήπως εννοείτε:\\ndog"), std::string::npos)
      << out.str();
  EXPECT_EQ(out.str().find("\\r"), std::string::npos) << out.str();
  EXPECT_EQ(Run({"--json", "--mode", "end", "\"x"}), 1);
  EXPECT_EQ(out.str(), "{\"direction\":\"E\",\"rows\":[],\"slots\":[],\"selected\":-1}\n");
}

TEST_F(LookupCliTest, SearchInExplanationsListsTheRowsTheSearchLists) {
  EXPECT_EQ(Run({"--search-explanations", "cat"}), 0);
  EXPECT_EQ(out.str(), "γάτα\n");  // nothing selected, nothing shown
  EXPECT_EQ(Run({"--json", "--search-explanations", "ΓΆΤΑ"}), 0);
  EXPECT_EQ(out.str(), "{\"direction\":\"G\",\"rows\":[\"cat\"],\"slots\":[8],\"selected\":-1}\n");
  EXPECT_EQ(Run({"--row", "0", "--search-explanations", "cat"}), 0);
  EXPECT_EQ(out.str(), "γάτα\n\nγάτα\ncat\n");
  EXPECT_EQ(Run({"--search-explanations", "nothing-like-it"}), 1);
}

TEST_F(LookupCliTest, UsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--mode", "middle", "x"},
      {"--mode"},
      {"--row", "-1", "x"},
      {"--row", "two", "x"},
      {"--user-entries", "x"},
      {"a", "b"},
      {"--frobnicate", "x"},
      {"--mode", "contain"},
      {"--search-explanations"},
      {"--search-explanations", "cat", "dog"},
      {"--search-explanations", "cat", "--mode", "end"},
      {"-x", "cat"},
      {"-cat"},  // a word that begins with "-" needs "--" before it
      {"-"},
      {"--json=yes", "cat"},  // a flag takes no value
      {"--", "a", "b"},
      {"cat", "--", "dog"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), 2) << ::testing::PrintToString(args);
    EXPECT_EQ(err.str().rfind("zelvoran-lookup: ", 0), 0u) << err.str();
    EXPECT_NE(err.str().find("\nusage: zelvoran-lookup"), std::string::npos);
    EXPECT_EQ(out.str(), "");
  }
}

TEST_F(LookupCliTest, HelpAndVersionGoToStandardOutputAndSucceed) {
  const std::vector<std::vector<std::string>> asks = {
      {"--help"}, {"-h"}, {"--mode", "end", "--help", "--frob"}};
  for (const auto& args : asks) {
    EXPECT_EQ(Run(args), 0);
    EXPECT_EQ(out.str().rfind("usage: zelvoran-lookup", 0), 0u);
    EXPECT_NE(out.str().find("  --search-explanations WORD"), std::string::npos);
    EXPECT_EQ(err.str(), "");
  }
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(out.str().rfind("zelvoran-lookup (Zelvoran Glossa) ", 0), 0u);
  EXPECT_EQ(out.str().back(), '\n');
  EXPECT_EQ(Run({"--", "--help"}), 1);  // after "--" it is a word to look up
  EXPECT_EQ(err.str(), "");
}

TEST_F(LookupCliTest, DoubleDashEndsTheOptionsAndValuesMayFollowAnEqualsSign) {
  EXPECT_EQ(Run({"--", "-cat"}), 1);  // looked up (no headword begins with "-"), not an option
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(Run({"--row=1", "--", "ca"}), 0);
  EXPECT_EQ(out.str(), "cat\ncatalogue\n\ncatalogue\nκατάλογος\n");
  EXPECT_EQ(Run({"--mode=end", "ος"}), 0);
  EXPECT_EQ(out.str(), "αρθρογράφος\nγιατρός\nθεός\nσοφός\n");
  EXPECT_EQ(Run({"--row", "0", "--search-explanations=cat"}), 0);
  EXPECT_EQ(out.str(), "γάτα\n\nγάτα\ncat\n");
}

}  // namespace
}  // namespace zelvoran::testing
