// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/custom_store.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "custom/slot_remap.h"
#include "custom/store_commit.h"
#include "custom/store_lines.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

// How long an operation waits for another copy of the program to finish its change.
constexpr std::chrono::milliseconds kStoreLockWait{4000};

std::optional<StoreRefusal> HeadwordRefusal(std::string_view typed) {
  const std::string_view headword = TrimBlanks(typed);
  if (headword.empty()) return StoreRefusal::kEmptyHeadword;
  if (headword.size() > kMaxStoredHeadword) return StoreRefusal::kHeadwordTooLong;
  return std::nullopt;
}

std::optional<StoreRefusal> ExplanationRefusal(std::string_view text) {
  if (text.size() <= kMaxExplanation) return std::nullopt;
  return StoreRefusal::kExplanationTooLong;
}

std::string CategoryOf(const Dictionary& dict, int row) {
  const auto& table = dict.AbbreviationTable;
  if (row < 1 || static_cast<size_t>(row) >= table.size()) return {};
  return table[static_cast<size_t>(row)].Abbreviation.substr(0, kMaxCategory);
}

}  // namespace

// The record an operation works on, with its language.
struct CustomStore::Target {
  bool greek = false;
  int slot = 0;
  const HeadwordRecord* record = nullptr;
};

// A change of one language's pair; false when it has nothing to change.
struct CustomStore::PairChange {
  bool greek = false;
  std::function<bool(StorePair&)> change;
};

CustomStore::CustomStore(FileSystem& fs, const CustomPaths& paths, const Dictionary& dict,
                         std::function<void()> reload)
    : fs_(fs), paths_(paths), dict_(dict), reload_(std::move(reload)) {}

std::optional<CustomStore::Target> CustomStore::Resolve(RowRef target) const {
  Target t;
  t.greek = target.direction == Direction::kGreek;
  t.slot = target.slot;
  t.record = &dict_.Index(t.greek).Slot(target.slot);
  if (t.record->EntryNumber == 0) return std::nullopt;
  return t;
}

// The slot that holds `entry` (as identified across rebuilds) now.
std::optional<CustomStore::Target> CustomStore::Find(bool greek, EntryIdentity entry) const {
  const HeadwordIndex& index = dict_.Index(greek);
  for (int s = 1; s <= index.Count(); ++s) {
    if (IdentityOf(index.Slot(s)) == entry) {
      return Resolve({greek ? Direction::kGreek : Direction::kEnglish, s});
    }
  }
  return std::nullopt;
}

// Runs `body` holding the store's lock, on the files as they are now: an interrupted
// replacement is settled first, and the indexes are rebuilt from the files, since another
// copy of the program may have changed them since they were loaded.
StoreResult CustomStore::Locked(const std::function<StoreResult()>& body) {
  if (paths_.TempIndexPath.empty()) return StoreResult::Unchanged();
  // Without a lock file (a folder that cannot be written) the rewrite fails and says so.
  LockResult lock = fs_.LockFile(StoreLockPath(paths_), kStoreLockWait);
  if (lock.status == LockStatus::kBusy) return StoreResult::Failed(StoreFailure::kBusy);
  if (RecoverCustomStore(fs_, paths_) == RecoveryResult::kUnsettled) {
    return StoreResult::Failed(StoreFailure::kUnsettled);
  }
  if (reload_) reload_();
  return body();
}

// The rewrite frame, inside Locked: read each pair, apply its change, and replace every
// changed pair in one commit.
StoreResult CustomStore::Rewrite(const std::vector<PairChange>& changes) {
  std::vector<PairUpdate> updates;
  for (const PairChange& c : changes) {
    const std::string& index =
        c.greek ? paths_.CustomGreekIndexPath : paths_.CustomEnglishIndexPath;
    const std::string& texts =
        c.greek ? paths_.CustomGreekTextsPath : paths_.CustomEnglishTextsPath;
    if (index.empty() || texts.empty()) return StoreResult::Unchanged();
    StoreReadResult read = ReadStorePair(fs_, index, texts);
    if (read.problem != ReadProblem::kNone) return StoreResult::Failed(StoreFailure::kDamaged);
    if (!c.change(read.pair)) continue;
    auto files = WriteStorePair(read.pair);
    if (!files) return StoreResult::Failed(StoreFailure::kTooLarge);
    updates.push_back({c.greek, std::move(*files)});
  }
  if (updates.empty()) return StoreResult::Unchanged();
  switch (CommitStoreFiles(fs_, paths_, updates)) {
    case CommitResult::kSaved:
      return StoreResult::Saved();
    case CommitResult::kNotSaved:
      return StoreResult::Failed(StoreFailure::kNotSaved);
    case CommitResult::kPending:
      break;
  }
  return StoreResult::Failed(StoreFailure::kPending);
}

