// SPDX-License-Identifier: GPL-3.0-or-later
// The user's file pair read from arbitrary files: a pair that is not damaged writes back to
// files that read as the same lines with the same explanations.
#include "custom/store_lines.h"
#include "tests/fuzz/fuzz_target.h"

ZELVORAN_FUZZ_TARGET(store_pair) {
  using namespace zelvoran;
  // The index file before the first 0xFF byte, the texts file after it.
  const size_t cut = data.find('\xFF');
  const std::string_view index = data.substr(0, cut);
  const std::string_view texts = cut == std::string_view::npos ? "" : data.substr(cut + 1);
  const StoreReadResult first = ParseStorePair(index, texts);
  if (first.problem == ReadProblem::kDamaged) {
    FUZZ_CHECK(first.pair.lines.empty());
    return;
  }
  for (size_t i = 1; i < first.pair.lines.size(); ++i) {
    FUZZ_CHECK(first.pair.lines[i - 1].fields.AnchorNumber <=
               first.pair.lines[i].fields.AnchorNumber);
  }
  const auto files = WriteStorePair(first.pair);
  if (!files) return;
  const StoreReadResult second = ParseStorePair(files->index, files->texts);
  FUZZ_CHECK(second.problem == ReadProblem::kNone);
  FUZZ_CHECK(second.pair.lines.size() == first.pair.lines.size());
  for (size_t i = 0; i < second.pair.lines.size(); ++i) {
    const StoreLine& a = first.pair.lines[i];
    const StoreLine& b = second.pair.lines[i];
    FUZZ_CHECK(a.text == b.text);
    FUZZ_CHECK(a.fields.AnchorNumber == b.fields.AnchorNumber);
    FUZZ_CHECK(a.fields.EntryNumber == b.fields.EntryNumber);
    FUZZ_CHECK(a.fields.Headword == b.fields.Headword);
    FUZZ_CHECK(a.fields.Category == b.fields.Category);
    FUZZ_CHECK(a.fields.TextLength == b.fields.TextLength);
  }
}
