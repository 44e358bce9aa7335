// SPDX-License-Identifier: GPL-3.0-or-later
// What the lookups compare, computed once per load of the headword indexes: every record's
// candidate forms, and the records sorted by their begins-with form, so a lookup finds its
// matches without visiting records that cannot match.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

struct Dictionary;
class HeadwordIndex;

// The forms of one record per slot, in slot order, packed into one buffer.
class FormTable {
 public:
  void Reserve(size_t records, size_t bytes);
  void Add(std::string_view form);
  std::string_view Form(int32_t slot) const {
    const size_t b = offsets_[static_cast<size_t>(slot) - 1];
    return std::string_view(buffer_).substr(b, offsets_[static_cast<size_t>(slot)] - b - 1);
  }
  // Every form, each followed by a NUL byte; slot s starts at Begin(s).
  std::string_view Buffer() const { return buffer_; }
  size_t Begin(int32_t slot) const { return offsets_[static_cast<size_t>(slot) - 1]; }
  // The slot whose form (or its trailing NUL) holds buffer offset `at`.
  int32_t SlotAt(size_t at) const;
  size_t MaxLength() const { return max_length_; }

 private:
  std::string buffer_;
  std::vector<size_t> offsets_{0};  // offsets_[s - 1] is where slot s starts
  size_t max_length_ = 0;
};

// The forms of one direction's index.
struct DirectionForms {
  // The whole index: slots 1 .. End - 1 (the first empty slot ends it).
  int32_t End = 1;
  // "START" candidate form: English: leading blanks off, A-Z lowered; Greek: GreekKey of the
  // headword passed through CharLowerA.
  FormTable Start;
  // "CONTAIN", "END" and "MULTI" form: English as Start; Greek: GreekKey of the headword.
  FormTable Match;
  // Slots 1 .. End - 1 ordered by Start form (ties by slot).
  std::vector<int32_t> SortedByStart;
  // Slots whose Match form contains "@", ascending.
  std::vector<int32_t> WithAt;
};

// The forms of both indexes of one load, each direction's built when it is first asked for.
class LookupIndex {
 public:
  explicit LookupIndex(const Dictionary& dict);
  const DirectionForms& Of(bool greek) const;
  // Whether the indexes have been reloaded since these forms were made.
  bool IsStale(const Dictionary& dict) const;

 private:
  const Dictionary& dict_;
  uint64_t generation_;
  int english_count_;
  int greek_count_;
  mutable std::unique_ptr<DirectionForms> english_;
  mutable std::unique_ptr<DirectionForms> greek_;
};

// `current` when it still fits `dict`, else new forms of `dict`.
std::shared_ptr<LookupIndex> FreshLookupIndex(const Dictionary& dict,
                                              std::shared_ptr<LookupIndex> current);

// Slots (ascending, within [from, End)) whose Start form begins with `prefix`.
std::vector<int32_t> StartMatches(const DirectionForms& forms, std::string_view prefix,
                                  int32_t from);
// Slots (ascending) whose Match form passes the contains test for `key`: it contains the key,
// or it contains "@". Only the first `limit` of them when a limit is given.
std::vector<int32_t> ContainMatches(const DirectionForms& forms, std::string_view key,
                                    size_t limit = SIZE_MAX);

}  // namespace zelvoran
