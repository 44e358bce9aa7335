// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_data.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tools/dictc/data_writer.h"
#include "tools/dictc/synthetic.h"

namespace zelvoran::bench {

const std::string& SyntheticProgramFolder() {
  static const std::string folder = [] {
    char tmpl[] = "/tmp/zelvoran-bench-XXXXXX";
    std::string dir = ::mkdtemp(tmpl);
    const dictc::WriteResult r = dictc::EncodeDataSet(dictc::MakeSyntheticDataSet());
    if (!r.files) {
      std::fprintf(stderr, "synthetic data: %s\n", r.error.c_str());
      std::abort();
    }
    const std::string err = dictc::WriteDataFolder(dir + "/data", *r.files);
    if (!err.empty()) {
      std::fprintf(stderr, "synthetic data: %s\n", err.c_str());
      std::abort();
    }
    static std::string* to_remove = new std::string(dir);
    std::atexit([] { std::filesystem::remove_all(*to_remove); });
    return dir + "/";
  }();
  return folder;
}

std::string BundledProgramFolder() {
  const char* env = std::getenv("ZELVORAN_PROGRAM_DIR");
  std::string dir = env && *env ? env : ZELVORAN_DEFAULT_PROGRAM_DIR;
  if (!std::filesystem::exists(dir + "/data/ZelvoranI.tbo")) return {};
  return dir + "/";
}

const std::vector<std::string>& PeerPrefixes() {
  static const std::vector<std::string> words = {"hous", "comp", "inter", "wat",
                                                 "γρα",  "σπι",  "καλ"};
  return words;
}

const std::vector<std::string>& PeerInfixes() {
  static const std::vector<std::string> words = {"ation", "ous", "ight", "ματ", "ικό"};
  return words;
}

}  // namespace zelvoran::bench
