// SPDX-License-Identifier: GPL-3.0-or-later
// Base forms, suggestions and the keystroke path with the step for words that are no
// headword, on the bundled data; and what the forms and the suggestion tables add to memory.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <vector>

#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "bench/bench_data.h"
#include "dictionary/forms_file.h"
#include "platform/linux/posix_file_system.h"
#include "search/word_forms.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"

namespace zelvoran::bench {
namespace {

// Resident memory of the process in bytes.
double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

struct Bundle {
  PosixFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  ProgramState state;
  testing::FakeMainView view;
  std::unique_ptr<MainCore> core;
  double growth = 0;  // bytes the forms file and the tables of both directions added

  explicit Bundle(const std::string& folder) {
    state.ProgramFolder = folder;
    fs.SetCurrentDirectory(folder);
    LoadDictionary(fs, state);
    state.CurrentSearchMode = SearchMode::kStart;
    core = std::make_unique<MainCore>(Services{fs, folders, info}, state, view);
    view.on_entry_change = [this] { Entry_TextChange(*core); };
    view.SetEntryText("a");
    view.SetEntryText(Utf8ToCp1253("α"));  // the lookup forms of both directions
    auto forms = state.Dict.Forms;
    state.Dict.Forms.reset();
    forms.reset();
    const double before = ResidentBytes();
    auto file = LoadFormsFile(fs, folder);  // the forms file again, as the load reads it
    if (file) state.Dict.Forms = std::make_shared<const FormsFile>(std::move(*file));
    const WordForms& wf = CurrentWordForms(*core);
    wf.Suggest("hous");
    wf.Suggest(Utf8ToCp1253("σπιτ"));
    growth = ResidentBytes() - before;
  }
};

Bundle* Bundled() {
  static const std::string folder = BundledProgramFolder();
  if (folder.empty()) return nullptr;
  static Bundle bundle(folder);
  return &bundle;
}

std::vector<std::string> Cp(std::initializer_list<const char*> words) {
  std::vector<std::string> out;
  for (const char* w : words) out.push_back(Utf8ToCp1253(w));
  return out;
}

template <typename F>
void TimeEach(benchmark::State& st, const std::vector<std::string>& keys, F one) {
  std::vector<double> us;
  size_t i = 0;
  for (auto _ : st) {
    const auto t0 = std::chrono::steady_clock::now();
    one(keys[i]);
    us.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    i = (i + 1) % keys.size();
  }
  std::sort(us.begin(), us.end());
  st.counters["median_us"] = us[us.size() / 2];
  st.counters["max_us"] = us.back();
}

void BM_BaseForms(benchmark::State& st) {
  Bundle* b = Bundled();
  if (!b) return st.SkipWithError("no bundled data");
  const WordForms& wf = CurrentWordForms(*b->core);
  const auto words = Cp({"σπιτιού",     "ανθρώπων",  "γράφεις",    "θάλασσες",      "houses",
                         "went",        "children",  "stopped",    "happier",       "xyzzy",
                         "καλημέρες",   "studies",   "ανέφερε",    "συνελήφθη",     "επισκέφθηκε",
                         "σοβαρότατες", "παρομοίως", "βεληνεκούς", "παρηκολούθησε", "νεότερη"});
  TimeEach(st, words, [&](const std::string& w) { benchmark::DoNotOptimize(wf.BaseForms(w)); });
}
BENCHMARK(BM_BaseForms)->Unit(benchmark::kMicrosecond);

void TimeSuggestions(benchmark::State& st, const std::vector<std::string>& words) {
  Bundle* b = Bundled();
  if (!b) return st.SkipWithError("no bundled data");
  const WordForms& wf = CurrentWordForms(*b->core);
  TimeEach(st, words, [&](const std::string& w) { benchmark::DoNotOptimize(wf.Suggest(w)); });
}

void BM_Suggestions(benchmark::State& st) {
  TimeSuggestions(
      st, Cp({"θαλλασα", "recieve", "σπιτη", "ανθροπος", "beleive", "goverment", "αυτοκινιτο",
              "neccessary", "ευχαρηστω", "tommorow", "πανεπιστιμιο", "accomodate"}));
}
BENCHMARK(BM_Suggestions)->Unit(benchmark::kMillisecond);

// Words in Latin letters: the English suggestions with the Greek headwords they spell.
void BM_SuggestionsWithGreeklish(benchmark::State& st) {
  TimeSuggestions(st, Cp({"kalimera",  "8alassa",   "eyxaristw",  "efharisto", "psomi",
                          "spiti",     "thalasses", "aytokinhto", "sxoleio",   "ypologistis",
                          "kalinyxta", "recieve",   "goverment",  "xwrio",     "nosokomeio",
                          "ta3idi",    "suggnwmh",  "leoforeio",  "zzzqx",     "efhmerida"}));
}
BENCHMARK(BM_SuggestionsWithGreeklish)->Unit(benchmark::kMillisecond);

// Every beginning of words typed one keystroke at a time, inflected and misspelt ones among
// them: the START lookup with the step that shows a base form or suggestions.
void BM_KeystrokeWithWordForms(benchmark::State& st) {
  Bundle* b = Bundled();
  if (!b) return st.SkipWithError("no bundled data");
  std::vector<std::string> keys;
  for (const std::string& w :
       Cp({"house", "houses", "water", "went", "people", "σπίτι", "σπιτιού", "νερό", "ανθρώπων",
           "θαλλασα", "καλός", "γράφεις", "recieve", "κόσμος", "σχολείο"})) {
    for (size_t n = 1; n <= w.size(); ++n) keys.push_back(w.substr(0, n));
  }
  TimeEach(st, keys, [&](const std::string& k) {
    b->view.entry_text.clear();  // so every keystroke is a change
    b->view.SetEntryText(k);
  });
  st.counters["memory_growth_mb"] = b->growth / (1024 * 1024);
}
BENCHMARK(BM_KeystrokeWithWordForms)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelvoran::bench