// The number a new own entry of the language gets (the largest in use plus one), or why
// there is none. `leaving_slot` is the slot of an entry that the same rewrite removes (0:
// none).
std::optional<StoreRefusal> CustomStore::NewNumber(bool greek, int leaving_slot,
                                                   int64_t& number) const {
  const HeadwordIndex& index = dict_.Index(greek);
  const int count = index.Count();
  if (count - (leaving_slot > 0 ? 1 : 0) >= kMaxIndexRecords) return StoreRefusal::kIndexFull;
  int64_t largest = 0;
  for (int s = 1; s <= count; ++s) {
    if (s != leaving_slot) largest = std::max<int64_t>(largest, index.Slot(s).EntryNumber);
  }
  if (largest + 1 > kMaxEntryNumber) return StoreRefusal::kNumbersExhausted;
  number = largest + 1;
  return std::nullopt;
}

// The change that places a new own entry in its language's pair: its number N (the largest
// plus one) and its predecessor P (own or not) in the index as it would be without
// `leaving_slot`. `leaving_number` names an own entry of the same language that the change
// removes.
std::optional<StoreRefusal> CustomStore::Place(bool greek, const std::string& headword,
                                               std::string_view explanation, int category_row,
                                               int leaving_slot,
                                               std::optional<int64_t> leaving_number,
                                               PairChange& change) const {
  int64_t number = 0;
  if (auto refusal = NewNumber(greek, leaving_slot, number)) return refusal;
  const HeadwordIndex& index = dict_.Index(greek);
  auto key_of = [greek](std::string_view text) {
    return greek ? GreekKey(text) : EnglishKey(text);
  };
  const std::string key = key_of(headword);
  int s = index.Count();
  // Keys compare byte by byte by code value; a key that begins another is the smaller.
  while (s >= 1 && (s == leaving_slot ||
                    std::string_view(key_of(index.Slot(s).Headword)) > std::string_view(key))) {
    --s;
  }
  int64_t predecessor = 0;
  bool predecessor_is_own = false;
  if (s >= 1) {
    predecessor = index.Slot(s).EntryNumber;
    predecessor_is_own = index.Slot(s).Origin == Origin::kOwn;
  }
  auto line = std::make_shared<StoreLine>(
      MakeStoreLine(predecessor, number, headword, explanation, CategoryOf(dict_, category_row)));
  change =
      PairChange{greek, [line, predecessor, predecessor_is_own, leaving_number](StorePair& pair) {
                   if (leaving_number) DropEntry(pair, *leaving_number, false);
                   PlaceOwnEntry(pair, *line, predecessor, predecessor_is_own);
                   return true;
                 }};
  return std::nullopt;
}

std::optional<StoreRefusal> CustomStore::InsertRefusal(const InsertRequest& request) const {
  if (request.Headword.empty()) return std::nullopt;  // nothing to store: the insert does nothing
  if (auto refusal = HeadwordRefusal(request.Headword)) return refusal;
  if (auto refusal = ExplanationRefusal(request.Explanation)) return refusal;
  int64_t number = 0;
  return NewNumber(IsGreekText(request.Headword), 0, number);
}

std::optional<StoreRefusal> CustomStore::ModifyRefusal(const ModifyRequest& request,
                                                       RowRef target) const {
  if (request.Headword.empty()) return std::nullopt;  // nothing to store: the modify does nothing
  const auto sel = Resolve(target);
  if (request.Origin == Origin::kDictionary || request.Origin == Origin::kAddition) {
    if (!sel || sel->record->Origin == Origin::kOwn) return std::nullopt;
    return ExplanationRefusal(request.Explanation);
  }
  if (request.Origin != Origin::kOwn || !sel || sel->record->Origin != Origin::kOwn) {
    return std::nullopt;
  }
  if (auto refusal = HeadwordRefusal(request.Headword)) return refusal;
  if (auto refusal = ExplanationRefusal(request.Explanation)) return refusal;
  // The same language: the entry's own slot is freed by the same rewrite.
  const bool greek = IsGreekText(request.Headword);
  int64_t number = 0;
  return NewNumber(greek, greek == sel->greek ? sel->slot : 0, number);
}

StoreResult CustomStore::Insert(const InsertRequest& request) {
  if (request.Headword.empty()) return StoreResult::Unchanged();
  if (auto refusal = InsertRefusal(request)) return StoreResult::Refused(*refusal);
  const std::string headword(TrimBlanks(request.Headword));
  return Locked([&] {
    PairChange place;
    if (auto refusal = Place(IsGreekText(request.Headword), headword, request.Explanation,
                             request.CategoryRow, 0, std::nullopt, place)) {
      return StoreResult::Refused(*refusal);
    }
    return Rewrite({place});
  });
}

