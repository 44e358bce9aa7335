// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/display_platform.h"

namespace zelvoran {
namespace {
bool Set(const char* value) {
  return value != nullptr && *value != '\0';
}
}  // namespace

std::string ChooseQtPlatform(const char* qt_qpa_platform, const char* wayland_display,
                             const char* display) {
  if (Set(qt_qpa_platform)) return {};
  if (Set(wayland_display) && Set(display)) return "xcb";
  return {};
}

}  // namespace zelvoran
