// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "text/cp1253.h"
#include "tools/dictc/abbreviations.h"
#include "tools/dictc/merge.h"
#include "tools/dictc/source_parser.h"

namespace zelvoran::dictc {
namespace {

std::string W(const char* utf8) {
  return Utf8ToCp1253(utf8);
}
std::vector<std::string> Ws(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* s : utf8) out.push_back(W(s));
  return out;
}

TEST(SourceParserTest, EnglishGreekArticleJoinsWrappedLinesAndKeepsNotes) {
  ParseStats stats;
  const Article a = ParseEnglishGreekArticle(
      "frame /fɹˈeɪm/\n\nπλαισιώνω, σώμα,  (of a\n      door) κούφωμα, (music) νότα\n", 1, stats);
  EXPECT_EQ(a.Headwords, Ws({"frame"}));
  ASSERT_EQ(a.Senses.size(), 1u);
  EXPECT_EQ(a.Senses[0].Translations,
            Ws({"πλαισιώνω", "σώμα", "(of a door) κούφωμα", "(music) νότα"}));
  EXPECT_EQ(a.Senses[0].Marks, Ws({"μουσ."}));
  EXPECT_EQ(stats.Pronunciations, 1);
}

TEST(SourceParserTest, EnglishGreekHeadlineVariantsSplitOnlyWhenIndexedSeparately) {
  ParseStats stats;
  EXPECT_EQ(
      ParseEnglishGreekArticle("AD, A.D. /ˈad/ /ɐ dˈiː/\n\n μετά Χριστόν\n", 2, stats).Headwords,
      Ws({"AD", "A.D."}));
  EXPECT_EQ(ParseEnglishGreekArticle("both, and /x/\n\nκαι\n", 1, stats).Headwords,
            Ws({"both, and"}));
  EXPECT_EQ(stats.Pronunciations, 3);
}

TEST(SourceParserTest, HeadlinePronunciationsPairWithTheirHeadwords) {
  struct Case {
    const char* article;
    size_t keys;
    bool greek;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      // One transcription per variant: each variant gets its own.
      {"AD, A.D. /ˈad/ /ɐ dˈiː/\n\nμετά Χριστόν\n", 2, false, {"/ˈad/", "/ɐ dˈiː/"}},
      // Counts that disagree: every variant gets them all.
      {"x, y, z /a/ /b/\n\nχ\n", 3, false, {"/a/ /b/", "/a/ /b/", "/a/ /b/"}},
      {"both, and /ˈbəʊθ/\n\nκαι\n", 1, false, {"/ˈbəʊθ/"}},
      {"Πέμπτη /ˈpem.pti/ /ˈpem.ti/ <pn>\nThursday\n", 1, true, {"/ˈpem.pti/ /ˈpem.ti/"}},
      // No transcription, and an empty one: the headword has none.
      {"ξυλόφωνο <n>\nxylophone\n", 1, true, {""}},
      {"λέξη // <n>\nword\n", 1, true, {""}},
  };
  for (const Case& c : cases) {
    ParseStats stats;
    const Article a = c.greek ? ParseGreekEnglishArticle(c.article, stats)
                              : ParseEnglishGreekArticle(c.article, c.keys, stats);
    EXPECT_EQ(a.Pronunciations, c.expected) << c.article;
    EXPECT_EQ(a.Pronunciations.size(), a.Headwords.size()) << c.article;
  }
}

TEST(SourceParserTest, GreekEnglishSensesGlossesAndFields) {
  ParseStats stats;
  const Article a = ParseGreekEnglishArticle(
      "άγκιστρο /ˈaŋ.ɟi.stɾo/ <n>\n1. hook, tenterhook\n2. brace, ?, curly bracket\n"
      "τυπογραφία, μαθηματικά, προγραμματισμός\nγια αγκύλες\n",
      stats);
  EXPECT_EQ(a.Headwords, Ws({"άγκιστρο"}));
  EXPECT_EQ(a.PartOfSpeech, W("ουσ."));
  ASSERT_EQ(a.Senses.size(), 2u);
  EXPECT_EQ(a.Senses[0].Translations, Ws({"hook", "tenterhook"}));
  EXPECT_TRUE(a.Senses[0].Glosses.empty());
  EXPECT_EQ(a.Senses[1].Translations, Ws({"brace", "curly bracket"}));
  EXPECT_EQ(a.Senses[1].Marks, Ws({"τυπογρ.", "μαθ.", "πληροφ."}));
  EXPECT_EQ(a.Senses[1].Glosses, Ws({"για αγκύλες"}));
  EXPECT_EQ(stats.Placeholders, 1);
}

TEST(SourceParserTest, SenseNumbersLostInTheSourceFoldIntoTheFirstSense) {
  ParseStats stats;
  const Article a = ParseGreekEnglishArticle(
      "Έχιδνα /ˈe.çi.ðna/ <pn>\nEchidna 2.\nμυθολογία\n 3.\nταξινομικό γένος\n", stats);
  ASSERT_EQ(a.Senses.size(), 1u);
  EXPECT_EQ(a.Senses[0].Translations, Ws({"Echidna"}));
  EXPECT_EQ(a.Senses[0].Marks, Ws({"μυθολ."}));
  EXPECT_EQ(a.Senses[0].Glosses, Ws({"ταξινομικό γένος"}));
}

TEST(SourceParserTest, LabelsMatchWithoutCaseAccentsArticlesOrBrackets) {
  for (const char* label : {"Πληροφορική", "(πληροφορικη)", "στη μυθολογία", "το φυτό"}) {
    EXPECT_TRUE(RowOfLabel(W(label))) << label;
  }
  EXPECT_FALSE(RowOfLabel(W("κατοικίδιο ζώο")));
  EXPECT_EQ(PartOfSpeechAbbreviation("adj"), W("επίθ."));
  EXPECT_EQ(PartOfSpeechAbbreviation("xyz"), "");
}

TEST(AbbreviationTableTest, RowsFitTheFileAndLinksCanHoldEverySubjectField) {
  const auto rows = AbbreviationRows();
  EXPECT_LE(rows.size(), 236u);
  for (const AbbreviationRow& r : rows) {
    EXPECT_LE(r.Abbreviation.size(), 10u) << Cp1253ToUtf8(r.Abbreviation);
    EXPECT_LE(r.Meaning.size(), 65u) << Cp1253ToUtf8(r.Meaning);
  }
}

TEST(SourceParserTest, SplittingKeepsCommasInsideNotes) {
  EXPECT_EQ(SplitTopLevel("a (b, c) d, e; f,, "),
            (std::vector<std::string>{"a (b, c) d", "e", "f"}));
  EXPECT_EQ(WithoutNotes("  a (b (c)) d "), "a d");
  EXPECT_EQ(NotesOf("x (a) y (b (c))"), (std::vector<std::string>{"a", "b (c)"}));
}

TEST(RenderArticleTest, OneSenseOnOneLineSeveralNumbered) {
  Article one;
  one.PartOfSpeech = W("ουσ.");
  one.Senses.push_back({Ws({"cat", "queen"}), Ws({"κατοικίδιο ζώο"}), Ws({"ζωολ."})});
  EXPECT_EQ(Cp1253ToUtf8(RenderArticle(one)), "ουσ. ζωολ. cat, queen\r\nκατοικίδιο ζώο");
  Article two = one;
  two.Senses.push_back({Ws({"pussy"}), {}, {}});
  EXPECT_EQ(Cp1253ToUtf8(RenderArticle(two)),
            "ουσ.\r\n1. ζωολ. cat, queen\r\nκατοικίδιο ζώο\r\n2. pussy");
}

}  // namespace
}  // namespace zelvoran::dictc
