// SPDX-License-Identifier: GPL-3.0-or-later
// The shell on Linux: QDesktopServices for documents and addresses (xdg-open), QProcess for
// programs. Program paths are resolved as the file system resolves them ("content\x.htm"
// finds content/x.htm, letter case ignored).
#pragma once

#include "platform/shell.h"

namespace zelvoran {

class QtShell final : public Shell {
 public:
  bool OpenFile(std::string_view path) override;
  bool OpenAddress(std::string_view address) override;
  bool StartProgram(std::string_view path, std::string_view parameters) override;
};

}  // namespace zelvoran
