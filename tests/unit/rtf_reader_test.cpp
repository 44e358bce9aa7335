// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rtf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace zelvoran {
namespace {

RtfDocument Read(std::string_view rtf) {
  RtfReadResult r = ReadRtf(rtf);
  EXPECT_TRUE(r.document) << r.error << " at " << r.error_offset << " in " << rtf;
  return r.document.value_or(RtfDocument{});
}

std::string ShippedNotice() {
  std::ifstream in(ZELVORAN_SOURCE_DIR "/content/copyright.rtf", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(RtfReaderTest, ReadsTheShippedNotice) {
  const std::string rtf = ShippedNotice();
  ASSERT_FALSE(rtf.empty());
  const RtfDocument doc = Read(rtf);
  ASSERT_GE(doc.paragraphs.size(), 10u);

  // The title: the info group (which also names the program) is skipped.
  const RtfParagraph& title = doc.paragraphs[0];
  EXPECT_EQ(title.Text(), "Zelvoran Glossa");
  EXPECT_EQ(title.alignment, RtfAlignment::kCenter);
  ASSERT_EQ(title.runs.size(), 1u);
  EXPECT_TRUE(title.runs[0].format.bold);
  EXPECT_EQ(title.runs[0].format.color, (RtfColor{0, 0, 128}));
  EXPECT_EQ(title.runs[0].format.half_points, 20);
  EXPECT_EQ(title.runs[0].format.font, "Arial");

  const std::string text = doc.PlainText();
  for (const char* expected :
       {"Ελληνοαγγλικό και αγγλοελληνικό λεξικό\nέκδοση 1.2", "Τα δεδομένα του λεξικού",
        "dict-freedict-eng-ell", "dict-freedict-ell-eng", "2000–2022 FreeDict contributors",
        "Piotr Bański", "Karl Bartel", "CC BY-SA 3.0", "GPL", "συγχωνεύτηκαν", "merged",
        "https://creativecommons.org/licenses/by-sa/3.0/", "«ως έχουν»", "“as is”"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(text.find("fonttbl"), std::string::npos);
  EXPECT_EQ(text.find("MS Sans Serif"), std::string::npos);
  EXPECT_EQ(text.find('\\'), std::string::npos);
}

struct FormatCase {
  const char* rtf;
  std::vector<std::pair<std::string, RtfCharFormat>> runs;
};

RtfCharFormat Fmt(bool b, bool i, bool u, int hp = kDefaultRtfHalfPoints,
                  std::optional<RtfColor> color = std::nullopt) {
  RtfCharFormat f;
  f.bold = b;
  f.italic = i;
  f.underline = u;
  f.half_points = hp;
  f.color = color;
  return f;
}

TEST(RtfReaderTest, CharacterFormatting) {
  const RtfCharFormat plain = Fmt(false, false, false);
  const std::vector<FormatCase> cases = {
      {R"({\rtf1 plain})", {{"plain", plain}}},
      {R"({\rtf1 a{\b b}c})", {{"a", plain}, {"b", Fmt(true, false, false)}, {"c", plain}}},
      {R"({\rtf1 \b x\b0 y\b1 z})",
       {{"x", Fmt(true, false, false)}, {"y", plain}, {"z", Fmt(true, false, false)}}},
      {R"({\rtf1 \i\ul x\ulnone y\ul0 z\i0 w})",
       {{"x", Fmt(false, true, true)}, {"yz", Fmt(false, true, false)}, {"w", plain}}},
      {R"({\rtf1 \fs32 x\fs0 y\fs99999 z})",
       {{"x", Fmt(false, false, false, 32)},
        {"y", Fmt(false, false, false, 1)},
        {"z", Fmt(false, false, false, 3276)}}},
      {R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green300\blue-5;}\cf1 r\cf0 a\cf2 g\cf9 z})",
       {{"r", Fmt(false, false, false, 24, RtfColor{255, 0, 0})},
        {"a", plain},
        {"g", Fmt(false, false, false, 24, RtfColor{0, 255, 0})},
        {"z", plain}}},
      {R"({\rtf1 \b\i\fs30 x\plain y})", {{"x", Fmt(true, true, false, 30)}, {"y", plain}}},
      {R"({\rtf1 \b x{\b0 y{\i z}}w})",
       {{"x", Fmt(true, false, false)},
        {"y", plain},
        {"z", Fmt(false, true, false)},
        {"w", Fmt(true, false, false)}}},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.rtf);
    const RtfDocument doc = Read(c.rtf);
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    const std::vector<RtfRun>& runs = doc.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), c.runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i].text, c.runs[i].first) << i;
      EXPECT_EQ(runs[i].format, c.runs[i].second) << i;
    }
  }
}

