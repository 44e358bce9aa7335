#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The user's entries under real processes: a rewrite stopped at each of its file changes, a
rewriting process killed with SIGKILL at random moments, and two processes inserting at once.
What zelvoran-lookup shows afterwards is checked against what the writer reported.

Usage: store_processes.py BUILD_DIR (crash-points | kill [KILLS] | two-writers [N])
"""
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1])
PROGRAM = os.path.join(BUILD, "program")
LOOKUP = os.path.join(PROGRAM, "zelvoran-lookup")
DRIVER = os.path.join(BUILD, "tests", "zelvoran-store-driver")
FIXTURE = os.path.join(BUILD, "tests", "zelvoran-fixture-data")


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


class Setup:
    """A program folder with the tests' small dictionary, and the user's folder beside it,
    named by a settings file in a configuration folder of its own."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="zelvoran-store-")
        os.chmod(self.root, 0o755)
        self.prog = os.path.join(self.root, "prog")
        self.mine = os.path.join(self.root, "mine")
        config = os.path.join(self.root, "config")
        for d in (self.prog, self.mine, config):
            os.makedirs(d)
        subprocess.run([FIXTURE, os.path.join(self.prog, "data"), "small"], check=True,
                       stdout=subprocess.DEVNULL)
        # A copy of the tool in the program folder, so that another user can run it.
        shutil.copy(LOOKUP, self.prog)
        with open(os.path.join(config, "Zelvoran.ini"), "w") as f:
            f.write(self.mine + "\r\n")
        for dirpath, dirnames, filenames in os.walk(self.root):
            for n in dirnames:
                os.chmod(os.path.join(dirpath, n), 0o755)
            for n in filenames:
                p = os.path.join(dirpath, n)
                os.chmod(p, 0o755 if os.access(p, os.X_OK) else 0o644)
        self.env = dict(os.environ, XDG_CONFIG_HOME=config)

    def driver(self, *args, **kw):
        return subprocess.run([DRIVER, *args], cwd=self.prog, env=self.env,
                              capture_output=True, text=True, **kw)

    def lookup(self, args, as_other_user=False):
        cmd = [os.path.join(self.prog, "zelvoran-lookup"), *args]
        if as_other_user:
            cmd = other_user_prefix() + cmd
        r = subprocess.run(cmd, cwd=self.prog, env=self.env, capture_output=True, text=True)
        if r.returncode not in (0, 1):
            fail("zelvoran-lookup %s: status %d: %s" % (args, r.returncode, r.stderr))
        return json.loads(r.stdout)

    def tool_state(self, as_other_user=False):
        """The own entries as zelvoran-lookup lists and shows them: headword=explanation."""
        entries = {}
        rows = self.lookup(["--json", "--user-entries"], as_other_user)["rows"]
        for i, row in enumerate(rows):
            if not row.endswith(" *"):
                continue
            shown = self.lookup(["--json", "--user-entries", "--row", str(i)], as_other_user)
            if shown.get("headword") != row[:-2]:
                fail("row %d (%s) showed %s" % (i, row, shown.get("headword")))
            entries[shown["headword"]] = shown["explanation"]
        # The explanation search reads the user's texts as well: every own entry's text holds
        # the word "zelmark", and no other text does.
        found = self.lookup(["--json", "--search-explanations", "zelmark"], as_other_user)["rows"]
        found = sorted(r[:-2] if r.endswith(" *") else r for r in found)
        if found != sorted(entries):
            fail("the explanation search found %s, the lookup %s" % (found, sorted(entries)))
        return ";".join("%s=%s" % kv for kv in sorted(entries.items())) or "-"

    def folder_files(self):
        out = {}
        for n in sorted(os.listdir(self.mine)):
            with open(os.path.join(self.mine, n), "rb") as f:
                out[n] = f.read()
        return out

    def put_folder(self, files):
        for n in os.listdir(self.mine):
            os.remove(os.path.join(self.mine, n))
        for n, data in files.items():
            with open(os.path.join(self.mine, n), "wb") as f:
                f.write(data)
            os.chmod(os.path.join(self.mine, n), 0o644)


def other_user_prefix():
    # Root may write anywhere, whatever the permissions say: the read-only run goes as nobody.
    if os.getuid() == 0:
        return ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
    return []


