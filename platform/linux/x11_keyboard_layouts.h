// Keyboard layouts on X11: the groups of the X keyboard extension (for example
// `setxkbmap -layout us,gr`), each presented as the Windows layout of its XKB layout name
// ("us" 00000409, "gr" 00000408, ...). A layout is activated by locking its group. Without an
// X display there are no layouts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/keyboard_layouts.h"

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

  // The XKB layout of each group, from a symbols name such as "pc+us+gr(polytonic):2+inet".
  static std::vector<std::string> GroupLayouts(std::string_view symbols);
  // The Windows layout name of an XKB layout ("gr" -> "00000408"); "00000000" when unknown.
  static std::string WindowsLayoutName(std::string_view xkb_layout);

 private:
  std::vector<std::string> CurrentGroups();
  void* display_ = nullptr;  // Display*
};

}  // namespace zelvoran
