// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/lookup_engine.h"

#include <algorithm>
#include <array>

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "search/lookup_index.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

const std::vector<CategoryLink>& LinksOf(const Dictionary& dict, bool greek) {
  return greek ? dict.GreekCategoryLinks : dict.EnglishCategoryLinks;
}

// Rows 1 .. this of a direction's links are walked: the count of the data, within the table.
size_t LinkRows(const Dictionary& dict, bool greek) {
  const int count = greek ? dict.Profile.counts.greek_links : dict.Profile.counts.english_links;
  const size_t table = LinksOf(dict, greek).size();
  return std::min(static_cast<size_t>(std::max(count, 0)), table > 0 ? table - 1 : 0);
}

// The category filter of one lookup. For "MULTI" records it answers from the set of line
// numbers whose link walk names the category, found in one pass over the links: the walk for
// number x reads the rows up to the first one numbered above x, so a row numbered x counts
// when no row before it is numbered above x.
class CategoryFilter {
 public:
  CategoryFilter(const Dictionary& dict, std::string_view category)
      : dict_(dict), category_(category) {}

  bool Active() const { return !category_.empty(); }

  bool Accepts(int32_t slot, bool greek) {
    const HeadwordRecord& rec = dict_.Index(greek).Slot(slot);
    if (rec.Category.empty()) return false;
    if (rec.Category == category_) return true;
    if (rec.Category != "MULTI" || rec.LineNumber <= 0) return false;
    return LinkedNumbers(greek)[static_cast<size_t>(std::min(rec.LineNumber, 0xFFFF + 1))] != 0;
  }

 private:
  const std::vector<char>& LinkedNumbers(bool greek) {
    std::vector<char>& set = linked_[greek ? 1 : 0];
    if (!set.empty()) return set;
    set.assign(0xFFFF + 2, 0);
    const std::vector<CategoryLink>& links = LinksOf(dict_, greek);
    const size_t rows = LinkRows(dict_, greek);
    uint16_t highest = 0;
    for (size_t i = 1; i <= rows; ++i) {
      const CategoryLink& link = links[i];
      highest = std::max(highest, link.EntryNumber);
      if (link.EntryNumber == highest && link.Category == category_) set[link.EntryNumber] = 1;
    }
    return set;
  }

  const Dictionary& dict_;
  std::string_view category_;
  std::array<std::vector<char>, 2> linked_;
};

void AppendRowText(const HeadwordRecord& record, std::string& out) {
  out += record.Headword;
  if (record.Origin == Origin::kOwn) out += kUserEntryMark;
}

// Adds the candidates that pass the category filter, up to kResultLimit rows.
class RowCollector {
 public:
  RowCollector(const Dictionary& dict, std::string_view category, std::vector<LookupRow>& rows)
      : dict_(dict), filter_(dict, category), rows_(rows) {}

  bool Full() const { return static_cast<int>(rows_.size()) >= kResultLimit; }
  bool Filtered() const { return filter_.Active(); }

  // Returns false once the limit is reached.
  bool Add(int32_t slot, bool greek) {
    if (Full()) return false;
    if (filter_.Active() && !filter_.Accepts(slot, greek)) return true;
    // Built in place: a long list is mostly the cost of its row texts.
    LookupRow& row = rows_.emplace_back();
    AppendRowText(dict_.Index(greek).Slot(slot), row.text);
    row.ref = RowRef{greek ? Direction::kGreek : Direction::kEnglish, slot};
    return !Full();
  }
  void AddAll(const std::vector<int32_t>& slots, bool greek) {
    if (!filter_.Active()) {
      rows_.reserve(std::min(rows_.size() + slots.size(), static_cast<size_t>(kResultLimit)));
    }
    for (int32_t slot : slots) {
      if (!Add(slot, greek)) return;
    }
  }

 private:
  const Dictionary& dict_;
  CategoryFilter filter_;
  std::vector<LookupRow>& rows_;
};

