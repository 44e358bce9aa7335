// SPDX-License-Identifier: GPL-3.0-or-later
// A small, strict reader of rich text (RTF) into a neutral document: paragraphs of runs with
// bold, italic, underline, size, colour and font. It reads what the program's notice uses:
// groups, \par and \line, character, alignment and indent control words, the font and colour
// tables,
// \'hh escapes (code page 1253) and \u escapes. Other destinations are skipped, unknown
// control words ignored. Input that breaks the syntax (no "{\rtf" header, unbalanced braces,
// a truncated escape, nesting deeper than kMaxRtfNesting) is rejected with the offset where
// reading stopped; no input makes it loop or recurse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

inline constexpr int kMaxRtfNesting = 64;
inline constexpr int kDefaultRtfHalfPoints = 24;  // \fs24: 12 points

struct RtfColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const RtfColor&) const = default;
};

struct RtfCharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = kDefaultRtfHalfPoints;  // \fs, 1..3276
  std::optional<RtfColor> color;            // nullopt: the automatic (default) colour
  std::string font;                         // family name from the font table, UTF-8; may be empty
  bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
  std::string text;  // UTF-8; "\n" is a line break inside the paragraph, "\t" a tab
  RtfCharFormat format;
};

enum class RtfAlignment { kLeft, kCenter, kRight, kJustify };

struct RtfParagraph {
  std::vector<RtfRun> runs;
  RtfAlignment alignment = RtfAlignment::kLeft;
  int left_indent = 0;        // \li, twips (1/1440 inch)
  int first_line_indent = 0;  // \fi, twips, relative to the left indent; negative hangs
  std::string Text() const;   // the runs' text, concatenated
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;
  std::string PlainText() const;  // paragraphs joined with "\n"
};

struct RtfReadResult {
  std::optional<RtfDocument> document;  // nullopt when the input was rejected
  std::string error;                    // why, in English, for tests and diagnostics
  size_t error_offset = 0;              // byte offset where reading stopped
};

RtfReadResult ReadRtf(std::string_view rtf);

}  // namespace zelvoran
