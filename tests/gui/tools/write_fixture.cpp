// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a data folder for looking at the window without the bundled data:
//   zelvoran-fixture-data FOLDER [small|desktop|synthetic]
// "small" is the tests' handful of entries, "desktop" the same with an explanation of several
// lines (for the end-to-end tests' copying); "synthetic" the full-size synthetic dictionary.
#include <cstdio>
#include <string>

#include "tests/support/fixture_data.h"
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
  if (kind == "desktop") {
    data.English.push_back(zelvoran::testing::Entry("sea", "θάλασσα\r\nπέλαγος\r\nπόντος"));
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
  return 0;
}
