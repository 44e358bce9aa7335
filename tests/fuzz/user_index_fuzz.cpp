// SPDX-License-Identifier: GPL-3.0-or-later
// The merge of arbitrary user's index lines into a small dictionary.
#include "app/program_state.h"
#include "app/startup.h"
#include "dictionary/field_codec.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/fake_file_system.h"
#include "tools/encoders/field_encoders.h"

namespace {

using zelvoran::testing::FakeFileSystem;

}  // namespace

ZELVORAN_FUZZ_TARGET(user_index) {
  // A valid two-line dictionary with arbitrary user's index lines, raw and shift-encoded.
  FakeFileSystem fs;
  std::string index;
  index += zelvoran::MirrorEncode(1, "1#a#a##1#1") + "\r\n";
  fs.Put("C:\\Dict\\data\\ZelvoranI.tbo", index);
  fs.Put("C:\\User\\ZelvoranIC.tbo", data);
  fs.Put("C:\\User\\ZelvoranHIC.tbo",
         zelvoran::ShiftCodec(data, zelvoran::ShiftDirection::kEncode));
  zelvoran::ProgramState state;
  state.ProgramFolder = "C:\\Dict\\";
  state.Paths = zelvoran::CustomPaths::In("C:\\User\\");
  state.Dict.Profile.counts.english_headwords = 1;
  zelvoran::ReloadHeadwordIndexes(fs, state);
  zelvoran::fuzz::CheckTables(state);
  const auto line = zelvoran::ParseUserIndexLine(data);
  if (line) FUZZ_CHECK(line->PositionAndLength.size() == 13);
}
