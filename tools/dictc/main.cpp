// zelvoran-dictc: builds the program's data folder from the FreeDict dictd databases, writes
// the synthetic full-size dictionary, and verifies a data folder.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
    "      directions and writes the data files, the profile file and ZelvoranSources.txt\n"
    "      into OUTDIR, with the forms file of inflected forms (WordNet's exception lists\n"
    "      from --wordnet DIR, default /usr/share/wordnet, where Debian's wordnet-base\n"
    "      installs them). Prints the counts and what the character mapping changed.\n"
    "  zelvoran-dictc synthetic OUTDIR\n"
    "      Writes the deterministic synthetic dictionary of the delivered size (no profile\n"
    "      file: the built-in profile applies). The benchmarks use the same data.\n"
    "  zelvoran-dictc verify DATADIR\n"
    "      Checks every file of a data folder; prints each fault (file, line, what is\n"
    "      wrong) and exits with status 1 when there is any.\n"
    "  zelvoran-dictc --help\n";

int Usage(FILE* to, int status) {
  std::fputs(kUsage, to);
  return status;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Build(const std::vector<std::string>& args) {
  std::string source = kDefaultSourceDir;
  std::string wordnet = kDefaultWordNetDir;
  std::string out;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--source" && i + 1 < args.size()) {
      source = args[++i];
    } else if (args[i] == "--wordnet" && i + 1 < args.size()) {
      wordnet = args[++i];
    } else if (args[i].rfind("--source=", 0) == 0) {
      source = args[i].substr(9);
    } else if (!args[i].empty() && args[i][0] == '-') {
      std::fprintf(stderr, "zelvoran-dictc build: unknown option %s\n", args[i].c_str());
      return Usage(stderr, 2);
    } else if (out.empty()) {
      out = args[i];
    } else {
      return Usage(stderr, 2);
    }
  }
  if (out.empty()) return Usage(stderr, 2);
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
  std::printf("  %-44s %lld\n",
              "pronunciations dropped:", static_cast<long long>(r.Parse.Pronunciations));
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

int Synthetic(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(stderr, 2);
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

int Verify(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(stderr, 2);
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
  if (r.FaultCount > 0) {
    std::printf("%lld faults\n", static_cast<long long>(r.FaultCount));
    return 1;
  }
  std::printf("no faults\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(stderr, 2);
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "help") return Usage(stdout, 0);
  if (command == "build") return Build(args);
  if (command == "synthetic") return Synthetic(args);
  if (command == "verify") return Verify(args);
  std::fprintf(stderr, "zelvoran-dictc: unknown command %s\n", command.c_str());
  return Usage(stderr, 2);
}
