// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/lookup/lookup_cli.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <memory>
#include <optional>
#include <ostream>

#include "app/program_state.h"
#include "app/startup.h"
#include "custom/store_commit.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "search/explanation_search.h"
#include "search/lookup_engine.h"
#include "search/lookup_index.h"
#include "search/word_forms.h"
#include "search/word_forms_step.h"
#include "text/cp1253.h"
#include "tools/command_line.h"

namespace zelvoran {
namespace {

constexpr const char* kUsage =
    "usage: zelvoran-lookup [OPTION]... [--] TEXT\n"
    "       zelvoran-lookup [--category ABBR | --user-entries] [--row N] [--json]\n"
    "       zelvoran-lookup --search-explanations WORD [--row N] [--json]\n"
    "       zelvoran-lookup --base-forms WORD [--json]\n"
    "       zelvoran-lookup --suggest WORD [--json]\n";

constexpr const char* kAbout =
    "Lists the headwords that TEXT brings up in the entry box (or the search dialog, with\n"
    "--mode or --category) and shows the entry the program would show, from the dictionary\n"
    "in the program folder it runs in. Exit status: 0 with at least one row, 1 with none,\n"
    "2 for a usage error.\n";

// What the tool prints besides the rows: the entry shown, or the suggestions.
struct Shown {
  std::string label;
  std::string label_form;     // the word that led to the entry shown, when not its headword
  std::string pronunciation;  // UTF-8
  std::string description;
  std::vector<std::string> suggestions;
};

// The entry of `ref`, as the window shows it for a list row.
void ShowRow(const FileSystem& fs, const ProgramState& state, RowRef ref, Shown& shown) {
  const CustomPaths paths = CommittedStorePaths(fs, state.Paths);
  const Explanation e =
      ExplanationOf(state.Dict, fs, ref,
                    ref.direction == Direction::kGreek ? paths.CustomGreekTextsPath
                                                       : paths.CustomEnglishTextsPath);
  shown.label = e.headword;
  shown.label_form.clear();
  shown.pronunciation = e.pronunciation;
  if (e.text) shown.description = *e.text;
}

struct Options {
  std::string mode = "start";
  std::optional<std::string> category;
  bool user_entries = false;
  std::optional<int> row;
  bool json = false;
  std::optional<std::string> text;
  std::optional<std::string> search_word;    // --search-explanations
  std::optional<std::string> base_forms_of;  // --base-forms
  std::optional<std::string> suggest_for;    // --suggest
};

std::optional<std::string> NoProblem() {
  return std::nullopt;
}

// The options, one row each: name, what it takes, help line, and how it sets `o`.
std::vector<cli::Option> OptionTable(Options& o) {
  return {
      {"--mode", "start|contain|end",
       "look TEXT up by its beginning (default), as contained or as an ending",
       [&o](const std::string& v) -> std::optional<std::string> {
         if (v != "start" && v != "contain" && v != "end") {
           return "--mode takes start, contain or end";
         }
         o.mode = v;
         return NoProblem();
       }},
      {"--category", "ABBR", "only headwords of the subject field ABBR (such as ζωολ.)",
       [&o](const std::string& v) -> std::optional<std::string> {
         if (v.empty()) return "--category takes an abbreviation";
         o.category = v;
         return NoProblem();
       }},
      {"--user-entries", "", "list the user's own entries",
       [&o](const std::string&) {
         o.user_entries = true;
         return NoProblem();
       }},
      {"--search-explanations", "WORD", "list the headwords whose explanation holds WORD",
       [&o](const std::string& v) {
         o.search_word = v;
         return NoProblem();
       }},
      {"--row", "N", "show the entry of row N (from 0) instead of the first",
       [&o](const std::string& v) -> std::optional<std::string> {
         int n = -1;
         if (v.empty() ||
             std::from_chars(v.data(), v.data() + v.size(), n).ptr != v.data() + v.size() ||
             n < 0) {
           return "--row takes a row number from 0";
         }
         o.row = n;
         return NoProblem();
       }},
      {"--base-forms", "WORD", "list the headwords WORD is an inflected form of, best first",
       [&o](const std::string& v) {
         o.base_forms_of = v;
         return NoProblem();
       }},
      {"--suggest", "WORD", "list up to 10 headwords spelt like WORD, best first",
       [&o](const std::string& v) {
         o.suggest_for = v;
         return NoProblem();
       }},
      {"--json", "", "print one JSON object: direction, rows, slots, selection, entry",
       [&o](const std::string&) {
         o.json = true;
         return NoProblem();
       }},
  };
}

// Checks that the options and operands go together; an error message when they do not.
std::optional<std::string> CheckCombination(const std::vector<std::string>& operands, Options& o) {
  if (operands.size() > 1) return "one TEXT at most";
  if (!operands.empty()) o.text = operands.front();
  if (o.search_word && (o.text || o.category || o.user_entries || o.mode != "start")) {
    return "--search-explanations takes its WORD alone: no TEXT, --mode, --category or "
           "--user-entries";
  }
  if (o.search_word) return std::nullopt;
  if (o.base_forms_of || o.suggest_for) {
    if ((o.base_forms_of && o.suggest_for) || o.text || o.category || o.user_entries || o.row ||
        o.mode != "start") {
      return "--base-forms and --suggest take their WORD alone";
    }
    return std::nullopt;
  }
  if (o.user_entries && (o.text || o.category || o.mode != "start")) {
    return "--user-entries lists the user's entries alone: no TEXT, --mode or --category";
  }
  if (!o.text && !o.user_entries && !o.category) return "nothing to look up";
  if (!o.text && o.mode != "start") return "--mode needs a TEXT";
  return std::nullopt;
}

// A JSON string of UTF-8 text; line ends are LF, as in the explanation printed as text.
std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char ch = utf8[i];
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          static const char hex[] = "0123456789abcdef";
          out += "\\u00";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

// Prints a list of headwords, one per line or as a JSON list; exit status 0 with some, else 1.
int PrintWordList(const std::vector<std::string>& words, bool json, std::ostream& out) {
  if (json) {
    out << "[";
    for (size_t i = 0; i < words.size(); ++i) {
      out << (i ? "," : "") << JsonString(Cp1253ToUtf8(words[i]));
    }
    out << "]\n";
  } else {
    for (const std::string& w : words) out << Cp1253ToUtf8(w) << "\n";
  }
  return words.empty() ? 1 : 0;
}

std::string WithoutCr(std::string text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

int LookupCliMain(const std::vector<std::string>& args, FileSystem& fs, SystemFolders& folders,
                  SystemInfo& /*info*/, std::ostream& out, std::ostream& err) {
  Options o;
  const std::vector<cli::Option> options = OptionTable(o);
  cli::ParseResult parsed = cli::Parse(args, options);
  if (parsed.action == cli::Action::kHelp) {
    out << kUsage << "\n" << kAbout << "\noptions:\n" << cli::OptionsHelp(options);
    return 0;
  }
  if (parsed.action == cli::Action::kVersion) {
    out << "zelvoran-lookup (Zelvoran Glossa) " << ZELVORAN_VERSION << "\n";
    return 0;
  }
  if (parsed.action == cli::Action::kRun) {
    if (auto problem = CheckCombination(parsed.operands, o)) parsed.error = *problem;
  }
  if (!parsed.error.empty()) {
    err << "zelvoran-lookup: " << parsed.error << "\n"
        << kUsage << "Try 'zelvoran-lookup --help' for more information.\n";
    return 2;
  }
  ProgramState state;
  InitProgramFolders(fs, folders, state);
  // The user's files are settled first and read under the store's lock, so that a change
  // another copy is saving is seen whole or not at all.
  const auto store_lock = SettleCustomStore(fs, state.Paths, std::chrono::seconds(4));
  LoadDictionary(fs, state);
  if (!state.DataProblem.empty()) {
    err << "zelvoran-lookup: " << Cp1253ToUtf8(state.DataProblem) << "\n";
    return 1;
  }
  const Dictionary& dict = state.Dict;
  if (dict.EnglishIndex.Count() == 0 && dict.GreekIndex.Count() == 0) {
    err << "zelvoran-lookup: no dictionary in " << Cp1253ToUtf8(state.ProgramFolder) << "data\n";
  }
  const std::shared_ptr<LookupIndex> index = FreshLookupIndex(dict, nullptr);

  if (o.base_forms_of || o.suggest_for) {
    const std::shared_ptr<WordForms> forms = FreshWordForms(dict, index, nullptr);
    std::vector<std::string> words;
    if (o.base_forms_of) {
      for (const BaseForm& b : forms->BaseForms(Utf8ToCp1253(*o.base_forms_of))) {
        words.push_back(b.headword);
      }
    } else {
      for (const Suggestion& s : forms->Suggest(Utf8ToCp1253(*o.suggest_for), kMaxSuggestions)) {
        words.push_back(s.headword);
      }
    }
    return PrintWordList(words, o.json, out);
  }

  const std::string text = o.text ? Utf8ToCp1253(*o.text) : std::string();
  const std::string category = o.category ? Utf8ToCp1253(*o.category) : std::string();
  LookupResult result;
  Shown shown;
  LookupQuery query;
  query.category = category;
  if (o.search_word) {
    // The explanation search for the word as the entry box holds it.
    const std::string word(TrimLeftBlanks(Utf8ToCp1253(*o.search_word)));
    result.direction = DirectionOfEntryText(word).value_or(Direction::kEnglish);
    const CustomPaths user = CommittedStorePaths(fs, state.Paths);
    const ExplanationSources sources{state.Dict, state.ProgramFolder + std::string(kTextsFile),
                                     user.CustomEnglishTextsPath, user.CustomGreekTextsPath};
    ExplanationCache cache;
    for (ExplanationHit& h : SearchExplanations(fs, sources, cache, result.direction,
                                                ExplanationNeedle(word, result.direction))) {
      result.rows.push_back(LookupRow{std::move(h.Row), h.ref});
    }
  } else if (o.user_entries) {
    query.user_entries_only = true;
    result = Lookup(dict, *index, query);
  } else if (!o.text) {
    query.mode = SearchMode::kShortcut;
    result = Lookup(dict, *index, query);
  } else if (o.mode == "start" && !o.category) {
    // As typed into the entry box, its last letter just now: a text that begins some
    // headword is not taken for a whole word.
    const std::string before = text.substr(0, text.empty() ? 0 : text.size() - 1);
    const std::shared_ptr<WordForms> forms = FreshWordForms(dict, index, nullptr);
    TypingAnswer typed =
        AnswerTyping(dict, *index, *forms, Direction::kEnglish, text,
                     IsTypingStep(before, text) ? EntrySource::kTyping : EntrySource::kWholeWord);
    result = std::move(typed.lookup);
    if (typed.shown >= 0) {
      ShowRow(fs, state, result.rows[static_cast<size_t>(typed.shown)].ref, shown);
    }
    if (typed.word_form.kind == WordFormAnswer::Kind::kBaseForm) {
      shown.label = typed.word_form.headword;
      shown.label_form = typed.word;
    } else if (typed.word_form.kind == WordFormAnswer::Kind::kSuggestions) {
      shown.description = SuggestionsText(typed.word_form.suggestions);
      shown.suggestions = typed.word_form.suggestions;
    }
  } else {
    query.mode = o.mode == "contain" ? SearchMode::kContain
                 : o.mode == "end"   ? SearchMode::kEnd
                                     : SearchMode::kStart;
    query.text = text;
    result = Lookup(dict, *index, query);
  }
  if (o.row && *o.row < static_cast<int>(result.rows.size())) {
    result.selected = *o.row;
    ShowRow(fs, state, result.rows[static_cast<size_t>(*o.row)].ref, shown);
  }
  const bool any_shown = !shown.label.empty() || !shown.suggestions.empty();
  const std::string label = shown.label_form.empty() ? Cp1253ToUtf8(shown.label)
                                                     : Cp1253ToUtf8(shown.label_form) + " \u2192 " +
                                                           Cp1253ToUtf8(shown.label);

  if (o.json) {
    out << "{\"direction\":\"" << (result.direction == Direction::kGreek ? "G" : "E")
        << "\",\"rows\":[";
    for (size_t i = 0; i < result.rows.size(); ++i) {
      out << (i ? "," : "") << JsonString(Cp1253ToUtf8(result.rows[i].text));
    }
    out << "],\"slots\":[";
    for (size_t i = 0; i < result.rows.size(); ++i) {
      out << (i ? "," : "") << result.rows[i].ref.slot;
    }
    out << "],\"selected\":" << result.selected;
    if (!shown.label.empty()) {
      out << ",\"headword\":" << JsonString(Cp1253ToUtf8(shown.label));
      if (!shown.label_form.empty())
        out << ",\"form\":" << JsonString(Cp1253ToUtf8(shown.label_form));
      if (!shown.pronunciation.empty()) {
        out << ",\"pronunciation\":" << JsonString(shown.pronunciation);
      }
    }
    if (!shown.suggestions.empty()) {
      out << ",\"suggestions\":[";
      for (size_t i = 0; i < shown.suggestions.size(); ++i) {
        out << (i ? "," : "") << JsonString(Cp1253ToUtf8(shown.suggestions[i]));
      }
      out << "]";
    }
    if (any_shown) out << ",\"explanation\":" << JsonString(Cp1253ToUtf8(shown.description));
    out << "}\n";
  } else {
    for (const LookupRow& r : result.rows) out << Cp1253ToUtf8(r.text) << "\n";
    if (any_shown) {
      out << "\n";
      if (!label.empty()) out << label << "\n";
      out << WithoutCr(Cp1253ToUtf8(shown.description));
      if (!shown.description.empty() && shown.description.back() != '\n') out << "\n";
    }
  }
  return result.rows.empty() ? 1 : 0;
}

}  // namespace zelvoran
