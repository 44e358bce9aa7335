#include <gtest/gtest.h>

#include <cstdlib>

#include "app/keyboard.h"
#include "platform/linux/x11_keyboard_layouts.h"

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

// Locks keyboard groups of the X server it runs on, so it only runs where a test script has
// started a private X server with `setxkbmap -layout us,gr` (tests/tools/x11_keyboard.sh).
TEST(X11Keyboard, GroupsOfAPrivateServerAreTheLayouts) {
  if (!std::getenv("ZELVORAN_XKB_TEST") || !std::getenv("DISPLAY")) {
    GTEST_SKIP() << "needs a private X server (tests/tools/x11_keyboard.sh)";
  }
  X11KeyboardLayouts k;
  if (!k.Connected()) GTEST_SKIP() << "no X display";
  const std::vector<KeyboardLayouts::Handle> handles = k.List(20);
  ASSERT_FALSE(handles.empty());
  EXPECT_EQ(handles.front(), 1u);
  EXPECT_EQ(k.List(1).size(), 1u);
  ASSERT_TRUE(k.Activate(1));
  EXPECT_EQ(k.ActiveLayoutName(), "00000409");
  EXPECT_FALSE(k.Activate(0));
  if (handles.size() < 2) {
    const LayoutHandles h = FindKeyboardLayouts(k);
    EXPECT_EQ(h.EnglishKeyboardLayout, 1u);
    EXPECT_EQ(h.GreekKeyboardLayout, 0u);
    GTEST_SKIP() << "the X server kept a single group (setxkbmap had no effect on it)";
  }
  ASSERT_EQ(handles, (std::vector<KeyboardLayouts::Handle>{1, 2}));
  ASSERT_TRUE(k.Activate(2));
  EXPECT_EQ(k.ActiveLayoutName(), "00000408");
  const LayoutHandles h = FindKeyboardLayouts(k);
  EXPECT_EQ(h.EnglishKeyboardLayout, 1u);
  EXPECT_EQ(h.GreekKeyboardLayout, 2u);
  EXPECT_EQ(k.ActiveLayoutName(), "00000408");  // the scan ends on the last layout
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
