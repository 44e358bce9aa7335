// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "app/program_state.h"
#include "app/startup.h"
#include "bench/bench_data.h"
#include "platform/linux/posix_file_system.h"

namespace zelvoran::bench {
namespace {

void LoadFrom(benchmark::State& st, const std::string& folder) {
  if (folder.empty()) {
    st.SkipWithError("no data");
    return;
  }
  PosixFileSystem fs;
  for (auto _ : st) {
    ProgramState state;
    state.ProgramFolder = folder;
    LoadDictionary(fs, state);
    benchmark::DoNotOptimize(state.Dict.GreekIndex.Count());
    if (state.Dict.EnglishIndex.Count() == 0) st.SkipWithError("nothing loaded");
  }
}

void BM_LoadDictionary(benchmark::State& st) {
  LoadFrom(st, SyntheticProgramFolder());
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);

void BM_LoadDictionaryBundled(benchmark::State& st) {
  LoadFrom(st, BundledProgramFolder());
}
BENCHMARK(BM_LoadDictionaryBundled)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvoran::bench
