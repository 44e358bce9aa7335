// SPDX-License-Identifier: GPL-3.0-or-later
// The loaders on arbitrary data files: the index, the abbreviations, the links and the
// user's index lines. Nothing may crash, and the tables keep their sizes.
#include "app/program_state.h"
#include "app/startup.h"
#include "dictionary/field_codec.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/fake_file_system.h"

namespace {

using zelvoran::testing::FakeFileSystem;

// Splits the input into up to four files at 0xFF bytes (a byte no data file needs).
std::vector<std::string_view> Parts(std::string_view data) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (parts.size() < 3) {
    const size_t cut = data.find('\xFF', start);
    if (cut == std::string_view::npos) break;
    parts.push_back(data.substr(start, cut - start));
    start = cut + 1;
  }
  parts.push_back(data.substr(start));
  parts.resize(4);
  return parts;
}

}  // namespace

ZELVORAN_FUZZ_TARGET(data_files) {
  const auto parts = Parts(data);
  FakeFileSystem fs;
  fs.Put("C:\\Dict\\data\\ZelvoranI.tbo", parts[0]);
  fs.Put("C:\\Dict\\data\\ZelvoranSrt.tbo", parts[1]);
  fs.Put("C:\\Dict\\data\\ZelvoranEC.tbo", parts[2]);
  zelvoran::ProgramState state;
  state.ProgramFolder = "C:\\Dict\\";
  state.Dict.Profile.counts.english_headwords = 3;  // both sections get lines
  LoadAbbreviations(fs, state.ProgramFolder, state.Dict);
  zelvoran::ReloadHeadwordIndexes(fs, state);
  LoadCategoryLinks(fs, state.ProgramFolder, state.Dict);
  zelvoran::fuzz::CheckTables(state);
}
