// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_console.h"

#include "platform/win32/win32_api.h"
// After windows.h, which it needs.
#include <shellapi.h>

namespace zelvoran {
namespace {

std::string ToUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.pop_back();  // the terminating zero
  return out;
}

}  // namespace

std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(ToUtf8(argv[i]));
  LocalFree(argv);
  return args;
}

void UseUtf8Console() {
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace zelvoran
