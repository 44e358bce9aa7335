// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/display_platform.h"

#include <gtest/gtest.h>

namespace zelvoran {
namespace {

TEST(ChooseQtPlatform, XWaylandUnlessTheUserChose) {
  struct Case {
    const char* qpa;
    const char* wayland;
    const char* display;
    const char* chosen;
  } cases[] = {
      {nullptr, "wayland-0", ":0", "xcb"},  // Wayland session with XWayland
      {nullptr, "wayland-0", nullptr, ""},  // no XWayland: Qt's own choice (Wayland)
      {nullptr, "wayland-0", "", ""},       // an empty DISPLAY is none
      {nullptr, nullptr, ":0", ""},         // plain X11 session
      {nullptr, "", ":0", ""},              // an empty WAYLAND_DISPLAY is none
      {nullptr, nullptr, nullptr, ""},      // no display at all
      {"wayland", "wayland-0", ":0", ""},   // the user's choice stands
      {"offscreen", "wayland-0", ":0", ""},
      {"", "wayland-0", ":0", "xcb"},  // an empty choice is none
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseQtPlatform(c.qpa, c.wayland, c.display), c.chosen)
        << (c.qpa ? c.qpa : "-") << " " << (c.wayland ? c.wayland : "-") << " "
        << (c.display ? c.display : "-");
  }
}

}  // namespace
}  // namespace zelvoran
