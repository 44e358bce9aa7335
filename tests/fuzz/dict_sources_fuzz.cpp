// SPDX-License-Identifier: GPL-3.0-or-later
// The data compiler's reading of source articles (both dictionaries) and its mapping of UTF-8
// to Windows-1253 on arbitrary text: nothing may crash, and every text it produces holds only
// bytes the code page assigns.
#include "tests/fuzz/fuzz_target.h"
#include "text/cp1253.h"
#include "tools/dictc/source_parser.h"
#include "tools/dictc/text_mapping.h"

namespace {

bool AllAssigned(std::string_view text) {
  for (char c : text) {
    if (zelvoran::Cp1253ToUnicode(static_cast<unsigned char>(c)) == U'\uFFFD') return false;
  }
  return true;
}

void CheckArticle(const zelvoran::dictc::Article& a) {
  for (const std::string& h : a.Headwords) FUZZ_CHECK(AllAssigned(h));
  FUZZ_CHECK(AllAssigned(a.PartOfSpeech));
  for (const zelvoran::dictc::Sense& s : a.Senses) {
    for (const std::string& t : s.Translations) FUZZ_CHECK(AllAssigned(t));
    for (const std::string& g : s.Glosses) FUZZ_CHECK(AllAssigned(g));
    for (const std::string& m : s.Marks) FUZZ_CHECK(AllAssigned(m));
  }
}

}  // namespace

ZELVORAN_FUZZ_TARGET(dict_sources) {
  using namespace zelvoran::dictc;
  ParseStats stats;
  const size_t keys = data.empty() ? 1 : 1 + static_cast<unsigned char>(data[0]) % 4;
  CheckArticle(ParseEnglishGreekArticle(data, keys, stats));
  CheckArticle(ParseGreekEnglishArticle(data, stats));
  MappingStats mapping;
  const std::string mapped = MapToCp1253(data, mapping);
  FUZZ_CHECK(AllAssigned(mapped));
  int64_t repaired = 0;
  const std::string again = RepairLookAlikes(mapped, repaired);
  FUZZ_CHECK(again.size() == mapped.size() && repaired >= 0);
  for (const std::string& part : SplitTopLevel(mapped)) FUZZ_CHECK(!part.empty());
  WithoutNotes(mapped);
  NotesOf(mapped);
}
