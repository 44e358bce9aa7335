# SPDX-License-Identifier: GPL-3.0-or-later
"""Every way of copying puts text with LF line ends on the desktop's clipboard: the copy button,
Ctrl+C, Ctrl+Insert and the context menus in the explanation (with the headword's
pronunciation on the first line), a selection of several lines, and the entry box's and the
list's copies and cuts. The clipboard is read as another program reads it, byte for byte."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import e2e_case  # noqa: E402

ENTRY = "/hˈaʊs/\nI. σπίτι\nII. κατοικία"


class CopyLineEndsTest(e2e_case.ProgramTest):
    DATA = "desktop"

    def copied(self, copy, expected, what):
        """Runs `copy` after another program took the clipboard, and checks what it put there."""
        app = self.app
        app.copy_in_other_program("-")
        copy()
        self.assertEventually(app.clipboard, expected, what=f"the clipboard after {what}")
        self.assertNotIn("\r", app.clipboard(), what)

    def show_house(self):
        app = self.app
        self.type_word("house")
        self.assertEventually(app.headword_label, "house", what="the entry shown")
        self.assertEventually(
            lambda: app.find(name="Ερμηνεία λήμματος").text.replace("\r", ""),
            "I. σπίτι\nII. κατοικία", what="the explanation")

    def test_the_whole_entry_with_its_pronunciation(self):
        app = self.app
        self.show_house()
        box = app.find(name="Ερμηνεία λήμματος")
        copy_button = app.find(name="Αντιγραφή", role="push button")

        # The explanation has the focus from here on; each way below then only presses keys or
        # clicks elsewhere (two clicks in one place would be a double-click, a lookup).
        app.click(box)

        def keys(*names):
            return lambda: app.key(*names)

        def with_the_button():
            app.click(copy_button)

        def with_the_menu():
            app.context_menu(box)
            app.click(app.menu_item("Αντιγραφή"))

        self.copied(with_the_button, ENTRY, "the copy button")
        self.copied(keys("ctrl+c"), ENTRY, "Ctrl+C")
        self.copied(keys("ctrl+Insert"), ENTRY, "Ctrl+Insert")
        self.copied(with_the_menu, ENTRY, "the explanation's menu")
        # A selection of both lines: the selection alone, without the pronunciation.
        self.copied(keys("ctrl+a", "ctrl+c"), "I. σπίτι\nII. κατοικία", "a selection of two lines")

    def test_the_entry_box_and_the_list(self):
        app = self.app
        self.show_house()

        def in_the_entry_box(*keys):
            # The focus is in the entry box (where typing left it): its whole text selected.
            return lambda: app.key("End", "shift+Home", *keys)

        self.copied(in_the_entry_box("ctrl+c"), "house", "Ctrl+C in the entry box")
        self.copied(in_the_entry_box("ctrl+Insert"), "house", "Ctrl+Insert in the entry box")
        self.copied(in_the_entry_box("ctrl+x"), "house", "Ctrl+X")
        self.assertEventually(app.entry_text, "", what="the entry box after the cut")
        app.type_text("house")
        self.assertEventually(app.headword_label, "house", what="the entry typed again")
        self.copied(in_the_entry_box("shift+Delete"), "house", "Shift+Delete")
        app.type_text("house")
        self.assertEventually(app.headword_label, "house", what="the entry typed again")

        def with_the_entry_menu():
            app.key("End", "shift+Home")
            app.context_menu(app.entry_box())
            app.click(app.menu_item("Αποκοπή"))

        self.copied(with_the_entry_menu, "house", "the entry box's cut")
        app.type_text("house")
        self.assertEventually(app.headword_label, "house", what="the entry typed again")

        def with_the_list_menu():
            app.context_menu(app.list_items()[0])
            app.click(app.menu_item("Αντιγραφή"))

        self.copied(with_the_list_menu, "house", "the list's menu")

        def with_the_button_from_the_list():
            app.click(app.find(name="Αντιγραφή", role="push button"))

        # The list's menu left the row chosen and the list as the control the button reads.
        self.copied(with_the_button_from_the_list, "house", "the copy button on the list")


if __name__ == "__main__":
    e2e_case.main()
