// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/lookup_engine.h"

#include <algorithm>
#include <array>
#include <exception>

#include "app/main_core.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "search/lookup_index.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

// The Greek small (34) and capital (33) letters that make a text Greek.
bool IsGreekLetter(unsigned char c) {
  static const std::string letters =
      Utf8ToCp1253("αβγδεζηθικλμνξοπρστυφχψωςάέήίόύώϊϋΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΆΈΉΊΌΎΏΪΫ");
  return letters.find(static_cast<char>(c)) != std::string::npos;
}

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

// Adds the candidates that pass the category filter, up to kResultLimit rows.
class RowCollector {
 public:
  RowCollector(MainCore& core, std::string_view category)
      : core_(core), filter_(core.state.Dict, category) {}

  bool Full() const { return rows_ >= kResultLimit; }
  bool Filtered() const { return filter_.Active(); }
  int Rows() const { return rows_; }

  // Returns false once the limit is reached.
  bool Add(int32_t slot, bool greek) {
    if (Full()) return false;
    if (filter_.Active() && !filter_.Accepts(slot, greek)) return true;
    core_.List.Add(RowText(core_.state.Dict.Index(greek).Slot(slot)), slot);
    ++rows_;
    return !Full();
  }
  void AddAll(const std::vector<int32_t>& slots, bool greek) {
    for (int32_t slot : slots) {
      if (!Add(slot, greek)) return;
    }
  }

 private:
  MainCore& core_;
  CategoryFilter filter_;
  int rows_ = 0;
};

// Restores the cursor however the lookup ends; when it ends by a failure, the rows added so
// far stay and the list is told about them.
class LookupScope {
 public:
  explicit LookupScope(MainCore& core) : core_(core), failures_(std::uncaught_exceptions()) {
    core_.view.SetBusy(true);
  }
  ~LookupScope() {
    if (std::uncaught_exceptions() > failures_) core_.view.ListRowsChanged();
    core_.view.SetBusy(false);
  }
  LookupScope(const LookupScope&) = delete;
  LookupScope& operator=(const LookupScope&) = delete;

