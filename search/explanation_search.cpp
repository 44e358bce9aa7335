// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/explanation_search.h"

#include <string.h>

#include <algorithm>

#include "app/guard.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/program_state.h"
#include "custom/store_commit.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "search/lookup_engine.h"
#include "search/search_dialogs.h"
#include "text/text_lines.h"

namespace zelvoran {
namespace {

void Normalise(std::string& text, bool greek_fold) {
  text = greek_fold ? GreekFold(text) : AsciiLower(text);
}

// A user's explanations file, read whole when it exists.
std::optional<std::string> UserTexts(const FileSystem& fs, const std::string& path) {
  if (path.empty() || !fs.FileExists(path)) return std::nullopt;
  return fs.ReadFile(path);
}

std::optional<std::string_view> Slice(const std::string& data, int64_t position, int64_t length) {
  if (position < 1 || length < 0 || static_cast<uint64_t>(position - 1) > data.size() ||
      static_cast<uint64_t>(length) > data.size() - static_cast<uint64_t>(position - 1)) {
    return std::nullopt;
  }
  return std::string_view(data).substr(static_cast<size_t>(position - 1),
                                       static_cast<size_t>(length));
}

uint64_t HashWord(const char* p, size_t n) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < n; ++i) {
    h ^= static_cast<unsigned char>(p[i]);
    h *= 1099511628211ull;
  }
  return h ^ (h >> 29);
}

}  // namespace

void ExplanationCorpus::WordFilter::Add(uint64_t h) {
  for (int k = 0; k < 3; ++k) {
    const unsigned bit = static_cast<unsigned>(h >> (k * 9)) & 511u;
    bits[bit >> 6] |= uint64_t{1} << (bit & 63u);
  }
}

bool ExplanationCorpus::WordFilter::Covers(const WordFilter& needle) const {
  for (int i = 0; i < 8; ++i) {
    if ((bits[i] & needle.bits[i]) != needle.bits[i]) return false;
  }
  return true;
}

ExplanationCorpus::WordFilter ExplanationCorpus::FilterOf(std::string_view text) {
  WordFilter f;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && !IsWordLetter(static_cast<unsigned char>(text[i]))) ++i;
    const size_t start = i;
    while (i < text.size() && IsWordLetter(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) f.Add(HashWord(text.data() + start, i - start));
  }
  return f;
}

ExplanationCorpus::Stamp ExplanationCorpus::StampOf(const FileSystem& fs,
                                                    const ProgramState& state) {
  Stamp s;
  s.index_generation = state.Dict.IndexGeneration;
  s.texts = fs.Version(state.ProgramFolder + std::string(kTextsFile));
  // The committed texts, even while a replacement waits for a folder that can be written.
  const CustomPaths user = CommittedStorePaths(fs, state.Paths);
  s.english = UserTexts(fs, user.CustomEnglishTextsPath);
  s.greek = UserTexts(fs, user.CustomGreekTextsPath);
  return s;
}

std::shared_ptr<const ExplanationCorpus> ExplanationCorpus::Build(const FileSystem& fs,
                                                                  const ProgramState& state,
                                                                  bool greek_fold) {
  auto corpus = std::make_shared<ExplanationCorpus>();
  corpus->stamp_ = StampOf(fs, state);
  const auto texts = fs.ReadFile(state.ProgramFolder + std::string(kTextsFile));
  if (!texts) return corpus;  // the search cannot open the dictionary's texts: no rows
  corpus->text_.reserve(texts->size() + texts->size() / 8);
  const Dictionary& dict = state.Dict;
  struct Pass {
    const HeadwordIndex& index;
    std::optional<std::string> user;
    bool greek;
  } passes[] = {
      // The user's texts as the stamp read them, so the corpus is what the stamp says.
      {dict.EnglishIndex, corpus->stamp_.english, false},
      {dict.GreekIndex, corpus->stamp_.greek, true},
  };
  std::string text;
  for (const Pass& pass : passes) {
    // The whole index, as the lookups see it: up to the first empty slot.
    for (int slot = 1; slot <= pass.index.Count() && pass.index.Slot(slot).EntryNumber != 0;
         ++slot) {
      const HeadwordRecord& rec = pass.index.Slot(slot);
      text.clear();
      bool has_text = false;
      if (rec.Origin == 'L' || rec.Origin == 'A') {
        auto bytes = Slice(*texts, rec.TextPosition, rec.TextLength);
        if (!bytes) return corpus;  // a read beyond the file ends the search
        text = PositionDecode(rec.TextPosition, *bytes);
        has_text = true;
      }
      if (rec.Origin == 'A' && pass.user) {
        if (rec.AdditionSlot < 0 ||
            static_cast<size_t>(rec.AdditionSlot) >= dict.AdditionList.size()) {
          return corpus;
        }
        const std::string& ref = dict.AdditionList[static_cast<size_t>(rec.AdditionSlot)];
        const auto pos = ParseDecimal(Columns(ref, 1, 8));
        const auto len = ParseDecimal(Columns(ref, 9, 13));
        auto bytes = pos && len ? Slice(*pass.user, *pos, *len) : std::nullopt;
        if (!bytes) return corpus;
        text = ShiftCodec(*bytes, ShiftDirection::kDecode) + " ";
      } else if (rec.Origin == 'C') {
        if (!pass.user) continue;  // no text, not reported
        auto bytes = Slice(*pass.user, rec.TextPosition, rec.TextLength);
        if (!bytes) return corpus;
        text = ShiftCodec(*bytes, ShiftDirection::kDecode) + " ";
        has_text = true;
      }
      if (!has_text) continue;
      Normalise(text, greek_fold);
      Record r;
      r.begin = corpus->text_.size();
      corpus->text_ += text;
      r.end = corpus->text_.size();
      corpus->text_.push_back('\0');  // no match runs from one text into the next
      r.slot = slot;
      r.greek = pass.greek;
      r.own = rec.Origin == 'C';
      corpus->records_.push_back(r);
      corpus->filters_.push_back(FilterOf(text));
    }
  }
  return corpus;
}

