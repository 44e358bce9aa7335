// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "bench/bench_data.h"
#include "platform/linux/posix_file_system.h"
#include "search/lookup_engine.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"

namespace zelvoran::bench {
namespace {

// A dictionary loaded once, with a core over a window-less view whose entry box raises the
// change handler.
struct Loaded {
  PosixFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  ProgramState state;
  testing::FakeMainView view;
  std::unique_ptr<MainCore> core;

  explicit Loaded(const std::string& folder) {
    state.ProgramFolder = folder;
    Enter();
    LoadDictionary(fs, state);
    state.CurrentSearchMode = SearchMode::kStart;
    core = std::make_unique<MainCore>(Services{fs, folders, info}, state, view);
    view.on_entry_change = [this] { Entry_TextChange(*core); };
    Type("a");  // builds the per-load forms
  }
  // Makes this dictionary's program folder the current directory, which an entry shown on
  // typing reads its explanation from.
  void Enter() { fs.SetCurrentDirectory(state.ProgramFolder); }
  void Type(const std::string& text) { view.SetEntryText(text); }
  void Lookup(std::string_view mode, const std::string& text) {
    {
      SuppressEntryChangeScope quiet(*core);
      view.SetEntryText(text);
    }
    RunLookup(*core, *ParseSearchMode(mode), 0, "", false);
  }
};

// The full-size synthetic dictionary.
Loaded& Data() {
  static Loaded loaded(SyntheticProgramFolder());
  loaded.Enter();
  return loaded;
}

// The bundled dictionary, or null when it has not been built.
Loaded* Bundled() {
  static const std::string folder = BundledProgramFolder();
  if (folder.empty()) return nullptr;
  static Loaded loaded(folder);
  loaded.Enter();
  return &loaded;
}

// Every beginning of some common words, as typed one keystroke at a time.
std::vector<std::string> Keystrokes() {
  const char* words[] = {"house",   "water",  "make",    "time",  "people", "school",   "good",
                         "through", "know",   "world",   "σπίτι", "νερό",   "άνθρωπος", "καλός",
                         "χρόνος",  "κόσμος", "σχολείο", "ξέρω",  "δρόμος", "θάλασσα"};
  std::vector<std::string> out;
  for (const char* w : words) {
    const std::string cp = Utf8ToCp1253(w);
    for (size_t n = 1; n <= cp.size(); ++n) out.push_back(cp.substr(0, n));
  }
  return out;
}

// Runs `one` per iteration over `keys` in turn. Reports the median of all lookups, and the
// slowest key by its best time (which leaves out the pauses other processes cause).
template <typename F>
void TimeEach(benchmark::State& st, const std::vector<std::string>& keys, F one,
              Loaded& d = Data()) {
  std::vector<double> us;
  std::vector<double> best(keys.size(), 1e300);
  size_t i = 0;
  for (auto _ : st) {
    const auto t0 = std::chrono::steady_clock::now();
    one(keys[i]);
    const auto t1 = std::chrono::steady_clock::now();
    const double t = std::chrono::duration<double, std::micro>(t1 - t0).count();
    us.push_back(t);
    best[i] = std::min(best[i], t);
    benchmark::DoNotOptimize(d.core->List.Items.data());
    i = (i + 1) % keys.size();
  }
  std::sort(us.begin(), us.end());
  st.counters["median_us"] = us[us.size() / 2];
  st.counters["slowest_key_us"] = *std::max_element(best.begin(), best.end());
  st.counters["rows"] = static_cast<double>(d.core->List.Count());
}

void BM_StartLookup(benchmark::State& st) {
  Loaded& d = Data();
  const std::vector<std::string> keys = Keystrokes();
  TimeEach(st, keys, [&](const std::string& k) {
    d.view.entry_text.clear();  // so every keystroke is a change
    d.Type(k);
  });
}
BENCHMARK(BM_StartLookup)->Unit(benchmark::kMicrosecond);

void BM_ContainLookup(benchmark::State& st) {
  Loaded& d = Data();
  const std::vector<std::string> keys = {
      "ing", "tion", "e", "ab", Utf8ToCp1253("ου"), Utf8ToCp1253("ση"), Utf8ToCp1253("α")};
  TimeEach(st, keys, [&](const std::string& k) { d.Lookup("CONTAIN", k); });
}
BENCHMARK(BM_ContainLookup)->Unit(benchmark::kMicrosecond);

void BM_EndLookup(benchmark::State& st) {
  Loaded& d = Data();
  const std::vector<std::string> keys = {
      "ing", "tion", "s", Utf8ToCp1253("ος"), Utf8ToCp1253("ση"), Utf8ToCp1253("ω")};
  TimeEach(st, keys, [&](const std::string& k) { d.Lookup("END", k); });
}
BENCHMARK(BM_EndLookup)->Unit(benchmark::kMicrosecond);

// A lookup that stops at the result limit: 32736 rows into the list model.
void BM_ListFill(benchmark::State& st) {
  Loaded& d = Data();
  TimeEach(st, {"e"}, [&](const std::string& k) { d.Lookup("CONTAIN", k); });
  if (d.core->List.Count() != kResultLimit) st.SkipWithError("the lookup did not fill the list");
}
BENCHMARK(BM_ListFill)->Unit(benchmark::kMillisecond);

// A whole document pasted into the entry box.
void BM_HugeEntryText(benchmark::State& st) {
  Loaded& d = Data();
  std::string english = "hous";
  std::string greek = Utf8ToCp1253("σπί");
  while (english.size() < (1u << 20)) english += "e of the rising sun ";
  while (greek.size() < (1u << 20)) greek += Utf8ToCp1253("τι του ήλιου ");
  TimeEach(st, {english, greek}, [&](const std::string& k) {
    d.view.entry_text.clear();
    d.Type(k);
  });
}
BENCHMARK(BM_HugeEntryText)->Unit(benchmark::kMillisecond);

// The questions of the dictd comparison asked in process: RunLookup on the loaded bundled
// dictionary, one lookup per iteration, with the same words as the MATCH queries. "rows" is
// the mean number of rows per answer, as "matches" is on the dictd side.
void PeerLookup(benchmark::State& st, std::string_view mode,
                const std::vector<std::string>& words) {
  Loaded* d = Bundled();
  if (!d) return st.SkipWithError("no bundled data");
  std::vector<std::string> keys;
  for (const std::string& w : words) keys.push_back(Utf8ToCp1253(w));
  double rows = 0;
  size_t n = 0;
  TimeEach(
      st, keys,
      [&](const std::string& k) {
        d->Lookup(mode, k);
        rows += static_cast<double>(d->core->List.Count());
        ++n;
      },
      *d);
  if (n > 0) st.counters["rows"] = rows / static_cast<double>(n);
}

void BM_InProcessPrefixMatch(benchmark::State& st) {
  PeerLookup(st, "START", PeerPrefixes());
}
BENCHMARK(BM_InProcessPrefixMatch)->Unit(benchmark::kMicrosecond);

void BM_InProcessSubstringMatch(benchmark::State& st) {
  PeerLookup(st, "CONTAIN", PeerInfixes());
}
BENCHMARK(BM_InProcessSubstringMatch)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelvoran::bench
