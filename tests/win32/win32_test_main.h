// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 tests start their own executable again as "another process": these are its jobs.
#pragma once

#include <string>
#include <vector>

namespace zelvoran::win32_tests {

// Starts this executable with `args` and waits up to `timeout_ms` for it to end, handling the
// window messages sent to this thread meanwhile; its exit code, or -1.
int RunChild(const std::vector<std::string>& args, unsigned timeout_ms = 10000);

// Handles the messages sent to this thread's windows until `done` answers true or
// `timeout_ms` passes; whether `done` answered true.
template <typename Done>
bool PumpUntil(Done done, unsigned timeout_ms = 5000);

// Windows-1253 bytes as hexadecimal digits, and back: a command line carries them unchanged.
std::string ToHex(const std::string& bytes);
std::string FromHex(const std::string& hex);

bool PumpOnce(unsigned wait_ms);
unsigned long long NowMs();

template <typename Done>
bool PumpUntil(Done done, unsigned timeout_ms) {
  const unsigned long long end = NowMs() + timeout_ms;
  while (!done()) {
    if (NowMs() >= end) return false;
    PumpOnce(20);
  }
  return true;
}

}  // namespace zelvoran::win32_tests
