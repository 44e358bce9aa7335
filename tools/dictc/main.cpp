// SPDX-License-Identifier: GPL-3.0-or-later
// zelvoran-dictc: builds the program's data folder from the FreeDict dictd databases, writes
// the synthetic full-size dictionary, and verifies a data folder.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tools/command_line.h"
#include "tools/dictc/compile.h"
#include "tools/dictc/data_writer.h"
#include "tools/dictc/synthetic.h"
#include "tools/dictc/verify.h"

namespace {

using namespace zelvoran::dictc;

const char kUsage[] =
    "usage:\n"
    "  zelvoran-dictc build [--source DIR] [--wordnet DIR] OUTDIR\n"
    "      Reads the dictd databases freedict-eng-ell and freedict-ell-eng (an .index file\n"
    "      and a .dict.dz file each) from DIR (default /usr/share/dictd, where Debian's\n"
    "      dict-freedict-eng-ell and dict-freedict-ell-eng install them), merges both\n"
    "      directions and writes the data files, the profile file, ZelvoranPron.txt (how\n"
    "      the headwords are said) and ZelvoranSources.txt into OUTDIR, with the forms file\n"
    "      of inflected forms (WordNet's exception lists from --wordnet DIR, default\n"
    "      /usr/share/wordnet, where Debian's wordnet-base installs them). Prints the counts\n"
    "      and what the character mapping changed.\n"
    "  zelvoran-dictc synthetic OUTDIR\n"
    "      Writes the deterministic synthetic dictionary of the delivered size (no profile\n"
    "      file: the built-in profile applies). The benchmarks use the same data.\n"
    "  zelvoran-dictc verify DATADIR\n"
    "      Checks every file of a data folder; prints each fault (file, line, what is\n"
    "      wrong) and exits with status 1 when there is any.\n"
    "  zelvoran-dictc --help | --version\n"
    "Options and operands may be separated by \"--\", after which an operand may begin with\n"
    "\"-\". Exit status: 0 on success, 1 when the work failed, 2 for a usage error.\n";

int Usage(FILE* to, int status) {
  std::fputs(kUsage, to);
  return status;
}

int UsageError(const std::string& command, const std::string& problem) {
  std::fprintf(stderr, "zelvoran-dictc%s%s: %s\n", command.empty() ? "" : " ", command.c_str(),
               problem.c_str());
  return Usage(stderr, 2);
}

int Version() {
  std::printf("zelvoran-dictc (Zelvoran Glossa) %s\n", ZELVORAN_VERSION);
  return 0;
}

// Parses a command's arguments against its options; the operands when the command is to
// run, else the exit status (help, version or a usage error).
struct Arguments {
  std::vector<std::string> operands;
  std::optional<int> exit_status;
};

Arguments ParseCommand(const std::string& command, const std::vector<std::string>& args,
                       const std::vector<zelvoran::cli::Option>& options, size_t operands) {
  namespace cli = zelvoran::cli;
  const cli::ParseResult r = cli::Parse(args, options);
  switch (r.action) {
    case cli::Action::kHelp:
      return {{}, Usage(stdout, 0)};
    case cli::Action::kVersion:
      return {{}, Version()};
    case cli::Action::kUsageError:
      return {{}, UsageError(command, r.error)};
    case cli::Action::kRun:
      break;
  }
  if (r.operands.size() != operands) {
    return {{}, UsageError(command, operands == 1 ? "takes one folder" : "wrong operands")};
  }
  return {r.operands, std::nullopt};
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Build(const std::vector<std::string>& args) {
  std::string source = kDefaultSourceDir;
  std::string wordnet = kDefaultWordNetDir;
  const Arguments a = ParseCommand("build", args,
                                   {{"--source", "DIR", "the folder of the dictd databases",
                                     [&source](const std::string& v) {
                                       source = v;
                                       return std::optional<std::string>();
                                     }},
                                    {"--wordnet", "DIR", "the folder of WordNet's exception lists",
                                     [&wordnet](const std::string& v) {
                                       wordnet = v;
                                       return std::optional<std::string>();
                                     }}},
                                   1);
  if (a.exit_status) return *a.exit_status;
  const std::string out = a.operands[0];
  const auto start = std::chrono::steady_clock::now();
  const BuildReport r = BuildDataFolder(source, out, wordnet);
  if (!r.error.empty()) {
    std::fprintf(stderr, "zelvoran-dictc build: %s\n", r.error.c_str());
    return 1;
  }
  const MergeStats& m = r.Merge;
  std::printf("source articles: %d English-Greek, %d Greek-English\n", r.EnglishArticles,
              r.GreekArticles);
  std::printf("English headwords: %d (%lld from the source, %lld by reversal)\n",
              r.EnglishHeadwords, static_cast<long long>(m.EnglishFromSource),
              static_cast<long long>(m.EnglishFromReversal));
  std::printf("Greek headwords:   %d (%lld from the source, %lld by reversal)\n", r.GreekHeadwords,
              static_cast<long long>(m.GreekFromSource),
              static_cast<long long>(m.GreekFromReversal));
  std::printf("reversed translations added to existing headwords: %lld\n",
              static_cast<long long>(m.ReversedAdditions));
  std::printf("headwords dropped (unreachable key, too long, '#'): %lld\n",
              static_cast<long long>(m.DroppedHeadwords));
  std::printf("abbreviations: %d; category links: %d English, %d Greek\n", r.Abbreviations,
              r.EnglishLinks, r.GreekLinks);
  std::printf(
      "subject-field entries: %lld (%lld with several fields, %lld cut to one: link "
      "table full)\n",
      static_cast<long long>(m.SubjectFieldEntries), static_cast<long long>(m.MultiFieldEntries),
      static_cast<long long>(m.FieldsCutForLinkTable));
  std::printf("explanations: %llu bytes (%lld cut to 31000 bytes)\n",
              static_cast<unsigned long long>(r.TextsBytes),
              static_cast<long long>(m.TruncatedExplanations));
  std::printf("text mapping:\n");
  std::printf("  %-44s %lld\n", "pronunciations kept in ZelvoranPron.txt:",
              static_cast<long long>(r.Parse.Pronunciations));
  std::printf("  %-44s %lld\n",
              "placeholder translations dropped:", static_cast<long long>(r.Parse.Placeholders));
  std::printf("  %-44s %lld\n",
              "wiki link brackets removed:", static_cast<long long>(r.Parse.WikiMarkup));
  std::fputs(FormatMappingStats(r.Parse.Mapping).c_str(), stdout);
  const FormsBuildReport& f = r.Forms;
  std::printf(
      "forms: %lld Greek forms of %lld headwords; %lld English irregular forms (%lld of "
      "headwords); %llu bytes\n",
      static_cast<long long>(f.GreekForms), static_cast<long long>(f.GreekHeadwordsWithForms),
      static_cast<long long>(f.EnglishForms), static_cast<long long>(f.EnglishFormsOnHeadwords),
      static_cast<unsigned long long>(r.FormsBytes));
  if (!f.WordNetFound) {
    std::printf(
        "warning: no WordNet exception lists in %s (install wordnet-base): English "
        "irregular forms left out\n",
        wordnet.c_str());
  }
  std::printf("built %s in %.2f s\n", out.c_str(), SecondsSince(start));
  return 0;
}

int Synthetic(const std::vector<std::string>& raw_args) {
  const Arguments parsed = ParseCommand("synthetic", raw_args, {}, 1);
  if (parsed.exit_status) return *parsed.exit_status;
  const std::vector<std::string>& args = parsed.operands;
  const WriteResult r = EncodeDataSet(MakeSyntheticDataSet());
  if (!r.files) {
    std::fprintf(stderr, "zelvoran-dictc synthetic: %s\n", r.error.c_str());
    return 1;
  }
  if (r.files->NeedsProfileFile) {
    std::fprintf(stderr,
                 "zelvoran-dictc synthetic: the data does not match the built-in profile\n");
    return 1;
  }
  if (const std::string err = WriteDataFolder(args[0], *r.files); !err.empty()) {
    std::fprintf(stderr, "zelvoran-dictc synthetic: %s\n", err.c_str());
    return 1;
  }
  std::printf("synthetic data: %d English and %d Greek headwords, %zu bytes of explanations\n",
              r.files->Profile.counts.english_headwords, r.files->Profile.counts.greek_headwords,
              r.files->Texts.size());
  return 0;
}

int Verify(const std::vector<std::string>& raw_args) {
  const Arguments parsed = ParseCommand("verify", raw_args, {}, 1);
  if (parsed.exit_status) return *parsed.exit_status;
  const std::vector<std::string>& args = parsed.operands;
  const VerifyReport r = VerifyDataFolder(args[0]);
  for (const std::string& f : r.Faults) std::printf("%s\n", f.c_str());
  if (r.FaultCount > static_cast<int64_t>(r.Faults.size())) {
    std::printf("... and %lld more faults\n",
                static_cast<long long>(r.FaultCount - static_cast<int64_t>(r.Faults.size())));
  }
  std::printf(
      "%s: %d English and %d Greek headwords, %d abbreviations, %d English and %d Greek "
      "links, %d subject-field entries, %llu bytes of explanations (%s profile)\n",
      args[0].c_str(), r.EnglishLines, r.GreekLines, r.Abbreviations, r.EnglishLinks, r.GreekLinks,
      r.SubjectFieldEntries, static_cast<unsigned long long>(r.TextsBytes),
      r.ProfileFromFile ? "file" : "built-in");
  if (r.HasPronunciations) {
    std::printf("pronunciations: %d English and %d Greek headwords\n", r.EnglishPronunciations,
                r.GreekPronunciations);
  }
  if (r.FaultCount > 0) {
    std::printf("%lld faults\n", static_cast<long long>(r.FaultCount));
    return 1;
  }
  std::printf("no faults\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return UsageError("", "no command");
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "help") return Usage(stdout, 0);
  if (command == "--version") return Version();
  if (command == "build") return Build(args);
  if (command == "synthetic") return Synthetic(args);
  if (command == "verify") return Verify(args);
  if (!command.empty() && command[0] == '-') return UsageError("", "unknown option " + command);
  return UsageError("", "unknown command " + command);
}
