// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/lookup/lookup_cli.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include "app/main_core.h"
#include "app/search_commands.h"
#include "app/startup.h"
#include "custom/store_commit.h"
#include "dictionary/entry_display.h"
#include "platform/file_system.h"
#include "search/entry_box.h"
#include "search/lookup_engine.h"
#include "search/search_dialogs.h"
#include "search/word_forms.h"
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

// The main window as far as a lookup needs it: the entry box raises its change handler, and
// what is shown is kept for printing.
class ConsoleView final : public MainView {
 public:
  std::function<void()> on_entry_change;
  std::string entry, label, description;
  std::string pronunciation;  // UTF-8
  std::string label_form;     // the word that led to the entry shown, when not its headword
  std::vector<std::string> suggestions;

  std::string EntryText() const override { return entry; }
  void SetEntryText(std::string_view text) override {
    if (text == entry) return;
    entry = std::string(text);
    if (on_entry_change) on_entry_change();
  }
  std::string EntrySelectedText() const override { return {}; }
  void SelectAllEntryText() override {}
  void CollapseEntrySelection() override {}
  void FocusEntryText() override {}
  void PasteIntoEntryText() override {}
  void ListRowsChanged() override {}
  void ListSelectionChanged() override {}
  void FocusEntriesList() override {}
  int ListHeight() const override { return 224; }
  int ListWidth() const override { return 211; }
  int MeasureListText(std::string_view text) const override {
    return static_cast<int>(text.size()) * 7;
  }
  void SetListHint(std::string_view) override {}
  void SetHintDisplayTime(int) override {}
  void SetHeadwordLabel(std::string_view text) override {
    label = std::string(text);
    label_form.clear();
  }
  void SetFormHeadwordLabel(std::string_view form, std::string_view headword) override {
    label = std::string(headword);
    label_form = std::string(form);
  }
  void SuggestionsShown(const std::vector<std::string>& headwords) override {
    suggestions = headwords;
  }
  void SetPronunciation(std::string_view utf8) override { pronunciation = std::string(utf8); }
  int MeasureLabelText(std::string_view text) const override {
    return static_cast<int>(text.size()) * 7;
  }
  void SetHeadwordLabelLeftJustified(bool) override {}
  void SetDescription(std::string_view text) override { description = std::string(text); }
  std::string DescriptionText() const override { return description; }
  std::string DescriptionSelectedText() const override { return {}; }
  void CollapseDescriptionSelection() override {}
  int DescriptionWidth() const override { return 373; }
  int DescriptionHeight() const override { return 228; }
  std::vector<std::string> DescriptionDisplayLines() const override { return {}; }
  void SetModifyEntryEnabled(bool) override {}
  void SetDeleteEntryEnabled(bool) override {}
  void SetLangPicture(bool) override {}
  void SetBusy(bool) override {}
  int ShowPopupMenu(const std::vector<MenuItem>&, Point) override { return -1; }
  Point ClientOrigin() const override { return {}; }
  Rect ButtonBounds(ToolbarButton) const override { return {}; }
};

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

// The word window of the explanation search, answered with the word given on the command
// line.
class GivenWord final : public SearchDialogs {
 public:
  explicit GivenWord(std::string word) : word_(std::move(word)) {}
  std::optional<std::string> RunMessageForm() override { return word_; }
  std::optional<SearchFormResult> RunSearchForm(const std::vector<std::string>&) override {
    return std::nullopt;
  }
  void RunShortCutsForm(const std::vector<std::pair<std::string, std::string>>&) override {}

