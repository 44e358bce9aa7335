// SPDX-License-Identifier: GPL-3.0-or-later
// The abbreviation table of the compiled data ("ZelvoranSrt.tbo"): parts of speech, usage
// marks and subject fields, with the source labels (glosses of the Greek-English source, notes
// of the English-Greek one) that map to each.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/dictc/data_writer.h"

namespace zelvoran::dictc {

struct AbbreviationDef {
  const char* Abbreviation;  // UTF-8
  bool IsSubjectField;
  const char* Meaning;              // UTF-8
  std::vector<const char*> Labels;  // UTF-8 source labels that map to this row
};

const std::vector<AbbreviationDef>& AbbreviationDefs();

// The rows of the table, Windows-1253.
std::vector<AbbreviationRow> AbbreviationRows();

// The row (0-based, into AbbreviationDefs) a Windows-1253 label names: compared after
// folding case and accents, with surrounding parentheses and a leading "στο/στη/στον/το/η/ο"
// ignored. nullopt when the label names no row.
std::optional<size_t> RowOfLabel(std::string_view label);

// The abbreviation (Windows-1253) of a part-of-speech tag of the sources ("n", "adj", "v",
// "pn", "adv", "suffix"); empty for an unknown tag.
std::string PartOfSpeechAbbreviation(std::string_view tag);

}  // namespace zelvoran::dictc
