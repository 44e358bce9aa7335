# SPDX-License-Identifier: GPL-3.0-or-later
"""The end-to-end tests' base: one private desktop per test file, a fresh program folder and
program for each test, and a runner for ctest (`python3 FILE BUILD_DIR`) that counts a skipped
test as a failure."""

import os
import shutil
import sys
import unittest

import zelvoran_e2e as e2e

BUILD_DIR = os.environ.get("ZELVORAN_BUILD_DIR", "")


class ProgramTest(unittest.TestCase):
    desktop = None
    # The fixture dictionary of the program folder (see zelvoran-fixture-data).
    DATA = "small"

    def program_env(self):
        """Environment the program starts with beyond the desktop's."""
        return {}

    @classmethod
    def setUpClass(cls):
        if ProgramTest.desktop is None:
            ProgramTest.desktop = e2e.Desktop()
            ProgramTest.desktop.start()

    def setUp(self):
        self.folder = e2e.program_folder(BUILD_DIR, self.DATA)
        self.addCleanup(shutil.rmtree, self.folder, True)
        self.app = e2e.Program(ProgramTest.desktop, e2e.program_exe(BUILD_DIR), self.folder,
                               self.program_env())
        self.addCleanup(self.app.stop)
        self.app.start()

    # Waits until `read()` returns `expected`, then checks it (a clear message on a timeout).
    def assertEventually(self, read, expected, timeout=e2e.STATE_TIMEOUT, what="value"):
        last = [None]

        def same():
            last[0] = read()
            return last[0] == expected

        try:
            e2e.wait_for(same, timeout=timeout, what=what)
        except e2e.E2EError:
            pass
        self.assertEqual(last[0], expected, what)

    def type_word(self, word):
        """Empties the entry box and types `word` (ASCII) into it."""
        entry = self.app.entry_box()
        self.app.click(entry)
        self.app.key("ctrl+a", "BackSpace")
        self.app.type_text(word)
        self.assertEventually(self.app.entry_text, word, what="the entry box's text")


def main():
    global BUILD_DIR
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        BUILD_DIR = os.path.abspath(sys.argv.pop(1))
    if not BUILD_DIR:
        sys.exit("usage: python3 TEST_FILE BUILD_DIR [unittest options]")
    os.environ["ZELVORAN_BUILD_DIR"] = BUILD_DIR
    program = unittest.main(module="__main__", exit=False, verbosity=2, warnings="ignore")
    if ProgramTest.desktop is not None:
        ProgramTest.desktop.stop()
    result = program.result
    if result.skipped:
        print(f"{len(result.skipped)} test(s) skipped: a skip counts as a failure here")
    sys.exit(0 if result.wasSuccessful() and not result.skipped else 1)
