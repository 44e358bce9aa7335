// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/dictd_reader.h"

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <utility>

namespace zelvoran::dictc {
namespace {

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return parts;
}

}  // namespace

std::optional<uint64_t> DecodeDictdNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 7) return std::nullopt;  // 7 digits: 2^42
  uint64_t value = 0;
  for (char c : digits) {
    const int v = Base64Value(c);
    if (v < 0) return std::nullopt;
    value = value * 64 + static_cast<uint64_t>(v);
  }
  if (value > (uint64_t{1} << 40)) return std::nullopt;
  return value;
}

DictdReadResult ParseDictdDatabase(std::string_view index_text, std::string_view dict_text,
                                   std::string_view index_name) {
  DictdReadResult result;
  DictdDatabase db;
  std::map<std::pair<uint64_t, uint64_t>, size_t> by_range;
  size_t line_no = 0;
  size_t start = 0;
  auto fail = [&](const std::string& why) {
    result.error = std::string(index_name) + " line " + std::to_string(line_no) + ": " + why;
    return result;
  };
  while (start < index_text.size()) {
    size_t end = index_text.find('\n', start);
    if (end == std::string_view::npos) end = index_text.size();
    std::string_view line = index_text.substr(start, end - start);
    start = end + 1;
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const auto parts = SplitTabs(line);
    if (parts.size() < 3) return fail("fewer than three tab-separated fields");
    const auto offset = DecodeDictdNumber(parts[1]);
    const auto length = DecodeDictdNumber(parts[2]);
    if (!offset || !length) return fail("offset or length is not a dictd number");
    if (*offset > dict_text.size() || *length > dict_text.size() - *offset) {
      return fail("article lies outside the dictionary text");
    }
    const std::string key(parts[0]);
    const std::string_view text = dict_text.substr(*offset, *length);
    if (key.rfind("00database", 0) == 0 || key.rfind("00-database", 0) == 0) {
      if (key == "00databaseinfo" || key == "00-database-info") db.Info = std::string(text);
      if (key == "00databaseshort" || key == "00-database-short") db.ShortName = std::string(text);
      continue;
    }
    auto [it, fresh] = by_range.emplace(std::make_pair(*offset, *length), db.Articles.size());
    if (fresh) db.Articles.push_back(DictdArticle{{}, std::string(text)});
    db.Articles[it->second].Keys.push_back(key);
  }
  result.database = std::move(db);
  return result;
}

std::optional<std::string> ReadMaybeCompressed(const std::string& path, std::string* error,
                                               uint64_t max_bytes) {
  auto fail = [&](const std::string& why) -> std::optional<std::string> {
    if (error) *error = path + ": " + why;
    return std::nullopt;
  };
  // gzread passes files that are not gzip through unchanged, so one reader serves both.
  gzFile f = gzopen(path.c_str(), "rb");
  if (!f) return fail("cannot open");
  gzbuffer(f, 1 << 17);
  std::string out;
  char buf[1 << 16];
  while (true) {
    const int n = gzread(f, buf, sizeof buf);
    if (n < 0) {
      int code = 0;
      const std::string msg = gzerror(f, &code);
      gzclose(f);
      return fail("corrupt compressed data (" + msg + ")");
    }
    if (n == 0) break;
    if (out.size() + static_cast<size_t>(n) > max_bytes) {
      gzclose(f);
      return fail("larger than " + std::to_string(max_bytes) + " bytes");
    }
    out.append(buf, static_cast<size_t>(n));
  }
  if (gzclose(f) != Z_OK) return fail("corrupt compressed data (truncated)");
  return out;
}

DictdReadResult ReadDictdDatabase(const std::string& dir, const std::string& name) {
  namespace fs = std::filesystem;
  DictdReadResult result;
  const std::string base = (fs::path(dir) / name).string();
  std::string error;
  const auto index = ReadMaybeCompressed(base + ".index", &error, uint64_t{1} << 28);
  if (!index) {
    result.error = error;
    return result;
  }
  std::string dict_path = base + ".dict.dz";
  if (!fs::exists(dict_path)) dict_path = base + ".dict";
  const auto dict = ReadMaybeCompressed(dict_path, &error);
  if (!dict) {
    result.error = error;
    return result;
  }
  return ParseDictdDatabase(*index, *dict, base + ".index");
}

}  // namespace zelvoran::dictc
