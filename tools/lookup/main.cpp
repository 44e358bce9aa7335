// SPDX-License-Identifier: GPL-3.0-or-later
// zelvoran-lookup: look words up in the dictionary from a terminal, run from the program folder.
#include <iostream>

#include "platform/native/native_file_system.h"
#include "tools/lookup/lookup_cli.h"
#ifdef _WIN32
#include "platform/win32/win32_console.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The tool reads and writes UTF-8; Windows hands argv over in the ANSI code page.
  (void)argc;
  (void)argv;
  const std::vector<std::string> args = zelvoran::Utf8Arguments();
  zelvoran::UseUtf8Console();
#else
  std::vector<std::string> args(argv + 1, argv + argc);
#endif
  zelvoran::NativeFileSystem fs;
  zelvoran::NativeSystemFolders folders;
  zelvoran::NativeSystemInfo info;
  return zelvoran::LookupCliMain(args, fs, folders, info, std::cout, std::cerr);
}
