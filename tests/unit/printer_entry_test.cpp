// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the selected entry: the heading lines, their fonts, and the explanation lines.
#include <gtest/gtest.h>

#include "desktop/print_entry.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_print_surface.h"
#include "text/cp1253.h"

namespace zelvoran::testing {
namespace {

struct Piece {
  int y;
  int x;
  std::string text;  // UTF-8
  uint32_t color;
  bool bold;
  bool underline;
  bool operator==(const Piece&) const = default;
  friend void PrintTo(const Piece& p, std::ostream* os) {
    *os << "{y" << p.y << " x" << p.x << " \"" << p.text << "\" c" << p.color
        << (p.bold ? " bold" : "") << (p.underline ? " underline" : "") << "}";
  }
};

class PrintEntryTest : public ::testing::Test {
 protected:
  PrintEntryTest() {
    h.core.svc.printing = &printing;
    HeadwordRecord english;
    english.Headword = "house";
    h.state.Dict.EnglishIndex.Append(english);
    HeadwordRecord greek;
    greek.Headword = Utf8ToCp1253("σπίτι");
    h.state.Dict.GreekIndex.Append(HeadwordRecord{});
    h.state.Dict.GreekIndex.Append(greek);
    h.core.List.Add("house", RowRef{Direction::kEnglish, 1});
    h.core.List.Add(Utf8ToCp1253("σπίτι"), RowRef{Direction::kGreek, 2});
    h.core.List.Selected = 0;
  }
  std::vector<Piece> Pieces() const {
    std::vector<Piece> out;
    for (const DrawnText& d : job.drawn) {
      EXPECT_EQ(d.font.Face, "MS Sans Serif");
      EXPECT_EQ(d.font.Points, 10);
      out.push_back({d.y, d.x, Cp1253ToUtf8(d.text), d.font.Color, d.font.Bold, d.font.Underline});
    }
    return out;
  }

