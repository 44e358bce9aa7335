// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/data_writer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "dictionary/pronunciations.h"
#include "text/cp1253.h"
#include "tools/encoders/field_encoders.h"

namespace zelvoran::dictc {
namespace {

std::string Pad(std::string s, size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

std::string FiveDigits(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%05d", n);
  return buf;
}

bool WriteBytes(const std::filesystem::path& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  out.close();
  return static_cast<bool>(out);
}

const char kPronunciationsHeader[] =
    "# Zelvoran Glossa: how the headwords are said, in IPA (UTF-8), from the FreeDict sources\n"
    "# (CC BY-SA 3.0). Fields, TAB-separated: E or G, the headword's line in its section of\n"
    "# ZelvoranI.tbo, the headword, its pronunciation.\n";

}  // namespace

LetterStartTable LetterStartsOf(const std::vector<std::string>& english_keys,
                                const std::vector<std::string>& greek_keys) {
  LetterStartTable t;
  auto fill = [](const std::vector<std::string>& keys, uint16_t* out, int letters, int first) {
    std::vector<int> start(static_cast<size_t>(letters), 0);
    for (size_t i = 0; i < keys.size(); ++i) {
      if (keys[i].empty()) continue;
      const int c = static_cast<unsigned char>(keys[i][0]) - first;
      if (c >= 0 && c < letters && start[static_cast<size_t>(c)] == 0) {
        start[static_cast<size_t>(c)] = static_cast<int>(i) + 1;
      }
    }
    for (int c = 0; c < letters; ++c) {
      // A letter no key begins with starts at slot 1, as the delivered table has it for the
      // final sigma: a scan from there is always safe.
      const int v = start[static_cast<size_t>(c)];
      out[c] = static_cast<uint16_t>(v == 0 ? 1 : std::min(v, kMaxIndexRecords));
    }
  };
  fill(english_keys, t.english.data(), kEnglishLetters, 'a');
  fill(greek_keys, t.greek.data(), kGreekLetters, 0xE1);
  return t;
}

WriteResult EncodeDataSet(const DataSet& data) {
  WriteResult result;
  DataFiles files;
  auto fail = [&](const std::string& why) {
    result.files.reset();
    result.error = why;
    return result;
  };
  if (data.English.size() > static_cast<size_t>(kMaxIndexRecords) ||
      data.Greek.size() > static_cast<size_t>(kMaxIndexRecords)) {
    return fail("more than 60001 headwords in one section");
  }
  if (data.Abbreviations.size() > static_cast<size_t>(kMaxAbbreviations)) {
    return fail("more than 236 abbreviations");
  }
  std::vector<std::string> keys[2];
  int links[2] = {0, 0};
  const std::vector<SourceEntry>* sections[2] = {&data.English, &data.Greek};
  for (int s = 0; s < 2; ++s) {
    int line_no = 0;
    for (const SourceEntry& e : *sections[s]) {
      ++line_no;
      const std::string key = e.SearchKey.empty()
                                  ? (s == 0 ? EnglishKey(e.Headword) : GreekKey(e.Headword))
                                  : e.SearchKey;
      keys[s].push_back(key.substr(0, kSearchKeyMax));
      if (e.Headword.find('#') != std::string::npos || key.find('#') != std::string::npos) {
        return fail("headword holds '#': " + e.Headword);
      }
      std::string category;
      if (e.CategoryOverride) {
        category = *e.CategoryOverride;
      } else if (e.Fields.size() == 1) {
        category = e.Fields[0];
      } else if (e.Fields.size() > 1) {
        category = "MULTI";
      }
      if (category.size() > kCategoryMax || category.find('#') != std::string::npos) {
        return fail("category too long or holding '#': " + category);
      }
      if (e.Explanation.size() > kMaxExplanationBytes) {
        return fail("explanation over 31000 bytes (the reading buffer): " + e.Headword);
      }
      const int64_t position = static_cast<int64_t>(files.Texts.size()) + 1;
      if (position + static_cast<int64_t>(e.Explanation.size()) > INT32_MAX) {
        return fail("explanations file over 2 GiB");
      }
      auto encoded_text = PositionEncode(position, e.Explanation);
      if (!encoded_text) return fail("explanation holds byte 0 or 255: " + e.Headword);
      files.Texts += *encoded_text;
      // Some texts scramble into a CR, LF or NUL byte, which a line cannot hold. Blanks after
      // the category (removed again on loading) shift the pairing until the line is storable.
      std::optional<std::string> encoded;
      for (int pad = 0; pad <= 12 && !encoded; ++pad) {
        const std::string line = std::to_string(line_no) + "#" + e.Headword + "#" + key + "#" +
                                 category + std::string(static_cast<size_t>(pad), ' ') + "#" +
                                 std::to_string(position) + "#" +
                                 std::to_string(e.Explanation.size());
        encoded = MirrorEncodeLine(line_no, line);
      }
      if (!encoded) return fail("index line not storable (control characters): " + e.Headword);
      files.Index += *encoded + "\r\n";
      if (!e.Pronunciation.empty()) {
        PronunciationLine p{s == 1, line_no, Cp1253ToUtf8(e.Headword), e.Pronunciation};
        const std::string text = FormatPronunciationLine(p);
        if (!ParsePronunciationLine(text).error.empty()) {
          return fail("pronunciation not storable: " + e.Headword);
        }
        if (files.Pronunciations.empty()) files.Pronunciations = kPronunciationsHeader;
        files.Pronunciations += text + "\n";
      }
      if (e.Fields.size() > 1 && !e.CategoryOverride) {
        for (const std::string& field : e.Fields) {
          if (field.size() > kCategoryMax) return fail("field too long: " + field);
          if (++links[s] > (s == 0 ? kMaxEnglishLinks : kMaxGreekLinks)) {
            return fail(s == 0 ? "more than 6375 English links" : "more than 205 Greek links");
          }
          auto enc = MirrorEncodeLine(line_no, field);
          if (!enc) return fail("link not storable: " + field);
          files.Links += FiveDigits(line_no) + (s == 0 ? "E" : "G") + *enc + "\r\n";
        }
      }
    }
  }
  if (data.English.size() > 99999 || data.Greek.size() > 99999) {
    return fail("line numbers beyond five digits");
  }
  for (const AbbreviationRow& a : data.Abbreviations) {
    if (a.Abbreviation.size() > 10 || a.Meaning.size() > 65) {
      return fail("abbreviation or meaning too long: " + a.Abbreviation);
    }
    files.Abbreviations +=
        Pad(a.Abbreviation, 10) + (a.IsSubjectField ? "\xCD" : " ") + a.Meaning + "\r\n";
  }
  files.Profile.counts.english_headwords = static_cast<int>(data.English.size());
  files.Profile.counts.greek_headwords = static_cast<int>(data.Greek.size());
  files.Profile.counts.abbreviations = static_cast<int>(data.Abbreviations.size());
  files.Profile.counts.english_links = links[0];
  files.Profile.counts.greek_links = links[1];
  files.Profile.letters = LetterStartsOf(keys[0], keys[1]);
  files.NeedsProfileFile = !(files.Profile == BuiltInProfile());
  result.files = std::move(files);
  return result;
}

std::string WriteDataFolder(const std::string& folder, const DataFiles& files) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder)) return "cannot create folder " + folder;
  const fs::path dir(folder);
  const std::pair<const char*, const std::string*> outputs[] = {
      {"ZelvoranI.tbo", &files.Index},
      {"ZelvoranDat.tbo", &files.Texts},
      {"ZelvoranSrt.tbo", &files.Abbreviations},
      {"ZelvoranEC.tbo", &files.Links},
  };
  for (const auto& [name, data] : outputs) {
    if (!WriteBytes(dir / name, *data)) return std::string("cannot write ") + name;
  }
  const fs::path pronunciations = dir / std::string(kPronunciationsFileName);
  if (!files.Pronunciations.empty()) {
    if (!WriteBytes(pronunciations, files.Pronunciations)) {
      return std::string("cannot write ") + std::string(kPronunciationsFileName);
    }
  } else {
    fs::remove(pronunciations, ec);
  }
  const fs::path profile = dir / std::string(kProfileFileName);
  if (files.NeedsProfileFile) {
    if (!WriteBytes(profile, FormatProfile(files.Profile))) return "cannot write the profile";
  } else {
    fs::remove(profile, ec);
  }
  return {};
}

}  // namespace zelvoran::dictc
