// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard layouts without a system: a list of layouts, each with the name Windows gives it
// and the locales whose English language name can be read.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/keyboard_layouts.h"

namespace zelvoran::testing {

class FakeKeyboardLayouts final : public KeyboardLayouts {
 public:
  struct Layout {
    Handle handle;
    std::string name;  // what GetKeyboardLayoutNameA reports while it is active
  };
  std::vector<Layout> layouts;
  std::map<uint32_t, std::string> languages = {
      {0x0409, "English"}, {0x0809, "English"}, {0x0408, "Greek"}, {0x0407, "German"}};
  Handle active = 0;
  std::vector<Handle> activations;  // every Activate call, in order
  int max_asked = 0;

  std::vector<Handle> List(int max) override {
    max_asked = max;
    std::vector<Handle> out;
    for (const Layout& l : layouts) {
      if (static_cast<int>(out.size()) == max) break;
      out.push_back(l.handle);
    }
    return out;
  }
  bool Activate(Handle layout) override {
    activations.push_back(layout);
    for (const Layout& l : layouts) {
      if (l.handle == layout) {
        active = layout;
        return true;
      }
    }
    return false;
  }
  std::string ActiveLayoutName() override {
    for (const Layout& l : layouts) {
      if (l.handle == active) return l.name;
    }
    return {};
  }
  std::optional<std::string> EnglishLanguageName(uint32_t locale) override {
    auto it = languages.find(locale);
    if (it == languages.end()) return std::nullopt;
    return it->second;
  }
};

}  // namespace zelvoran::testing
