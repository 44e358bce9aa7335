// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a data folder for looking at the window without the bundled data:
//   zelvoran-fixture-data FOLDER [small|desktop|synthetic]
// "small" is the tests' handful of entries; "desktop" the same with explanations of several
// lines, a pronunciation, and a few words with their forms (for the end-to-end tests' copying
// and whole words); "synthetic" the full-size synthetic dictionary.
#include <cstdio>
#include <string>

#include "dictionary/forms_file.h"
#include "dictionary/greek_inflection.h"
#include "tests/support/fixture_data.h"
#include "text/cp1253.h"
#include "tools/dictc/data_writer.h"
#include "tools/dictc/synthetic.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s FOLDER [small|desktop|synthetic]\n", argv[0]);
    return 2;
  }
  const std::string kind = argc == 3 ? argv[2] : "small";
  if (kind != "small" && kind != "desktop" && kind != "synthetic") {
    std::fprintf(stderr, "unknown data set: %s\n", kind.c_str());
    return 2;
  }
  zelvoran::dictc::DataSet data = kind == "synthetic" ? zelvoran::dictc::MakeSyntheticDataSet()
                                                      : zelvoran::testing::SmallDataSet();
  zelvoran::FormsSectionSource english_forms, greek_forms;
  if (kind == "desktop") {
    using zelvoran::testing::Entry;
    data.English.push_back(Entry("house", "I. σπίτι\r\nII. κατοικία"));
    data.English.back().Pronunciation = "/hˈaʊs/";
    data.English.push_back(Entry("sea", "θάλασσα\r\nπέλαγος\r\nπόντος"));
    // In the order of their keys, as the index holds them: after γιατρός, and after σοφός.
    auto after = [&](const char* headword) {
      const std::string h = zelvoran::Utf8ToCp1253(headword);
      auto it = data.Greek.begin();
      while (it != data.Greek.end() && it->Headword != h) ++it;
      return it == data.Greek.end() ? it : it + 1;
    };
    data.Greek.insert(after("γιατρός"),
                      {Entry("γυναίκα", "woman"), Entry("γυναικωνίτης", "women's quarters")});
    data.Greek.insert(after("σοφός"), Entry("σπίτι", "house, home"));
    english_forms.entries.push_back({"houses", {"house"}});
    for (const char* h : {"γυναίκα", "σπίτι"}) {
      const std::string headword = zelvoran::Utf8ToCp1253(h);
      for (const std::string& f :
           zelvoran::GreekInflectedForms(headword, zelvoran::GreekPartOfSpeech::kNoun)) {
        greek_forms.entries.push_back({f, {headword}});
      }
    }
  }
  const zelvoran::dictc::WriteResult r = zelvoran::dictc::EncodeDataSet(data);
  if (!r.files) {
    std::fprintf(stderr, "%s\n", r.error.c_str());
    return 1;
  }
  const std::string error = zelvoran::dictc::WriteDataFolder(argv[1], *r.files);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!greek_forms.entries.empty()) {
    const std::string forms = zelvoran::EncodeFormsFile(english_forms, greek_forms);
    const std::string path = std::string(argv[1]) + "/ZelvoranForms.dat";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(forms.data(), 1, forms.size(), f) != forms.size() || std::fclose(f)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
