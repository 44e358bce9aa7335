#include <array>
#include <cctype>
#include <utility>

#include "platform/linux/x11_keyboard_layouts.h"

#if ZELVORAN_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XKBstr.h>
#endif

namespace zelvoran {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kLayoutNames = {{
    {"us", "00000409"},
    {"gb", "00000809"},
    {"gr", "00000408"},
    {"gr(simple)", "00010408"},
    {"gr(polytonic)", "00020408"},
    {"de", "00000407"},
    {"fr", "0000040C"},
    {"it", "00000410"},
    {"es", "0000040A"},
    {"ru", "00000419"},
    {"nl", "00000413"},
    {"pt", "00000816"},
    {"ie", "00001809"},
    {"au", "00000C09"},
}};

constexpr std::array<std::pair<uint32_t, std::string_view>, 12> kLanguages = {{
    {0x0409, "English"},
    {0x0809, "English"},
    {0x1809, "English"},
    {0x0C09, "English"},
    {0x0408, "Greek"},
    {0x0407, "German"},
    {0x040C, "French"},
    {0x0410, "Italian"},
    {0x040A, "Spanish"},
    {0x0419, "Russian"},
    {0x0413, "Dutch"},
    {0x0816, "Portuguese"},
}};

// XKB symbol parts that are not keyboard layouts.
bool IsLayoutPart(std::string_view base) {
  for (std::string_view skip : {"pc", "inet", "group", "level3", "level5", "compose", "terminate",
                                "ctrl", "altwin", "caps", "keypad", "evdev"}) {
    if (base == skip) return false;
  }
  return !base.empty() && std::islower(static_cast<unsigned char>(base[0]));
}

}  // namespace

std::vector<std::string> X11KeyboardLayouts::GroupLayouts(std::string_view symbols) {
  std::vector<std::string> groups;
  size_t start = 0;
  while (start <= symbols.size()) {
    size_t end = symbols.find('+', start);
    if (end == std::string_view::npos) end = symbols.size();
    std::string_view part = symbols.substr(start, end - start);
    start = end + 1;
    int group = 1;
    if (size_t colon = part.find(':'); colon != std::string_view::npos) {
      group = 0;
      for (char c : part.substr(colon + 1)) {
        if (c < '0' || c > '9' || group > 4) {
          group = 0;
          break;
        }
        group = group * 10 + (c - '0');
      }
      part = part.substr(0, colon);
      if (group < 1 || group > 4) continue;
    }
    const std::string_view base = part.substr(0, part.find('('));
    if (!IsLayoutPart(base)) continue;
    if (groups.size() < static_cast<size_t>(group)) groups.resize(static_cast<size_t>(group));
    groups[static_cast<size_t>(group - 1)] = std::string(part);
  }
  return groups;
}

std::string X11KeyboardLayouts::WindowsLayoutName(std::string_view xkb_layout) {
  for (const auto& [xkb, windows] : kLayoutNames) {
    if (xkb == xkb_layout) return std::string(windows);
  }
  // A variant without a Windows layout of its own counts as its base layout.
  const std::string_view base = xkb_layout.substr(0, xkb_layout.find('('));
  if (base != xkb_layout) {
    for (const auto& [xkb, windows] : kLayoutNames) {
      if (xkb == base) return std::string(windows);
    }
  }
  return "00000000";
}

std::optional<std::string> X11KeyboardLayouts::EnglishLanguageName(uint32_t locale) {
  if (locale == 0) return std::nullopt;
  for (const auto& [id, name] : kLanguages) {
    if (id == locale) return std::string(name);
  }
  return std::nullopt;
}

#if ZELVORAN_HAVE_X11

namespace {
Display* Dpy(void* d) {
  return static_cast<Display*>(d);
}
}  // namespace

X11KeyboardLayouts::X11KeyboardLayouts() {
  int major = XkbMajorVersion, minor = XkbMinorVersion, reason = 0;
  Display* d = XkbOpenDisplay(nullptr, nullptr, nullptr, &major, &minor, &reason);
  if (d && reason == XkbOD_Success) {
    display_ = d;
  } else if (d) {
    XCloseDisplay(d);
  }
}

X11KeyboardLayouts::~X11KeyboardLayouts() {
  if (display_) XCloseDisplay(Dpy(display_));
}

std::vector<std::string> X11KeyboardLayouts::CurrentGroups() {
  if (!display_) return {};
  Display* d = Dpy(display_);
  XkbDescPtr desc = XkbAllocKeyboard();
  if (!desc) return {};
  std::vector<std::string> groups;
  if (XkbGetNames(d, XkbSymbolsNameMask, desc) == Success && desc->names &&
      desc->names->symbols != None) {
    if (char* name = XGetAtomName(d, desc->names->symbols)) {
      groups = GroupLayouts(name);
      XFree(name);
    }
  }
  int count = 0;
  if (XkbGetControls(d, XkbGroupsWrapMask, desc) == Success && desc->ctrls) {
    count = desc->ctrls->num_groups;
  }
  XkbFreeKeyboard(desc, 0, True);
  if (count > 0 && static_cast<size_t>(count) < groups.size()) {
    groups.resize(static_cast<size_t>(count));
  }
  return groups;
}

std::vector<KeyboardLayouts::Handle> X11KeyboardLayouts::List(int max) {
  std::vector<Handle> handles;
  const std::vector<std::string> groups = CurrentGroups();
  for (size_t i = 0; i < groups.size() && static_cast<int>(handles.size()) < max; ++i) {
    handles.push_back(i + 1);
  }
  return handles;
}

bool X11KeyboardLayouts::Activate(Handle layout) {
  if (!display_ || layout == 0 || layout > 4) return false;
  Display* d = Dpy(display_);
  if (!XkbLockGroup(d, XkbUseCoreKbd, static_cast<unsigned>(layout - 1))) return false;
  XSync(d, False);
  return true;
}

std::string X11KeyboardLayouts::ActiveLayoutName() {
  if (!display_) return {};
  XkbStateRec state{};
  if (XkbGetState(Dpy(display_), XkbUseCoreKbd, &state) != Success) return {};
  const std::vector<std::string> groups = CurrentGroups();
  const size_t group = state.group;
  if (group >= groups.size() || groups[group].empty()) return {};
  return WindowsLayoutName(groups[group]);
}

#else

X11KeyboardLayouts::X11KeyboardLayouts() = default;
X11KeyboardLayouts::~X11KeyboardLayouts() = default;
std::vector<std::string> X11KeyboardLayouts::CurrentGroups() {
  return {};
}
std::vector<KeyboardLayouts::Handle> X11KeyboardLayouts::List(int) {
  return {};
}
bool X11KeyboardLayouts::Activate(Handle) {
  return false;
}
std::string X11KeyboardLayouts::ActiveLayoutName() {
  return {};
}

#endif

}  // namespace zelvoran