 private:
  std::string word_;
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

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
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
                  SystemInfo& info, std::ostream& out, std::ostream& err) {
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
  ConsoleView view;
  MainCore core(Services{fs, folders, info}, state, view);
  InitProgramFolders(fs, folders, state);
  // The user's files are settled first and read under the store's lock, so that a change
  // another copy is saving is seen whole or not at all.
  const auto store_lock = SettleCustomStore(fs, state.Paths, std::chrono::seconds(4));
  LoadDictionary(fs, state);
  if (!state.DataProblem.empty()) {
    err << "zelvoran-lookup: " << Cp1253ToUtf8(state.DataProblem) << "\n";
    return 1;
  }
  if (state.Dict.EnglishIndex.Count() == 0 && state.Dict.GreekIndex.Count() == 0) {
    err << "zelvoran-lookup: no dictionary in " << Cp1253ToUtf8(state.ProgramFolder) << "data\n";
  }
  ClearEntryDisplay(core);
  state.CurrentSearchMode = "START";
  view.on_entry_change = [&core] { Entry_TextChange(core); };

  if (o.base_forms_of || o.suggest_for) {
    const WordForms& forms = CurrentWordForms(core);
    std::vector<std::string> words;
    if (o.base_forms_of) {
      for (const BaseForm& b : forms.BaseForms(Utf8ToCp1253(*o.base_forms_of))) {
        words.push_back(b.headword);
      }
    } else {
      for (const Suggestion& s : forms.Suggest(Utf8ToCp1253(*o.suggest_for), kMaxSuggestions)) {
        words.push_back(s.headword);
      }
    }
    return PrintWordList(words, o.json, out);
  }

  const std::string text = o.text ? Utf8ToCp1253(*o.text) : std::string();
  const std::string category = o.category ? Utf8ToCp1253(*o.category) : std::string();
  GivenWord given(o.search_word ? Utf8ToCp1253(*o.search_word) : std::string());
  if (o.search_word) {
    core.search_dialogs = &given;
    DescrSearch_ButtonClick(core);
  } else if (o.user_entries) {
    RunLookup(core, state.CurrentSearchMode, 0, "", true);
  } else if (!o.text) {
    RunLookup(core, "SHORTCUT", 0, category, false);
  } else if (o.mode == "start" && !o.category) {
    // As typed into the entry box, its last letter just now: a text that begins some
    // headword is not taken for a whole word.
    core.PreviousEntryText = text.substr(0, text.empty() ? 0 : text.size() - 1);
    view.SetEntryText(text);
  } else {
    {
      SuppressEntryChangeScope quiet(core);
      view.SetEntryText(text);
    }
    RunLookup(core,
              o.mode == "contain" ? "CONTAIN"
              : o.mode == "end"   ? "END"
                                  : "START",
              0, category, false);
  }
  if (o.row) {
    if (*o.row < core.List.Count()) {
      core.List.Selected = *o.row;
      Entries_ListClick(core);
    }
  }
  const bool shown = !view.label.empty() || !view.suggestions.empty();
  const std::string label = view.label_form.empty() ? Cp1253ToUtf8(view.label)
                                                    : Cp1253ToUtf8(view.label_form) + " \u2192 " +
                                                          Cp1253ToUtf8(view.label);

  if (o.json) {
    out << "{\"direction\":\"" << (core.CurrentDirection == kDirectionGreek ? "G" : "E")
        << "\",\"rows\":[";
    for (int i = 0; i < core.List.Count(); ++i) {
      out << (i ? "," : "") << JsonString(Cp1253ToUtf8(core.List.Rows[static_cast<size_t>(i)]));
    }
    out << "],\"slots\":[";
    for (int i = 0; i < core.List.Count(); ++i) {
      out << (i ? "," : "") << core.List.RowIndexList[static_cast<size_t>(i)];
    }
    out << "],\"selected\":" << core.List.Selected;
    if (!view.label.empty()) {
      out << ",\"headword\":" << JsonString(Cp1253ToUtf8(view.label));
      if (!view.label_form.empty())
        out << ",\"form\":" << JsonString(Cp1253ToUtf8(view.label_form));
      if (!view.pronunciation.empty()) {
        out << ",\"pronunciation\":" << JsonString(view.pronunciation);
      }
    }
    if (!view.suggestions.empty()) {
      out << ",\"suggestions\":[";
      for (size_t i = 0; i < view.suggestions.size(); ++i) {
        out << (i ? "," : "") << JsonString(Cp1253ToUtf8(view.suggestions[i]));
      }
      out << "]";
    }
    if (shown) out << ",\"explanation\":" << JsonString(Cp1253ToUtf8(view.description));
    out << "}\n";
  } else {
    for (const std::string& r : core.List.Rows) out << Cp1253ToUtf8(r) << "\n";
    if (shown) {
      out << "\n";
      if (!label.empty()) out << label << "\n";
      out << WithoutCr(Cp1253ToUtf8(view.description));
      if (!view.description.empty() && view.description.back() != '\n') out << "\n";
    }
  }
  return core.List.Count() > 0 ? 0 : 1;
}

}  // namespace zelvoran
