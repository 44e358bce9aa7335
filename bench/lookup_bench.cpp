#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/main_core.h"
#include "app/startup.h"
#include "bench/bench_data.h"
#include "dictionary/cp1253.h"
#include "platform/linux/posix_file_system.h"
#include "search/entry_box.h"
#include "search/lookup_engine.h"
#include "tests/support/fake_main_view.h"

namespace zelvoran::bench {
namespace {

// The synthetic dictionary loaded once, with a core over a window-less view whose entry box
// raises the change handler.
struct Loaded {
  PosixFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  ProgramState state;
  testing::FakeMainView view;
  std::unique_ptr<MainCore> core;

  Loaded() {
    state.ProgramFolder = SyntheticProgramFolder();
    fs.SetCurrentDirectory(state.ProgramFolder);
    LoadDictionary(fs, state);
    state.CurrentSearchMode = "START";
    core = std::make_unique<MainCore>(Services{fs, folders, info}, state, view);
    view.on_entry_change = [this] { Entry_TextChange(*core); };
    Type("a");  // builds the per-load forms
  }
  void Type(const std::string& text) { view.SetEntryText(text); }
  void Lookup(std::string_view mode, const std::string& text) {
    {
      SuppressEntryChangeScope quiet(*core);
      view.SetEntryText(text);
    }
    RunLookup(*core, mode, 0, "", false);
  }
};

Loaded& Data() {
  static Loaded loaded;
  return loaded;
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
void TimeEach(benchmark::State& st, const std::vector<std::string>& keys, F one) {
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
    benchmark::DoNotOptimize(Data().core->List.Rows.data());
    i = (i + 1) % keys.size();
  }
  std::sort(us.begin(), us.end());
  st.counters["median_us"] = us[us.size() / 2];
  st.counters["slowest_key_us"] = *std::max_element(best.begin(), best.end());
  st.counters["rows"] = static_cast<double>(Data().core->List.Count());
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

}  // namespace
}  // namespace zelvoran::bench
