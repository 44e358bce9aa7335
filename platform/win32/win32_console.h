// SPDX-License-Identifier: GPL-3.0-or-later
// The command line and console of a command-line tool on Windows, in UTF-8: main's argv is
// in the ANSI code page, which cannot hold every character a user may type.
#pragma once

#include <string>
#include <vector>

namespace zelvoran {

// The program's arguments (without the program's name) as UTF-8, from the UTF-16 command line.
std::vector<std::string> Utf8Arguments();

// Makes the console show the UTF-8 that the tool writes.
void UseUtf8Console();

}  // namespace zelvoran
