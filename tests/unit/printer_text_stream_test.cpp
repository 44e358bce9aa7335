// SPDX-License-Identifier: GPL-3.0-or-later
// The printer text stream's layout rules on a recording surface.
#include <gtest/gtest.h>

#include "desktop/printer_text_stream.h"
#include "tests/support/fake_print_surface.h"

namespace zelvoran::testing {
namespace {

struct At {
  int page, x, y;
  std::string text;
  bool operator==(const At&) const = default;
  friend void PrintTo(const At& a, std::ostream* os) {
    *os << "{" << a.page << "," << a.x << "," << a.y << ",\"" << a.text << "\"}";
  }
};

std::vector<At> Positions(const FakePrintJob& job) {
  std::vector<At> out;
  for (const DrawnText& d : job.drawn) out.push_back({d.page, d.x, d.y, d.text});
  return out;
}

class StreamTest : public ::testing::Test {
 protected:
  void Open() {
    stream = std::make_unique<PrinterTextStream>(surface);
    ASSERT_TRUE(stream->Open());
  }
  FakePrintJob job;
  FakePrintSurface surface{job};
  std::unique_ptr<PrinterTextStream> stream;
};

TEST_F(StreamTest, PiecesFollowEachOtherInTheFontOfTheirFlush) {
  Open();
  stream->Write("abc");
  PrintFont big;
  big.Points = 20;
  big.Bold = true;
  stream->SetFont(big);  // written before, drawn after: in the new font
  stream->Flush();
  PrintFont small;
  stream->SetFont(small);
  stream->Write("de");
  stream->Flush();
  stream->WriteLine("");
  stream->WriteLine("f");
  EXPECT_EQ(Positions(job), (std::vector<At>{{0, 0, 0, "abc"}, {0, 60, 0, "de"}, {0, 0, 42, "f"}}));
  EXPECT_TRUE(job.drawn[0].font.Bold);
  EXPECT_FALSE(job.drawn[1].font.Bold);
  EXPECT_TRUE(stream->Close());
  EXPECT_TRUE(job.ended);
  EXPECT_FALSE(job.aborted);
}

TEST_F(StreamTest, WrapsInsideWordsAtTheRightLimit) {
  job.width = 100;
  Open();
  stream->WriteLine("abcdefghijklmnopqrstuvwxy");
  stream->Write("0123456789");  // exactly as wide as the page
  stream->Flush();
  stream->Write("z");
  stream->Flush();
  EXPECT_EQ(Positions(job), (std::vector<At>{{0, 0, 0, "abcdefghij"},
                                             {0, 0, 22, "klmnopqrst"},
                                             {0, 0, 44, "uvwxy"},
                                             {0, 0, 66, "0123456789"},
                                             {0, 0, 88, "z"}}));
}

TEST_F(StreamTest, APageNarrowerThanACharacterStillMovesOn) {
  job.width = 5;
  Open();
  stream->WriteLine("abc");
  EXPECT_EQ(Positions(job), (std::vector<At>{{0, 0, 0, "a"}, {0, 0, 22, "b"}, {0, 0, 44, "c"}}));
}

TEST_F(StreamTest, LineHeights) {
  job.char_height = 7;
  Open();
  stream->WriteLine("");  // nothing drawn: the character height
  EXPECT_EQ(stream->Y(), 7);
  stream->Write("a");
  stream->Flush();
  PrintFont big;
  big.Points = 20;
  stream->SetFont(big);
  stream->Write("b");
  stream->Flush();
  EXPECT_EQ(stream->LineHeight(), 42);
  stream->SetFont(PrintFont{});
  stream->WriteLine("c");  // a lower piece does not lower the line
  EXPECT_EQ(stream->Y(), 7 + 42);
  EXPECT_EQ(stream->LineHeight(), 0);
}

TEST_F(StreamTest, PageBreaks) {
  job.height = 100;
  Open();
  for (int i = 0; i < 4; ++i) stream->WriteLine("x");
  // 66 > 100 - 2 * 22: the fourth line starts a new page.
  EXPECT_EQ(Positions(job),
            (std::vector<At>{{0, 0, 0, "x"}, {0, 0, 22, "x"}, {0, 0, 44, "x"}, {1, 0, 0, "x"}}));
  EXPECT_EQ(stream->Y(), 22);
  // Empty lines move by the character height and break only past the bottom itself.
  for (int i = 0; i < 3; ++i) stream->WriteLine("");
  EXPECT_EQ(stream->Y(), 82);
  EXPECT_EQ(job.page, 1);
  stream->WriteLine("");
  EXPECT_EQ(job.page, 2);
  EXPECT_EQ(stream->Y(), 0);
}

TEST_F(StreamTest, ControlCharacters) {
  Open();
  stream->Write("ab\rcd\nef\fgh");
  stream->Flush();
  EXPECT_EQ(
      Positions(job),
      (std::vector<At>{{0, 0, 0, "ab"}, {0, 20, 0, "cd"}, {0, 0, 22, "ef"}, {1, 0, 0, "gh"}}));
}

TEST_F(StreamTest, TabStops) {
  Open();
  PrintFont tiny;
  tiny.Points = 1;  // characters 1 wide: tab stops 8 apart
  stream->SetFont(tiny);
  stream->WriteLine("\tA");
  stream->WriteLine("123456\tB");
  stream->WriteLine("1234567\tC");  // one short of a stop: the next one
  stream->WriteLine("12345678\tD");
  ASSERT_EQ(job.drawn.size(), 7u);
  EXPECT_EQ(job.drawn[0].x, 8);
  EXPECT_EQ(job.drawn[2].x, 8);
  EXPECT_EQ(job.drawn[4].x, 16);
  EXPECT_EQ(job.drawn[6].x, 16);
}

TEST_F(StreamTest, ATabPastTheRightLimitStartsANewLine) {
  job.width = 100;
  Open();
  stream->WriteLine("abc\tX");        // 30 -> 80
  stream->WriteLine("abcdefghi\tY");  // 90 -> 160, past the limit
  EXPECT_EQ(Positions(job),
            (std::vector<At>{
                {0, 0, 0, "abc"}, {0, 80, 0, "X"}, {0, 0, 22, "abcdefghi"}, {0, 0, 44, "Y"}}));
}

TEST_F(StreamTest, AFailedPageBreakAbortsTheJob) {
  job.height = 50;
  job.fail_new_page_after = 0;
  Open();
  for (int i = 0; i < 5; ++i) stream->WriteLine("line");
  EXPECT_TRUE(stream->Failed());
  EXPECT_EQ(job.drawn.size(), 1u);
  EXPECT_FALSE(stream->Close());
  EXPECT_TRUE(job.aborted);
  EXPECT_FALSE(job.ended);
}

TEST_F(StreamTest, AStreamLeftOpenIsAborted) {
  Open();
  stream->WriteLine("half");
  stream.reset();
  EXPECT_TRUE(job.aborted);
  EXPECT_FALSE(job.ended);
}

TEST_F(StreamTest, AJobThatCannotBeginDrawsNothing) {
  job.fail_begin = true;
  PrinterTextStream s(surface);
  EXPECT_FALSE(s.Open());
  s.WriteLine("text");
  EXPECT_FALSE(s.Close());
  EXPECT_TRUE(job.drawn.empty());
  EXPECT_FALSE(job.aborted);
}

TEST_F(StreamTest, AMegabyteLineWrapsOntoManyPages) {
  Open();
  stream->WriteLine(std::string(1 << 20, 'w'));
  ASSERT_EQ(job.drawn.size(), (size_t{1} << 20) / 100 + 1);
  EXPECT_EQ(job.drawn.back().text.size(), (size_t{1} << 20) % 100);
  // 10000 / 22 lines fit a page, less the two-line reserve at the bottom.
  EXPECT_EQ(job.drawn[452].page, 0);
  EXPECT_EQ(job.drawn[453].page, 1);
  EXPECT_TRUE(stream->Close());
}

}  // namespace
}  // namespace zelvoran::testing