bool EndsWith(std::string_view form, std::string_view key) {
  return form.size() >= key.size() && form.substr(form.size() - key.size()) == key;
}

bool StartsWith(std::string_view form, std::string_view key) {
  return form.substr(0, key.size()) == key;
}

bool ContainTest(std::string_view form, std::string_view key) {
  return (!key.empty() && form.find(key) != std::string_view::npos) ||
         form.find('@') != std::string_view::npos;
}

int StartSlot(const LetterStartTable& table, bool greek, std::string_view key) {
  if (key.empty()) return 1;
  const unsigned char c = static_cast<unsigned char>(key[0]);
  const std::optional<int> s = greek ? table.GreekStart(c) : table.EnglishStart(c);
  return s ? std::max(*s, 1) : 1;
}

void TypedTextLookup(const Dictionary& dict, const LookupIndex& li, bool greek, SearchMode mode,
                     std::string_view text, RowCollector& rows, const std::vector<LookupRow>& out) {
  const std::string key = greek ? GreekKey(text) : AsciiLower(text);
  const DirectionForms& forms = li.Of(greek);
  if (mode == SearchMode::kStart) {
    const int from = StartSlot(dict.Profile.letters, greek, key);
    // No form is longer than the longest one, so longer beginnings need not be tried.
    size_t n = std::min(key.size(), forms.Start.MaxLength());
    for (; n > 0 && out.empty(); --n) {
      rows.AddAll(StartMatches(forms, std::string_view(key).substr(0, n), from), greek);
    }
  } else if (mode == SearchMode::kContain) {
    // Without a category filter every match is a row, so no more than the limit are needed.
    rows.AddAll(
        ContainMatches(forms, key, rows.Filtered() ? SIZE_MAX : static_cast<size_t>(kResultLimit)),
        greek);
  } else if (mode == SearchMode::kEnd) {
    if (key.size() > forms.Match.MaxLength()) return;
    for (int32_t slot = 1; slot < forms.End; ++slot) {
      if (EndsWith(forms.Match.Form(slot), key) && !rows.Add(slot, greek)) return;
    }
  }
}

void UserEntriesListing(const Dictionary& dict, const LookupIndex& li, RowCollector& rows) {
  for (bool greek : {false, true}) {
    const HeadwordIndex& index = dict.Index(greek);
    for (int32_t slot = 1; slot < li.Of(greek).End; ++slot) {
      const Origin origin = index.Slot(slot).Origin;
      if ((origin == Origin::kOwn || origin == Origin::kAddition) && !rows.Add(slot, greek)) return;
    }
  }
}

void MultiLookup(const LookupIndex& li, const SearchCriteria& c, bool greek, RowCollector& rows) {
  const DirectionForms& forms = li.Of(greek);
  for (int32_t slot = 1; slot < forms.End; ++slot) {
    const std::string_view h = forms.Match.Form(slot);
    if (!c.SearchStartText.empty() && !StartsWith(forms.Start.Form(slot), c.SearchStartText)) {
      continue;
    }
    if (!c.SearchContainText.empty() && !ContainTest(h, c.SearchContainText)) continue;
    if (!c.SearchEndText.empty() && !EndsWith(h, c.SearchEndText)) continue;
    if (!rows.Add(slot, greek)) return;
  }
}

void CategoryListing(const LookupIndex& li, std::string_view category, RowCollector& rows) {
  if (category.empty()) return;
  for (bool greek : {false, true}) {
    // The collector's filter is the category test itself.
    for (int32_t slot = 1; slot < li.Of(greek).End; ++slot) {
      if (!rows.Add(slot, greek)) return;
    }
  }
}

const SearchCriteria& NoCriteria() {
  static const SearchCriteria none;
  return none;
}

}  // namespace

