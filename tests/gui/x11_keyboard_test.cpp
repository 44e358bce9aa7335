// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/keyboard.h"
#include "platform/linux/x11_keyboard_layouts.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace zelvoran {
namespace {

TEST(X11KeyboardNames, GroupsFromTheSymbolsName) {
  using V = std::vector<std::string>;
  EXPECT_EQ(X11KeyboardLayouts::GroupLayouts("pc+us+gr:2+inet(evdev)"), (V{"us", "gr"}));
  EXPECT_EQ(X11KeyboardLayouts::GroupLayouts(
                "pc+gr(polytonic)+us:2+gr:3+inet(evdev)+group(alt_shift_toggle)"),
            (V{"gr(polytonic)", "us", "gr"}));
  EXPECT_EQ(X11KeyboardLayouts::GroupLayouts("pc+us+inet(evdev)"), (V{"us"}));
  EXPECT_EQ(X11KeyboardLayouts::GroupLayouts(""), V{});
  EXPECT_EQ(X11KeyboardLayouts::GroupLayouts("pc+us+gr:9+de:x"), (V{"us"}));
  EXPECT_EQ(X11KeyboardLayouts::WindowsLayoutName("us"), "00000409");
  EXPECT_EQ(X11KeyboardLayouts::WindowsLayoutName("gr"), "00000408");
  EXPECT_EQ(X11KeyboardLayouts::WindowsLayoutName("gr(polytonic)"), "00020408");
  EXPECT_EQ(X11KeyboardLayouts::WindowsLayoutName("us(intl)"), "00000409");
  EXPECT_EQ(X11KeyboardLayouts::WindowsLayoutName("xx"), "00000000");
}

TEST(X11KeyboardNames, LanguageNamesOfWholeLocaleNumbers) {
  X11KeyboardLayouts k;
  EXPECT_EQ(k.EnglishLanguageName(0x0408), "Greek");
  EXPECT_EQ(k.EnglishLanguageName(0x0409), "English");
  EXPECT_EQ(k.EnglishLanguageName(0x0809), "English");
  EXPECT_EQ(k.EnglishLanguageName(0x20408), std::nullopt);
  EXPECT_EQ(k.EnglishLanguageName(0), std::nullopt);
}

// The desktop's locked group, as another X client sees it.
int DesktopGroup() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return -1;
  XkbStateRec state{};
  const int group = XkbGetState(d, XkbUseCoreKbd, &state) == Success ? state.locked_group : -1;
  XCloseDisplay(d);
  return group;
}

// Runs on a private X server with `setxkbmap -layout us,gr` (tests/tools/x11_keyboard.sh, which
// the ordinary GUI test run leaves these tests to).
TEST(X11Keyboard, TheDesktopsLayoutsArePresentedAndActivatedForTheProgramOnly) {
  ASSERT_TRUE(std::getenv("ZELVORAN_XKB_TEST") && std::getenv("DISPLAY"))
      << "run through tests/tools/x11_keyboard.sh";
  X11KeyboardLayouts k;
  ASSERT_TRUE(k.Connected());
  ASSERT_EQ(DesktopGroup(), 0);
  EXPECT_EQ(k.ActiveLayoutName(), "00000409");  // the desktop's until the program chooses
  const std::vector<KeyboardLayouts::Handle> handles = k.List(20);
  ASSERT_EQ(handles, (std::vector<KeyboardLayouts::Handle>{1, 2}));
  EXPECT_EQ(k.List(1).size(), 1u);
  EXPECT_FALSE(k.Activate(0));
  EXPECT_FALSE(k.Activate(3));
  ASSERT_TRUE(k.Activate(2));
  EXPECT_EQ(k.ActiveLayoutName(), "00000408");
  EXPECT_EQ(k.Keys().Press(38, 0).text, "α");  // the A key types alpha for the program
  EXPECT_EQ(DesktopGroup(), 0);                // and the desktop keeps its layout
  ASSERT_TRUE(k.Activate(1));
  EXPECT_EQ(k.ActiveLayoutName(), "00000409");
  EXPECT_EQ(k.Keys().Press(38, 0).text, "a");

  const LayoutHandles h = FindKeyboardLayouts(k);
  EXPECT_EQ(h.EnglishKeyboardLayout, 1u);
  EXPECT_EQ(h.GreekKeyboardLayout, 2u);
  EXPECT_EQ(k.ActiveLayoutName(), "00000408");  // the scan ends on the last layout
  EXPECT_EQ(DesktopGroup(), 0);

  // The desktop switched to Greek meanwhile: the program's layout stays its own.
  Display* d = XOpenDisplay(nullptr);
  ASSERT_NE(d, nullptr);
  XkbLockGroup(d, XkbUseCoreKbd, 1);
  XSync(d, False);
  ASSERT_TRUE(k.Activate(1));
  EXPECT_EQ(k.Keys().Press(38, 0).text, "a");
  EXPECT_EQ(DesktopGroup(), 1);
  XkbLockGroup(d, XkbUseCoreKbd, 0);
  XSync(d, False);
  XCloseDisplay(d);
}

