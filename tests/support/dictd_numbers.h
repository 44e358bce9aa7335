// SPDX-License-Identifier: GPL-3.0-or-later
// Base-64 numbers as dictd index files write them, for building fixture databases.
#pragma once

#include <cstdint>
#include <string>

namespace zelvoran::testing {

inline std::string B64(uint64_t n) {
  static const char* alpha = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string s;
  do {
    s.insert(s.begin(), alpha[n % 64]);
    n /= 64;
  } while (n);
  return s;
}

}  // namespace zelvoran::testing
