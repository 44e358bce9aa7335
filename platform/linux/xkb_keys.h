// SPDX-License-Identifier: GPL-3.0-or-later
// Typing with a keyboard layout of the program's own: libxkbcommon compiles a layout by name and
// turns a key's X keycode and modifier state into text, composing dead keys (the Greek layout's
// ´ and ¨ before a vowel). The desktop's own layout is never touched.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zelvoran {

class XkbKeys {
 public:
  // A layout by rule names, as setxkbmap takes them; empty rules and model mean "evdev" and
  // "pc105", which match the keycodes of X servers and XWayland.
  struct Names {
    std::string rules;
    std::string model;
    std::string layout;   // "gr"
    std::string variant;  // "polytonic"; empty for the basic variant
    std::string options;
  };

  enum class Outcome {
    kPass,     // not for this layout to type (control keys, Ctrl/Alt chords): deliver as it is
    kText,     // the key types `text`
    kSwallow,  // a dead key waiting for the next one, or a sequence that composes to nothing
  };
  struct Key {
    Outcome outcome = Outcome::kPass;
    std::string text;  // UTF-8
  };

  // Where dead keys find their accents: the locale's compose table (falling back to the built-in
  // Greek accents where no table has them), or the built-in accents alone.
  enum class Compose { kLocaleTable, kBuiltIn };

  explicit XkbKeys(Compose compose = Compose::kLocaleTable);
  ~XkbKeys();
  XkbKeys(const XkbKeys&) = delete;
  XkbKeys& operator=(const XkbKeys&) = delete;

  // Compiles and selects a layout; false (unknown layout) keeps the one in use.
  bool SetLayout(const Names& names);
  bool HasLayout() const;
  // A key press: `keycode` is the X keycode (evdev code + 8), `x_state` the core protocol's
  // modifier mask of the event (Shift 1, Lock 2, Control 4, Mod1 8, ... Mod5 128).
  Key Press(uint32_t keycode, uint32_t x_state);
  // Forgets a dead key that is waiting.
  void ResetCompose();

  // "gr(polytonic)" -> layout "gr", variant "polytonic".
  static Names FromLayoutName(std::string_view name);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zelvoran
