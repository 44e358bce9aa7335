// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard layouts as Windows presents them: a list of handles, activation, the active
// layout's eight-hex-digit name, and a locale's English language name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvoran {

class KeyboardLayouts {
 public:
  using Handle = uint64_t;  // 0: no layout
  virtual ~KeyboardLayouts() = default;
  // GetKeyboardLayoutList with room for `max` handles.
  virtual std::vector<Handle> List(int max) = 0;
  // ActivateKeyboardLayout with flags 0.
  virtual bool Activate(Handle layout) = 0;
  // GetKeyboardLayoutNameA of the active layout: eight hexadecimal digits.
  virtual std::string ActiveLayoutName() = 0;
  // GetLocaleInfoA(locale, LOCALE_SENGLANGUAGE); nullopt when it cannot be read.
  virtual std::optional<std::string> EnglishLanguageName(uint32_t locale) = 0;
};

}  // namespace zelvoran