TEST(RtfReaderTest, EscapesAndSymbols) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {R"({\rtf1 \'e1\'C1\'e2})", "αΑβ"},
      {R"({\rtf1 \'a9 \'96 \'ab\'bb})", "© – «»"},
      {R"({\rtf1 \'aa})", "\xEF\xBF\xBD"},  // unassigned in code page 1253
      {R"({\rtf1 \u945?x})", "αx"},
      {R"({\rtf1 \u945\'e1x})", "αx"},  // the escape is the \u's stand-in
      {R"({\rtf1 \uc2\u945??x\uc0\u946 y})", "αxβy"},
      {R"({\rtf1 {\u945}?})", "α?"},  // the stand-in ends with the group
      {R"({\rtf1 \u-3913?})", "\xEF\x82\xB7"},
      {R"({\rtf1 \u-10179?\u-8704?})", "😀"},
      {R"({\rtf1 \u-10179?x})", "\xEF\xBF\xBDx"},  // a lone high surrogate
      {R"({\rtf1 \u-8704?})", "\xEF\xBF\xBD"},
      {R"({\rtf1 \u70000?})", "\xEF\xBF\xBD"},
      {R"({\rtf1 a\\b\{c\}})", "a\\b{c}"},
      {R"({\rtf1 a\~b\-c\_d})",
       "a\xC2\xA0"
       "bc\xE2\x80\x91"
       "d"},
      {R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})", "—–•‘’“”"},
      {"{\\rtf1 a\r\nb\tc}", "ab\tc"},
      {"{\\rtf1 \xE1\xE2}", "αβ"},  // raw code page bytes
      {R"({\rtf1 a\line b\tab c})", "a\nb\tc"},
      {R"({\rtf1 \foo123 x\unknownword y})", "xy"},
      {R"({\rtf1 {\*\generator Writer 1.0;}{\stylesheet{\s0 Normal;}}{\info{\title T}}x})", "x"},
      {R"({\rtf1 {\field{\*\fldinst HYPERLINK "http://a"}{\fldrslt link}}})", "link"},
      {R"({\rtf1 {\pict\bin4 }}}}}x})", "x"},
  };
  for (const auto& [rtf, expected] : cases) {
    SCOPED_TRACE(rtf);
    EXPECT_EQ(Read(rtf).PlainText(), expected);
  }
}

TEST(RtfReaderTest, ParagraphsAndAlignment) {
  const RtfDocument doc = Read(R"({\rtf1 \qc one\par\pard two\par\par{\qr three\par}\qj four})");
  ASSERT_EQ(doc.paragraphs.size(), 5u);
  const std::vector<std::pair<std::string, RtfAlignment>> expected = {
      {"one", RtfAlignment::kCenter},
      {"two", RtfAlignment::kLeft},
      {"", RtfAlignment::kLeft},
      {"three", RtfAlignment::kRight},
      {"four", RtfAlignment::kJustify}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(doc.paragraphs[i].Text(), expected[i].first) << i;
    EXPECT_EQ(doc.paragraphs[i].alignment, expected[i].second) << i;
  }
  // Indents belong to the paragraph and end with \pard; absurd ones are bounded.
  const RtfDocument indented =
      Read(R"({\rtf1 \li150\fi-150 a\par\li99999999 b\par\pard c\par{\fi200 d\par}\li30 e})");
  const std::vector<std::pair<int, int>> indents = {
      {150, -150}, {31680, -150}, {0, 0}, {0, 200}, {30, 0}};
  ASSERT_EQ(indented.paragraphs.size(), indents.size());
  for (size_t i = 0; i < indents.size(); ++i) {
    EXPECT_EQ(indented.paragraphs[i].left_indent, indents[i].first) << i;
    EXPECT_EQ(indented.paragraphs[i].first_line_indent, indents[i].second) << i;
  }
  // A closing \par adds no empty paragraph; an empty document has none.
  EXPECT_EQ(Read(R"({\rtf1 a\par})").paragraphs.size(), 1u);
  EXPECT_TRUE(Read(R"({\rtf1})").paragraphs.empty());
}

