// SPDX-License-Identifier: GPL-3.0-or-later
// The tests' main: GoogleTest, or one of the jobs that the tests give another process.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/clipboard.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_file_system.h"
#include "tests/win32/win32_test_main.h"

namespace zelvoran::win32_tests {

std::string ToHex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

unsigned long long NowMs() {
  return static_cast<unsigned long long>(GetTickCount64());
}

bool PumpOnce(unsigned wait_ms) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, wait_ms, QS_ALLINPUT);
  MSG msg;
  bool any = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    any = true;
  }
  return any;
}

int RunChild(const std::vector<std::string>& args, unsigned timeout_ms) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\"";
  for (const std::string& a : args) command += " \"" + a + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  CloseHandle(process.hThread);
  // The child's clipboard write sends messages to this thread's viewers: keep handling them.
  const unsigned long long end = NowMs() + timeout_ms;
  int code = -1;
  for (;;) {
    const DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT);
    if (wait == WAIT_OBJECT_0) {
      DWORD exit_code = 0;
      if (GetExitCodeProcess(process.hProcess, &exit_code)) code = static_cast<int>(exit_code);
      break;
    }
    PumpOnce(0);
    if (NowMs() >= end) {
      TerminateProcess(process.hProcess, 1);
      break;
    }
  }
  CloseHandle(process.hProcess);
  return code;
}

}  // namespace zelvoran::win32_tests

namespace {

// Jobs: --write-clipboard HEX, --try-lock PATH MS (exit 0 held, 3 busy), --touch PATH.
int RunJob(int argc, char** argv) {
  using namespace zelvoran;
  const std::string job = argv[1];
  if (job == "--write-clipboard" && argc == 3) {
    return CreateWin32Clipboard(0)->WriteText(win32_tests::FromHex(argv[2])) ? 0 : 1;
  }
  if (job == "--try-lock" && argc == 4) {
    Win32FileSystem fs;
    const LockResult r = fs.LockFile(argv[2], std::chrono::milliseconds(std::stoi(argv[3])));
    return r.status == LockStatus::kHeld ? 0 : r.status == LockStatus::kBusy ? 3 : 1;
  }
  if (job == "--touch" && argc == 3) {
    Win32FileSystem fs;
    return fs.WriteFile(argv[2], "touched") ? 0 : 1;
  }
  std::fprintf(stderr, "unknown job %s\n", job.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]).rfind("--", 0) == 0 &&
      std::string(argv[1]).rfind("--gtest", 0) != 0) {
    return RunJob(argc, argv);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
