// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 implementations of the keyboard layouts and of shell execution.
#pragma once

#include <cstdint>

#include "platform/keyboard_layouts.h"
#include "platform/shell.h"

namespace zelvoran {

// GetKeyboardLayoutList, ActivateKeyboardLayout, GetKeyboardLayoutNameA, GetLocaleInfoA.
class Win32KeyboardLayouts final : public KeyboardLayouts {
 public:
  std::vector<Handle> List(int max) override;
  bool Activate(Handle layout) override;
  std::string ActiveLayoutName() override;
  std::optional<std::string> EnglishLanguageName(uint32_t locale) override;
};

// ShellExecuteA with the owner window `owner` (a window handle, 0 for none), the default verb
// and SW_SHOW; a result of 32 or less is a failure.
class Win32Shell final : public Shell {
 public:
  explicit Win32Shell(uint64_t owner = 0) : owner_(owner) {}
  bool OpenFile(std::string_view path) override;
  bool OpenAddress(std::string_view address) override;
  bool StartProgram(std::string_view path, std::string_view parameters) override;

 private:
  bool Execute(const std::string& file, const char* parameters);
  uint64_t owner_;
};

}  // namespace zelvoran
