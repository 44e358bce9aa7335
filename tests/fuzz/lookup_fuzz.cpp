// SPDX-License-Identifier: GPL-3.0-or-later
// Lookups of arbitrary typed or pasted text in every mode, over a small dictionary whose
// letter-start table comes from the input (as a profile that contradicts the files would
// give). Every row must name a loaded record of its direction, and showing it must work.
#include "app/entry_presenter.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"
#include "tools/dictc/data_writer.h"

namespace {

using namespace zelvoran;

dictc::SourceEntry Entry(const char* headword, const char* explanation, const char* field = "") {
  dictc::SourceEntry e;
  e.Headword = Utf8ToCp1253(headword);
  e.Explanation = Utf8ToCp1253(explanation);
  if (*field) e.Fields.push_back(Utf8ToCp1253(field));
  return e;
}

// The program folder with a few entries of each language, written once.
const testing::FakeFileSystem& Files() {
  static const testing::FakeFileSystem fs = [] {
    dictc::DataSet d;
    d.Abbreviations = {{Utf8ToCp1253("ζωολ."), true, Utf8ToCp1253("ζωολογία")},
                       {Utf8ToCp1253("ιατρ."), true, Utf8ToCp1253("ιατρική")}};
    d.English = {Entry("abc", "αβγ"), Entry("cat", "γάτα", "ζωολ."), Entry("dog", "σκύλος"),
                 Entry("mail@home", "ταχυδρομείο"), Entry("New York", "Νέα Υόρκη")};
    d.Greek = {Entry("άρθρο", "article"), Entry("γάτα", "cat", "ζωολ."),
               Entry("γιατρός", "doctor", "ιατρ."), Entry("ΘΕΟΣ", "GOD")};
    d.English[1].Fields.push_back(Utf8ToCp1253("ιατρ."));
    testing::FakeFileSystem files;
    const dictc::WriteResult r = dictc::EncodeDataSet(d);
    if (!r.files) fuzz::Fail(r.error.c_str(), __FILE__, __LINE__);
    files.Put("C:\\Dict\\data\\ZelvoranI.tbo", r.files->Index);
    files.Put("C:\\Dict\\data\\ZelvoranDat.tbo", r.files->Texts);
    files.Put("C:\\Dict\\data\\ZelvoranSrt.tbo", r.files->Abbreviations);
    files.Put("C:\\Dict\\data\\ZelvoranEC.tbo", r.files->Links);
    files.Put("C:\\Dict\\data\\ZelvoranProfile.txt", FormatProfile(r.files->Profile));
    return files;
  }();
  return fs;
}

}  // namespace

ZELVORAN_FUZZ_TARGET(lookup) {
  testing::FakeFileSystem fs = Files();
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  testing::FakeMainView view;
  ProgramState state;
  state.ProgramFolder = "C:\\Dict\\";
  LoadDictionary(fs, state);
  FUZZ_CHECK(state.DataProblem.empty());

  fuzz::FuzzInput in(data);
  for (auto& s : state.Dict.Profile.letters.english) s = static_cast<uint16_t>(in.Number(6));
  for (auto& s : state.Dict.Profile.letters.greek) s = static_cast<uint16_t>(in.Number(5));
  state.Dict.Profile.counts.english_links = static_cast<int>(in.Number(3));
  state.Dict.Profile.counts.greek_links = static_cast<int>(in.Number(3));
  static const char* const kModes[] = {"START", "CONTAIN", "END", "SPECIFIC", "MULTI", "SHORTCUT"};
  const char* mode = kModes[in.Byte() % 6];
  const auto slot = static_cast<int32_t>(in.Number(6));
  const std::string category(in.Take(in.Byte() % 8));
  state.Criteria.SearchStartText = std::string(in.Take(in.Byte() % 4));
  state.Criteria.SearchContainText = std::string(in.Take(in.Byte() % 4));
  state.Criteria.SearchEndText = std::string(in.Take(in.Byte() % 4));
  const bool typed = (in.Byte() & 1) != 0;

  MainCore core(Services{fs, folders, info}, state, view);
  view.on_entry_change = [&] { Entry_TextChange(core); };
  if (typed) {
    view.SetEntryText(in.Rest());  // through the change handler, as typing or pasting does
  } else {
    view.entry_text = std::string(in.Rest());
    RunLookup(core, *ParseSearchMode(mode), slot, category, false);
  }
  FUZZ_CHECK(core.List.Items.size() == core.List.Items.size());
  FUZZ_CHECK(core.List.Selected >= -1 && core.List.Selected < core.List.Count());
  for (int row = 0; row < core.List.Count(); ++row) {
    const bool greek = IsGreekText(core.List.Items[static_cast<size_t>(row)].text);
    const int32_t s = core.List.Items[static_cast<size_t>(row)].ref.slot;
    FUZZ_CHECK(s >= 1 && s <= state.Dict.Index(greek).Count());
    core.List.Selected = row;
    Entries_ListClick(core);
  }
  FUZZ_CHECK(view.busy_depth == 0);
}
