// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/xkb_keys.h"

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <array>
#include <cstdlib>
#include <map>
#include <vector>

namespace zelvoran {
namespace {

struct ContextDeleter {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapDeleter {
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};
struct StateDeleter {
  void operator()(xkb_state* s) const { xkb_state_unref(s); }
};
struct ComposeTableDeleter {
  void operator()(xkb_compose_table* t) const { xkb_compose_table_unref(t); }
};
struct ComposeStateDeleter {
  void operator()(xkb_compose_state* s) const { xkb_compose_state_unref(s); }
};

constexpr uint32_t kLock = 2, kControl = 4, kMod1 = 8, kMod2 = 16, kMod4 = 64;
constexpr std::array<const char*, 8> kRealModNames = {"Shift", "Lock", "Control", "Mod1",
                                                      "Mod2",  "Mod3", "Mod4",    "Mod5"};

bool IsDeadKey(xkb_keysym_t sym) {
  return sym >= XKB_KEY_dead_grave && sym <= 0xfe93;  // dead_grave .. dead_longsolidusoverlay
}

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Text that is a character to insert, not a control code (Return, Tab, BackSpace, Escape...).
bool IsPrintable(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

// The accents of the Greek layouts, for a system without compose tables: tonos, dialytika and
// both, over the vowels that take them.
char32_t ComposeGreek(const std::vector<xkb_keysym_t>& dead, char32_t base) {
  bool acute = false, diaeresis = false;
  for (xkb_keysym_t d : dead) {
    if (d == XKB_KEY_dead_acute) {
      acute = true;
    } else if (d == XKB_KEY_dead_diaeresis) {
      diaeresis = true;
    } else {
      return 0;
    }
  }
  if (base == U' ') {
    if (dead.size() != 1) return 0;
    return acute ? U'\u00B4' : U'\u00A8';
  }
  static const std::map<char32_t, char32_t> tonos = {
      {U'α', U'ά'}, {U'ε', U'έ'}, {U'η', U'ή'}, {U'ι', U'ί'}, {U'ο', U'ό'},
      {U'υ', U'ύ'}, {U'ω', U'ώ'}, {U'Α', U'Ά'}, {U'Ε', U'Έ'}, {U'Η', U'Ή'},
      {U'Ι', U'Ί'}, {U'Ο', U'Ό'}, {U'Υ', U'Ύ'}, {U'Ω', U'Ώ'}};
  static const std::map<char32_t, char32_t> dialytika = {
      {U'ι', U'ϊ'}, {U'υ', U'ϋ'}, {U'Ι', U'Ϊ'}, {U'Υ', U'Ϋ'}};
  static const std::map<char32_t, char32_t> both = {{U'ι', U'ΐ'}, {U'υ', U'ΰ'}};
  const std::map<char32_t, char32_t>& table =
      acute && diaeresis ? both : (acute ? tonos : dialytika);
  const auto it = table.find(base);
  return it == table.end() ? 0 : it->second;
}

}  // namespace

struct XkbKeys::Impl {
  std::unique_ptr<xkb_context, ContextDeleter> context;
  std::map<std::string, std::unique_ptr<xkb_keymap, KeymapDeleter>> keymaps;
  std::unique_ptr<xkb_state, StateDeleter> state;
  std::array<xkb_mod_index_t, 8> mods{};
  std::unique_ptr<xkb_compose_table, ComposeTableDeleter> compose_table;
  std::unique_ptr<xkb_compose_state, ComposeStateDeleter> compose;
  std::vector<xkb_keysym_t> dead;  // the dead keys waiting, without a compose table

