// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keyboard.h"

#include <charconv>

#include "app/main_core.h"

namespace zelvoran {

LayoutHandles FindKeyboardLayouts(KeyboardLayouts& layouts) {
  LayoutHandles found;
  for (KeyboardLayouts::Handle h : layouts.List(20)) {
    layouts.Activate(h);
    const std::string name = layouts.ActiveLayoutName();
    uint32_t locale = 0;
    auto [ptr, ec] = std::from_chars(name.data(), name.data() + name.size(), locale, 16);
    if (name.size() != 8 || ec != std::errc() || ptr != name.data() + name.size()) continue;
    const std::optional<std::string> language = layouts.EnglishLanguageName(locale);
    if (!language) continue;
    if (*language == "Greek" && found.GreekKeyboardLayout == 0) {
      found.GreekKeyboardLayout = h;
    } else if (*language == "English" && found.EnglishKeyboardLayout == 0) {
      found.EnglishKeyboardLayout = h;
    }
  }
  return found;
}

void ActivateDirectionLayout(MainCore& core) {
  if (!core.svc.keyboard) return;
  const KeyboardLayouts::Handle h = core.CurrentDirection == Direction::kGreek
                                        ? core.Layouts.GreekKeyboardLayout
                                        : core.Layouts.EnglishKeyboardLayout;
  if (h != 0) core.svc.keyboard->Activate(h);
}

}  // namespace zelvoran
