// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a dictd database: the .index file (headword TAB base64 offset TAB base64 length) and
// the dictionary text, plain or gzip/dictzip-compressed. Text stays UTF-8 here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran::dictc {

// One article of the database. Several index lines may name the same article (one per
// headword variant); they are read as one article with all their keys.
struct DictdArticle {
  std::vector<std::string> Keys;  // the index headwords, in index order
  std::string Text;               // UTF-8, as stored
};

struct DictdDatabase {
  std::vector<DictdArticle> Articles;  // in index order of their first key
  std::string Info;                    // the 00databaseinfo article (edition, licence)
  std::string ShortName;               // the 00databaseshort article
};

struct DictdReadResult {
  std::optional<DictdDatabase> database;
  std::string error;  // names the file and line when database is empty
};

// The value of a dictd base64 number ("A".."Z" "a".."z" "0".."9" "+" "/", most significant
// first); nullopt for an empty text, another character or a value beyond 2^40.
std::optional<uint64_t> DecodeDictdNumber(std::string_view digits);

// Parses index text against the (uncompressed) dictionary text. Lines naming bytes outside
// the text, lines without three fields and malformed numbers are faults; an index with any
// fault is refused with the first one's line number, because a partly read source would
// silently lose entries.
DictdReadResult ParseDictdDatabase(std::string_view index_text, std::string_view dict_text,
                                   std::string_view index_name = "index");

// Reads a whole file; gzip and dictzip files are inflated (zlib), other files read as they
// are. Refuses files whose content would exceed `max_bytes`.
std::optional<std::string> ReadMaybeCompressed(const std::string& path, std::string* error,
                                               uint64_t max_bytes = uint64_t{1} << 30);

// Reads `<dir>/<name>.index` with `<dir>/<name>.dict.dz` (or `<name>.dict`).
DictdReadResult ReadDictdDatabase(const std::string& dir, const std::string& name);

}  // namespace zelvoran::dictc
