// SPDX-License-Identifier: GPL-3.0-or-later
// Generating the inflected forms of every Greek headword of the Greek-English source, as the
// data build does.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "dictionary/greek_inflection.h"
#include "text/cp1253.h"
#include "tools/dictc/dictd_reader.h"

namespace zelvoran::bench {
namespace {

// (Windows-1253 headword, part of speech) of each article's headline "word /IPA/ <tag>".
const std::vector<std::pair<std::string, GreekPartOfSpeech>>& GreekHeadwords() {
  static const auto* list = [] {
    auto* out = new std::vector<std::pair<std::string, GreekPartOfSpeech>>();
    const dictc::DictdReadResult read =
        dictc::ReadDictdDatabase("/usr/share/dictd", "freedict-ell-eng");
    if (!read.database) return out;
    for (const dictc::DictdArticle& article : read.database->Articles) {
      const std::string_view text = article.Text;
      const std::string_view line = text.substr(0, text.find('\n'));
      const size_t open = line.rfind('<');
      const size_t close = line.rfind('>');
      const size_t slash = line.find(" /");
      const size_t end = slash != std::string_view::npos ? slash : open;
      if (open == std::string_view::npos || close < open || end == 0 ||
          end == std::string_view::npos) {
        continue;
      }
      out->emplace_back(Utf8ToCp1253(line.substr(0, end)),
                        GreekPartOfSpeechFromTag(line.substr(open + 1, close - open - 1)));
    }
    return out;
  }();
  return *list;
}

void BM_GreekFormsOfAllHeadwords(benchmark::State& state) {
  const auto& headwords = GreekHeadwords();
  if (headwords.empty()) {
    state.SkipWithError("the Greek-English FreeDict source is not installed");
    return;
  }
  size_t forms = 0;
  for (auto _ : state) {
    forms = 0;
    for (const auto& [word, pos] : headwords) forms += GreekInflectedForms(word, pos).size();
    benchmark::DoNotOptimize(forms);
  }
  state.counters["headwords"] = static_cast<double>(headwords.size());
  state.counters["forms"] = static_cast<double>(forms);
}
BENCHMARK(BM_GreekFormsOfAllHeadwords)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_GreekFormsOfOneVerb(benchmark::State& state) {
  const std::string verb = Utf8ToCp1253("γράφω");
  for (auto _ : state) {
    benchmark::DoNotOptimize(GreekInflectedForms(verb, GreekPartOfSpeech::kVerb));
  }
}
BENCHMARK(BM_GreekFormsOfOneVerb)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelvoran::bench