  void LoadCompose();
  Key Compose(xkb_keysym_t sym, const std::string& text);
  Key ComposeByTable(xkb_keysym_t sym, const std::string& text);
};

// The user's locale's compose table, or the UTF-8 table of en_US where that one lacks the Greek
// accents (or the locale has none); the small table above where no table has them.
void XkbKeys::Impl::LoadCompose() {
  std::vector<std::string> locales;
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) {
      locales.emplace_back(v);
      break;
    }
  }
  locales.emplace_back("en_US.UTF-8");
  for (const std::string& locale : locales) {
    std::unique_ptr<xkb_compose_table, ComposeTableDeleter> table(xkb_compose_table_new_from_locale(
        context.get(), locale.c_str(), XKB_COMPOSE_COMPILE_NO_FLAGS));
    if (!table) continue;
    std::unique_ptr<xkb_compose_state, ComposeStateDeleter> probe(
        xkb_compose_state_new(table.get(), XKB_COMPOSE_STATE_NO_FLAGS));
    if (!probe) continue;
    xkb_compose_state_feed(probe.get(), XKB_KEY_dead_acute);
    xkb_compose_state_feed(probe.get(), XKB_KEY_Greek_alpha);
    char out[16] = {};
    if (xkb_compose_state_get_status(probe.get()) != XKB_COMPOSE_COMPOSED ||
        xkb_compose_state_get_utf8(probe.get(), out, sizeof out) <= 0 || std::string(out) != "ά") {
      continue;
    }
    xkb_compose_state_reset(probe.get());
    compose_table = std::move(table);
    compose = std::move(probe);
    return;
  }
}

XkbKeys::Key XkbKeys::Impl::Compose(xkb_keysym_t sym, const std::string& text) {
  if (!compose) return ComposeByTable(sym, text);
  if (xkb_compose_state_feed(compose.get(), sym) == XKB_COMPOSE_FEED_IGNORED) {
    return {Outcome::kPass, {}};
  }
  switch (xkb_compose_state_get_status(compose.get())) {
    case XKB_COMPOSE_COMPOSING:
      return {Outcome::kSwallow, {}};
    case XKB_COMPOSE_COMPOSED: {
      char out[64] = {};
      const int n = xkb_compose_state_get_utf8(compose.get(), out, sizeof out);
      xkb_compose_state_reset(compose.get());
      if (n > 0 && IsPrintable(out)) return {Outcome::kText, out};
      return {Outcome::kSwallow, {}};
    }
    case XKB_COMPOSE_CANCELLED:
      xkb_compose_state_reset(compose.get());
      return {Outcome::kSwallow, {}};
    case XKB_COMPOSE_NOTHING:
      break;
  }
  if (IsPrintable(text)) return {Outcome::kText, text};
  return {Outcome::kPass, {}};
}

XkbKeys::Key XkbKeys::Impl::ComposeByTable(xkb_keysym_t sym, const std::string& text) {
  if (IsDeadKey(sym)) {
    dead.push_back(sym);
    if (dead.size() > 2) dead.clear();
    return {Outcome::kSwallow, {}};
  }
  if (!IsPrintable(text)) return {Outcome::kPass, {}};
  if (dead.empty()) return {Outcome::kText, text};
  const char32_t composed = ComposeGreek(dead, xkb_keysym_to_utf32(sym));
  dead.clear();
  if (composed == 0) return {Outcome::kSwallow, {}};
  return {Outcome::kText, Utf8(composed)};
}

XkbKeys::XkbKeys(Compose compose) : impl_(std::make_unique<Impl>()) {
  impl_->context.reset(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
  // A layout that does not compile is a false result, not a message on the terminal.
  if (impl_->context) xkb_context_set_log_level(impl_->context.get(), XKB_LOG_LEVEL_CRITICAL);
  if (impl_->context && compose == Compose::kLocaleTable) impl_->LoadCompose();
}

XkbKeys::~XkbKeys() = default;

bool XkbKeys::SetLayout(const Names& names) {
  if (!impl_->context || names.layout.empty()) return false;
  const std::string key = names.rules + '\n' + names.model + '\n' + names.layout + '\n' +
                          names.variant + '\n' + names.options;
  auto it = impl_->keymaps.find(key);
  if (it == impl_->keymaps.end()) {
    xkb_rule_names rmlvo{};
    rmlvo.rules = names.rules.empty() ? "evdev" : names.rules.c_str();
    rmlvo.model = names.model.empty() ? "pc105" : names.model.c_str();
    rmlvo.layout = names.layout.c_str();
    rmlvo.variant = names.variant.c_str();
    rmlvo.options = names.options.c_str();
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap(
        xkb_keymap_new_from_names(impl_->context.get(), &rmlvo, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) return false;
    it = impl_->keymaps.emplace(key, std::move(keymap)).first;
  }
  std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(it->second.get()));
  if (!state) return false;
  for (size_t i = 0; i < kRealModNames.size(); ++i) {
    impl_->mods[i] = xkb_keymap_mod_get_index(it->second.get(), kRealModNames[i]);
  }
  impl_->state = std::move(state);
  ResetCompose();
  return true;
}

bool XkbKeys::HasLayout() const {
  return impl_->state != nullptr;
}

XkbKeys::Key XkbKeys::Press(uint32_t keycode, uint32_t x_state) {
  if (!impl_->state) return {};
  if (x_state & (kControl | kMod1 | kMod4)) {
    ResetCompose();
    return {};
  }
  xkb_mod_mask_t depressed = 0, locked = 0;
  for (size_t i = 0; i < impl_->mods.size(); ++i) {
    if (!(x_state & (1u << i)) || impl_->mods[i] == XKB_MOD_INVALID) continue;
    const xkb_mod_mask_t bit = xkb_mod_mask_t{1} << impl_->mods[i];
    if ((1u << i) == kLock || (1u << i) == kMod2) {
      locked |= bit;
    } else {
      depressed |= bit;
    }
  }
  xkb_state_update_mask(impl_->state.get(), depressed, 0, locked, 0, 0, 0);
  const xkb_keysym_t sym = xkb_state_key_get_one_sym(impl_->state.get(), keycode);
  if (sym == XKB_KEY_NoSymbol) return {};
  char buffer[64] = {};
  xkb_state_key_get_utf8(impl_->state.get(), keycode, buffer, sizeof buffer);
  const std::string text = buffer;
  // Keys that type nothing (arrows, modifiers, Return...) pass untouched and leave a waiting
  // dead key waiting, as Shift between the accent and the capital must.
  if (!IsPrintable(text) && !IsDeadKey(sym)) return {};
  return impl_->Compose(sym, text);
}

void XkbKeys::ResetCompose() {
  if (impl_->compose) xkb_compose_state_reset(impl_->compose.get());
  impl_->dead.clear();
}

XkbKeys::Names XkbKeys::FromLayoutName(std::string_view name) {
  Names names;
  const size_t open = name.find('(');
  if (open == std::string_view::npos) {
    names.layout = std::string(name);
    return names;
  }
  names.layout = std::string(name.substr(0, open));
  std::string_view variant = name.substr(open + 1);
  if (const size_t close = variant.find(')'); close != std::string_view::npos) {
    variant = variant.substr(0, close);
  }
  names.variant = std::string(variant);
  return names;
}

}  // namespace zelvoran
