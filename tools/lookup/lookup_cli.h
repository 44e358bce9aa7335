// SPDX-License-Identifier: GPL-3.0-or-later
// zelvoran-lookup: fills the headword list as the entry box or the search dialog would, from
// the program folder it runs in, and prints it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zelvoran {

class FileSystem;
class SystemFolders;
class SystemInfo;

// Runs the tool with its arguments (without the program name); returns the exit status:
// 0 with at least one row, 1 with none, 2 for a usage error (message on `err`).
int LookupCliMain(const std::vector<std::string>& args, FileSystem& fs, SystemFolders& folders,
                  SystemInfo& info, std::ostream& out, std::ostream& err);

}  // namespace zelvoran
