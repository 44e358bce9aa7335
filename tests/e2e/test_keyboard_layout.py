# SPDX-License-Identifier: GPL-3.0-or-later
"""The user's own switch of keyboard layout while the program has the focus: the desktop's group
locked to gr makes the entry box type Greek (and a Greek first letter switches the direction),
locked to us it types Latin letters again. A switch made while another program has the focus
is left to that program, and the program never changes the desktop's group itself.

Keys are pressed by their keycodes (through the XTEST extension), as a keyboard sends them:
typing by keysym would switch the group itself to reach a key."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import e2e_case  # noqa: E402
import zelvoran_e2e as e2e  # noqa: E402

# X keycodes of the keys U, A, L, C and T.
U, A, L, C, T = "30", "38", "46", "54", "28"
ENGLISH = "Αγγλικά λήμματα με ελληνική ερμηνεία"
GREEK = "Ελληνικά λήμματα με αγγλική ερμηνεία"


class KeyboardLayoutTest(e2e_case.ProgramTest):
    def setUp(self):
        super().setUp()
        self.addCleanup(self.app.x11_probe, "lock-group", "0")

    def direction(self):
        return self.app.find(name="Επιλογή Γλώσσας", role="push button").description

    def press(self, *keycodes):
        self.app.x11_probe("keys", *keycodes)

    def empty_entry_box(self):
        self.app.set_entry_text("")
        self.assertEventually(self.app.entry_text, "", what="the emptied entry box")

    def test_a_switch_in_the_program_becomes_the_entry_boxs_layout(self):
        app = self.app
        self.assertEqual(self.direction(), ENGLISH)
        app.click(app.entry_box())
        e2e.wait_for(lambda: app.focused() is not None and
                     app.focused().name == "Λήμμα προς Αναζήτηση", what="the entry box's focus")

        # The user switches the desktop to Greek in the English direction: θαλ, not "ual".
        app.x11_probe("lock-group", "1")
        self.press(U, A, L)
        self.assertEventually(app.entry_text, "θαλ", what="keys typed after the switch to gr")
        self.assertEventually(self.direction, GREEK, what="the direction after a Greek letter")
        self.assertEqual(app.x11_probe("group"), "1")

        # Back to us in the Greek direction: Latin letters, and the English direction.
        self.empty_entry_box()
        app.x11_probe("lock-group", "0")
        self.press(C, A, T)
        self.assertEventually(app.entry_text, "cat", what="keys typed after the switch to us")
        self.assertEventually(self.direction, ENGLISH, what="the direction after a Latin letter")
        self.assertEqual(app.x11_probe("group"), "0")

    def test_a_switch_in_another_program_is_left_to_it(self):
        app = self.app
        app.click(app.entry_box())
        e2e.wait_for(app.is_active, what="the program's focus")

        # Another program has the focus while the desktop is switched to Greek.
        other = subprocess.Popen([os.path.join(app.build_dir, "tests", "zelvoran-x11-probe"),
                                  "other-window"], env=app.desktop.env, stdout=subprocess.PIPE,
                                 text=True)
        self.addCleanup(e2e._terminate, other)
        self.assertEqual(other.stdout.readline().strip(), "focused")
        e2e.wait_for(lambda: not app.is_active(), what="the program to lose the focus")
        app.x11_probe("lock-group", "1")
        e2e._terminate(other)

        # Back in the program, the English direction still types Latin letters; the desktop
        # keeps the user's Greek for the other programs.
        app.focus_window()
        e2e.wait_for(app.is_active, what="the program's focus again")
        self.press(C, A, T)
        self.assertEventually(app.entry_text, "cat", what="keys typed back in the program")
        self.assertEqual(self.direction(), ENGLISH)
        self.assertEqual(app.x11_probe("group"), "1")

        # The program activates its own layouts as before: the Greek direction types Greek.
        app.click(app.find(name="Επιλογή Γλώσσας", role="push button"))
        self.assertEventually(self.direction, GREEK, what="the Greek direction")
        self.assertEventually(app.entry_text, "", what="the entry box emptied by the switch")
        self.press(U, A, L)
        self.assertEventually(app.entry_text, "θαλ", what="keys typed in the Greek direction")


if __name__ == "__main__":
    e2e_case.main()