def crash_points(s):
    seeded = s.driver("seed")
    if seeded.returncode != 0:
        fail("seeding: " + seeded.stderr)
    start = s.folder_files()
    ops = ["move", "move-back", "modify", "insert", "delete"]
    report = []
    for op in ops:
        s.put_folder(start)
        old = s.tool_state()
        done = s.driver("stop", "0", op)
        if done.returncode != 0:
            fail("%s: %s" % (op, done.stderr))
        steps = int(done.stdout.split()[1])
        new = s.tool_state()
        if new == old:
            fail(op + " changed nothing")
        seen = {"old": 0, "new": 0}
        for k in range(1, steps + 1):
            s.put_folder(start)
            stopped = s.driver("stop", str(k), op)
            if stopped.returncode != 77:
                fail("%s stop %d: status %d %s" % (op, k, stopped.returncode, stopped.stderr))
            interrupted = s.folder_files()
            # A folder the tool may only read: it must show the committed state and change
            # nothing.
            os.chmod(s.mine, 0o555)
            try:
                read_only = s.tool_state(as_other_user=True)
            finally:
                os.chmod(s.mine, 0o755)
            if s.folder_files() != interrupted:
                fail("%s stop %d: the read-only run changed the folder" % (op, k))
            if read_only not in (old, new):
                fail("%s stop %d (read-only): %s is neither %s nor %s" % (op, k, read_only, old, new))
            writable = s.tool_state()
            if writable != read_only:
                fail("%s stop %d: writable %s, read-only %s" % (op, k, writable, read_only))
            left = [n for n in os.listdir(s.mine) if n.startswith("temp")]
            if left:
                fail("%s stop %d: recovery left %s" % (op, k, left))
            seen["old" if writable == old else "new"] += 1
        report.append("%s: %d stops, old %d, new %d" % (op, steps, seen["old"], seen["new"]))
    print("\n".join(report))


def last_states(out):
    """The last saved state and the state begun after it (None when none was)."""
    saved, begun = None, None
    for line in out.splitlines():
        if line.startswith("saved "):
            saved, begun = line[6:], None
        elif line.startswith("begin "):
            begun = line[6:]
    return saved, begun


def kill(s, kills):
    seeded = s.driver("seed")
    if seeded.returncode != 0:
        fail("seeding: " + seeded.stderr)
    current = s.tool_state()
    outcomes = {"before its first change": 0, "between changes": 0,
                "in a change, old shown": 0, "in a change, new shown": 0}
    saves = 0
    t0 = time.monotonic()
    for i in range(kills):
        p = subprocess.Popen([DRIVER, "cycle", "0"], cwd=s.prog, env=s.env,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        time.sleep(random.uniform(0.0, 0.15))
        p.send_signal(signal.SIGKILL)
        out, err = p.communicate()
        if p.returncode != -signal.SIGKILL:
            fail("the writer ended by itself (%d): %s" % (p.returncode, err))
        saved, begun = last_states(out)
        saves += sum(1 for line in out.splitlines() if line.startswith("saved "))
        shown = s.tool_state()
        before = saved if saved is not None else current
        if shown != before and shown != begun:
            fail("kill %d: the tool shows %s; the writer had saved %s and begun %s"
                 % (i, shown, before, begun))
        if begun is not None:
            outcomes["in a change, new shown" if shown == begun else "in a change, old shown"] += 1
        elif saved is None:
            outcomes["before its first change"] += 1
        else:
            outcomes["between changes"] += 1
        current = shown
    elapsed = time.monotonic() - t0
    print("%d kills in %.1f s, %d changes saved; the tool showed: %s" % (
        kills, elapsed, saves, ", ".join("%s %d" % kv for kv in outcomes.items())))


def two_writers(s, n):
    t0 = time.monotonic()
    a = subprocess.Popen([DRIVER, "insert", "zqa", str(n)], cwd=s.prog, env=s.env,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    b = subprocess.Popen([DRIVER, "insert", "zqb", str(n)], cwd=s.prog, env=s.env,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    out_a, err_a = a.communicate()
    out_b, err_b = b.communicate()
    elapsed = time.monotonic() - t0
    if a.returncode != 0 or b.returncode != 0:
        fail("writers: %d %s / %d %s" % (a.returncode, err_a, b.returncode, err_b))
    listed = s.lookup(["--json", "--user-entries"])["rows"]
    expected = {"zq%s%d *" % (w, i) for w in "ab" for i in range(1, n + 1)}
    missing = expected - set(listed)
    if missing or len(listed) != 2 * n:
        fail("%d of %d entries missing (%s), %d listed" % (len(missing), 2 * n,
                                                         sorted(missing)[:5], len(listed)))
    print("two writers, %d inserts each in %.1f s: all %d entries there; %s; %s" % (
        n, elapsed, 2 * n, out_a.strip(), out_b.strip()))


def main():
    for tool in (LOOKUP, DRIVER, FIXTURE):
        if not os.access(tool, os.X_OK):
            fail(tool + " not built")
    s = Setup()
    try:
        what = sys.argv[2]
        if what == "crash-points":
            crash_points(s)
        elif what == "kill":
            kill(s, int(sys.argv[3]) if len(sys.argv) > 3 else 200)
        elif what == "two-writers":
            two_writers(s, int(sys.argv[3]) if len(sys.argv) > 3 else 100)
        else:
            fail("unknown check " + what)
    finally:
        shutil.rmtree(s.root, ignore_errors=True)
    print("ok")


main()
