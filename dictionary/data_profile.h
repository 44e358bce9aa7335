// SPDX-License-Identifier: GPL-3.0-or-later
// DataProfile: the record counts of the data and where each letter's headwords begin. The
// built-in profile describes the delivered data; a data folder built for other data carries a
// profile file beside its four files that replaces it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvoran {

// Table sizes fixed by the data formats.
inline constexpr int kIndexSlots = 60002;  // slot 0 unused; 60001 records at most
inline constexpr int kMaxIndexRecords = kIndexSlots - 1;
inline constexpr int kAbbreviationRows = 237;  // row 0 empty; 236 abbreviations at most
inline constexpr int kMaxAbbreviations = kAbbreviationRows - 1;
inline constexpr int kEnglishLinkSlots = 6376;  // slot 0 empty
inline constexpr int kGreekLinkSlots = 206;
inline constexpr int kMaxEnglishLinks = kEnglishLinkSlots - 1;
inline constexpr int kMaxGreekLinks = kGreekLinkSlots - 1;

struct DataCounts {
  int english_headwords = 50929;
  int greek_headwords = 47310;
  int abbreviations = 236;
  int english_links = 6375;
  int greek_links = 205;
  bool operator==(const DataCounts&) const = default;
};

inline constexpr int kEnglishLetters = 26;  // a..z
inline constexpr int kGreekLetters = 25;    // α (0xE1) .. ω (0xF9), final sigma included

struct LetterStartTable {
  std::array<uint16_t, kEnglishLetters> english{};
  std::array<uint16_t, kGreekLetters> greek{};
  bool operator==(const LetterStartTable&) const = default;

  // Start slot of a key's first byte in a direction; nullopt when the table has no such
  // letter.
  std::optional<int> EnglishStart(unsigned char c) const;
  std::optional<int> GreekStart(unsigned char c) const;
};

struct DataProfile {
  DataCounts counts;
  LetterStartTable letters;
  bool operator==(const DataProfile&) const = default;
};

// The profile of the delivered data.
const DataProfile& BuiltInProfile();

// Name of the profile file inside the data folder.
inline constexpr std::string_view kProfileFileName = "ZelvoranProfile.txt";

struct ProfileParseResult {
  std::optional<DataProfile> profile;
  std::string error;  // Greek message, set when profile is empty
};

// Parses the text of a profile file. Unknown keys, missing keys, malformed numbers and
// counts beyond the table sizes are rejected with a message; nothing is guessed.
ProfileParseResult ParseProfile(std::string_view text);

// The text of a profile file (what ParseProfile reads back).
std::string FormatProfile(const DataProfile& profile);

}  // namespace zelvoran
