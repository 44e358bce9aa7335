// SPDX-License-Identifier: GPL-3.0-or-later
// Line and number helpers for the data and user files.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zelvoran {

// The lines of a text file. A line ends at CR LF, LF or a lone CR; a last line without an
// ending still counts, and an ending at the very end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view data);

// Plain decimal digits (at most 18), nothing else; nullopt otherwise.
std::optional<int64_t> ParseDecimal(std::string_view digits);

// Columns first..last (1-based, inclusive) of a line, cut to what the line holds.
std::string_view Columns(std::string_view line, size_t first, size_t last);

}  // namespace zelvoran
