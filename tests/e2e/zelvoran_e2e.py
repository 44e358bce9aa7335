# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the real program under a private X server and reads its windows through AT-SPI, the
way a screen reader reads them.

    with Desktop() as desktop:                      # Xvfb (us,gr), session bus, AT-SPI bus
        with Program(desktop, exe, folder) as app:  # the program on a program folder
            app.type_text("cat")
            app.rows(), app.explanation(), app.headword_label()
            app.click(app.find(name="Γρήγορη Μετάφραση", role="push button"))
            app.clipboard()

One Desktop per process: the AT-SPI client library binds to the first session bus it sees.
Nothing here skips: a missing tool is an error that names the Debian package to install.

Nothing here waits for a time either: every step that needs the program to have done
something waits for the state it leads to (wait_for), so a busy machine only makes a test
slower. Keys and clicks reach the program in the order they were sent.
"""

import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import warnings

# pyatspi still calls the deprecated accessors of the AT-SPI library.
warnings.filterwarnings("ignore", category=DeprecationWarning, module=r"pyatspi(\.|$)")
warnings.filterwarnings("ignore", category=ImportWarning)

TOOLS = {
    "Xvfb": "xvfb",
    "xauth": "xauth",
    "xdotool": "xdotool",
    "xclip": "xclip",
    "setxkbmap": "x11-xkb-utils",
    "dbus-launch": "dbus-x11",
    "dbus-send": "dbus",
    "xprop": "x11-utils",
}
AT_SPI_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# AT-SPI roles of controls a screen reader announces and the user acts on.
CONTROL_ROLES = {
    "push button", "toggle button", "check box", "radio button", "combo box", "text", "entry",
    "password text", "list", "list box", "table", "tree", "tree table", "page tab",
    "spin button", "slider", "menu item", "label", "link", "image", "paragraph",
}
TEXT_ROLES = {"text", "entry", "paragraph"}


class E2EError(Exception):
    pass


def missing_packages():
    """Debian packages whose tools are missing."""
    missing = sorted({pkg for tool, pkg in TOOLS.items() if not shutil.which(tool)})
    if not os.path.exists(AT_SPI_LAUNCHER):
        missing.append("at-spi2-core")
    try:
        import gi  # noqa: F401
        gi.require_version("Atspi", "2.0")
    except (ImportError, ValueError):
        missing.append("python3-pyatspi")
    return missing


# How long a state may take to come about before a test fails; generous, since a test that
# passes never waits it out.
STATE_TIMEOUT = 60.0


def wait_for(condition, timeout=STATE_TIMEOUT, interval=0.05, what="condition"):
    """Polls `condition` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except Exception as e:  # a window still being built answers with errors
            last_error = e
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise E2EError(f"timed out after {timeout} s waiting for {what}{detail}")
        time.sleep(interval)


def _terminate(proc, group=False):
    if proc is None or proc.poll() is not None:
        return
    try:
        if group:
            os.killpg(proc.pid, signal.SIGTERM)
        else:
            proc.terminate()
        proc.wait(5)
    except (subprocess.TimeoutExpired, ProcessLookupError, PermissionError):
        try:
            if group:
                os.killpg(proc.pid, signal.SIGKILL)
            else:
                proc.kill()
            proc.wait(5)
        except Exception:
            pass


