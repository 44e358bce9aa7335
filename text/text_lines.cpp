// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_lines.h"

namespace zelvoran {

std::vector<std::string_view> SplitLines(std::string_view data) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  const size_t n = data.size();
  size_t i = 0;
  while (i < n) {
    const char c = data[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(data.substr(start, i - start));
      i += (c == '\r' && i + 1 < n && data[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < n) lines.push_back(data.substr(start));
  return lines;
}

std::optional<int64_t> ParseDecimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  int64_t v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::string_view Columns(std::string_view line, size_t first, size_t last) {
  if (first < 1 || first > line.size() || last < first) return {};
  return line.substr(first - 1, last - first + 1);
}

}  // namespace zelvoran