std::string_view SearchModeName(SearchMode mode) {
  switch (mode) {
    case SearchMode::kStart:
      return "START";
    case SearchMode::kContain:
      return "CONTAIN";
    case SearchMode::kEnd:
      return "END";
    case SearchMode::kSpecific:
      return "SPECIFIC";
    case SearchMode::kMulti:
      return "MULTI";
    case SearchMode::kShortcut:
      return "SHORTCUT";
  }
  return "START";
}

std::optional<SearchMode> ParseSearchMode(std::string_view name) {
  for (SearchMode m : {SearchMode::kStart, SearchMode::kContain, SearchMode::kEnd,
                       SearchMode::kSpecific, SearchMode::kMulti, SearchMode::kShortcut}) {
    if (SearchModeName(m) == name) return m;
  }
  return std::nullopt;
}

std::string RowText(const HeadwordRecord& record) {
  std::string row;
  AppendRowText(record, row);
  return row;
}

LookupResult Lookup(const Dictionary& dict, const LookupIndex& li, const LookupQuery& query,
                    std::vector<LookupRow> storage) {
  LookupResult result;
  result.rows = std::move(storage);
  result.rows.clear();
  result.direction = query.direction;
  const std::string_view text = TrimBlanks(query.text);
  // kSpecific names its entry by the query's direction and the slot; the caller sets the
  // direction, which a headword's first character need not tell.
  if (!text.empty() && query.mode != SearchMode::kSpecific) {
    if (const auto d = DirectionOfEntryText(query.text)) {
      result.direction = *d;
      result.direction_chosen = true;
    }
  }
  RowCollector rows(dict, query.category, result.rows);
  if (!text.empty()) {
    const bool greek = result.direction == Direction::kGreek;
    if (query.mode == SearchMode::kSpecific) {
      const HeadwordIndex& index = dict.Index(greek);
      // No loaded record: nothing to show.
      if (query.slot >= 1 && query.slot <= index.Count()) {
        result.rows.push_back(
            LookupRow{RowText(index.Slot(query.slot)), RowRef{result.direction, query.slot}});
      }
    } else {
      TypedTextLookup(dict, li, greek, query.mode, text, rows, result.rows);
    }
  } else if (query.user_entries_only) {
    UserEntriesListing(dict, li, rows);
  } else if (query.mode == SearchMode::kMulti) {
    const SearchCriteria& c = query.criteria ? *query.criteria : NoCriteria();
    const std::string& sample = !c.SearchStartText.empty()     ? c.SearchStartText
                                : !c.SearchContainText.empty() ? c.SearchContainText
                                                               : c.SearchEndText;
    result.direction = IsGreekText(sample) ? Direction::kGreek : Direction::kEnglish;
    result.direction_chosen = true;
    MultiLookup(li, c, result.direction == Direction::kGreek, rows);
  } else if (query.mode == SearchMode::kShortcut) {
    CategoryListing(li, query.category, rows);
  }
  if (!result.rows.empty()) result.selected = 0;
  return result;
}

std::optional<Direction> DirectionOfEntryText(std::string_view text) {
  if (text.empty()) return std::nullopt;
  return IsGreekLetter(static_cast<unsigned char>(text[0])) ? Direction::kGreek
                                                            : Direction::kEnglish;
}

bool EntryInCategory(const Dictionary& dict, RowRef ref, std::string_view category) {
  const bool greek = ref.direction == Direction::kGreek;
  const HeadwordRecord& rec = dict.Index(greek).Slot(ref.slot);
  if (rec.Category.empty()) return false;
  if (rec.Category == category) return true;
  if (rec.Category != "MULTI" || rec.LineNumber <= 0) return false;
  const std::vector<CategoryLink>& links = LinksOf(dict, greek);
  const size_t rows = LinkRows(dict, greek);
  for (size_t i = 1; i <= rows && links[i].EntryNumber <= rec.LineNumber; ++i) {
    if (links[i].EntryNumber == rec.LineNumber && links[i].Category == category) return true;
  }
  return false;
}

}  // namespace zelvoran