TEST(X11Keyboard, TheUsersSwitchWhileTheProgramHasTheFocusBecomesTheEntryBoxsLayout) {
  ASSERT_TRUE(std::getenv("ZELVORAN_XKB_TEST") && std::getenv("DISPLAY"))
      << "run through tests/tools/x11_keyboard.sh";
  X11KeyboardLayouts k;
  ASSERT_TRUE(k.Connected());
  bool focused = true;
  k.SetHasFocus([&focused] { return focused; });
  ASSERT_EQ(k.List(20).size(), 2u);
  ASSERT_TRUE(k.Activate(1));  // us
  Display* d = XOpenDisplay(nullptr);
  ASSERT_NE(d, nullptr);
  auto lock = [d](unsigned group) {
    XkbLockGroup(d, XkbUseCoreKbd, group);
    XSync(d, False);
  };
  auto typed = [&k] { return k.Keys().Press(38, 0).text; };  // the A key

  lock(1);  // the user switches to Greek in the program
  k.FollowDesktopGroup(true);
  EXPECT_EQ(typed(), "α");
  EXPECT_EQ(k.ActiveLayoutName(), "00000408");
  lock(0);
  k.FollowDesktopGroup(true);
  EXPECT_EQ(typed(), "a");

  // Until the program activates a layout itself: its choice comes after the switches before.
  lock(1);
  ASSERT_TRUE(k.Activate(1));
  EXPECT_EQ(typed(), "a");
  k.FollowDesktopGroup(true);
  EXPECT_EQ(typed(), "a");

  // A switch while another program has the focus is that program's.
  focused = false;
  lock(0);
  lock(1);
  k.FollowDesktopGroup(true);
  EXPECT_EQ(typed(), "a");
  EXPECT_EQ(DesktopGroup(), 1);  // the desktop keeps the user's choice
  lock(0);
  XCloseDisplay(d);
}

TEST(X11Keyboard, NoDisplayMeansNoLayouts) {
  const char* saved = std::getenv("DISPLAY");
  const std::string old = saved ? saved : "";
  ::setenv("DISPLAY", ":987654", 1);
  X11KeyboardLayouts k;
  EXPECT_FALSE(k.Connected());
  EXPECT_TRUE(k.List(20).empty());
  EXPECT_FALSE(k.Activate(1));
  EXPECT_EQ(k.ActiveLayoutName(), "");
  const LayoutHandles h = FindKeyboardLayouts(k);
  EXPECT_EQ(h.GreekKeyboardLayout, 0u);
  EXPECT_EQ(h.EnglishKeyboardLayout, 0u);
  if (saved) {
    ::setenv("DISPLAY", old.c_str(), 1);
  } else {
    ::unsetenv("DISPLAY");
  }
}

}  // namespace
}  // namespace zelvoran
