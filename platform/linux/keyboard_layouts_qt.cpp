// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <array>
#include <cctype>
#include <utility>

#include "platform/linux/entry_box_typing_qt.h"
#include "platform/linux/x11_keyboard_layouts.h"

#if ZELVORAN_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
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

std::vector<std::string> X11KeyboardLayouts::ProgramLayouts(std::vector<std::string> groups) {
  for (const std::string& g : groups) {
    if (WindowsLayoutName(g).substr(4) == "0408") return groups;
  }
  groups.emplace_back("gr");
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
  int major = XkbMajorVersion, minor = XkbMinorVersion, reason = 0, event_base = 0;
  Display* d = XkbOpenDisplay(nullptr, &event_base, nullptr, &major, &minor, &reason);
  if (d && reason == XkbOD_Success) {
    display_ = d;
    ReadRuleNames();
    // Told of every change of the effective group, whoever makes it.
    if (XkbSelectEventDetails(d, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask,
                              XkbGroupStateMask)) {
      xkb_event_base_ = event_base;
    }
    XFlush(d);
  } else if (d) {
    XCloseDisplay(d);
  }
}

X11KeyboardLayouts::~X11KeyboardLayouts() {
  notifier_.reset();
  if (display_) XCloseDisplay(Dpy(display_));
}

void X11KeyboardLayouts::AttachEntryBox(QWidget* entry) {
  if (!entry || !display_) return;
  new EntryBoxTyping(keys_, entry, [this] { FollowDesktopGroup(true); });
  if (xkb_event_base_ >= 0 && !notifier_) {
    notifier_ =
        std::make_unique<QSocketNotifier>(ConnectionNumber(Dpy(display_)), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { FollowDesktopGroup(false); });
    // Changes not read yet when the program gains the focus were made in another program's
    // window; those not read when it loses the focus were made in its own.
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, notifier_.get(),
                     [this](Qt::ApplicationState state) {
                       ReadGroupChanges(true, state != Qt::ApplicationActive);
                     });
  }
}

void X11KeyboardLayouts::FollowDesktopGroup(bool sync) {
  ReadGroupChanges(sync, std::nullopt);
}

void X11KeyboardLayouts::ReadGroupChanges(bool sync, std::optional<bool> focused_then) {
  if (!display_ || xkb_event_base_ < 0) return;
  Display* d = Dpy(display_);
  if (sync) XSync(d, False);
  int group = -1;
  while (XPending(d) > 0) {
    XEvent event;
    XNextEvent(d, &event);
    if (event.type != xkb_event_base_) continue;
    const auto* xkb = reinterpret_cast<const XkbEvent*>(&event);
    if (xkb->any.xkb_type != XkbStateNotify || !(xkb->state.changed & XkbGroupStateMask)) continue;
    const bool focused = focused_then ? *focused_then
                         : has_focus_
                             ? has_focus_()
                             : QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (focused) group = xkb->state.group;
  }
  if (group < 0) return;
  // The program's layouts begin with the desktop's groups, in their order.
  const std::vector<std::string> groups = CurrentGroups();
  if (static_cast<size_t>(group) >= groups.size() || groups[static_cast<size_t>(group)].empty()) {
    return;
  }
  layouts_ = ProgramLayouts(groups);
  Select(static_cast<Handle>(group) + 1);
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

// The rules, model and options the desktop's keymap was made with (setxkbmap records them on
// the root window), so that the program's own layouts use the same keycodes and options.
void X11KeyboardLayouts::ReadRuleNames() {
  Display* d = Dpy(display_);
  const Atom names = XInternAtom(d, "_XKB_RULES_NAMES", True);
  if (names == None) return;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, DefaultRootWindow(d), names, 0, 1024, False, XA_STRING, &type, &format,
                         &count, &after, &data) != Success) {
    return;
  }
  if (data && format == 8) {
    // rules NUL model NUL layouts NUL variants NUL options NUL
    std::vector<std::string> fields;
    std::string field;
    for (unsigned long i = 0; i < count; ++i) {
      if (data[i] == 0) {
        fields.push_back(field);
        field.clear();
      } else {
        field += static_cast<char>(data[i]);
      }
    }
    fields.push_back(field);
    fields.resize(5);
    rules_ = fields[0];
    model_ = fields[1];
    options_ = fields[4];
  }
  if (data) XFree(data);
}

std::vector<KeyboardLayouts::Handle> X11KeyboardLayouts::List(int max) {
  std::vector<Handle> handles;
  if (!display_) return handles;
  layouts_ = ProgramLayouts(CurrentGroups());
  for (size_t i = 0; i < layouts_.size() && static_cast<int>(handles.size()) < max; ++i) {
    handles.push_back(i + 1);
  }
  return handles;
}

bool X11KeyboardLayouts::Activate(Handle layout) {
  if (!display_ || layout == 0) return false;
  // Group changes made before this call are over: the program's choice comes after them.
  FollowDesktopGroup(true);
  return Select(layout);
}

bool X11KeyboardLayouts::Select(Handle layout) {
  if (layouts_.empty()) layouts_ = ProgramLayouts(CurrentGroups());
  if (layout == 0 || layout > layouts_.size()) return false;
  XkbKeys::Names names = XkbKeys::FromLayoutName(layouts_[layout - 1]);
  names.rules = rules_;
  names.model = model_;
  names.options = options_;
  if (!keys_.SetLayout(names)) {
    // Rules this library cannot read: the layout alone, with the usual keycodes.
    names.rules.clear();
    names.model.clear();
    names.options.clear();
    if (!keys_.SetLayout(names)) return false;
  }
  active_ = layout;
  return true;
}

std::string X11KeyboardLayouts::ActiveLayoutName() {
  if (!display_) return {};
  if (active_ != 0 && active_ <= layouts_.size()) return WindowsLayoutName(layouts_[active_ - 1]);
  // Before the program chose one: the desktop's active layout.
  XkbStateRec state{};
  if (XkbGetState(Dpy(display_), XkbUseCoreKbd, &state) != Success) return {};
  const std::vector<std::string> groups = CurrentGroups();
  const size_t group = state.group;
  if (group >= groups.size() || groups[group].empty()) return {};
  return WindowsLayoutName(groups[group]);
}

#else

X11KeyboardLayouts::X11KeyboardLayouts() = default;
void X11KeyboardLayouts::AttachEntryBox(QWidget*) {}
void X11KeyboardLayouts::ReadRuleNames() {}
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
bool X11KeyboardLayouts::Select(Handle) {
  return false;
}
void X11KeyboardLayouts::FollowDesktopGroup(bool) {}
void X11KeyboardLayouts::ReadGroupChanges(bool, std::optional<bool>) {}
std::string X11KeyboardLayouts::ActiveLayoutName() {
  return {};
}

#endif

}  // namespace zelvoran
