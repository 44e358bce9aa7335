// SPDX-License-Identifier: GPL-3.0-or-later
// How the dictionary's headwords are said, in IPA. They live in a file of their own beside the
// data files because IPA has no Windows-1253 bytes: the file and these strings are UTF-8, and
// they are converted only where a widget shows them.
//
// One line per headword, LF line ends, "#" starting a comment line:
//   direction TAB line number TAB headword TAB pronunciation
// direction is "E" or "G"; the line number is the headword's line within its section of the
// index file (the number the category links use); the headword is as stored, in UTF-8; the
// pronunciation is one or more slashed IPA transcriptions separated by blanks ("/hˈaʊs/").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvoran {

class FileSystem;

inline constexpr std::string_view kPronunciationsFile = "data\\ZelvoranPron.txt";
inline constexpr std::string_view kPronunciationsFileName = "ZelvoranPron.txt";
// Longest pronunciation a line may carry; longer ones are faults.
inline constexpr size_t kPronunciationMax = 400;

struct PronunciationLine {
  bool Greek = false;
  int32_t LineNumber = 0;
  std::string Headword;       // UTF-8
  std::string Pronunciation;  // UTF-8
};

// One line of the file, without its line end.
std::string FormatPronunciationLine(const PronunciationLine& line);

// Parses one line; an empty error means success. Comment and empty lines give the error
// "comment" and are not faults.
struct PronunciationParse {
  PronunciationLine line;
  std::string error;  // English, for the data compiler's checks
  bool comment = false;
};
PronunciationParse ParsePronunciationLine(std::string_view text);

// Whether `text` is well-formed UTF-8 without control characters.
bool IsCleanUtf8(std::string_view text);

// The pronunciations of both sections, by line number.
class PronunciationTable {
 public:
  // Takes the file's text; malformed lines are skipped. Returns the number of lines taken.
  size_t Load(std::string text);
  void Clear();
  // The pronunciation of line `line_number` of a section; empty when it has none.
  std::string_view Of(bool greek, int32_t line_number) const;
  size_t Count() const { return spans_[0].size() + spans_[1].size(); }

 private:
  std::string text_;
  // Sorted by line number: (line number, offset, length into text_).
  struct Span {
    int32_t line;
    uint32_t offset;
    uint32_t length;
  };
  std::vector<Span> spans_[2];
};

// Reads "data\ZelvoranPron.txt" of the program folder; a missing file leaves the table empty.
void LoadPronunciations(const FileSystem& fs, const std::string& program_folder,
                        PronunciationTable& table);

}  // namespace zelvoran
