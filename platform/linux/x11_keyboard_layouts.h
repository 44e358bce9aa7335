// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard layouts on X11, per program: the desktop's layouts are the groups of the X keyboard
// extension (for example `setxkbmap -layout us,gr`), each presented as the Windows layout of its
// XKB layout name ("us" 00000409, "gr" 00000408, ...), and the standard Greek layout follows
// them where the desktop has no Greek one. Activating a layout never changes the desktop's:
// it selects the layout that the entry box types with (see EntryBoxTyping), compiled with
// libxkbcommon. Without an X display there are no layouts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/keyboard_layouts.h"
#include "platform/linux/xkb_keys.h"

class QWidget;

namespace zelvoran {

class X11KeyboardLayouts final : public KeyboardLayouts {
 public:
  // Opens its own connection to $DISPLAY.
  X11KeyboardLayouts();
  ~X11KeyboardLayouts() override;
  X11KeyboardLayouts(const X11KeyboardLayouts&) = delete;
  X11KeyboardLayouts& operator=(const X11KeyboardLayouts&) = delete;

  bool Connected() const { return display_ != nullptr; }

  std::vector<Handle> List(int max) override;
  bool Activate(Handle layout) override;
  std::string ActiveLayoutName() override;
  std::optional<std::string> EnglishLanguageName(uint32_t locale) override;

  // The layout activated last, which the entry box types with.
  XkbKeys& Keys() { return keys_; }
  // Makes `entry` type with the activated layout; the filter lives as long as `entry`.
  void AttachEntryBox(QWidget* entry);

  // The XKB layout of each group, from a symbols name such as "pc+us+gr(polytonic):2+inet".
  static std::vector<std::string> GroupLayouts(std::string_view symbols);
  // The desktop's layouts followed by "gr" where none of them is Greek.
  static std::vector<std::string> ProgramLayouts(std::vector<std::string> groups);
  // The Windows layout name of an XKB layout ("gr" -> "00000408"); "00000000" when unknown.
  static std::string WindowsLayoutName(std::string_view xkb_layout);

 private:
  std::vector<std::string> CurrentGroups();
  void ReadRuleNames();
  void* display_ = nullptr;  // Display*
  std::vector<std::string> layouts_;
  Handle active_ = 0;
  std::string rules_, model_, options_;  // the desktop's, from _XKB_RULES_NAMES
  XkbKeys keys_;
};

}  // namespace zelvoran
