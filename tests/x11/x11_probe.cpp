// SPDX-License-Identifier: GPL-3.0-or-later
// A small X client for the end-to-end tests of the program on a private X server:
//   group                 prints the keyboard's locked XKB group as any other client sees it
//   lock-group N          locks group N, as the desktop's layout switch does
//   keys KEY...           presses and releases each key (through the XTEST extension, as a
//                         real keyboard does), whatever the group: unlike typing by keysym,
//                         it never switches the group to reach a key. A KEY is a keycode, or
//                         keycodes joined by "+" pressed together (50+47: Shift and the key)
//   silent-owner          takes CLIPBOARD, prints "owned" and never answers a request
//   other-window          maps a window of another program, gives it the keyboard focus,
//                         prints "focused" and waits until it is killed
//   click-latency W X Y   clicks at (X, Y) in window W (through the XTEST extension, as a
//                         real button press) and prints the milliseconds until W's title
//                         changes; exit 1 after 10 s without
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int Group(Display* d) {
  XkbStateRec s{};
  if (XkbGetState(d, XkbUseCoreKbd, &s) != Success) return 3;
  std::printf("%d\n", s.locked_group);
  return 0;
}

int LockGroup(Display* d, const char* group) {
  if (!XkbLockGroup(d, XkbUseCoreKbd, static_cast<unsigned>(std::atoi(group)))) return 3;
  XSync(d, False);
  return 0;
}

int Keys(Display* d, int count, char** keys) {
  for (int i = 0; i < count; ++i) {
    std::vector<unsigned> chord;
    for (const char* part = keys[i]; *part;) {
      char* end = nullptr;
      const unsigned long code = std::strtoul(part, &end, 10);
      if (end == part || code < 8 || code > 255 || (*end && *end != '+')) return 2;
      chord.push_back(static_cast<unsigned>(code));
      part = *end ? end + 1 : end;
    }
    for (unsigned code : chord) XTestFakeKeyEvent(d, code, True, CurrentTime);
    for (auto it = chord.rbegin(); it != chord.rend(); ++it) {
      XTestFakeKeyEvent(d, *it, False, CurrentTime);
    }
  }
  XSync(d, False);
  return 0;
}

int SilentOwner(Display* d) {
  const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
  // A real timestamp, as owners have: a zero-length property change reports the server time.
  XSelectInput(d, w, PropertyChangeMask);
  XChangeProperty(d, w, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent e;
  XWindowEvent(d, w, PropertyChangeMask, &e);
  XSetSelectionOwner(d, clipboard, w, e.xproperty.time);
  XSync(d, False);
  if (XGetSelectionOwner(d, clipboard) != w) return 3;
  std::printf("owned\n");
  std::fflush(stdout);
  // Never reads another event: every request for the clipboard goes unanswered.
  for (;;) pause();
}

int OtherWindow(Display* d) {
  const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 600, 500, 80, 40, 0, 0, 0);
  XSelectInput(d, w, ExposureMask | FocusChangeMask);
  XMapWindow(d, w);
  XEvent e;
  XWindowEvent(d, w, ExposureMask, &e);  // mapped and viewable: it can take the focus
  XSetInputFocus(d, w, RevertToPointerRoot, CurrentTime);
  XWindowEvent(d, w, FocusChangeMask, &e);
  if (e.type != FocusIn) return 3;
  std::printf("focused\n");
  std::fflush(stdout);
  for (;;) pause();
}

int ClickLatency(Display* d, const char* window, const char* x, const char* y) {
  const Window w = std::strtoul(window, nullptr, 0);
  const Atom net_name = XInternAtom(d, "_NET_WM_NAME", False);
  XSelectInput(d, w, PropertyChangeMask);
  XSync(d, False);
  Window child = None;
  int root_x = 0, root_y = 0;
  XTranslateCoordinates(d, w, DefaultRootWindow(d), std::atoi(x), std::atoi(y), &root_x, &root_y,
                        &child);
  XTestFakeMotionEvent(d, -1, root_x, root_y, CurrentTime);
  XSync(d, False);
  usleep(50000);  // the pointer settles over the button first
  const auto start = std::chrono::steady_clock::now();
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XFlush(d);
  const auto deadline = start + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == PropertyNotify &&
          (e.xproperty.atom == XA_WM_NAME || e.xproperty.atom == net_name)) {
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("%.1f\n", ms);
        return 0;
      }
    }
    usleep(500);
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 2;
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "group") return Group(d);
  if (command == "lock-group" && argc == 3) return LockGroup(d, argv[2]);
  if (command == "keys" && argc > 2) return Keys(d, argc - 2, argv + 2);
  if (command == "silent-owner") return SilentOwner(d);
  if (command == "other-window") return OtherWindow(d);
  if (command == "click-latency" && argc == 5) return ClickLatency(d, argv[2], argv[3], argv[4]);
  std::fprintf(stderr,
               "usage: x11_probe group | lock-group N | keys KEYCODE... | silent-owner | "
               "other-window | "
               "click-latency WINDOW X Y\n");
  return 2;
}
