// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_target.h"

namespace zelvoran::fuzz {

std::vector<Target>& Registry() {
  static std::vector<Target> targets;
  return targets;
}

void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "fuzz property failed: %s (%s:%d)\n", what, file, line);
  std::abort();
}

}  // namespace zelvoran::fuzz
