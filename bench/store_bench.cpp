// SPDX-License-Identifier: GPL-3.0-or-later
// Inserting one own entry into a store that already holds 10,000 (9,000 English and 1,000
// Greek), including the rebuild of both headword indexes, on the full-size synthetic data.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/custom_commands.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "bench/bench_data.h"
#include "custom/store_lines.h"
#include "platform/linux/posix_file_system.h"
#include "tests/support/fake_main_view.h"

namespace zelvoran::bench {
namespace {

// A store of `count` own entries of one language, spread over the dictionary: each placed
// behind every fifth dictionary entry, with a 60-character explanation.
StoreFiles MakeStore(const HeadwordIndex& index, int count) {
  StorePair pair;
  for (int k = 0; k < count; ++k) {
    const HeadwordRecord& anchor = index.Slot(1 + (k * 5) % index.Count());
    char text[80];
    std::snprintf(text, sizeof text, "own explanation number %05d, long enough to be typical.", k);
    pair.lines.push_back(
        MakeStoreLine(anchor.EntryNumber, index.Count() + 1 + k, anchor.Headword + "q", text, ""));
  }
  return *WriteStorePair(pair);
}

void BM_StoreInsert(benchmark::State& st) {
  PosixFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  testing::FakeMainView view;
  ProgramState state;
  state.ProgramFolder = SyntheticProgramFolder();
  char tmpl[] = "/tmp/zelvoran-store-XXXXXX";
  const std::string folder = ::mkdtemp(tmpl);
  state.Paths = CustomPaths::In(folder + "/");
  LoadDictionary(fs, state);

  const StoreFiles english = MakeStore(state.Dict.EnglishIndex, 9000);
  const StoreFiles greek = MakeStore(state.Dict.GreekIndex, 1000);
  auto restore = [&] {
    fs.WriteFile(state.Paths.CustomEnglishIndexPath, english.index);
    fs.WriteFile(state.Paths.CustomEnglishTextsPath, english.texts);
  };
  restore();
  fs.WriteFile(state.Paths.CustomGreekIndexPath, greek.index);
  fs.WriteFile(state.Paths.CustomGreekTextsPath, greek.texts);
  ReloadHeadwordIndexes(fs, state);
  if (state.Dict.EnglishIndex.Count() != 50929 + 9000 ||
      state.Dict.GreekIndex.Count() != 47310 + 1000) {
    st.SkipWithError("store not loaded");
  }

  MainCore core(Services{fs, folders, info}, state, view);
  int n = 0;
  for (auto _ : st) {
    const HeadwordRecord& near = state.Dict.EnglishIndex.Slot(1 + (n++ * 7919) % 59000);
    const InsertRequest request{near.Headword + "zz", "a new entry of the user's", 0};
    // The command rebuilds both indexes after the change.
    if (InsertCustomEntry(core, request) != StoreOutcome::kSaved) st.SkipWithError("not saved");
    st.PauseTiming();
    restore();
    ReloadHeadwordIndexes(fs, state);
    st.ResumeTiming();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StoreInsert)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvoran::bench
