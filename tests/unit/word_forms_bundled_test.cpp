// SPDX-License-Identifier: GPL-3.0-or-later
// Base forms and suggestions on the bundled dictionary (built into the program folder by the
// set-up): the coverage of the lists in tests/data, printed with the misses, and exactness on
// the whole index.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "dictionary/field_codec.h"
#include "dictionary/forms_file.h"
#include "platform/linux/posix_file_system.h"
#include "platform/native/native_file_system.h"
#include "search/word_forms.h"
#include "search/word_forms_step.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"

namespace zelvoran::testing {
namespace {

const std::string kProgram = std::string(ZELVORAN_PROGRAM_DIR) + "/";
const std::string kData = std::string(ZELVORAN_SOURCE_DIR) + "/tests/data/";

// Tab-separated lines of a list (UTF-8, "#" comments), as Windows-1253 fields.
std::vector<std::vector<std::string>> ReadList(const std::string& path) {
  std::vector<std::vector<std::string>> out;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream s(line);
    std::string f;
    while (std::getline(s, f, '\t')) fields.push_back(Utf8ToCp1253(f));
    if (fields.size() >= 2) out.push_back(std::move(fields));
  }
  return out;
}

class BundledWordForms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(std::filesystem::exists(kProgram + "data/ZelvoranForms.dat"))
        << "no bundled data with a forms file in " << kProgram
        << "data (the set-up builds it: zelvoran-dictc build build/program/data)";
  }
  BundledWordForms() : core(Services{fs, folders, info}, state, view) {
    state.ProgramFolder = kProgram;
    LoadDictionary(fs, state);
    state.CurrentSearchMode = SearchMode::kStart;
    view.on_entry_change = [this] { Entry_TextChange(core); };
  }
  const WordForms& Forms() { return CurrentWordForms(core); }

  // Share of the list's lines whose second field is among the first three answers; lines
  // whose intended word is no headword are counted apart.
  template <class Answer>
  double Coverage(const char* what, const std::vector<std::vector<std::string>>& list,
                  Answer answer) {
    int hits = 0, counted = 0, absent = 0;
    std::string misses;
    for (const auto& fields : list) {
      if (!Forms().IsHeadword(fields[1])) {
        ++absent;
        continue;
      }
      ++counted;
      const std::vector<std::string> got = answer(fields[0]);
      bool hit = false;
      for (size_t i = 0; i < got.size() && i < 3; ++i) {
        hit = hit || CharLowerA(got[i]) == CharLowerA(fields[1]);
      }
      if (hit) {
        ++hits;
        continue;
      }
      misses += "  " + Cp1253ToUtf8(fields[0]) + " -> " + Cp1253ToUtf8(fields[1]) + " (got";
      for (size_t i = 0; i < got.size() && i < 3; ++i) misses += " " + Cp1253ToUtf8(got[i]);
      misses += ")\n";
    }
    const double share = counted ? static_cast<double>(hits) / counted : 0;
    std::printf("%s: %d of %d (%.1f%%) among the first three; %d left out (no headword)\n%s", what,
                hits, counted, 100 * share, absent, misses.c_str());
    return share;
  }
  std::vector<std::string> BaseFormsOf(const std::string& word) {
    std::vector<std::string> out;
    for (const BaseForm& b : Forms().BaseForms(word)) out.push_back(b.headword);
    return out;
  }
  std::vector<std::string> SuggestionsFor(const std::string& word) {
    std::vector<std::string> out;
    for (const Suggestion& s : Forms().Suggest(word)) out.push_back(s.headword);
    return out;
  }

  NativeFileSystem fs;
  FakeSystemFolders folders;
  FakeSystemInfo info;
  ProgramState state;
  FakeMainView view;
  MainCore core;
};

TEST_F(BundledWordForms, InflectedFormsLeadToTheirHeadwords) {
  const auto english = ReadList(kData + "english_forms.tsv");
  ASSERT_GT(english.size(), 200u);
  EXPECT_GE(
      Coverage("English forms", english, [&](const std::string& w) { return BaseFormsOf(w); }),
      0.95);
  const std::string greek_list = kData + "greek_forms.tsv";
  if (!std::filesystem::exists(greek_list)) {
    std::printf("Greek forms: %s not present\n", greek_list.c_str());
    return;
  }
  const auto greek = ReadList(greek_list);
  EXPECT_GE(Coverage("Greek forms", greek, [&](const std::string& w) { return BaseFormsOf(w); }),
            0.95);
}

