// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/pronunciations.h"

#include <algorithm>

#include "platform/file_system.h"
#include "text/text_lines.h"

namespace zelvoran {
namespace {

struct Fields {
  std::string_view direction, number, headword, pronunciation;
};

// Splits a line into its four TAB-separated fields; false when there are not exactly four.
bool SplitFields(std::string_view text, Fields& f) {
  std::string_view parts[4];
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t tab = text.find('\t', start);
    if (i < 3 && tab == std::string_view::npos) return false;
    if (i == 3 && tab != std::string_view::npos) return false;
    parts[i] = text.substr(start, (i == 3 ? text.size() : tab) - start);
    start = tab + 1;
  }
  f = {parts[0], parts[1], parts[2], parts[3]};
  return true;
}

std::string CheckFields(const Fields& f, PronunciationLine& out) {
  if (f.direction != "E" && f.direction != "G") return "the direction is not E or G";
  const auto n = ParseDecimal(f.number);
  if (!n || *n < 1 || *n > 99999) return "the line number is not a number from 1 to 99999";
  if (f.headword.empty() || !IsCleanUtf8(f.headword)) return "the headword is empty or not UTF-8";
  if (f.pronunciation.empty() || f.pronunciation.size() > kPronunciationMax ||
      !IsCleanUtf8(f.pronunciation)) {
    return "the pronunciation is empty, too long or not UTF-8";
  }
  out.Greek = f.direction == "G";
  out.LineNumber = static_cast<int32_t>(*n);
  return {};
}

}  // namespace

bool IsCleanUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return false;
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t extra = 0;
    uint32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(text[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || (cp >= 0x80 && cp < 0xA0)) {
      return false;
    }
    i += extra + 1;
  }
  return true;
}

std::string FormatPronunciationLine(const PronunciationLine& line) {
  std::string out = line.Greek ? "G" : "E";
  out += '\t';
  out += std::to_string(line.LineNumber);
  out += '\t';
  out += line.Headword;
  out += '\t';
  out += line.Pronunciation;
  return out;
}

PronunciationParse ParsePronunciationLine(std::string_view text) {
  PronunciationParse p;
  if (text.empty() || text[0] == '#') {
    p.comment = true;
    p.error = "comment";
    return p;
  }
  Fields f;
  if (!SplitFields(text, f)) {
    p.error = "not four fields separated by TAB";
    return p;
  }
  p.error = CheckFields(f, p.line);
  if (p.error.empty()) {
    p.line.Headword = std::string(f.headword);
    p.line.Pronunciation = std::string(f.pronunciation);
  }
  return p;
}

size_t PronunciationTable::Load(std::string text) {
  Clear();
  text_ = std::move(text);
  if (text_.size() > UINT32_MAX) {
    text_.clear();
    return 0;
  }
  const std::string_view all(text_);
  for (std::string_view line : SplitLines(all)) {
    if (line.empty() || line[0] == '#') continue;
    Fields f;
    PronunciationLine parsed;
    if (!SplitFields(line, f) || !CheckFields(f, parsed).empty()) continue;
    spans_[parsed.Greek ? 1 : 0].push_back(
        {parsed.LineNumber, static_cast<uint32_t>(f.pronunciation.data() - all.data()),
         static_cast<uint32_t>(f.pronunciation.size())});
  }
  for (auto& spans : spans_) {
    std::stable_sort(spans.begin(), spans.end(),
                     [](const Span& a, const Span& b) { return a.line < b.line; });
    // A line number given twice keeps its first pronunciation.
    spans.erase(std::unique(spans.begin(), spans.end(),
                            [](const Span& a, const Span& b) { return a.line == b.line; }),
                spans.end());
  }
  return Count();
}

void PronunciationTable::Clear() {
  text_.clear();
  spans_[0].clear();
  spans_[1].clear();
}

std::string_view PronunciationTable::Of(bool greek, int32_t line_number) const {
  const std::vector<Span>& spans = spans_[greek ? 1 : 0];
  const auto it = std::lower_bound(spans.begin(), spans.end(), line_number,
                                   [](const Span& s, int32_t n) { return s.line < n; });
  if (it == spans.end() || it->line != line_number || line_number <= 0) return {};
  return std::string_view(text_).substr(it->offset, it->length);
}

void LoadPronunciations(const FileSystem& fs, const std::string& program_folder,
                        PronunciationTable& table) {
  auto text = fs.ReadFile(program_folder + std::string(kPronunciationsFile));
  if (!text) {
    table.Clear();
    return;
  }
  table.Load(std::move(*text));
}

}  // namespace zelvoran
