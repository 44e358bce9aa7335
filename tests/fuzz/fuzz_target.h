// SPDX-License-Identifier: GPL-3.0-or-later
// A fuzz target is one function over arbitrary bytes. In the fuzzing build each target file
// becomes a libFuzzer executable; in the ordinary build every target is linked into the unit
// tests, which run it on its kept regression inputs and on a short pseudo-random smoke pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zelvoran::fuzz {

using TargetFn = void (*)(std::string_view data);

struct Target {
  const char* name;
  TargetFn fn;
};

std::vector<Target>& Registry();

struct Registrar {
  Registrar(const char* name, TargetFn fn) { Registry().push_back({name, fn}); }
};

}  // namespace zelvoran::fuzz

#ifdef ZELVORAN_LIBFUZZER
#define ZELVORAN_FUZZ_TARGET(name)                                      \
  static void name##_fuzz(std::string_view data);                       \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {   \
    name##_fuzz(std::string_view(reinterpret_cast<const char*>(d), n)); \
    return 0;                                                           \
  }                                                                     \
  static void name##_fuzz(std::string_view data)
#else
#define ZELVORAN_FUZZ_TARGET(name)                                               \
  static void name##_fuzz(std::string_view data);                                \
  static const ::zelvoran::fuzz::Registrar name##_registrar(#name, name##_fuzz); \
  static void name##_fuzz(std::string_view data)
#endif

// A violated property: abort, so that libFuzzer keeps the input and the tests fail.
#define FUZZ_CHECK(cond)                                            \
  do {                                                              \
    if (!(cond)) ::zelvoran::fuzz::Fail(#cond, __FILE__, __LINE__); \
  } while (0)

namespace zelvoran::fuzz {
[[noreturn]] void Fail(const char* what, const char* file, int line);
}
