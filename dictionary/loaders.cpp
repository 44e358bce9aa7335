// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "text/cp1253.h"
#include "text/text_lines.h"

namespace zelvoran {

bool HeadwordIndex::Append(HeadwordRecord record) {
  if (IsFull()) return false;
  records_.push_back(std::move(record));
  return true;
}

const HeadwordRecord& HeadwordIndex::Empty() {
  static const HeadwordRecord empty;
  return empty;
}

namespace {

std::string Cut(std::string_view s, size_t max) {
  return std::string(s.substr(0, max));
}

// A dictionary index line, decoded, split into its six fields.
std::optional<HeadwordRecord> ParseIndexLine(std::string_view decoded) {
  std::string_view f[6];
  size_t start = 0;
  for (int i = 0; i < 5; ++i) {
    const size_t hash = decoded.find('#', start);
    if (hash == std::string_view::npos) return std::nullopt;
    f[i] = decoded.substr(start, hash - start);
    start = hash + 1;
  }
  f[5] = decoded.substr(start);
  const auto number = ParseDecimal(f[0]);
  const auto position = ParseDecimal(f[4]);
  const auto length = ParseDecimal(f[5]);
  if (!number || *number > 0xFFFF || !position || *position > INT32_MAX || !length ||
      *length > 0xFFFF) {
    return std::nullopt;
  }
  HeadwordRecord r;
  r.EntryNumber = static_cast<uint16_t>(*number);
  r.Headword = Cut(TrimRightBlanks(f[1]), kHeadwordMax);
  r.SearchKey = Cut(TrimRightBlanks(f[2]), kSearchKeyMax);
  r.Category = Cut(TrimRightBlanks(f[3]), kCategoryMax);
  r.Origin = Origin::kDictionary;
  r.TextPosition = static_cast<int32_t>(*position);
  r.TextLength = static_cast<uint16_t>(*length);
  return r;
}

// The user's index lines of one language, decoded, in anchor order. A stable sort keeps the
// file order among equal anchors, so an ordered file merges exactly as written, and an
// out-of-order file loses no line. Lines whose numbers cannot be read are left out here
// (they stay on disk untouched).
std::vector<UserIndexLine> ReadUserLines(const FileSystem& fs, const std::string& path) {
  std::vector<UserIndexLine> lines;
  if (path.empty()) return lines;
  const auto data = fs.ReadFile(path);
  if (!data) return lines;
  for (std::string_view raw : SplitLines(*data)) {
    auto line = ParseUserIndexLine(ShiftCodec(raw, ShiftDirection::kDecode));
    if (line) lines.push_back(std::move(*line));
  }
  std::stable_sort(lines.begin(), lines.end(), [](const UserIndexLine& a, const UserIndexLine& b) {
    return a.AnchorNumber < b.AnchorNumber;
  });
  return lines;
}

class SectionMerger {
 public:
  SectionMerger(HeadwordIndex& index, std::vector<std::string>& additions,
                std::vector<UserIndexLine> user, bool greek)
      : index_(index), additions_(additions), user_(std::move(user)), greek_(greek) {}

  // Stores one dictionary record and the user lines anchored to it.
  bool AddDictionaryRecord(HeadwordRecord rec) {
    // Own entries anchored before this record (anchor 00000, or an anchor that names no
    // dictionary entry) enter here, in file order; additions to missing entries are skipped.
    while (next_ < user_.size() && user_[next_].AnchorNumber < rec.EntryNumber) {
      if (!PlaceOwn(user_[next_++])) return false;
    }
    if (!index_.Append(std::move(rec))) return false;
    const int slot = index_.Count();
    while (next_ < user_.size() && user_[next_].AnchorNumber == index_.Slot(slot).EntryNumber) {
      const UserIndexLine& line = user_[next_++];
      if (line.IsAddition()) {
        HeadwordRecord& r = index_.MutableSlot(slot);
        r.Origin = Origin::kAddition;
        additions_.push_back(line.PositionAndLength);
        r.AdditionSlot = static_cast<int32_t>(additions_.size()) - 1;
      } else if (!PlaceOwn(line)) {
        return false;
      }
    }
    return true;
  }

  // Own entries anchored past the last dictionary record.
  void Finish() {
    while (next_ < user_.size()) {
      if (!PlaceOwn(user_[next_++])) return;
    }
  }

 private:
  bool PlaceOwn(const UserIndexLine& line) {
    if (line.IsAddition()) return true;
    if (line.EntryNumber > 0xFFFF || line.TextPosition > INT32_MAX || line.TextLength > 0xFFFF) {
      return true;
    }
    HeadwordRecord r;
    r.EntryNumber = static_cast<uint16_t>(line.EntryNumber);
    r.Headword = Cut(line.Headword, kHeadwordMax);
    r.SearchKey = Cut(greek_ ? GreekKey(r.Headword) : EnglishKey(r.Headword), kSearchKeyMax);
    r.TextPosition = static_cast<int32_t>(line.TextPosition);
    r.TextLength = static_cast<uint16_t>(line.TextLength);
    r.Category = Cut(line.Category, kCategoryMax);
    r.Origin = Origin::kOwn;
    return index_.Append(std::move(r));
  }

