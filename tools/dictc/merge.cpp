// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/merge.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "dictionary/data_profile.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "text/cp1253.h"
#include "tools/dictc/abbreviations.h"

namespace zelvoran::dictc {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string Roman(size_t n) {
  static const std::pair<size_t, const char*> parts[] = {
      {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
      {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
  std::string out;
  for (const auto& [value, text] : parts) {
    while (n >= value) {
      out += text;
      n -= value;
    }
  }
  return out;
}

std::string Join(const std::vector<std::string>& items, const char* separator) {
  std::string out;
  for (const std::string& s : items) {
    if (!out.empty()) out += separator;
    out += s;
  }
  return out;
}

std::string SenseText(const Sense& s) {
  std::string text = Join(s.Marks, " ");
  const std::string translations = Join(s.Translations, ", ");
  if (!text.empty() && !translations.empty()) text += ' ';
  return text + translations;
}

const std::set<std::string>& SubjectFieldAbbreviations() {
  static const std::set<std::string> set = [] {
    std::set<std::string> s;
    for (const AbbreviationRow& r : AbbreviationRows()) {
      if (r.IsSubjectField) s.insert(r.Abbreviation);
    }
    return s;
  }();
  return set;
}

// One headword of a section while it is being gathered.
struct Pending {
  std::string Headword;
  std::vector<const Article*> Articles;
  // Reversed translations grouped by part of speech, in order of first appearance.
  std::vector<std::pair<std::string, std::vector<std::string>>> Reversed;
  std::set<std::string> ReversedKeys;
  std::vector<std::string> ReversedFields;
};

class Section {
 public:
  explicit Section(bool greek) : greek_(greek) {}

  Pending& At(const std::string& headword) {
    const auto [it, fresh] = by_headword_.emplace(headword, pending_.size());
    if (fresh) {
      pending_.emplace_back();
      pending_.back().Headword = headword;
    }
    return pending_[it->second];
  }

  void AddReversed(const std::string& headword, const std::string& pos, const std::string& word,
                   const std::vector<std::string>& fields) {
    Pending& p = At(headword);
    if (!p.ReversedKeys.insert(ExplanationKey(word)).second) return;
    auto group = std::find_if(p.Reversed.begin(), p.Reversed.end(),
                              [&](const auto& g) { return g.first == pos; });
    if (group == p.Reversed.end()) {
      p.Reversed.emplace_back(pos, std::vector<std::string>{});
      group = p.Reversed.end() - 1;
    }
    group->second.push_back(word);
    for (const std::string& f : fields) {
      if (std::find(p.ReversedFields.begin(), p.ReversedFields.end(), f) ==
          p.ReversedFields.end()) {
        p.ReversedFields.push_back(f);
      }
    }
  }

  // The section's entries, sorted; headwords the lookups could never reach are dropped.
  std::vector<SourceEntry> Build(MergeStats& stats) const {
    struct Keyed {
      std::string key;
      SourceEntry entry;
    };
    std::vector<Keyed> out;
    out.reserve(pending_.size());
    // A headword made only by reversal says itself as the source headword it differs from
    // only in letter case ("House" of a translation, "house" of the source).
    std::unordered_map<std::string, std::string> said_as;
    for (const Pending& p : pending_) {
      const std::string ipa = PronunciationOf(p);
      if (!ipa.empty()) said_as.emplace(CharLowerA(p.Headword), ipa);
    }
    for (const Pending& p : pending_) {
      const std::string key =
          (greek_ ? GreekKey(p.Headword) : EnglishKey(p.Headword)).substr(0, kSearchKeyMax);
      // The language test of the program (the first character of EnglishKey) must put the
      // headword into this section, and the lookups start from its key's first letter.
      const auto k0 = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
      const bool reachable = greek_ ? (IsGreekText(p.Headword) && k0 >= 0xE1 && k0 <= 0xF9)
                                    : (!IsGreekText(p.Headword) && k0 >= 'a' && k0 <= 'z');
      if (!reachable || p.Headword.size() > kMaxHeadwordBytes ||
          p.Headword.find_first_of("#\r\n") != std::string::npos) {
        ++stats.DroppedHeadwords;
        continue;
      }
      SourceEntry e;
      e.Headword = p.Headword;
      e.SearchKey = key;
      e.Pronunciation = PronunciationOf(p);
      if (e.Pronunciation.empty() && p.Articles.empty()) {
        const auto said = said_as.find(CharLowerA(p.Headword));
        if (said != said_as.end()) e.Pronunciation = said->second;
      }
      std::vector<std::string> blocks;
      std::set<std::string> direct;
      for (const Article* a : p.Articles) {
        std::string block = RenderArticle(*a);
        if (!block.empty()) blocks.push_back(std::move(block));
        for (const Sense& s : a->Senses) {
          for (const std::string& t : s.Translations)
            direct.insert(ExplanationKey(WithoutNotes(t)));
          for (const std::string& m : s.Marks) AddField(e, m);
        }
      }
      std::string reversed;
      for (const auto& [pos, words] : p.Reversed) {
        std::vector<std::string> fresh;
        for (const std::string& w : words) {
          if (!direct.count(ExplanationKey(w))) fresh.push_back(w);
        }
        if (fresh.empty()) continue;
        if (!reversed.empty()) reversed += kCrLf;
        reversed += (pos.empty() ? "" : pos + " ") + Join(fresh, ", ");
      }
      if (!reversed.empty()) {
        for (const std::string& f : p.ReversedFields) AddField(e, f);
        if (!p.Articles.empty()) ++stats.ReversedAdditions;
        blocks.push_back(std::move(reversed));
      }
      if (blocks.empty()) {
        ++stats.DroppedHeadwords;
        continue;
      }
      (p.Articles.empty() ? (greek_ ? stats.GreekFromReversal : stats.EnglishFromReversal)
                          : (greek_ ? stats.GreekFromSource : stats.EnglishFromSource))++;
      if (blocks.size() == 1) {
        e.Explanation = std::move(blocks[0]);
      } else {
        for (size_t b = 0; b < blocks.size(); ++b) {
          if (b) e.Explanation += kCrLf;
          e.Explanation += Roman(b + 1) + ". " + blocks[b];
        }
      }
      if (e.Explanation.size() > kMaxExplanationBytes) {
        const size_t cut = e.Explanation.rfind(kCrLf, kMaxExplanationBytes - 2);
        e.Explanation.resize(cut == std::string::npos || cut == 0 ? kMaxExplanationBytes : cut);
        ++stats.TruncatedExplanations;
      }
      out.push_back({key, std::move(e)});
    }
    std::sort(out.begin(), out.end(), [](const Keyed& a, const Keyed& b) {
      return a.key != b.key ? a.key < b.key : a.entry.Headword < b.entry.Headword;
    });
    // Several fields need one link line each; once the link table is full, an entry keeps
    // its first field only.
    const int max_links = greek_ ? kMaxGreekLinks : kMaxEnglishLinks;
    int links = 0;
    std::vector<SourceEntry> entries;
    entries.reserve(out.size());
    for (Keyed& k : out) {
      std::vector<std::string>& fields = k.entry.Fields;
      if (fields.size() > 1) {
        if (links + static_cast<int>(fields.size()) <= max_links) {
          links += static_cast<int>(fields.size());
          ++stats.MultiFieldEntries;
        } else {
          fields.resize(1);
          ++stats.FieldsCutForLinkTable;
        }
      }
      if (!fields.empty()) ++stats.SubjectFieldEntries;
      entries.push_back(std::move(k.entry));
    }
    return entries;
  }

  const std::vector<Pending>& Pendings() const { return pending_; }

  // The pronunciations its source articles give a headword, each once, in order.
  static std::string PronunciationOf(const Pending& p) {
    std::vector<std::string> seen;
    for (const Article* a : p.Articles) {
      for (size_t i = 0; i < a->Headwords.size() && i < a->Pronunciations.size(); ++i) {
        const std::string& ipa = a->Pronunciations[i];
        if (a->Headwords[i] != p.Headword || ipa.empty()) continue;
        if (std::find(seen.begin(), seen.end(), ipa) == seen.end()) seen.push_back(ipa);
      }
    }
    return Join(seen, " ");
  }

 private:
  // Comparison form of a word of this section's explanations (the other language).
  std::string ExplanationKey(const std::string& word) const {
    return greek_ ? EnglishKey(word) : GreekKey(word);
  }
  static void AddField(SourceEntry& e, const std::string& mark) {
    if (!SubjectFieldAbbreviations().count(mark)) return;
    if (std::find(e.Fields.begin(), e.Fields.end(), mark) == e.Fields.end()) {
      e.Fields.push_back(mark);
    }
  }

  bool greek_;
  std::vector<Pending> pending_;
  std::unordered_map<std::string, size_t> by_headword_;
};

int WordCount(const std::string& text) {
  int words = 0;
  bool in_word = false;
  for (char c : text) {
    const bool blank = c == ' ';
    if (!blank && !in_word) ++words;
    in_word = !blank;
  }
  return words;
}

}  // namespace

std::string RenderArticle(const Article& a) {
  std::vector<std::string> lines;
  if (a.Senses.size() == 1) {
    const Sense& s = a.Senses[0];
    std::string first = a.PartOfSpeech;
    const std::string text = SenseText(s);
    if (!first.empty() && !text.empty()) first += ' ';
    lines.push_back(first + text);
    lines.insert(lines.end(), s.Glosses.begin(), s.Glosses.end());
  } else if (a.Senses.size() > 1) {
    if (!a.PartOfSpeech.empty()) lines.push_back(a.PartOfSpeech);
    for (size_t i = 0; i < a.Senses.size(); ++i) {
      lines.push_back(std::to_string(i + 1) + ". " + SenseText(a.Senses[i]));
      lines.insert(lines.end(), a.Senses[i].Glosses.begin(), a.Senses[i].Glosses.end());
    }
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return Join(lines, kCrLf);
}

DataSet MergeSources(const SourceArticles& sources, MergeStats& stats) {
  Section sections[2] = {Section(false), Section(true)};
  const std::vector<Article>* articles[2] = {&sources.EnglishGreek, &sources.GreekEnglish};
  for (int s = 0; s < 2; ++s) {
    for (const Article& a : *articles[s]) {
      for (const std::string& h : a.Headwords) sections[s].At(h).Articles.push_back(&a);
    }
  }
  for (int s = 0; s < 2; ++s) {
    for (const Article& a : *articles[s]) {
      if (a.Headwords.empty()) continue;
      for (const Sense& sense : a.Senses) {
        std::vector<std::string> fields;
        for (const std::string& m : sense.Marks) {
          if (SubjectFieldAbbreviations().count(m)) fields.push_back(m);
        }
        for (const std::string& t : sense.Translations) {
          const std::string word = WithoutNotes(t);
          if (word.empty() || word.size() > kMaxHeadwordBytes ||
              WordCount(word) > kMaxReversedWords || word.find('#') != std::string::npos) {
            continue;
          }
          for (const std::string& h : a.Headwords) {
            sections[1 - s].AddReversed(word, a.PartOfSpeech, h, fields);
          }
        }
      }
    }
  }
  DataSet data;
  data.English = sections[0].Build(stats);
  data.Greek = sections[1].Build(stats);
  data.Abbreviations = AbbreviationRows();
  return data;
}

}  // namespace zelvoran::dictc
