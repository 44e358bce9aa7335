// SPDX-License-Identifier: GPL-3.0-or-later
// Base forms and suggestions of arbitrary text, typed or pasted into the entry box, over a
// small dictionary with a forms file: every answer names a loaded record, at most ten
// suggestions, and the list stays parallel to its slots.
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "dictionary/forms_file.h"
#include "search/word_forms.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"
#include "tools/dictc/data_writer.h"

namespace {

using namespace zelvoran;

dictc::SourceEntry Entry(const char* headword, const char* explanation) {
  dictc::SourceEntry e;
  e.Headword = Utf8ToCp1253(headword);
  e.Explanation = Utf8ToCp1253(explanation);
  return e;
}

const testing::FakeFileSystem& Files() {
  static const testing::FakeFileSystem fs = [] {
    dictc::DataSet d;
    d.English = {Entry("cat", "γάτα"), Entry("go", "πάω"), Entry("house", "σπίτι"),
                 Entry("receive", "λαμβάνω"), Entry("stop", "σταματώ")};
    d.Greek = {Entry("άνθρωπος", "man"), Entry("γράφω", "write"), Entry("θάλασσα", "sea"),
               Entry("σπίτι", "house")};
    testing::FakeFileSystem files;
    const dictc::WriteResult r = dictc::EncodeDataSet(d);
    if (!r.files) fuzz::Fail(r.error.c_str(), __FILE__, __LINE__);
    files.Put("C:\\Dict\\data\\ZelvoranI.tbo", r.files->Index);
    files.Put("C:\\Dict\\data\\ZelvoranDat.tbo", r.files->Texts);
    files.Put("C:\\Dict\\data\\ZelvoranSrt.tbo", r.files->Abbreviations);
    files.Put("C:\\Dict\\data\\ZelvoranEC.tbo", r.files->Links);
    files.Put("C:\\Dict\\data\\ZelvoranProfile.txt", FormatProfile(r.files->Profile));
    FormsSectionSource english{{{"went", {"go"}}, {"houses", {"house"}}}};
    FormsSectionSource greek{{{Utf8ToCp1253("σπιτιού"), {Utf8ToCp1253("σπίτι")}},
                              {Utf8ToCp1253("ανθρώπου"), {Utf8ToCp1253("άνθρωπος")}}}};
    files.Put("C:\\Dict\\data\\ZelvoranForms.dat", EncodeFormsFile(english, greek));
    return files;
  }();
  return fs;
}

}  // namespace

ZELVORAN_FUZZ_TARGET(suggestions) {
  testing::FakeFileSystem fs = Files();
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  testing::FakeMainView view;
  ProgramState state;
  state.ProgramFolder = "C:\\Dict\\";
  LoadDictionary(fs, state);
  state.CurrentSearchMode = SearchMode::kStart;
  MainCore core(Services{fs, folders, info}, state, view);
  view.on_entry_change = [&] { Entry_TextChange(core); };

  fuzz::FuzzInput in(data);
  const bool typed = (in.Byte() & 1) != 0;
  const std::string text(in.Rest());
  const WordForms& forms = CurrentWordForms(core);
  for (const BaseForm& b : forms.BaseForms(text)) {
    FUZZ_CHECK(b.slot >= 1 && b.slot <= state.Dict.Index(b.greek).Count());
  }
  const auto suggestions = forms.Suggest(text);
  FUZZ_CHECK(suggestions.size() <= kMaxSuggestions);
  for (const Suggestion& s : suggestions) {
    FUZZ_CHECK(s.slot >= 1 && s.slot <= state.Dict.Index(s.greek).Count());
  }
  if (typed) {
    for (size_t n = 1; n <= text.size() && n <= 80; ++n) view.SetEntryText(text.substr(0, n));
  } else {
    view.SetEntryText(text);
  }
  FUZZ_CHECK(core.List.Items.size() == core.List.Items.size());
  FUZZ_CHECK(core.List.Selected >= -1 && core.List.Selected < core.List.Count());
  FUZZ_CHECK(view.busy_depth == 0);
}