  HeadwordIndex& index_;
  std::vector<std::string>& additions_;
  std::vector<UserIndexLine> user_;
  size_t next_ = 0;
  bool greek_;
};

}  // namespace

std::optional<UserIndexLine> ParseUserIndexLine(std::string_view decoded) {
  const auto anchor = ParseDecimal(Columns(decoded, 1, 5));
  const auto number = ParseDecimal(Columns(decoded, 6, 10));
  const auto position = ParseDecimal(Columns(decoded, 91, 98));
  const auto length = ParseDecimal(Columns(decoded, 99, 103));
  if (!anchor || !number || !position || !length) return std::nullopt;
  if (Columns(decoded, 91, 98).size() != 8 || Columns(decoded, 99, 103).size() != 5) {
    return std::nullopt;
  }
  UserIndexLine line;
  line.AnchorNumber = *anchor;
  line.EntryNumber = *number;
  line.Headword = std::string(TrimRightBlanks(Columns(decoded, 11, 90)));
  line.TextPosition = *position;
  line.TextLength = *length;
  line.Category = std::string(Columns(decoded, 104, 118));
  line.PositionAndLength = std::string(Columns(decoded, 91, 103));
  return line;
}

std::optional<std::string> LoadDataProfile(const FileSystem& fs, const std::string& program_folder,
                                           Dictionary& dict) {
  const std::string path = program_folder + std::string(kProfileFile);
  if (!fs.FileExists(path)) {
    dict.Profile = BuiltInProfile();
    return std::nullopt;
  }
  const auto text = fs.ReadFile(path);
  if (!text) {
    return Utf8ToCp1253("Το αρχείο προφίλ των δεδομένων (" + std::string(kProfileFileName) +
                        ") δεν διαβάζεται.");
  }
  ProfileParseResult parsed = ParseProfile(*text);
  if (!parsed.profile) return parsed.error;
  dict.Profile = *parsed.profile;
  return std::nullopt;
}

void LoadAbbreviations(const FileSystem& fs, const std::string& program_folder, Dictionary& dict) {
  const std::string path = program_folder + std::string(kAbbreviationsFile);
  if (!fs.FileExists(path)) return;
  dict.AbbreviationTable.assign(kAbbreviationRows, AbbreviationRecord{});
  const auto data = fs.ReadFile(path);
  if (!data) return;
  int row = 1;
  for (std::string_view line : SplitLines(*data)) {
    if (row > kMaxAbbreviations) break;  // the table has no room for more
    AbbreviationRecord& r = dict.AbbreviationTable[static_cast<size_t>(row++)];
    r.Abbreviation = std::string(TrimBlanks(Columns(line, 1, 10)));
    r.IsSubjectField = line.size() >= 11 && static_cast<unsigned char>(line[10]) == 0xCD;
    r.Meaning = std::string(TrimBlanks(Columns(line, 12, 76)));
  }
}

void LoadHeadwordIndexes(const FileSystem& fs, const std::string& program_folder,
                         const std::string& custom_english_index_path,
                         const std::string& custom_greek_index_path, Dictionary& dict) {
  dict.EnglishIndex.Clear();
  dict.GreekIndex.Clear();
  dict.AdditionList.clear();
  ++dict.IndexGeneration;
  const auto data = fs.ReadFile(program_folder + std::string(kIndexFile));
  if (!data) return;
  const std::vector<std::string_view> lines = SplitLines(*data);
  const size_t english_lines = std::min(
      lines.size(), static_cast<size_t>(std::max(0, dict.Profile.counts.english_headwords)));
  struct Section {
    HeadwordIndex& index;
    const std::string& user_path;
    bool greek;
    size_t first;
    size_t end;
  } sections[] = {
      {dict.EnglishIndex, custom_english_index_path, false, 0, english_lines},
      {dict.GreekIndex, custom_greek_index_path, true, english_lines, lines.size()},
  };
  for (Section& s : sections) {
    s.index.Reserve(std::min<size_t>(s.end - s.first + 64, kMaxIndexRecords));
    SectionMerger merger(s.index, dict.AdditionList, ReadUserLines(fs, s.user_path), s.greek);
    for (size_t i = s.first; i < s.end; ++i) {
      const auto j = static_cast<int32_t>(i - s.first + 1);
      auto rec = ParseIndexLine(MirrorDecode(j, lines[i]));
      // A malformed line ends the loader: what was stored before it stays, and so do the
      // user's own entries of this section (appended after it).
      if (!rec) {
        merger.Finish();
        return;
      }
      rec->LineNumber = j;
      if (!merger.AddDictionaryRecord(std::move(*rec))) break;
    }
    merger.Finish();
  }
}

void LoadCategoryLinks(const FileSystem& fs, const std::string& program_folder, Dictionary& dict) {
  dict.EnglishCategoryLinks.assign(1, CategoryLink{});
  dict.GreekCategoryLinks.assign(1, CategoryLink{});
  const auto data = fs.ReadFile(program_folder + std::string(kLinksFile));
  if (!data) return;
  for (std::string_view line : SplitLines(*data)) {
    const auto number = ParseDecimal(TrimBlanks(Columns(line, 1, 5)));
    if (!number || *number > 0xFFFF) return;
    CategoryLink link;
    link.EntryNumber = static_cast<uint16_t>(*number);
    link.Category = MirrorDecode(*number, Columns(line, 7, 21));
    const bool english = line.size() >= 6 && line[5] == 'E';
    auto& table = english ? dict.EnglishCategoryLinks : dict.GreekCategoryLinks;
    const size_t slots = english ? kEnglishLinkSlots : kGreekLinkSlots;
    if (table.size() < slots) table.push_back(std::move(link));
  }
}

}  // namespace zelvoran
