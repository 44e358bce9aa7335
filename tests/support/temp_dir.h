// SPDX-License-Identifier: GPL-3.0-or-later
// A new, empty folder under the system's folder for temporary files, for tests that need real
// files; the standard library only, so that it works on every system the tests run on.
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace zelvoran::testing {

// Creates "<temp>/<prefix>-<random>" and returns its path ("/"-separated on POSIX, the
// system's own form on Windows). Throws when no folder can be created.
inline std::string MakeTempDir(std::string_view prefix) {
  static std::mt19937_64 random{std::random_device{}()};
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path dir =
        temp / (std::string(prefix) + "-" + std::to_string(random() % 100000000));
    std::error_code error;
    if (std::filesystem::create_directory(dir, error)) return dir.string();
  }
  throw std::runtime_error("no temporary folder could be created");
}

}  // namespace zelvoran::testing
