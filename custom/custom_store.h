// SPDX-License-Identifier: GPL-3.0-or-later
// The store of the user's entries: inserting, modifying and deleting them. Each operation
// rewrites the user's files through CommitStoreFiles under the store's lock (a move to the
// other language replaces both pairs in one commit), so a failure leaves the old files exactly
// as they were. An operation answers with what came of it; it tells the user nothing itself.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "custom/custom_paths.h"
#include "custom/slot_remap.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/domain.h"

namespace zelvoran {

class FileSystem;

struct InsertRequest {
  std::string Headword;
  std::string Explanation;
  int CategoryRow = -1;  // 0 the blank item, n an AbbreviationTable row, -1 nothing chosen
};

struct ModifyRequest {
  std::string Headword;
  int CategoryRow = 0;
  std::string Explanation;
  zelvoran::Origin Origin = zelvoran::Origin::kNone;  // of the entry being modified
};

// Why a request cannot be stored; nothing has been touched.
enum class StoreRefusal {
  kEmptyHeadword,       // a headword of blanks only
  kHeadwordTooLong,     // longer than a stored headword
  kExplanationTooLong,  // longer than an explanation can be shown
  kIndexFull,           // no room in the index of the headword's language
  kNumbersExhausted,    // no free number for a new own entry
};

// Why a change was not saved.
enum class StoreFailure {
  kBusy,       // another copy of the program holds the store's lock
  kUnsettled,  // an earlier interrupted change cannot be completed yet
  kDamaged,    // the user's files cannot be read, and were left alone
  kTooLarge,   // the text file would outgrow its position column
  kNotSaved,   // writing failed; the old files are in place
  kPending,    // committed, but completed only when the program next opens
};

struct StoreResult {
  enum class Kind {
    kUnchanged,  // nothing to do
    kSaved,      // the files hold the change
    kRefused,    // `refusal` says why
    kFailed,     // `failure` says why
  };
  Kind kind = Kind::kUnchanged;
  StoreRefusal refusal = StoreRefusal::kEmptyHeadword;
  StoreFailure failure = StoreFailure::kNotSaved;

  static StoreResult Unchanged() { return {}; }
  static StoreResult Saved() { return {Kind::kSaved}; }
  static StoreResult Refused(StoreRefusal why) { return {Kind::kRefused, why}; }
  static StoreResult Failed(StoreFailure why) {
    return {Kind::kFailed, StoreRefusal::kEmptyHeadword, why};
  }
  bool operator==(const StoreResult&) const = default;
};

class CustomStore {
 public:
  // `dict` holds the headword indexes as loaded from the files; `reload` rebuilds them from
  // the files as they now stand (another copy of the program may have changed them), keeping
  // whatever refers to their slots on its entries. Both outlive the store.
  CustomStore(FileSystem& fs, const CustomPaths& paths, const Dictionary& dict,
              std::function<void()> reload);

  // The refusals a request meets before any file is touched: a headword of blanks or too
  // long, an explanation too long, no room in the index of the headword's language. The
  // operations ask this themselves; the entry dialog asks it before it closes.
  std::optional<StoreRefusal> InsertRefusal(const InsertRequest& request) const;
  // The same for a modify of the entry of `target`.
  std::optional<StoreRefusal> ModifyRefusal(const ModifyRequest& request, RowRef target) const;

  // Adds the request as an own entry.
  StoreResult Insert(const InsertRequest& request);
  // Applies the request to the entry of `target`: an own entry is replaced, a dictionary
  // entry gets the explanation as its addition.
  StoreResult Modify(const ModifyRequest& request, RowRef target);
  // Removes the own entry of `target`.
  StoreResult Delete(RowRef target);

 private:
  struct Target;
  struct PairChange;
  std::optional<Target> Resolve(RowRef target) const;
  std::optional<Target> Find(bool greek, EntryIdentity entry) const;
  StoreResult Locked(const std::function<StoreResult()>& body);
  StoreResult Rewrite(const std::vector<PairChange>& changes);
  std::optional<StoreRefusal> NewNumber(bool greek, int leaving_slot, int64_t& number) const;
  std::optional<StoreRefusal> Place(bool greek, const std::string& headword,
                                    std::string_view explanation, int category_row,
                                    int leaving_slot, std::optional<int64_t> leaving_number,
                                    PairChange& change) const;
  StoreResult ModifyOwn(const ModifyRequest& request, RowRef target);
  StoreResult ModifyAddition(const ModifyRequest& request, RowRef target);

  FileSystem& fs_;
  const CustomPaths& paths_;
  const Dictionary& dict_;
  std::function<void()> reload_;
};

// The first AbbreviationTable row (from 1) whose abbreviation is `category`; 0 for none, an
// empty category and "MULTI".
int CategoryRowOf(const Dictionary& dict, std::string_view category);

// The modify dialog's explanation, from what Description_Text shows for an entry of `origin`
// with `category`: an own entry without its category line; a dictionary entry's addition
// exactly as stored (without the dictionary text, the label and the line break the display
// puts after it); nothing for a dictionary entry without an addition.
std::string PrefillExplanation(Origin origin, std::string_view description,
                               std::string_view category);

}  // namespace zelvoran
