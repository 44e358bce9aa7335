// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/store_lines.h"

#include <algorithm>
#include <cstdio>

#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "text/text_lines.h"

namespace zelvoran {
namespace {

// The ShiftCodec encoding of one byte at 1-based column `column` of its text.
char EncodeAt(unsigned char c, size_t column) {
  int v = c;
  if (v == 13) {
    v = 172;
  } else if (v == 10) {
    v = 182;
  }
  v += ShiftAt(static_cast<int64_t>(column));
  if (v > 254) v -= 223;
  return static_cast<char>(v);
}

// Replaces columns first.. of an encoded line with the encoding of `digits`.
void SpliceColumns(std::string& encoded, size_t first, std::string_view digits) {
  const size_t end = first - 1 + digits.size();
  if (encoded.size() < end) encoded.resize(end, ' ');
  for (size_t i = 0; i < digits.size(); ++i) {
    encoded[first - 1 + i] = EncodeAt(static_cast<unsigned char>(digits[i]), first + i);
  }
}

std::string Padded(int64_t value, int width) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(value));
  return buf;
}

}  // namespace

StoreReadResult ParseStorePair(std::string_view index_file, std::string_view texts_file) {
  StoreReadResult r;
  for (std::string_view raw : SplitLines(index_file)) {
    if (raw.empty()) continue;  // a blank line holds nothing to keep
    auto fields = ParseUserIndexLine(ShiftCodec(raw, ShiftDirection::kDecode));
    if (!fields || fields->TextPosition < 1 ||
        static_cast<uint64_t>(fields->TextPosition - 1) > texts_file.size() ||
        static_cast<uint64_t>(fields->TextLength) >
            texts_file.size() - static_cast<uint64_t>(fields->TextPosition - 1)) {
      r.problem = ReadProblem::kDamaged;
      r.pair.lines.clear();
      return r;
    }
    StoreLine line;
    line.encoded = std::string(raw);
    line.text = std::string(texts_file.substr(static_cast<size_t>(fields->TextPosition - 1),
                                              static_cast<size_t>(fields->TextLength)));
    line.fields = std::move(*fields);
    r.pair.lines.push_back(std::move(line));
  }
  std::stable_sort(r.pair.lines.begin(), r.pair.lines.end(),
                   [](const StoreLine& a, const StoreLine& b) {
                     return a.fields.AnchorNumber < b.fields.AnchorNumber;
                   });
  return r;
}

StoreReadResult ReadStorePair(const FileSystem& fs, const std::string& index_path,
                              const std::string& texts_path) {
  std::string index, texts;
  if (!index_path.empty() && fs.FileExists(index_path)) {
    auto data = fs.ReadFile(index_path);
    if (!data) return {{}, ReadProblem::kDamaged};
    index = std::move(*data);
  }
  if (!texts_path.empty() && fs.FileExists(texts_path)) {
    auto data = fs.ReadFile(texts_path);
    if (!data) return {{}, ReadProblem::kDamaged};
    texts = std::move(*data);
  }
  return ParseStorePair(index, texts);
}

std::string NewLineColumns(int64_t anchor, int64_t number, std::string_view headword,
                           int64_t length, std::string_view category) {
  std::string line = Padded(anchor, 5) + Padded(number, 5);
  std::string hw(headword.substr(0, kMaxStoredHeadword));
  hw.resize(kMaxStoredHeadword, ' ');
  line += hw;
  line += Padded(1, 8);
  line += Padded(length, 5);
  line += category;
  return line;
}

StoreLine MakeStoreLine(int64_t anchor, int64_t number, std::string_view headword,
                        std::string_view explanation, std::string_view category) {
  StoreLine line;
  line.text = ShiftCodec(explanation, ShiftDirection::kEncode);
  const auto length = static_cast<int64_t>(line.text.size());
  const std::string columns = NewLineColumns(anchor, number, headword, length, category);
  line.encoded = ShiftCodec(columns, ShiftDirection::kEncode);
  line.fields = *ParseUserIndexLine(columns);
  return line;
}

std::optional<StoreFiles> WriteStorePair(const StorePair& pair) {
  StoreFiles files;
  size_t index_size = 0, texts_size = 0;
  for (const StoreLine& l : pair.lines) {
    index_size += l.encoded.size() + 2;
    texts_size += l.text.size();
  }
  if (texts_size > static_cast<size_t>(kMaxTextPosition)) return std::nullopt;
  files.index.reserve(index_size);
  files.texts.reserve(texts_size);
  for (const StoreLine& l : pair.lines) {
    std::string encoded = l.encoded;
    SpliceColumns(encoded, 91, Padded(static_cast<int64_t>(files.texts.size()) + 1, 8));
    files.index += encoded;
    files.index += "\r\n";
    files.texts += l.text;
  }
  return files;
}

void PlaceOwnEntry(StorePair& pair, StoreLine line, int64_t predecessor_number,
                   bool predecessor_is_own) {
  auto& lines = pair.lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    const UserIndexLine& f = lines[i].fields;
    if (!predecessor_is_own && f.AnchorNumber > predecessor_number) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), std::move(line));
      return;
    }
    if (predecessor_is_own && !f.IsAddition() && f.EntryNumber == predecessor_number) {
      // Behind its own-entry predecessor, sharing that entry's anchor.
      const std::string anchor = Padded(f.AnchorNumber, 5);
      SpliceColumns(line.encoded, 1, anchor);
      line.fields.AnchorNumber = f.AnchorNumber;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(line));
      return;
    }
  }
  lines.push_back(std::move(line));
}

void SetAddition(StorePair& pair, int64_t number, std::string_view text, bool remove_when_empty) {
  auto& lines = pair.lines;
  auto it = std::find_if(lines.begin(), lines.end(), [&](const StoreLine& l) {
    return l.fields.AnchorNumber == number && l.fields.EntryNumber == number;
  });
  if (it == lines.end()) {
    StoreLine added = MakeStoreLine(number, number, "", text, "");
    auto at = std::find_if(lines.begin(), lines.end(),
                           [&](const StoreLine& l) { return l.fields.AnchorNumber >= number; });
    lines.insert(at, std::move(added));
    return;
  }
  if (text.empty() && remove_when_empty) {
    lines.erase(it);
    return;
  }
  // Columns 1-98 stay, the length is new and the category goes.
  it->text = ShiftCodec(text, ShiftDirection::kEncode);
  it->encoded.resize(std::min<size_t>(it->encoded.size(), 98));
  SpliceColumns(it->encoded, 99, Padded(static_cast<int64_t>(it->text.size()), 5));
  it->fields.TextLength = static_cast<int64_t>(it->text.size());
  it->fields.Category.clear();
}

bool DropEntry(StorePair& pair, int64_t number, bool addition) {
  auto& lines = pair.lines;
  auto it = std::find_if(lines.begin(), lines.end(), [&](const StoreLine& l) {
    return l.fields.EntryNumber == number && l.fields.IsAddition() == addition;
  });
  if (it == lines.end()) return false;
  lines.erase(it);
  return true;
}

}  // namespace zelvoran
