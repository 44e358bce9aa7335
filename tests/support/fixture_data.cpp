// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fixture_data.h"

#include <gtest/gtest.h>

#include "dictionary/data_profile.h"
#include "text/cp1253.h"

namespace zelvoran::testing {

dictc::SourceEntry Entry(const std::string& headword, const std::string& explanation,
                         std::vector<std::string> fields) {
  dictc::SourceEntry e;
  e.Headword = Utf8ToCp1253(headword);
  e.Explanation = Utf8ToCp1253(explanation);
  for (const std::string& f : fields) e.Fields.push_back(Utf8ToCp1253(f));
  return e;
}

dictc::DataSet SmallDataSet() {
  dictc::DataSet d;
  d.Abbreviations = {
      {Utf8ToCp1253("ουσ."), false, Utf8ToCp1253("ουσιαστικό")},
      {Utf8ToCp1253("ιατρ."), true, Utf8ToCp1253("ιατρική")},
      {Utf8ToCp1253("βοτ."), true, Utf8ToCp1253("βοτανική")},
      {Utf8ToCp1253("ζωολ."), true, Utf8ToCp1253("ζωολογία")},
  };
  d.English = {
      Entry("apple", "μήλο", {"βοτ."}),
      Entry("apple tree", "μηλιά", {"βοτ."}),
      Entry("cat", "γάτα", {"ζωολ."}),
      Entry("catalogue", "κατάλογος"),
      Entry("doctor", "γιατρός", {"ιατρ.", "ζωολ."}),
      Entry("dog", "σκύλος", {"ζωολ."}),
  };
  d.Greek = {
      Entry("άρθρο", "article"),
      Entry("γάτα", "cat", {"ζωολ."}),
      Entry("γιατρός", "doctor, physician", {"ιατρ.", "βοτ."}),
      Entry("μήλο", "apple", {"βοτ."}),
      Entry("σοφός", "wise"),
  };
  return d;
}

void WriteData(FileSystem& fs, const std::string& program_folder, const dictc::DataSet& data) {
  const dictc::WriteResult r = dictc::EncodeDataSet(data);
  ASSERT_TRUE(r.files.has_value()) << r.error;
  const std::string dir = program_folder + "data" + fs.Separator();
  fs.CreateDirectories(program_folder + "data");
  ASSERT_TRUE(fs.WriteFile(dir + "ZelvoranI.tbo", r.files->Index));
  ASSERT_TRUE(fs.WriteFile(dir + "ZelvoranDat.tbo", r.files->Texts));
  ASSERT_TRUE(fs.WriteFile(dir + "ZelvoranSrt.tbo", r.files->Abbreviations));
  ASSERT_TRUE(fs.WriteFile(dir + "ZelvoranEC.tbo", r.files->Links));
  if (!r.files->Pronunciations.empty()) {
    ASSERT_TRUE(fs.WriteFile(dir + "ZelvoranPron.txt", r.files->Pronunciations));
  }
  if (r.files->NeedsProfileFile) {
    ASSERT_TRUE(fs.WriteFile(dir + std::string(kProfileFileName), FormatProfile(r.files->Profile)));
  }
}

}  // namespace zelvoran::testing
