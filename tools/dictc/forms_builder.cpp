// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/forms_builder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "dictionary/field_codec.h"
#include "dictionary/forms_file.h"
#include "dictionary/greek_inflection.h"
#include "text/cp1253.h"

namespace zelvoran::dictc {
namespace {

// The source tag behind a part-of-speech abbreviation of the articles.
GreekPartOfSpeech PartOfSpeechOf(const std::string& abbreviation) {
  static const std::map<std::string, GreekPartOfSpeech> tags = {
      {Utf8ToCp1253("ουσ."), GreekPartOfSpeech::kNoun},
      {Utf8ToCp1253("επίθ."), GreekPartOfSpeech::kAdjective},
      {Utf8ToCp1253("ρ."), GreekPartOfSpeech::kVerb},
      {Utf8ToCp1253("κύρ.όν."), GreekPartOfSpeech::kProperNoun},
      {Utf8ToCp1253("επίρρ."), GreekPartOfSpeech::kAdverb}};
  const auto it = tags.find(abbreviation);
  return it == tags.end() ? GreekPartOfSpeech::kUnknown : it->second;
}

size_t SharedFolded(const std::string& a, const std::string& b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() &&
         FoldFormChar(static_cast<unsigned char>(a[n])) ==
             FoldFormChar(static_cast<unsigned char>(b[n]))) {
    ++n;
  }
  return n;
}

// The English section: every line of the exception lists, bases as WordNet writes them
// ("_" between words) turned to blanks.
void ReadWordNet(const std::string& dir, FormsSectionSource& out, bool& found) {
  found = false;
  for (const char* name : {"noun.exc", "verb.exc", "adj.exc", "adv.exc"}) {
    std::ifstream in(std::filesystem::path(dir) / name, std::ios::binary);
    if (!in) continue;
    found = true;
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      FormsSectionSource::Entry e;
      if (!(words >> e.form) || e.form.find('_') != std::string::npos) continue;
      std::string base;
      while (words >> base) {
        std::replace(base.begin(), base.end(), '_', ' ');
        if (base != e.form) e.bases.push_back(base);
      }
      if (!e.bases.empty()) out.entries.push_back(std::move(e));
    }
  }
}

}  // namespace

