// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard layouts on X11, per program: the desktop's layouts are the groups of the X keyboard
// extension (for example `setxkbmap -layout us,gr`), each presented as the Windows layout of its
// XKB layout name ("us" 00000409, "gr" 00000408, ...), and the standard Greek layout follows
// them where the desktop has no Greek one. Activating a layout never changes the desktop's:
// it selects the layout that the entry box types with (see EntryBoxTyping), compiled with
// libxkbcommon. Without an X display there are no layouts.
//
// As on a system whose layouts are per program, the user can still switch while in the
// program: a change of the desktop's group made while the program has the focus becomes the
// entry box's layout, until the program activates a layout again.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/keyboard_layouts.h"
#include "platform/linux/xkb_keys.h"

class QSocketNotifier;
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
  // Makes `entry` type with the activated layout; the filter lives as long as `entry`. From
  // then on the desktop's group changes are followed as they arrive.
  void AttachEntryBox(QWidget* entry);

  // Whether the program has the focus: a group change made while it has not is left to the
  // other programs. By default, whether one of the application's windows is active.
  void SetHasFocus(std::function<bool()> has_focus) { has_focus_ = std::move(has_focus); }
  // Reads the desktop's group changes that have reached the program (after a round trip to the
  // X server when `sync`, so that a change made before now is among them). The last one made
  // while the program had the focus becomes the layout the entry box types with.
  void FollowDesktopGroup(bool sync);

  // The XKB layout of each group, from a symbols name such as "pc+us+gr(polytonic):2+inet".
  static std::vector<std::string> GroupLayouts(std::string_view symbols);
  // The desktop's layouts followed by "gr" where none of them is Greek.
  static std::vector<std::string> ProgramLayouts(std::vector<std::string> groups);
  // The Windows layout name of an XKB layout ("gr" -> "00000408"); "00000000" when unknown.
  static std::string WindowsLayoutName(std::string_view xkb_layout);

 private:
  bool Select(Handle layout);
  // FollowDesktopGroup, with the changes counted as made while the program had the focus or
  // not as `focused_then` says, or as the focus is now when it says nothing.
  void ReadGroupChanges(bool sync, std::optional<bool> focused_then);
  std::vector<std::string> CurrentGroups();
  void ReadRuleNames();
  void* display_ = nullptr;  // Display*
  std::vector<std::string> layouts_;
  Handle active_ = 0;
  std::string rules_, model_, options_;  // the desktop's, from _XKB_RULES_NAMES
  XkbKeys keys_;
  int xkb_event_base_ = -1;  // -1: group changes are not reported
  std::function<bool()> has_focus_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zelvoran
