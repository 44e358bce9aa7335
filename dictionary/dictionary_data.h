// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary in memory: both headword indexes, the abbreviation table, the category links
// and the additions list, and the loaders that fill them from the data folder and the user's
// index files.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/data_profile.h"
#include "dictionary/domain.h"
#include "dictionary/pronunciations.h"

namespace zelvoran {

class FileSystem;
class FormsFile;

// Relative paths of the data files (resolved against the program folder).
inline constexpr std::string_view kIndexFile = "data\\ZelvoranI.tbo";
inline constexpr std::string_view kTextsFile = "data\\ZelvoranDat.tbo";
inline constexpr std::string_view kAbbreviationsFile = "data\\ZelvoranSrt.tbo";
inline constexpr std::string_view kLinksFile = "data\\ZelvoranEC.tbo";
inline constexpr std::string_view kProfileFile = "data\\ZelvoranProfile.txt";

inline constexpr size_t kHeadwordMax = 57;
inline constexpr size_t kSearchKeyMax = 42;
inline constexpr size_t kCategoryMax = 15;

struct HeadwordRecord {
  uint16_t EntryNumber = 0;
  std::string Headword;
  std::string SearchKey;
  std::string Category;
  zelvoran::Origin Origin = zelvoran::Origin::kNone;
  int32_t TextPosition = 0;
  uint16_t TextLength = 0;
  int32_t AdditionSlot = 0;
  // Line number of a dictionary record within its section of the index file (the number the
  // category links use); 0 for the user's own entries.
  int32_t LineNumber = 0;
};

// Slots 1..Count() hold records; slot 0 and every slot past the last record read as empty.
class HeadwordIndex {
 public:
  HeadwordIndex() { records_.emplace_back(); }
  int Count() const { return static_cast<int>(records_.size()) - 1; }
  bool IsFull() const { return Count() >= kMaxIndexRecords; }
  const HeadwordRecord& Slot(int64_t slot) const {
    return slot >= 1 && slot <= Count() ? records_[static_cast<size_t>(slot)] : Empty();
  }
  HeadwordRecord& MutableSlot(int slot) { return records_[static_cast<size_t>(slot)]; }
  // Appends a record; false when the index has no free slot.
  bool Append(HeadwordRecord record);
  void Clear() { records_.resize(1); }
  void Reserve(size_t n) { records_.reserve(n + 1); }

 private:
  static const HeadwordRecord& Empty();
  std::vector<HeadwordRecord> records_;
};

struct AbbreviationRecord {
  std::string Abbreviation;
  bool IsSubjectField = false;
  std::string Meaning;
};

struct CategoryLink {
  uint16_t EntryNumber = 0;
  std::string Category;
};

struct Dictionary {
  DataProfile Profile = BuiltInProfile();
  HeadwordIndex EnglishIndex;
  HeadwordIndex GreekIndex;
  // Row 0 stays empty; rows 1.. in file order. Empty (no rows at all) until loaded.
  std::vector<AbbreviationRecord> AbbreviationTable;
  // Slot 0 stays empty; links in file order from slot 1.
  std::vector<CategoryLink> EnglishCategoryLinks{1};
  std::vector<CategoryLink> GreekCategoryLinks{1};
  // Position (8 digits) and length (5 digits) of each user's addition, for 'A' records.
  std::vector<std::string> AdditionList;
  // How the dictionary's headwords are said (UTF-8), by section and line number.
  PronunciationTable Pronunciations;
  // Grows by one on every load of the indexes, so derived data can tell it is stale.
  uint64_t IndexGeneration = 0;
  // Inflected forms leading to base words (data\ZelvoranForms.dat); null when missing or damaged.
  std::shared_ptr<const FormsFile> Forms;

  const HeadwordIndex& Index(bool greek) const { return greek ? GreekIndex : EnglishIndex; }
};

// Reads "data\ZelvoranProfile.txt" when present. Returns an error message (Greek) for a
// malformed profile, in which case the built-in profile is not used either; nullopt when the
// profile was taken (or there is none and the built-in one applies).
std::optional<std::string> LoadDataProfile(const FileSystem& fs, const std::string& program_folder,
                                           Dictionary& dict);

void LoadAbbreviations(const FileSystem& fs, const std::string& program_folder, Dictionary& dict);

// Rebuilds both indexes from the index file, merging the user's index lines, and refills
// AdditionList.
void LoadHeadwordIndexes(const FileSystem& fs, const std::string& program_folder,
                         const std::string& custom_english_index_path,
                         const std::string& custom_greek_index_path, Dictionary& dict);

void LoadCategoryLinks(const FileSystem& fs, const std::string& program_folder, Dictionary& dict);

// One decoded line of a user's index file, by its columns.
struct UserIndexLine {
  int64_t AnchorNumber = 0;
  int64_t EntryNumber = 0;
  std::string Headword;  // columns 11-90, trailing blanks removed
  int64_t TextPosition = 0;
  int64_t TextLength = 0;
  std::string Category;           // columns 104-118 as they stand
  std::string PositionAndLength;  // columns 91-103
  bool IsAddition() const { return AnchorNumber == EntryNumber; }
};

// Parses a decoded user's index line; nullopt when a numeric column is not a number.
std::optional<UserIndexLine> ParseUserIndexLine(std::string_view decoded);

}  // namespace zelvoran
