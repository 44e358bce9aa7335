// SPDX-License-Identifier: GPL-3.0-or-later
// Shell execution: opening a document or an address with the program the system associates
// with it, and starting a program. Paths and parameters are Windows-1253 text; a relative path
// is taken from the current directory. Nothing here throws: every failure is `false`.
#pragma once

#include <string_view>

namespace zelvoran {

class Shell {
 public:
  virtual ~Shell() = default;

  // Opens a file with its associated program (an HTML page in the browser). False when the
  // file does not exist or no program could be started for it.
  virtual bool OpenFile(std::string_view path) = 0;

  // Opens a web address ("https://...") in the browser, or a "mailto:" address in the mail
  // program. False when the address is malformed or nothing could be started.
  virtual bool OpenAddress(std::string_view address) = 0;

  // Starts a program with a parameter string, split as a command line (double quotes group),
  // and does not wait for it. False when the program is missing or cannot be started.
  virtual bool StartProgram(std::string_view path, std::string_view parameters) = 0;
};

}  // namespace zelvoran