StoreResult CustomStore::ModifyOwn(const ModifyRequest& request, RowRef target) {
  const auto before = Resolve(target);
  if (!before || before->record->Origin != Origin::kOwn) return StoreResult::Unchanged();
  if (auto refusal = ModifyRefusal(request, target)) return StoreResult::Refused(*refusal);
  const std::string headword(TrimBlanks(request.Headword));
  const EntryIdentity entry = IdentityOf(*before->record);
  return Locked([&] {
    const auto sel = Find(before->greek, entry);  // on the rebuilt indexes
    if (!sel) return StoreResult::Unchanged();
    const int64_t old_number = sel->record->EntryNumber;
    const bool greek = IsGreekText(request.Headword);
    // The old line goes and the new one comes in one commit, so the entry is never missing
    // from the files nor there twice, even when it moves to the other language's pair.
    PairChange place;
    if (greek == sel->greek) {
      if (auto refusal = Place(greek, headword, request.Explanation, request.CategoryRow, sel->slot,
                               old_number, place)) {
        return StoreResult::Refused(*refusal);
      }
      return Rewrite({place});
    }
    if (auto refusal = Place(greek, headword, request.Explanation, request.CategoryRow, 0,
                             std::nullopt, place)) {
      return StoreResult::Refused(*refusal);
    }
    return Rewrite({place, PairChange{sel->greek, [old_number](StorePair& pair) {
                                        return DropEntry(pair, old_number, false);
                                      }}});
  });
}

StoreResult CustomStore::ModifyAddition(const ModifyRequest& request, RowRef target) {
  const auto before = Resolve(target);
  if (!before || before->record->Origin == Origin::kOwn) return StoreResult::Unchanged();
  if (auto refusal = ModifyRefusal(request, target)) return StoreResult::Refused(*refusal);
  const EntryIdentity entry = IdentityOf(*before->record);
  return Locked([&] {
    const auto sel = Find(before->greek, entry);
    if (!sel || sel->record->Origin == Origin::kOwn) return StoreResult::Unchanged();
    const int64_t number = sel->record->EntryNumber;
    return Rewrite({PairChange{sel->greek, [&](StorePair& pair) {
                                 SetAddition(pair, number, request.Explanation,
                                             request.Origin == Origin::kAddition);
                                 return true;
                               }}});
  });
}

StoreResult CustomStore::Modify(const ModifyRequest& request, RowRef target) {
  if (request.Headword.empty()) return StoreResult::Unchanged();
  if (request.Origin == Origin::kOwn) return ModifyOwn(request, target);
  if (request.Origin == Origin::kDictionary || request.Origin == Origin::kAddition) {
    return ModifyAddition(request, target);
  }
  return StoreResult::Unchanged();
}

StoreResult CustomStore::Delete(RowRef target) {
  const auto before = Resolve(target);
  if (!before || before->record->Origin != Origin::kOwn) return StoreResult::Unchanged();
  const EntryIdentity entry = IdentityOf(*before->record);
  return Locked([&] {
    const auto sel = Find(before->greek, entry);
    if (!sel) return StoreResult::Unchanged();
    const int64_t number = sel->record->EntryNumber;
    return Rewrite({PairChange{
        sel->greek, [number](StorePair& pair) { return DropEntry(pair, number, false); }}});
  });
}

int CategoryRowOf(const Dictionary& dict, std::string_view category) {
  if (category.empty() || category == "MULTI") return 0;
  const auto& table = dict.AbbreviationTable;
  for (size_t row = 1; row < table.size(); ++row) {
    if (table[row].Abbreviation == category) return static_cast<int>(row);
  }
  return 0;
}

std::string PrefillExplanation(Origin origin, std::string_view description,
                               std::string_view category) {
  if (origin == Origin::kOwn) {
    if (category.empty()) return std::string(description);
    const std::string lowered = CharLowerA(description);
    const size_t at = lowered.find(CharLowerA(category));
    std::string text(description);
    if (at != std::string::npos) text.erase(at, category.size());
    return std::string(TrimLeftBlanks(text));
  }
  if (origin == Origin::kAddition) {
    const size_t at = description.find(kAdditionLabel);
    if (at == std::string_view::npos) return {};
    std::string_view rest = description.substr(at + kAdditionLabel.size());
    if (rest.starts_with("\r\n")) rest.remove_prefix(2);
    if (rest.ends_with("\r\n")) rest.remove_suffix(2);
    return std::string(rest);
  }
  return {};
}

}  // namespace zelvoran
