// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/lookup_index.h"

#include <algorithm>
#include <iterator>

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "text/cp1253.h"

namespace zelvoran {

void FormTable::Reserve(size_t records, size_t bytes) {
  offsets_.reserve(records + 1);
  buffer_.reserve(bytes);
}

void FormTable::Add(std::string_view form) {
  buffer_.append(form);
  buffer_.push_back('\0');
  offsets_.push_back(buffer_.size());
  max_length_ = std::max(max_length_, form.size());
}

int32_t FormTable::SlotAt(size_t at) const {
  // offsets_[s] is one past the end of slot s; the first end beyond `at` names the slot.
  const auto it = std::upper_bound(offsets_.begin(), offsets_.end(), at);
  return static_cast<int32_t>(it - offsets_.begin());
}

namespace {

DirectionForms BuildForms(const HeadwordIndex& index, bool greek) {
  DirectionForms f;
  int32_t end = 1;
  while (end <= index.Count() && index.Slot(end).EntryNumber != 0) ++end;
  f.End = end;
  const size_t records = static_cast<size_t>(end - 1);
  f.Start.Reserve(records, records * 16);
  f.Match.Reserve(records, records * 16);
  for (int32_t slot = 1; slot < end; ++slot) {
    const std::string_view headword = TrimLeftBlanks(index.Slot(slot).Headword);
    if (greek) {
      const std::string key = GreekKey(headword);
      f.Start.Add(CharLowerA(key));
      f.Match.Add(key);
    } else {
      const std::string form = AsciiLower(headword);
      f.Start.Add(form);
      f.Match.Add(form);
    }
    if (f.Match.Form(slot).find('@') != std::string_view::npos) f.WithAt.push_back(slot);
  }
  f.SortedByStart.resize(records);
  for (size_t i = 0; i < records; ++i) f.SortedByStart[i] = static_cast<int32_t>(i + 1);
  std::sort(f.SortedByStart.begin(), f.SortedByStart.end(), [&](int32_t a, int32_t b) {
    const int c = f.Start.Form(a).compare(f.Start.Form(b));
    return c != 0 ? c < 0 : a < b;
  });
  return f;
}

}  // namespace

LookupIndex::LookupIndex(const Dictionary& dict)
    : dict_(dict),
      generation_(dict.IndexGeneration),
      english_count_(dict.EnglishIndex.Count()),
      greek_count_(dict.GreekIndex.Count()) {}

const DirectionForms& LookupIndex::Of(bool greek) const {
  std::unique_ptr<DirectionForms>& forms = greek ? greek_ : english_;
  if (!forms) {
    forms = std::make_unique<DirectionForms>(BuildForms(dict_.Index(greek), greek));
  }
  return *forms;
}

bool LookupIndex::IsStale(const Dictionary& dict) const {
  return &dict != &dict_ || generation_ != dict.IndexGeneration ||
         english_count_ != dict.EnglishIndex.Count() || greek_count_ != dict.GreekIndex.Count();
}

std::shared_ptr<LookupIndex> FreshLookupIndex(const Dictionary& dict,
                                              std::shared_ptr<LookupIndex> current) {
  if (!current || current->IsStale(dict)) return std::make_shared<LookupIndex>(dict);
  return current;
}

std::vector<int32_t> StartMatches(const DirectionForms& forms, std::string_view prefix,
                                  int32_t from) {
  std::vector<int32_t> slots;
  if (prefix.size() > forms.Start.MaxLength()) return slots;
  const size_t n = prefix.size();
  const auto head = [&](int32_t slot) { return forms.Start.Form(slot).substr(0, n); };
  const auto lo =
      std::lower_bound(forms.SortedByStart.begin(), forms.SortedByStart.end(), prefix,
                       [&](int32_t slot, std::string_view p) { return head(slot) < p; });
  const auto hi =
      std::upper_bound(lo, forms.SortedByStart.end(), prefix,
                       [&](std::string_view p, int32_t slot) { return p < head(slot); });
  slots.reserve(static_cast<size_t>(hi - lo));
  for (auto it = lo; it != hi; ++it) {
    if (*it >= from) slots.push_back(*it);
  }
  // Equal forms are already in slot order, and the data is mostly sorted by its keys, so the
  // slots usually come out ascending.
  if (!std::is_sorted(slots.begin(), slots.end())) std::sort(slots.begin(), slots.end());
  return slots;
}

std::vector<int32_t> ContainMatches(const DirectionForms& forms, std::string_view key,
                                    size_t limit) {
  if (key.empty() || key.size() > forms.Match.MaxLength()) return forms.WithAt;
  std::vector<int32_t> hits;
  const std::string_view buf = forms.Match.Buffer();
  size_t at = 0;
  // Later hits lie in later slots: once `limit` are found, none after them can be among the
  // first `limit` of the result.
  while (at + key.size() <= buf.size() && hits.size() < limit) {
    const size_t found = buf.find(key, at);
    if (found == std::string_view::npos) break;
    const int32_t slot = forms.Match.SlotAt(found);
    const size_t form_end = forms.Match.Begin(slot) + forms.Match.Form(slot).size();
    if (found + key.size() <= form_end) {
      hits.push_back(slot);
      at = form_end + 1;  // one hit per record is enough
    } else {
      at = found + 1;  // the match runs across the end of a form
    }
  }
  if (forms.WithAt.empty()) return hits;
  std::vector<int32_t> merged;
  merged.reserve(hits.size() + forms.WithAt.size());
  std::set_union(hits.begin(), hits.end(), forms.WithAt.begin(), forms.WithAt.end(),
                 std::back_inserter(merged));
  if (merged.size() > limit) merged.resize(limit);
  return merged;
}

}  // namespace zelvoran