FormsBuildReport BuildForms(const SourceArticles& sources, const DataSet& data,
                            const std::string& wordnet_dir) {
  FormsBuildReport report;
  // Parts of speech by headword: the Greek source's own, else the English articles'.
  std::unordered_map<std::string, std::set<GreekPartOfSpeech>> own, reversed;
  for (const Article& a : sources.GreekEnglish) {
    for (const std::string& h : a.Headwords) own[h].insert(PartOfSpeechOf(a.PartOfSpeech));
  }
  for (const Article& a : sources.EnglishGreek) {
    const GreekPartOfSpeech pos = PartOfSpeechOf(a.PartOfSpeech);
    for (const Sense& s : a.Senses) {
      for (const std::string& t : s.Translations) reversed[WithoutNotes(t)].insert(pos);
    }
  }
  struct Generated {
    std::string form;
    uint32_t base;  // index into data.Greek
    size_t shared;
    bool from_source;
  };
  std::vector<Generated> generated;
  std::unordered_set<std::string> seen;
  for (size_t i = 0; i < data.Greek.size(); ++i) {
    const std::string& h = data.Greek[i].Headword;
    const auto o = own.find(h);
    const bool from_source = o != own.end();
    std::set<GreekPartOfSpeech> parts = from_source ? o->second : std::set<GreekPartOfSpeech>{};
    if (!from_source) {
      const auto r = reversed.find(h);
      if (r != reversed.end()) parts = r->second;
    }
    if (parts.empty()) parts.insert(GreekPartOfSpeech::kUnknown);
    seen.clear();
    for (GreekPartOfSpeech pos : parts) {
      for (std::string& f : GreekInflectedForms(h, pos)) {
        if (f == h || !seen.insert(f).second) continue;
        generated.push_back({f, static_cast<uint32_t>(i), SharedFolded(f, h), from_source});
      }
    }
    if (!seen.empty()) ++report.GreekHeadwordsWithForms;
  }
  // Bases of one form, best first: the headword sharing the longest beginning with the form,
  // then one the Greek source describes, then the shorter.
  std::sort(generated.begin(), generated.end(), [&](const Generated& a, const Generated& b) {
    if (a.form != b.form) return a.form < b.form;
    if (a.shared != b.shared) return a.shared > b.shared;
    if (a.from_source != b.from_source) return a.from_source;
    const std::string& ha = data.Greek[a.base].Headword;
    const std::string& hb = data.Greek[b.base].Headword;
    return ha.size() != hb.size() ? ha.size() < hb.size() : ha < hb;
  });
  FormsSectionSource greek;
  for (const Generated& g : generated) {
    if (greek.entries.empty() || greek.entries.back().form != g.form) {
      greek.entries.push_back({g.form, {}});
    }
    greek.entries.back().bases.push_back(data.Greek[g.base].Headword);
  }
  report.GreekForms = static_cast<int64_t>(greek.entries.size());

  FormsSectionSource english;
  ReadWordNet(wordnet_dir, english, report.WordNetFound);
  std::unordered_set<std::string> english_heads;
  for (const SourceEntry& e : data.English) english_heads.insert(AsciiLower(e.Headword));
  for (const auto& e : english.entries) {
    ++report.EnglishForms;
    for (const std::string& b : e.bases) {
      if (english_heads.count(b)) {
        ++report.EnglishFormsOnHeadwords;
        break;
      }
    }
  }
  report.bytes = EncodeFormsFile(english, greek);
  return report;
}

std::string WordNetSourcesText() {
  return "\n"
         "Forms file (ZelvoranForms.dat): the inflected forms of the Greek headwords are\n"
         "generated by zelvoran-dictc from each headword's ending and part of speech. The\n"
         "irregular English forms come from the exception lists of WordNet 3.0 (Debian package\n"
         "wordnet-base):\n"
         "  WordNet 3.0 Copyright 2006 by Princeton University. All rights reserved.\n"
         "  Permission to use, copy, modify and distribute this software and database and its\n"
         "  documentation for any purpose and without fee or royalty is hereby granted,\n"
         "  provided that you agree to comply with the following copyright notice and\n"
         "  statements, including the disclaimer, and that the same appear on ALL copies of\n"
         "  the software, database and documentation, including modifications that you make\n"
         "  for internal use or for distribution.\n"
         "  THIS SOFTWARE AND DATABASE IS PROVIDED \"AS IS\" AND PRINCETON UNIVERSITY MAKES NO\n"
         "  REPRESENTATIONS OR WARRANTIES, EXPRESS OR IMPLIED. BY WAY OF EXAMPLE, BUT NOT\n"
         "  LIMITATION, PRINCETON UNIVERSITY MAKES NO REPRESENTATIONS OR WARRANTIES OF\n"
         "  MERCHANT-ABILITY OR FITNESS FOR ANY PARTICULAR PURPOSE OR THAT THE USE OF THE\n"
         "  LICENSED SOFTWARE, DATABASE OR DOCUMENTATION WILL NOT INFRINGE ANY THIRD PARTY\n"
         "  PATENTS, COPYRIGHTS, TRADEMARKS OR OTHER RIGHTS.\n"
         "  The name of Princeton University or Princeton may not be used in advertising or\n"
         "  publicity pertaining to distribution of the software and/or database. Title to\n"
         "  copyright in this software, database and any associated documentation shall at\n"
         "  all times remain with Princeton University and LICENSEE agrees to preserve same.\n"
         "  (the WordNet 3.0 licence, https://wordnet.princeton.edu/license-and-commercial-use)\n";
}

}  // namespace zelvoran::dictc