// The learned forms: compound verbs' pasts, comparison and adverbs, learned nouns.
TEST_F(BundledWordForms, LearnedFormsLeadToTheirHeadwords) {
  for (const char* name :
       {"greek_compound_verbs.tsv", "greek_comparison.tsv", "greek_learned_nouns.tsv"}) {
    const auto list = ReadList(kData + name);
    ASSERT_GT(list.size(), 60u) << name;
    EXPECT_GE(Coverage(name, list, [&](const std::string& w) { return BaseFormsOf(w); }), 0.95);
  }
}

// Greek typed in Latin letters leads to the Greek headwords among the suggestions.
TEST_F(BundledWordForms, GreeklishWordsLeadToTheGreekHeadwords) {
  const auto list = ReadList(kData + "greeklish.tsv");
  ASSERT_GT(list.size(), 100u);
  EXPECT_GE(Coverage("Greeklish", list, [&](const std::string& w) { return SuggestionsFor(w); }),
            0.95);
}

TEST_F(BundledWordForms, MisspellingsLeadToTheWordsMeant) {
  const auto list = ReadList(kData + "misspellings.tsv");
  ASSERT_GT(list.size(), 200u);
  EXPECT_GE(Coverage("Misspellings", list, [&](const std::string& w) { return SuggestionsFor(w); }),
            0.90);
}

// Every form of the forms file leads back to the headwords that make it: no unrelated word is
// put first.
TEST_F(BundledWordForms, GeneratedFormsLeadBackToTheirHeadwords) {
  ASSERT_TRUE(state.Dict.Forms);
  for (bool greek : {true, false}) {
    int64_t checked = 0, failures = 0;
    state.Dict.Forms->ForEach(greek, [&](std::string_view form, const std::vector<uint32_t>& b) {
      std::vector<std::string> heads;
      for (uint32_t n : b) {
        const std::string base(state.Dict.Forms->Base(greek, n));
        if (Forms().IsHeadword(base)) heads.push_back(base);
      }
      if (heads.empty()) return true;  // an English form whose base is no headword
      ++checked;
      const std::vector<std::string> got = BaseFormsOf(std::string(form));
      // No base is right only where the lookup itself finds the headword (the form differs
      // from it in accents alone); otherwise the first base is one of the words that make it.
      const bool related = got.empty()
                               ? greek && GreekKey(form) == GreekKey(heads.front())
                               : std::any_of(heads.begin(), heads.end(), [&](const std::string& h) {
                                   return CharLowerA(h) == CharLowerA(got.front());
                                 });
      if (!related) {
        if (++failures <= 20) {
          std::printf("%s: first base %s, expected %s\n", Cp1253ToUtf8(form).c_str(),
                      got.empty() ? "(none)" : Cp1253ToUtf8(got.front()).c_str(),
                      Cp1253ToUtf8(heads.front()).c_str());
        }
      }
      return true;
    });
    std::printf("%s forms checked: %lld, failures %lld\n", greek ? "Greek" : "English",
                static_cast<long long>(checked), static_cast<long long>(failures));
    // A few homographs of two headwords (απατά of απατώ and of άπατος) may still lead to the
    // other one first; they stay below one in ten thousand forms.
    EXPECT_LE(failures, checked / 10000);
  }
}

// No headword is ever redirected: pasted whole, each shows its own entry.
TEST_F(BundledWordForms, EveryHeadwordShowsItsOwnEntry) {
  int64_t redirected = 0;
  for (bool greek : {false, true}) {
    const HeadwordIndex& index = state.Dict.Index(greek);
    for (int32_t slot = 1; slot <= index.Count(); ++slot) {
      const std::string& h = index.Slot(slot).Headword;
      ASSERT_TRUE(Forms().IsHeadword(h)) << Cp1253ToUtf8(h);
      if (slot % 7 != 0) continue;  // the window's road for a seventh of them
      view.SetEntryText("");
      view.SetEntryText(h);
      const bool suggestions = view.description.starts_with(kSuggestionsHeading);
      if (view.label.find(" -> ") != std::string::npos || suggestions) {
        if (++redirected <= 20) ADD_FAILURE() << Cp1253ToUtf8(h) << " shows " << view.label;
      }
    }
  }
  EXPECT_EQ(redirected, 0);
}

// Bad input gets an answer or none: a 1 MB paste, binary junk, a 10,000-letter word.
TEST_F(BundledWordForms, HugeAndBinaryTextIsAnsweredAtOnce) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919) & 0xFF));
  const std::string inputs[] = {std::string(1 << 20, 'a'), std::string(10000, '\xe1'), junk,
                                std::string(1 << 20, ' ') + "houses"};
  for (const std::string& text : inputs) {
    Forms().BaseForms(text);
    Forms().Suggest(text);
    view.SetEntryText("");
    view.SetEntryText(text);
    EXPECT_EQ(core.List.Items.size(), core.List.Items.size());
  }
}

}  // namespace
}  // namespace zelvoran::testing
