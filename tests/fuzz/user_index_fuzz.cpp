// The merge of arbitrary user's index lines into a small dictionary.
#include "app/program_state.h"
#include "app/startup.h"
#include "dictionary/field_codec.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/fake_file_system.h"
#include "tools/encoders/field_encoders.h"

namespace {

using zelvoran::testing::FakeFileSystem;

void CheckTables(const zelvoran::ProgramState& s) {
  const zelvoran::Dictionary& d = s.Dict;
  FUZZ_CHECK(d.EnglishIndex.Count() <= zelvoran::kMaxIndexRecords);
  FUZZ_CHECK(d.GreekIndex.Count() <= zelvoran::kMaxIndexRecords);
  FUZZ_CHECK(d.AbbreviationTable.empty() ||
             d.AbbreviationTable.size() == static_cast<size_t>(zelvoran::kAbbreviationRows));
  FUZZ_CHECK(d.EnglishCategoryLinks.size() <= static_cast<size_t>(zelvoran::kEnglishLinkSlots));
  FUZZ_CHECK(d.GreekCategoryLinks.size() <= static_cast<size_t>(zelvoran::kGreekLinkSlots));
  for (int i = 1; i <= d.EnglishIndex.Count(); ++i) {
    const auto& r = d.EnglishIndex.Slot(i);
    FUZZ_CHECK(r.Headword.size() <= 57 && r.SearchKey.size() <= 42 && r.Category.size() <= 15);
    FUZZ_CHECK(r.Origin == 'L' || r.Origin == 'C' || r.Origin == 'A');
    if (r.Origin == 'A') {
      FUZZ_CHECK(r.AdditionSlot >= 0 &&
                 static_cast<size_t>(r.AdditionSlot) < d.AdditionList.size());
    }
  }
}

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
  CheckTables(state);
  const auto line = zelvoran::ParseUserIndexLine(data);
  if (line) FUZZ_CHECK(line->PositionAndLength.size() == 13);
}
