// SPDX-License-Identifier: GPL-3.0-or-later
// Which windowing platform Qt is asked for. Under a Wayland session a native Wayland window
// hears of clipboard changes only while it has the focus, and the desktop keeps the keyboard
// layout to itself; through XWayland (xcb) quick translation and the entry box's own layout
// work. The user's own QT_QPA_PLATFORM always wins.
#pragma once

#include <string>

namespace zelvoran {

// The values of QT_QPA_PLATFORM, WAYLAND_DISPLAY and DISPLAY (nullptr when unset): "xcb" where
// a Wayland session offers XWayland and the user chose no platform; empty leaves the choice to
// Qt.
std::string ChooseQtPlatform(const char* qt_qpa_platform, const char* wayland_display,
                             const char* display);

}  // namespace zelvoran
