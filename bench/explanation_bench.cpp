// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "app/program_state.h"
#include "app/search_commands.h"
#include "app/startup.h"
#include "bench/bench_data.h"
#include "platform/linux/posix_file_system.h"
#include "text/cp1253.h"

namespace zelvoran::bench {
namespace {

const ProgramState* Loaded(const std::string& folder) {
  static std::map<std::string, std::unique_ptr<ProgramState>> states;
  auto& s = states[folder];
  if (!s) {
    PosixFileSystem fs;
    s = std::make_unique<ProgramState>();
    s->ProgramFolder = folder;
    LoadDictionary(fs, *s);
  }
  return s.get();
}

// The first search after loading: reads, decodes and normalises every explanation.
void SearchFirst(benchmark::State& st, const std::string& folder) {
  if (folder.empty()) return st.SkipWithError("no data");
  PosixFileSystem fs;
  const ProgramState* state = Loaded(folder);
  const std::string needle = ExplanationNeedle(Utf8ToCp1253("σπίτι"), Direction::kGreek);
  for (auto _ : st) {
    ExplanationCache cache;
    benchmark::DoNotOptimize(
        SearchExplanations(fs, *state, cache, Direction::kGreek, needle).size());
  }
}

// Later searches, answered from the kept texts; words of both directions.
void SearchLater(benchmark::State& st, const std::string& folder) {
  if (folder.empty()) return st.SkipWithError("no data");
  PosixFileSystem fs;
  const ProgramState* state = Loaded(folder);
  ExplanationCache cache;
  constexpr Direction kEl = Direction::kGreek, kEn = Direction::kEnglish;
  const std::pair<const char*, Direction> words[] = {
      {"σπίτι", kEl}, {"καλός", kEl}, {"house", kEn}, {"the", kEn}, {"αεη", kEl}};
  for (const auto& [w, greek] : words) {
    SearchExplanations(fs, *state, cache, greek, ExplanationNeedle(Utf8ToCp1253(w), greek));
  }
  size_t i = 0;
  size_t rows = 0;
  for (auto _ : st) {
    const auto& [w, greek] = words[i++ % 5];
    rows += SearchExplanations(fs, *state, cache, greek, ExplanationNeedle(Utf8ToCp1253(w), greek))
                .size();
  }
  benchmark::DoNotOptimize(rows);
}

void BM_ExplanationSearchFirst(benchmark::State& st) {
  SearchFirst(st, SyntheticProgramFolder());
}
void BM_ExplanationSearch(benchmark::State& st) {
  SearchLater(st, SyntheticProgramFolder());
}
void BM_ExplanationSearchFirstBundled(benchmark::State& st) {
  SearchFirst(st, BundledProgramFolder());
}
void BM_ExplanationSearchBundled(benchmark::State& st) {
  SearchLater(st, BundledProgramFolder());
}

BENCHMARK(BM_ExplanationSearchFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplanationSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplanationSearchFirstBundled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplanationSearchBundled)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvoran::bench
