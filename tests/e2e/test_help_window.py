# SPDX-License-Identifier: GPL-3.0-or-later
"""The help button: the desktop's program for the help document opens it where there is one;
where there is none, the program shows the document in a window of its own, whose links work.
The program's PATH decides which: a folder with a stand-in xdg-open that records what it was
asked to open, or a folder with no program at all."""

import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import e2e_case  # noqa: E402
import zelvoran_e2e as e2e  # noqa: E402

TITLE = "Zelvoran Glossa 1.2 — Βοήθεια"


class HelpTest(e2e_case.ProgramTest):
    OPENER = False  # whether the desktop has a program that opens the document

    def program_env(self):
        self.bin = tempfile.mkdtemp(prefix="zelvoran-e2e-bin-")
        self.addCleanup(shutil.rmtree, self.bin, True)
        if self.OPENER:
            opener = os.path.join(self.bin, "xdg-open")
            with open(opener, "w") as f:
                f.write('#!/bin/sh\nprintf "%s\\n" "$@" > "$0.tmp" && /bin/mv "$0.tmp" "$0.args"\n')
            os.chmod(opener, 0o755)
        return {"PATH": self.bin, "XDG_CURRENT_DESKTOP": "", "DESKTOP_SESSION": "",
                "BROWSER": ""}

    def click_help(self):
        self.app.click(self.app.find(name="Βοήθεια", role="push button"))


class HelpWithoutABrowserTest(HelpTest):
    def test_the_document_opens_in_the_programs_window_with_working_links(self):
        app = self.app
        self.click_help()
        window = app.find_window(name=TITLE)
        browser = app.find(name="Βοήθεια", root=window)
        text = browser.text
        self.assertIn("Zelvoran Glossa 1.2 — Βοήθεια", text)
        self.assertNotIn("Το αρχείο βοήθειας δε βρέθηκε", {w.name for w in app.windows() if w})

        # A link to a part of the document further down moves the view there.
        import pyatspi
        scroll = next(c for c in app.controls(window) if c.role == "scroll bar"
                      and c.acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).height >
                      c.acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width)
        self.assertEqual(scroll.acc.queryValue().currentValue, 0)
        link = "English version of this help"
        at = text.index(link) + len(link) // 2
        extents = browser.acc.queryText().getCharacterExtents(at, pyatspi.DESKTOP_COORDS)
        app.click_at(extents[0] + extents[2] // 2, extents[1] + extents[3] // 2)
        e2e.wait_for(lambda: scroll.acc.queryValue().currentValue > 0,
                     what="the view to move to the English part")


class HelpWithABrowserTest(HelpTest):
    OPENER = True

    def test_the_desktops_program_opens_the_document(self):
        app = self.app
        self.click_help()
        args = os.path.join(self.bin, "xdg-open.args")
        e2e.wait_for(lambda: os.path.exists(args), what="the desktop's program to be started")
        with open(args) as f:
            opened = f.read()
        self.assertIn("/content/Zelvoran.htm", opened)
        # The program's own window stays closed.
        self.assertEqual([w.name for w in app.windows() if w is not None and w.name == TITLE], [])


if __name__ == "__main__":
    e2e_case.main()
