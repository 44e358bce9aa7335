// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/entry_display.h"

#include <array>

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "text/cp1253.h"
#include "text/text_lines.h"

namespace zelvoran {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Whether `file` names the dictionary's explanations file ("data\ZelvoranDat.tbo"), however
// its separators and letter case are written.
bool IsDictionaryTextsFile(std::string_view file) {
  if (file.size() != kTextsFile.size()) return false;
  for (size_t i = 0; i < file.size(); ++i) {
    const char a = file[i] == '/' ? '\\' : file[i];
    if (CharLowerA(static_cast<unsigned char>(a)) !=
        CharLowerA(static_cast<unsigned char>(kTextsFile[i]))) {
      return false;
    }
  }
  return true;
}

std::optional<std::string> ReadBytes(const FileSystem& fs, std::string_view file, int64_t offset,
                                     int64_t length) {
  if (offset < 0 || length < 0) return std::nullopt;
  if (length == 0) return fs.FileExists(file) ? std::optional<std::string>("") : std::nullopt;
  return fs.ReadRange(file, static_cast<uint64_t>(offset), static_cast<uint64_t>(length));
}

// The characters a double-click word may hold.
bool IsLookupWordChar(unsigned char c) {
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> t{};
    const std::string letters = Utf8ToCp1253(
        "-αβγδεζηθικλμνξοπρστυφχψωάέήίόύώςΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΆΈΉΊΌΎΏ"
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (char ch : letters) t[static_cast<unsigned char>(ch)] = true;
    return t;
  }();
  return table[c];
}

}  // namespace

std::string ReadExplanation(const FileSystem& fs, std::string_view file, int64_t position,
                            int64_t length, std::string_view addition_file, int64_t addition_offset,
                            int64_t addition_length, std::string_view prefix) {
  if (position < 1 || !fs.FileExists(file)) return {};
  // Read whole, however long: the text is never cut to a buffer's size.
  const std::optional<std::string> bytes = ReadBytes(fs, file, position - 1, length);
  if (!bytes) return {};
  std::string text;
  if (IsDictionaryTextsFile(file)) {
    text = PositionDecode(position, *bytes);
  } else {
    text = ShiftCodec(*bytes, ShiftDirection::kDecode);
    if (!prefix.empty()) text = std::string(prefix) + std::string(kCrLf) + text;
  }
  if (!addition_file.empty() && fs.FileExists(addition_file)) {
    // An addition that cannot be read is left out, as when its file cannot be opened: the
    // dictionary's own text still shows.
    const std::optional<std::string> added =
        ReadBytes(fs, addition_file, addition_offset, addition_length);
    if (added) {
      text += kCrLf;
      text += kCrLf;
      text += kAdditionLabel;
      text += kCrLf;
      text += ShiftCodec(*added, ShiftDirection::kDecode);
      text += kCrLf;
    }
  }
  return text;
}

Explanation ExplanationOf(const Dictionary& dict, const FileSystem& fs, RowRef ref,
                          std::string_view user_texts) {
  const bool greek = ref.direction == Direction::kGreek;
  const HeadwordRecord& rec = dict.Index(greek).Slot(ref.slot);
  Explanation e;
  e.headword = rec.Headword;
  e.origin = rec.Origin;
  // Only the dictionary's own headwords have a pronunciation; the user's entries have none.
  if (e.origin == Origin::kDictionary || e.origin == Origin::kAddition) {
    e.pronunciation = std::string(dict.Pronunciations.Of(greek, rec.LineNumber));
  }
  switch (e.origin) {
    case Origin::kDictionary:
      e.delete_enabled = false;
      e.text = ReadExplanation(fs, kTextsFile, rec.TextPosition, rec.TextLength, "", 0, 0, "");
      break;
    case Origin::kOwn:
      e.delete_enabled = true;
      e.text =
          ReadExplanation(fs, user_texts, rec.TextPosition, rec.TextLength, "", 0, 0, rec.Category);
      break;
    case Origin::kAddition: {
      e.delete_enabled = false;
      // Position (8 digits, 1-based) and length (5 digits) of the user's text; an entry
      // that cannot be read shows the dictionary's text alone.
      std::string_view file;
      int64_t offset = 0;
      int64_t added = 0;
      const auto a = static_cast<size_t>(rec.AdditionSlot);
      if (rec.AdditionSlot >= 0 && a < dict.AdditionList.size()) {
        const std::string_view pl = dict.AdditionList[a];
        const auto pos = ParseDecimal(pl.substr(0, 8));
        const auto len = ParseDecimal(pl.size() > 8 ? pl.substr(8, 5) : std::string_view());
        if (pos && len) {
          file = user_texts;
          offset = static_cast<int64_t>(*pos) - 1;
          added = static_cast<int64_t>(*len);
        }
      }
      e.text = ReadExplanation(fs, kTextsFile, rec.TextPosition, rec.TextLength, file, offset,
                               added, "");
      break;
    }
    case Origin::kNone:
      break;  // an empty slot: the pane and the delete item stay as they are
  }
  return e;
}

bool IsLookupWordCharacter(unsigned char c) {
  return IsLookupWordChar(c);
}

std::string_view LookupWordIn(std::string_view selected) {
  size_t b = 0;
  while (b < selected.size() && !IsLookupWordChar(static_cast<unsigned char>(selected[b]))) ++b;
  size_t e = b;
  while (e < selected.size() && IsLookupWordChar(static_cast<unsigned char>(selected[e]))) ++e;
  return selected.substr(b, e - b);
}

}  // namespace zelvoran
