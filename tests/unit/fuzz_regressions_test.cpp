// SPDX-License-Identifier: GPL-3.0-or-later
// Every fuzz target on its kept inputs (tests/fuzz/regressions/<target>/) and on a short
// deterministic pass of random and mutated inputs, so the targets cannot rot.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/fuzz/fuzz_target.h"

namespace zelvoran {
namespace {

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(FuzzTargets, RunOnKeptInputsAndASmokePass) {
  ASSERT_FALSE(fuzz::Registry().empty());
  const std::filesystem::path root =
      std::filesystem::path(ZELVORAN_SOURCE_DIR) / "tests" / "fuzz" / "regressions";
  for (const fuzz::Target& t : fuzz::Registry()) {
    std::vector<std::string> seeds;
    const auto dir = root / t.name;
    if (std::filesystem::is_directory(dir)) {
      for (const auto& e : std::filesystem::directory_iterator(dir)) {
        seeds.push_back(ReadAll(e.path()));
        t.fn(seeds.back());
      }
    }
    std::mt19937 rng(1234);
    const std::string alphabet =
        "0123456789#\r\n \xCD"
        "EG"
        "abc\xE1\xE2\xF2\xDC-=.\xB4";
    for (int round = 0; round < 300; ++round) {
      std::string input = seeds.empty() ? std::string() : seeds[rng() % seeds.size()];
      const int edits = 1 + static_cast<int>(rng() % 40);
      for (int k = 0; k < edits; ++k) {
        const size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
        const char c = rng() % 3 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng());
        if (rng() % 4 == 0 && !input.empty() && at < input.size()) {
          input.erase(at, 1 + rng() % 8);
        } else {
          input.insert(at, 1 + rng() % 3, c);
        }
      }
      t.fn(input);
    }
  }
}

}  // namespace
}  // namespace zelvoran