std::vector<ExplanationHit> ExplanationCorpus::Find(std::string_view needle, int limit) const {
  std::vector<ExplanationHit> hits;
  needle = UpToNul(needle);
  if (needle.empty() || records_.empty()) return hits;
  const WordFilter wanted = FilterOf(needle);
  const bool filtered = !WordFilter{}.Covers(wanted);  // the needle holds a letter
  const char* base = text_.data();
  for (size_t r = 0; r < records_.size() && static_cast<int>(hits.size()) < limit; ++r) {
    if (filtered && !filters_[r].Covers(wanted)) continue;
    const Record& rec = records_[r];
    // Only the first occurrence in the text counts.
    const void* found = memmem(base + rec.begin, rec.end - rec.begin, needle.data(), needle.size());
    if (!found) continue;
    const size_t p = static_cast<size_t>(static_cast<const char*>(found) - base);
    const size_t e = p + needle.size();
    const bool before_ok = p == rec.begin || !IsWordLetter(static_cast<unsigned char>(base[p - 1]));
    const bool after_ok = e >= rec.end || !IsWordLetter(static_cast<unsigned char>(base[e]));
    if (before_ok && after_ok) hits.push_back({{}, rec.slot, rec.greek, rec.own});
  }
  return hits;
}

std::string ExplanationNeedle(std::string_view entry_text, bool greek) {
  return greek ? GreekFold(entry_text) : AsciiLower(entry_text);
}

std::vector<ExplanationHit> SearchExplanations(const FileSystem& fs, const ProgramState& state,
                                               ExplanationCache& cache, bool greek,
                                               std::string_view needle) {
  auto& corpus = greek ? cache.folded : cache.lowered;
  const ExplanationCorpus::Stamp stamp = ExplanationCorpus::StampOf(fs, state);
  // Texts built from other data or other user files are stale, in both normalisations.
  for (auto* kept : {&cache.folded, &cache.lowered}) {
    if (*kept && !((*kept)->stamp() == stamp)) kept->reset();
  }
  if (!corpus) corpus = ExplanationCorpus::Build(fs, state, greek);
  std::vector<ExplanationHit> hits = corpus->Find(needle, kExplanationResultLimit);
  for (ExplanationHit& h : hits) {
    h.Row = state.Dict.Index(h.Greek).Slot(h.Slot).Headword;
    if (h.Own) h.Row += kUserEntryMark;
  }
  return hits;
}

}  // namespace zelvoran

namespace zelvoran {

void DescrSearch_ButtonClick(MainCore& core) {
  Guarded([&] {
    if (!core.search_dialogs) return;
    const std::optional<std::string> word = core.search_dialogs->RunMessageForm();
    if (!word) {
      core.view.FocusEntryText();
      return;
    }
    core.view.SetBusy(true);
    core.SuppressEntryChange = true;
    Guarded([&] {
      core.view.SetEntryText(TrimLeftBlanks(*word));
      ClearEntryDisplay(core);
      DirectionFromEntryText(core);
      const bool greek = core.CurrentDirection == Direction::kGreek;
      if (!core.explanation_cache) core.explanation_cache = std::make_shared<ExplanationCache>();
      const std::vector<ExplanationHit> hits =
          SearchExplanations(core.svc.fs, core.state, *core.explanation_cache, greek,
                             ExplanationNeedle(core.view.EntryText(), greek));
      for (const ExplanationHit& h : hits) {
        core.List.Add(h.Row, RowRef{h.Greek ? Direction::kGreek : Direction::kEnglish, h.Slot});
      }
      core.List.Selected = -1;
      core.view.ListRowsChanged();
    });
    core.SuppressEntryChange = false;
    core.view.SetBusy(false);
    core.view.FocusEntryText();
  });
}

}  // namespace zelvoran
