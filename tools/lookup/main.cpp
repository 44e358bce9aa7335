// SPDX-License-Identifier: GPL-3.0-or-later
// zelvoran-lookup: look words up in the dictionary from a terminal, run from the program folder.
#include <iostream>

#include "platform/linux/posix_file_system.h"
#include "tools/lookup/lookup_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  zelvoran::PosixFileSystem fs;
  zelvoran::LinuxSystemFolders folders;
  zelvoran::LinuxSystemInfo info;
  return zelvoran::LookupCliMain(args, fs, folders, info, std::cout, std::cerr);
}
