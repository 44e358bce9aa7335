// SPDX-License-Identifier: GPL-3.0-or-later
// Fixture dictionaries written from readable text (UTF-8 in the tests) through the data
// compiler's writer.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tools/dictc/data_writer.h"

namespace zelvoran::testing {

// A source entry from UTF-8 text; fields are abbreviations.
dictc::SourceEntry Entry(const std::string& headword_utf8, const std::string& explanation_utf8,
                         std::vector<std::string> fields_utf8 = {});

// A small data set: a handful of English and Greek entries and a few abbreviations.
dictc::DataSet SmallDataSet();

// Encodes `data` and writes the data files (and the profile file when needed) into
// `program_folder` + "data\". Fails the current test on an encoding error.
void WriteData(FileSystem& fs, const std::string& program_folder, const dictc::DataSet& data);

}  // namespace zelvoran::testing