  DesktopHarness h;
  FakePrintJob job;
  FakePrinting printing{job};
};

// Empty lines are 20 high (the character height), lines with text 22.
constexpr int kLine5 = 80, kLine7 = 122, kLine9 = 164;

TEST_F(PrintEntryTest, PrintsTheHeadingLinesAndTheExplanationLines) {
  h.view.description = "a house\r\n\r\nbuilding";
  Print_ButtonClick(h.core);
  const std::vector<Piece> expected = {
      {kLine5, 0, "      ", kPrintMaroon, false, false},
      {kLine5, 60, "Λήμμα:", kPrintMaroon, false, true},
      {kLine5, 120, "   ", kPrintBlack, true, false},
      {kLine5, 150, "house", kPrintBlack, true, false},
      {kLine7, 0, "      ", kPrintMaroon, false, false},
      {kLine7, 60, "Ελληνική Ερμηνεία", kPrintMaroon, false, true},
      {kLine9, 0, "      a house", kPrintBlack, false, false},
      {kLine9 + 22, 0, "      ", kPrintBlack, false, false},
      {kLine9 + 44, 0, "      building", kPrintBlack, false, false},
  };
  EXPECT_EQ(Pieces(), expected);
  EXPECT_TRUE(job.ended);
  EXPECT_FALSE(job.aborted);
}

TEST_F(PrintEntryTest, TheHeadwordComesFromTheRowsOwnLanguage) {
  h.core.List.Selected = 1;
  h.core.CurrentDirection = Direction::kEnglish;  // the row is Greek all the same
  Print_ButtonClick(h.core);
  const std::vector<Piece> pieces = Pieces();
  ASSERT_EQ(pieces.size(), 6u);
  EXPECT_EQ(pieces[3].text, "σπίτι");
  EXPECT_EQ(pieces[5].text, "Αγγλική Ερμηνεία");
}

TEST_F(PrintEntryTest, AnEmptyExplanationPrintsTheHeadingLinesOnly) {
  Print_ButtonClick(h.core);
  EXPECT_EQ(Pieces().size(), 6u);
  EXPECT_EQ(Pieces().back().y, kLine7);
  EXPECT_TRUE(job.ended);
}

TEST_F(PrintEntryTest, ALineWiderThanThePageContinuesAtTheLeftEdge) {
  job.width = 250;
  h.view.description = "abcdefghijklmnopqrstuvwxyz";
  Print_ButtonClick(h.core);
  const std::vector<Piece> pieces = Pieces();
  ASSERT_EQ(pieces.size(), 8u);
  EXPECT_EQ(pieces[6].text, "      abcdefghijklmnopqrs");
  EXPECT_EQ(pieces[7].text, "tuvwxyz");
  EXPECT_EQ(pieces[7].x, 0);
}

TEST_F(PrintEntryTest, ABoxWithoutWidthGivesWayToThePagesWidth) {
  // The box, at width 0, would hold one character a line; the page holds 94 after the indent.
  h.view.description_width = 0;
  std::string words;
  for (int i = 1; i <= 30; ++i) words += (i > 1 ? " word" : "word") + std::to_string(i % 10);
  const std::string long_word(100, 'x');
  h.view.description = words + "\r\n\r\n" + long_word + "\r\n";
  Print_ButtonClick(h.core);
  std::vector<std::string> lines;
  for (const Piece& p : Pieces()) {
    if (p.y >= kLine9) lines.push_back(p.text);
  }
  const std::string ten = "word1 word2 word3 word4 word5 word6 word7 word8 word9 word0";
  const std::vector<std::string> expected = {
      "      " + ten + " " + ten.substr(0, 29),  // 15 words: 89 characters; 16 would be 95
      "      " + ten.substr(30) + " " + ten,    "      ",
      "      " + long_word.substr(0, 94),  // a word wider than the line is cut
      "      " + long_word.substr(94),
  };
  EXPECT_EQ(lines, expected);
  EXPECT_TRUE(job.ended);

  // A box that has room keeps its own lines.
  h.view.description_width = 7 * 40;
  job = FakePrintJob{};
  Print_ButtonClick(h.core);
  lines.clear();
  for (const Piece& p : Pieces()) {
    if (p.y >= kLine9) lines.push_back(p.text);
  }
  ASSERT_EQ(lines.size(), 9u);  // 179 characters in lines of 40, an empty line, 100 in 40s
  EXPECT_EQ(lines[0], "      " + words.substr(0, 40));
}

TEST(WrapLinesTest, BreaksAfterBlanksOrInsideAWordTooWide) {
  const auto measure = [](std::string_view t) { return static_cast<int>(t.size()); };
  const struct {
    const char* text;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {"aaa bbb", 3, {"aaa", "bbb"}},
      {"aaa   bbb ccc", 7, {"aaa", "bbb ccc"}},  // blanks at a break are dropped
      {"abcdefgh", 3, {"abc", "def", "gh"}},
      {"ab", 0, {"a", "b"}},  // one character a line at least
      {"one\r\n\r\ntwo\r\n", 10, {"one", "", "two"}},
      {"", 10, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(WrapLines(c.text, c.width, measure), c.lines) << c.text;
}

TEST_F(PrintEntryTest, NothingWithoutARowOrWhenCancelled) {
  h.core.List.Selected = -1;
  Print_ButtonClick(h.core);
  EXPECT_EQ(printing.dialogs, 0);
  h.core.List.Selected = 0;
  printing.cancel = true;
  Print_ButtonClick(h.core);
  EXPECT_EQ(printing.dialogs, 1);
  EXPECT_FALSE(job.begun);
}

TEST_F(PrintEntryTest, ASlotOutsideTheIndexPrintsAnEmptyHeadword) {
  h.core.List.Items[0].ref.slot = 999;
  Print_ButtonClick(h.core);
  const std::vector<Piece> pieces = Pieces();
  ASSERT_EQ(pieces.size(), 5u);  // the empty headword draws nothing
  EXPECT_TRUE(job.ended);
}

TEST_F(PrintEntryTest, AJobCutShortIsAborted) {
  job.height = 150;
  job.fail_new_page_after = 0;
  h.view.description = "one\r\ntwo\r\nthree";
  Print_ButtonClick(h.core);
  EXPECT_TRUE(job.aborted);
  EXPECT_FALSE(job.ended);
}

}  // namespace
}  // namespace zelvoran::testing