 private:
  MainCore& core_;
  int failures_;
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

void TypedTextLookup(MainCore& core, std::string_view mode, std::string_view text,
                     RowCollector& rows) {
  const bool greek = core.CurrentDirection == kDirectionGreek;
  const std::string key = greek ? GreekKey(text) : AsciiLower(text);
  const DirectionForms& forms = CurrentLookupIndex(core).Of(greek);
  if (mode == "START") {
    const int from = StartSlot(core.state.Dict.Profile.letters, greek, key);
    // No form is longer than the longest one, so longer beginnings need not be tried.
    size_t n = std::min(key.size(), forms.Start.MaxLength());
    for (; n > 0 && core.List.Count() == 0; --n) {
      rows.AddAll(StartMatches(forms, std::string_view(key).substr(0, n), from), greek);
    }
  } else if (mode == "CONTAIN") {
    // Without a category filter every match is a row, so no more than the limit are needed.
    rows.AddAll(
        ContainMatches(forms, key, rows.Filtered() ? SIZE_MAX : static_cast<size_t>(kResultLimit)),
        greek);
  } else if (mode == "END") {
    if (key.size() > forms.Match.MaxLength()) return;
    for (int32_t slot = 1; slot < forms.End; ++slot) {
      if (EndsWith(forms.Match.Form(slot), key) && !rows.Add(slot, greek)) return;
    }
  }
}

void SpecificLookup(MainCore& core, int32_t slot) {
  const bool greek = core.CurrentDirection == kDirectionGreek;
  const HeadwordIndex& index = core.state.Dict.Index(greek);
  if (slot < 1 || slot > index.Count()) return;  // no loaded record: nothing to show
  const HeadwordRecord& rec = index.Slot(slot);
  core.List.Add(RowText(rec), slot);
  core.view.ListRowsChanged();
  {
    SuppressEntryChangeScope quiet(core);
    core.view.SetEntryText(rec.Headword);
  }
  core.List.Selected = 0;
  core.view.ListSelectionChanged();
  Entries_ListClick(core);
}

void UserEntriesListing(MainCore& core, RowCollector& rows) {
  const LookupIndex& li = CurrentLookupIndex(core);
  for (bool greek : {false, true}) {
    const HeadwordIndex& index = core.state.Dict.Index(greek);
    for (int32_t slot = 1; slot < li.Of(greek).End; ++slot) {
      const Origin origin = index.Slot(slot).Origin;
      if ((origin == Origin::kOwn || origin == Origin::kAddition) && !rows.Add(slot, greek)) return;
    }
  }
}

void MultiLookup(MainCore& core, RowCollector& rows) {
  const SearchCriteria& c = core.state.Criteria;
  const std::string& sample = !c.SearchStartText.empty()     ? c.SearchStartText
                              : !c.SearchContainText.empty() ? c.SearchContainText
                                                             : c.SearchEndText;
  SetDirection(core, IsGreekText(sample));
  const bool greek = core.CurrentDirection == kDirectionGreek;
  const DirectionForms& forms = CurrentLookupIndex(core).Of(greek);
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

void CategoryListing(MainCore& core, std::string_view category, RowCollector& rows) {
  if (category.empty()) return;
  const LookupIndex& li = CurrentLookupIndex(core);
  for (bool greek : {false, true}) {
    // The collector's filter is the category test itself.
    for (int32_t slot = 1; slot < li.Of(greek).End; ++slot) {
      if (!rows.Add(slot, greek)) return;
    }
  }
}

}  // namespace

SuppressEntryChangeScope::SuppressEntryChangeScope(MainCore& core) : core_(core) {
  core_.SuppressEntryChange = true;
}
SuppressEntryChangeScope::~SuppressEntryChangeScope() {
  core_.SuppressEntryChange = false;
}

std::string RowText(const HeadwordRecord& record) {
  std::string row = record.Headword;
  if (record.Origin == Origin::kOwn) row += kUserEntryMark;
  return row;
}

void RunLookup(MainCore& core, std::string_view mode, int32_t slot, std::string_view category,
               bool user_entries_only) {
  LookupScope scope(core);
  const std::string entry = core.view.EntryText();
  const std::string_view text = TrimBlanks(entry);
  // "SPECIFIC" names its entry by the current direction and the slot; the caller sets the
  // direction, which a headword's first character need not tell.
  if (!text.empty() && mode != "SPECIFIC") DirectionFromEntryText(core);
  ClearEntryDisplay(core);
  RowCollector rows(core, category);
  if (!text.empty()) {
    if (mode == "SPECIFIC") {
      SpecificLookup(core, slot);
    } else {
      TypedTextLookup(core, mode, text, rows);
    }
  } else if (user_entries_only) {
    UserEntriesListing(core, rows);
  } else if (mode == "MULTI") {
    MultiLookup(core, rows);
  } else if (mode == "SHORTCUT") {
    CategoryListing(core, category, rows);
  }
  if (rows.Rows() > 0) {
    core.view.ListRowsChanged();
    core.List.Selected = 0;
    core.view.ListSelectionChanged();
  }
  if (core.List.Count() == 0) {
    core.view.SetModifyEntryEnabled(false);
    core.view.SetDeleteEntryEnabled(false);
  }
}

bool IsGreekText(std::string_view text) {
  const std::string k = EnglishKey(text);
  return !k.empty() && IsGreekLetter(static_cast<unsigned char>(k[0]));
}

void SetDirection(MainCore& core, bool greek) {
  if (greek && core.CurrentDirection == kDirectionEnglish) {
    core.CurrentDirection = kDirectionGreek;
    core.view.SetLangPicture(true);
  } else if (!greek && core.CurrentDirection == kDirectionGreek) {
    core.CurrentDirection = kDirectionEnglish;
    core.view.SetLangPicture(false);
  }
  ActivateDirectionLayout(core);
}

void DirectionFromEntryText(MainCore& core) {
  const std::string text = core.view.EntryText();
  if (text.empty()) return;
  SetDirection(core, IsGreekLetter(static_cast<unsigned char>(text[0])));
}

void ClearEntryDisplay(MainCore& core) {
  core.view.SetHeadwordLabel("");
  core.view.SetPronunciation("");
  core.List.Clear();
  core.view.ListRowsChanged();
  core.view.ListSelectionChanged();
  core.view.SetDescription("");
  core.view.SetModifyEntryEnabled(false);
  core.view.SetDeleteEntryEnabled(false);
}

bool EntryInCategory(const Dictionary& dict, int32_t slot, std::string_view direction_code,
                     std::string_view category) {
  const bool greek = direction_code != "E";
  const HeadwordRecord& rec = dict.Index(greek).Slot(slot);
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
