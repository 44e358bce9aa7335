// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/compile.h"

#include <filesystem>
#include <fstream>

#include "dictionary/forms_file.h"
#include "tools/dictc/data_writer.h"

namespace zelvoran::dictc {
namespace {

// The value after "Label:" on a line of a database's info text, trimmed; empty when absent.
std::string InfoValue(const std::string& info, const std::string& label) {
  size_t start = 0;
  while (start < info.size()) {
    size_t end = info.find('\n', start);
    if (end == std::string::npos) end = info.size();
    const std::string line = info.substr(start, end - start);
    start = end + 1;
    const size_t first = line.find_first_not_of(' ');
    if (first != std::string::npos && line.compare(first, label.size() + 1, label + ":") == 0) {
      std::string value = line.substr(first + label.size() + 1);
      const size_t b = value.find_first_not_of(' ');
      return b == std::string::npos ? std::string() : value.substr(b);
    }
  }
  return {};
}

std::string FirstLine(const std::string& text) {
  const size_t first = text.find_first_not_of("\n ");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find('\n', first) - first);
}

}  // namespace

SourceArticles ParseSources(const DictdDatabase& english_greek, const DictdDatabase& greek_english,
                            ParseStats& stats) {
  SourceArticles out;
  out.EnglishGreek.reserve(english_greek.Articles.size());
  for (const DictdArticle& a : english_greek.Articles) {
    out.EnglishGreek.push_back(ParseEnglishGreekArticle(a.Text, a.Keys.size(), stats));
  }
  out.GreekEnglish.reserve(greek_english.Articles.size());
  for (const DictdArticle& a : greek_english.Articles) {
    out.GreekEnglish.push_back(ParseGreekEnglishArticle(a.Text, stats));
  }
  return out;
}

std::string SourcesText(const DictdDatabase& eng_ell, const DictdDatabase& ell_eng) {
  auto describe = [](const DictdDatabase& db, const char* package, const char* fallback_title) {
    std::string title = FirstLine(db.ShortName);
    if (title.empty()) title = FirstLine(db.Info);
    if (title.empty()) title = fallback_title;
    std::string out = "- " + title + "\n  Debian package " + package + "\n";
    for (const char* label : {"Edition", "Maintainer", "converted by", "Publisher"}) {
      const std::string v = InfoValue(db.Info, label);
      if (!v.empty()) out += "  " + std::string(label) + ": " + v + "\n";
    }
    out += "  Copyright: FreeDict contributors\n";
    return out;
  };
  std::string text =
      "Zelvoran Glossa - dictionary data\n"
      "\n"
      "The dictionary in this folder was converted and merged from two FreeDict dictionaries\n"
      "by the data compiler zelvoran-dictc:\n"
      "\n";
  text += describe(ell_eng, "dict-freedict-ell-eng", "Greek-English FreeDict+WikDict dictionary");
  text +=
      "  Source: created by WikDict (https://www.wikdict.com/) from Wiktionary\n"
      "  (https://www.wiktionary.org/) data via DBnary.\n"
      "  Licence: Creative Commons Attribution-ShareAlike 3.0 Unported (CC BY-SA 3.0).\n"
      "\n";
  text += describe(eng_ell, "dict-freedict-eng-ell", "English-Greek FreeDict dictionary");
  text +=
      "  Source: the English-Greek dictionary of FreeLang (http://www.freelang.net/dictionary/),\n"
      "  as distributed by the XDXF project.\n"
      "  Licence: GNU GPL version 2 or later, or CC BY-SA 3.0, at the user's choice; this data\n"
      "  uses it under CC BY-SA 3.0.\n"
      "\n"
      "Changes: the pronunciations (IPA) were kept apart in ZelvoranPron.txt; text was converted\n"
      "to Windows-1253 (accents removed from Latin letters, polytonic Greek made monotonic,\n"
      "look-alike letters repaired, characters outside the code page dropped); parts of speech and "
      "subject labels became\n"
      "abbreviations; every translation of each dictionary was also entered, reversed, in the\n"
      "other direction; and both were merged into one dictionary per direction.\n"
      "\n"
      "Licence of this data: Creative Commons Attribution-ShareAlike 3.0 Unported\n"
      "(https://creativecommons.org/licenses/by-sa/3.0/). You may share and adapt it under the\n"
      "same licence, naming the sources above.\n";
  return text;
}

BuildReport BuildDataFolder(const std::string& source_dir, const std::string& out_dir,
                            const std::string& wordnet_dir) {
  BuildReport report;
  const DictdReadResult eng_ell = ReadDictdDatabase(source_dir, kEnglishGreekName);
  if (!eng_ell.database) {
    report.error = eng_ell.error;
    return report;
  }
  const DictdReadResult ell_eng = ReadDictdDatabase(source_dir, kGreekEnglishName);
  if (!ell_eng.database) {
    report.error = ell_eng.error;
    return report;
  }
  report.EnglishArticles = static_cast<int>(eng_ell.database->Articles.size());
  report.GreekArticles = static_cast<int>(ell_eng.database->Articles.size());
  const SourceArticles articles = ParseSources(*eng_ell.database, *ell_eng.database, report.Parse);
  const DataSet data = MergeSources(articles, report.Merge);
  WriteResult written = EncodeDataSet(data);
  if (!written.files) {
    report.error = "cannot encode the data: " + written.error;
    return report;
  }
  const DataFiles& files = *written.files;
  if (std::string err = WriteDataFolder(out_dir, files); !err.empty()) {
    report.error = err;
    return report;
  }
  report.Forms = BuildForms(articles, data, wordnet_dir);
  report.FormsBytes = report.Forms.bytes.size();
  const std::string sources =
      SourcesText(*eng_ell.database, *ell_eng.database) + WordNetSourcesText();
  const std::pair<std::string, const std::string*> texts[] = {
      {kSourcesFileName, &sources}, {std::string(kFormsFileName), &report.Forms.bytes}};
  for (const auto& [name, text] : texts) {
    std::ofstream out(std::filesystem::path(out_dir) / name, std::ios::binary | std::ios::trunc);
    out.write(text->data(), static_cast<std::streamsize>(text->size()));
    out.close();
    if (!out) {
      report.error = "cannot write " + name;
      return report;
    }
  }
  report.Forms.bytes.clear();
  report.Forms.bytes.shrink_to_fit();
  report.EnglishHeadwords = files.Profile.counts.english_headwords;
  report.GreekHeadwords = files.Profile.counts.greek_headwords;
  report.Abbreviations = files.Profile.counts.abbreviations;
  report.EnglishLinks = files.Profile.counts.english_links;
  report.GreekLinks = files.Profile.counts.greek_links;
  report.TextsBytes = files.Texts.size();
  return report;
}

}  // namespace zelvoran::dictc