TEST(RtfReaderTest, FontTable) {
  const RtfDocument doc =
      Read(R"({\rtf1\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman{\*\panose 0202}Times New Roman;})"
           R"({\f2\fnil{\falt Sym} \'c1\'e8\'DE\'ed\'e1;}}a\f0 b\f2 c\f7 d\plain e})");
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  const std::vector<std::pair<std::string, std::string>> expected = {{"a", "Times New Roman"},
                                                                     {"b", "Arial"},
                                                                     {"c", "Αθήνα"},
                                                                     {"d", ""},
                                                                     {"e", "Times New Roman"}};
  const std::vector<RtfRun>& runs = doc.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), expected.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].text, expected[i].first);
    EXPECT_EQ(runs[i].format.font, expected[i].second) << i;
  }
}

TEST(RtfReaderTest, RejectsMalformedInput) {
  const std::string deep =
      "{\\rtf1 " + std::string(kMaxRtfNesting, '{') + "x" + std::string(kMaxRtfNesting + 1, '}');
  const std::string huge_nesting = "{\\rtf1 " + std::string(1000000, '{');
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"", "header"},
      {"plain text", "header"},
      {"{\\rt", "header"},
      {"{\\rtf1 x", "ends inside a group"},
      {"{\\rtf1 {\\b x}", "ends inside a group"},
      {"{\\rtf1 x}}", "after the end"},
      {"{\\rtf1 x}y", "after the end"},
      {"{\\rtf1 \\'e", "truncated"},
      {"{\\rtf1 \\'", "truncated"},
      {"{\\rtf1 \\'zz}", "malformed"},
      {"{\\rtf1 \\'e}", "malformed"},
      {"{\\rtf1 \\", "truncated"},
      {"{\\rtf1 {\\pict\\bin99 ab}}", "truncated"},
      {"{\\rtf1 \\bin-1 }", "negative"},
      {"{\\rtf1 \\" + std::string(40, 'a') + " }", "too long"},
      {"{\\rtf1 \\fs12345678901 }", "too long"},
      {deep, "nested"},
      {huge_nesting, "nested"},
  };
  for (const auto& [rtf, reason] : cases) {
    SCOPED_TRACE(rtf.substr(0, 40));
    const RtfReadResult r = ReadRtf(rtf);
    EXPECT_FALSE(r.document);
    EXPECT_NE(r.error.find(reason), std::string::npos) << r.error;
    EXPECT_LE(r.error_offset, rtf.size());
  }
  // Nesting up to the limit is fine, and so is white space after the document.
  const std::string at_limit =
      "{\\rtf1 " + std::string(kMaxRtfNesting - 1, '{') + "x" + std::string(kMaxRtfNesting, '}');
  EXPECT_EQ(Read(at_limit).PlainText(), "x");
  EXPECT_EQ(Read(std::string("{\\rtf1 x}\r\n\0 ", 13)).PlainText(), "x");
}

// Damaged copies of the notice (bytes flipped, cut, duplicated) are read or rejected, never
// more; a rejection points inside the input.
TEST(RtfReaderTest, DamagedNoticeIsReadOrRejected) {
  const std::string notice = ShippedNotice();
  ASSERT_FALSE(notice.empty());
  std::mt19937 rng(12345);
  const std::string alphabet = "{}\\'uc0123456789-abz \r\n\xE1";
  int rejected = 0;
  for (int round = 0; round < 600; ++round) {
    std::string s = notice;
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits && !s.empty(); ++e) {
      const size_t at = rng() % s.size();
      switch (rng() % 4) {
        case 0:
          s[at] = alphabet[rng() % alphabet.size()];
          break;
        case 1:
          s.erase(at, 1 + rng() % 16);
          break;
        case 2:
          s.insert(at, std::string(1 + rng() % 4, alphabet[rng() % alphabet.size()]));
          break;
        default:
          s.resize(at);
          break;
      }
    }
    const RtfReadResult r = ReadRtf(s);
    if (!r.document) {
      ++rejected;
      EXPECT_FALSE(r.error.empty());
      EXPECT_LE(r.error_offset, s.size());
    }
  }
  EXPECT_GT(rejected, 0);
}

TEST(RtfReaderTest, LargeDocument) {
  std::string rtf = "{\\rtf1 ";
  for (int i = 0; i < 20000; ++i) rtf += "{\\b w\\'e1}\\u945?\\par ";
  rtf += "}";
  const RtfDocument doc = Read(rtf);
  ASSERT_EQ(doc.paragraphs.size(), 20000u);
  EXPECT_EQ(doc.paragraphs.back().Text(), "wαα");
}

}  // namespace
}  // namespace zelvoran