class Desktop:
    """A private X server with the keyboard layouts `layouts` (started with -noreset, so the
    layouts survive the last client), a private session bus and the accessibility bus."""

    def __init__(self, layouts="us,gr", screen="1024x768x24"):
        self.layouts, self.screen = layouts, screen
        self.env = None
        self.display = None
        self._procs = []
        self._dbus_pid = None
        self.dir = tempfile.mkdtemp(prefix="zelvoran-e2e-")

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        missing = missing_packages()
        if missing:
            raise E2EError("missing packages: " + " ".join(missing))
        home = os.path.join(self.dir, "home")
        runtime = os.path.join(self.dir, "runtime")
        os.makedirs(os.path.join(home, ".config"))
        os.makedirs(runtime, mode=0o700)
        env = {k: v for k, v in os.environ.items()
               if k not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                            "QT_QPA_PLATFORM", "XAUTHORITY", "SESSION_MANAGER")}
        env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_RUNTIME_DIR=runtime, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                   NO_AT_BRIDGE="0", GTK_A11Y="none")
        self.env = env

        # Xvfb picks a free display itself and writes its number to the pipe.
        read_end, write_end = os.pipe()
        log_path = os.path.join(self.dir, "xvfb.log")
        with open(log_path, "w") as log:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten",
                 "tcp", "-noreset"], pass_fds=(write_end,), stdout=log, stderr=log, env=env)
        self._procs.append((xvfb, False))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + STATE_TIMEOUT
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or xvfb.poll() is not None:
                os.close(read_end)
                raise E2EError(f"Xvfb did not start (see {log_path})")
            ready, _, _ = select.select([read_end], [], [], 0.2)
            if ready:
                chunk = os.read(read_end, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        env["DISPLAY"] = self.display

        self.run("setxkbmap", "-layout", self.layouts)

        out = self.run("dbus-launch", "--sh-syntax").stdout
        for part in out.split(";"):
            part = part.strip()
            if part.startswith("DBUS_SESSION_BUS_ADDRESS="):
                env["DBUS_SESSION_BUS_ADDRESS"] = part.split("=", 1)[1].strip("'")
            elif part.startswith("DBUS_SESSION_BUS_PID="):
                self._dbus_pid = int(part.split("=", 1)[1])
        if "DBUS_SESSION_BUS_ADDRESS" not in env:
            raise E2EError("dbus-launch gave no session bus: " + out)

        launcher = subprocess.Popen([AT_SPI_LAUNCHER, "--launch-immediately"], env=env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    start_new_session=True)
        self._procs.append((launcher, True))
        wait_for(lambda: self.run("dbus-send", "--session", "--print-reply",
                                  "--dest=org.a11y.Bus", "/org/a11y/bus",
                                  "org.a11y.Bus.GetAddress", check=False).returncode == 0,
                 what="the accessibility bus")

        # The AT-SPI client library reads these when it is first imported.
        os.environ["DISPLAY"] = self.display
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi  # noqa: F401

    def stop(self):
        for proc, group in reversed(self._procs):
            _terminate(proc, group)
        self._procs.clear()
        if self._dbus_pid:
            try:
                os.kill(self._dbus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            self._dbus_pid = None
        shutil.rmtree(self.dir, ignore_errors=True)

    def run(self, *args, check=True, timeout=STATE_TIMEOUT, input=None):
        r = subprocess.run(list(args), env=self.env, capture_output=True, text=True,
                           timeout=timeout, input=input)
        if check and r.returncode != 0:
            raise E2EError(f"{' '.join(args)} failed ({r.returncode}): {r.stderr.strip()}")
        return r


class Control:
    """One accessible object as a screen reader sees it."""

    def __init__(self, acc, depth):
        import pyatspi
        self.acc = acc
        self.depth = depth
        self.role = acc.getRoleName()
        self.name = acc.name or ""
        self.description = acc.description or ""
        states = acc.getState()
        self.showing = states.contains(pyatspi.STATE_SHOWING)
        self.focused = states.contains(pyatspi.STATE_FOCUSED)
        self.selected = states.contains(pyatspi.STATE_SELECTED)
        self.sensitive = states.contains(pyatspi.STATE_SENSITIVE)
        self.focusable = states.contains(pyatspi.STATE_FOCUSABLE)

    @property
    def text(self):
        try:
            t = self.acc.queryText()
        except NotImplementedError:
            return ""
        return t.getText(0, t.characterCount)

    def center(self):
        import pyatspi
        e = self.acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x + e.width // 2, e.y + e.height // 2

    def __repr__(self):
        return f"<{self.role} {self.name!r}>"


class Program:
    """The program started on a program folder (with data/ and content/) as its current
    directory, under a Desktop."""

    TITLE = "Zelvoran Glossa"

    def __init__(self, desktop, exe, folder, extra_env=None):
        self.desktop, self.exe, self.folder = desktop, os.path.abspath(exe), folder
        # The build folder the program comes from (its tests' tools are there too).
        self.build_dir = os.path.dirname(os.path.dirname(self.exe))
        self.env = dict(desktop.env, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.env.update(extra_env or {})
        self.proc = None
        self.window = None
        self._clipboard_owners = []

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        self.log_path = os.path.join(self.desktop.dir, "program.log")
        # Listening before the program starts: its accessibility bridge reads the events that
        # someone listens to when it starts; a listener that registers while it is starting
        # may never be sent an event.
        self._listen()
        with open(self.log_path, "a") as log:
            self.proc = subprocess.Popen([self.exe], cwd=self.folder, env=self.env, stdout=log,
                                         stderr=log)

        def window():
            self._check_running()
            r = self.x("xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid),
                       "--name", "Zelvoran Glossa", check=False)
            ids = r.stdout.split()
            return ids[0] if ids else None

        self.window = wait_for(window, what="the program's window")
        wait_for(lambda: self.main_frame(), what="the window through AT-SPI")
        self.focus_window()
        wait_for(self.is_active, what="the window to be active")

    def stop(self):
        self._stop_listening()
        for owner in self._clipboard_owners:
            _terminate(owner)
        self._clipboard_owners.clear()
        _terminate(self.proc)

    def _check_running(self):
        if self.proc.poll() is not None:
            with open(self.log_path) as f:
                raise E2EError(f"the program ended with {self.proc.returncode}: {f.read()}")

    def x(self, *args, check=True, timeout=STATE_TIMEOUT, input=None):
        return self.desktop.run(*args, check=check, timeout=timeout, input=input)

    # --- reading the windows through AT-SPI ---

    def application(self):
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.proc.pid:
                    return app
            except Exception:
                continue
        return None

    def windows(self):
        """The program's top-level windows (the main window, dialogs, open menus)."""
        app = self.application()
        if app is None:
            return []
        try:
            app.clear_cache()
        except Exception:
            pass
        return [app.getChildAtIndex(i) for i in range(app.childCount)]

    def main_frame(self):
        for w in self.windows():
            if w is not None and w.getRoleName() in ("frame", "window", "filler") and \
                    self.TITLE in (w.name or ""):
                return w
        return None

    def controls(self, root=None):
        """Every object below `root` (default: the main window), depth first."""
        root = root if root is not None else self.main_frame()
        if root is None:
            raise E2EError("the main window is not visible through AT-SPI")
        out = []

        def walk(acc, depth):
            try:
                c = Control(acc, depth)
            except Exception:
                return
            out.append(c)
            for i in range(acc.childCount):
                child = acc.getChildAtIndex(i)
                if child is not None:
                    walk(child, depth + 1)

        walk(root, 0)
        return out

    def find(self, name=None, role=None, root=None, description=None, timeout=STATE_TIMEOUT):
        """The first control with this name (and role, description), waiting for it."""
        def look():
            for c in self.controls(root):
                if ((name is None or c.name == name) and (role is None or c.role == role) and
                        (description is None or c.description == description)):
                    return c
            return None
        return wait_for(look, timeout=timeout, what=f"a {role or 'control'} named {name!r}")

    def find_window(self, role=None, name=None, timeout=STATE_TIMEOUT):
        """A top-level window of the program (a dialog, a popup menu)."""
        def look():
            for w in self.windows():
                if w is None:
                    continue
                if (role is None or w.getRoleName() == role) and (name is None or w.name == name):
                    return w
            return None
        return wait_for(look, timeout=timeout, what=f"a window {role or ''} {name or ''}")

    def entry_box(self):
        return self.find(name="Λήμμα προς Αναζήτηση")

    def entry_text(self):
        return self.entry_box().text

    def headword_label(self):
        return self.find(description="Το λήμμα που εμφανίζεται", role="label").name

    def list_items(self):
        return [c for c in self.controls(self.find(name="Λίστα λημμάτων").acc)
                if c.role == "list item"]

    def rows(self):
        return [c.name for c in self.list_items()]

    def selected_row(self):
        """The index of the selected row, -1 without one."""
        return next((i for i, c in enumerate(self.list_items()) if c.selected), -1)

    def explanation(self):
        return self.find(name="Ερμηνεία λήμματος").text

    def focused(self):
        """The control that has the keyboard focus, or None."""
        return next((c for c in self.controls() if c.focused), None)

    def is_active(self):
        """Whether the main window is the active window (it then receives the keys)."""
        import pyatspi
        frame = self.main_frame()
        return frame is not None and frame.getState().contains(pyatspi.STATE_ACTIVE)

    def selection(self, control):
        """The selected part of a text control as (start, end) character offsets; (n, n) at
        the caret when nothing is selected."""
        text = control.acc.queryText()
        if text.getNSelections() > 0:
            start, end = text.getSelection(0)
            return (start, end)
        return (text.caretOffset, text.caretOffset)

    # --- acting as the user ---

    def focus_window(self):
        """Gives the window the X input focus (there is no window manager)."""
        self.x("xdotool", "windowfocus", "--sync", self.window, check=False)

    def x_focus(self):
        """The X window that has the input focus."""
        return self.x("xdotool", "getwindowfocus").stdout.strip()

    def type_text(self, text, delay_ms=12):
        """Types ASCII text key by key into the focused control."""
        self.x("xdotool", "type", "--delay", str(delay_ms), text)

    def key(self, *keys):
        """Presses keys (xdotool names: ctrl+c, shift+Delete, Down...) one after the other."""
        self.x("xdotool", "key", "--delay", "12", *keys)

    # Two presses this close to each other count as a double-click when they follow fast.
    DOUBLE_CLICK_DISTANCE = 8

    def click(self, control, button=1):
        """Clicks a control in its middle; a click right after one in the same place moves
        aside, so that two clicks are never taken for a double-click."""
        x, y = control.center()
        last = getattr(self, "_last_click", None)
        if last and abs(last[0] - x) <= self.DOUBLE_CLICK_DISTANCE and \
                abs(last[1] - y) <= self.DOUBLE_CLICK_DISTANCE:
            x = last[0] + (2 * self.DOUBLE_CLICK_DISTANCE if last[0] <= x else
                           -2 * self.DOUBLE_CLICK_DISTANCE)
        self.click_at(x, y, button)

    def click_at(self, x, y, button=1):
        """Clicks at a point of the screen."""
        self._last_click = (x, y)
        self.x("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def set_entry_text(self, text):
        """Replaces the entry box's text as an assistive tool does (any script, Greek too);
        the box runs its change handling as for typing."""
        entry = self.entry_box()
        entry.acc.queryEditableText().setTextContents(text)

    def visible_windows(self):
        """The X windows of the program that are mapped (the main window, popups, dialogs)."""
        return self.x("xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid),
                      check=False).stdout.split()

    def context_menu(self, control):
        """Opens `control`'s context menu with a right click and returns its items, read as a
        screen reader reads a menu: the toolkit leaves popup menus out of the application's
        windows, but announces the menu when it shows, and the menu is reached through that
        announcement."""
        def menu():
            self.pump_events()
            for source in reversed(self._focus_events):
                try:
                    role = source.getRoleName()
                    if role in ("popup menu", "menu") and source.childCount:
                        return source
                    if role == "menu item":
                        return source.parent
                except Exception:
                    continue
            return None

        before = len(self.visible_windows())
        self.pump_events()
        self._focus_events.clear()
        self.click(control, button=3)
        wait_for(lambda: len(self.visible_windows()) > before, what="the menu to open")
        self._menu = wait_for(menu, what="the menu to be announced")
        self._windows_without_menu = before
        return self.menu_items()

    def close_menu(self):
        """Closes the open context menu with Escape and waits until it has gone."""
        self.key("Escape")
        wait_for(lambda: len(self.visible_windows()) <= self._windows_without_menu,
                 what="the menu to close")

    def menu_items(self):
        """The items of the open context menu."""
        menu = self._menu
        items = [Control(menu.getChildAtIndex(i), 1) for i in range(menu.childCount)]
        return [i for i in items if i.role == "menu item"]

    def menu_item(self, name):
        """The item of the open context menu called `name`."""
        for item in self.menu_items():
            if item.name == name:
                return item
        raise E2EError(f"the menu has no item {name!r}")

    def pump_events(self):
        """Delivers the AT-SPI events that have arrived."""
        from gi.repository import GLib
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)

    # A menu is announced when it shows and when one of its items takes the focus.
    _EVENTS = ("object:state-changed:focused", "object:state-changed:showing")

    def _listen(self):
        import pyatspi
        self._focus_events = []

        def on_focus(event):
            if event.detail1:
                self._focus_events.append(event.source)

        self._on_focus = on_focus
        pyatspi.Registry.registerEventListener(on_focus, *self._EVENTS)

    def _stop_listening(self):
        if getattr(self, "_on_focus", None):
            import pyatspi
            pyatspi.Registry.deregisterEventListener(self._on_focus, *self._EVENTS)
            self._on_focus = None

    # --- the clipboard, as another program sees it ---

    def clipboard(self):
        """The CLIPBOARD selection's text as its owner gives it (its line ends untouched), None
        when nobody owns it."""
        r = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.desktop.env,
                           capture_output=True, timeout=STATE_TIMEOUT)
        return r.stdout.decode("utf-8", "replace") if r.returncode == 0 else None

    def copy_in_other_program(self, text):
        """Another program (xclip) takes the CLIPBOARD with `text`."""
        owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                 env=self.desktop.env, stdin=subprocess.PIPE,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owner.stdin.write(text.encode("utf-8"))
        owner.stdin.close()
        self._clipboard_owners.append(owner)
        wait_for(lambda: self.clipboard() == text, what="the other program's copy")

    def x11_probe(self, *args):
        """Runs the tests' X client (tests/x11/x11_probe.cpp) on the private display."""
        probe = os.path.join(self.build_dir, "tests", "zelvoran-x11-probe")
        if not os.access(probe, os.X_OK):
            raise E2EError(f"{probe} is not built")
        return self.x(probe, *args).stdout.strip()


def program_folder(build_dir, data="small"):
    """A temporary program folder: the fixture dictionary `data` ("small" or "synthetic") in
    data/ and the source tree's content/. Removed by the caller (shutil.rmtree)."""
    source = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = tempfile.mkdtemp(prefix="zelvoran-e2e-program-")
    shutil.copytree(os.path.join(source, "content"), os.path.join(folder, "content"))
    writer = os.path.join(build_dir, "tests", "zelvoran-fixture-data")
    r = subprocess.run([writer, os.path.join(folder, "data"), data], capture_output=True,
                       text=True, timeout=120)
    if r.returncode != 0:
        raise E2EError(f"{writer} failed: {r.stderr}")
    return folder


def program_exe(build_dir):
    exe = os.path.join(build_dir, "program", "Zelvoran")
    if not os.access(exe, os.X_OK):
        raise E2EError(f"{exe} is not built")
    return exe
