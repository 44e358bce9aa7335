# SPDX-License-Identifier: GPL-3.0-or-later
"""With quick translation on, the program's own copies reach the clipboard but are never looked
up: the context menus of the three text controls, Ctrl+C, Ctrl+Insert and Shift+Delete. A copy
by another program is looked up, which shows that the mode was listening all along."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import e2e_case  # noqa: E402
import zelvoran_e2e as e2e  # noqa: E402


class OwnCopiesTest(e2e_case.ProgramTest):
    def start_quick_translation_on(self, word, row=0):
        """Looks `word` up, moves to the list's row `row` and switches quick translation on."""
        app = self.app
        self.type_word(word)
        for _ in range(row):
            app.key("Down")
        self.assertEventually(app.selected_row, row, what="the chosen row")
        app.click(app.find(name="Γρήγορη Μετάφραση", role="push button"))
        app.find(name="Τερματισμός Γρήγορης Μετάφρασης", role="push button")
        self.shown = (app.entry_text(), app.headword_label(), app.rows(), app.explanation())

    def assertNotLookedUp(self, what):
        # Called once the clipboard holds the copy: the program has answered the clipboard's
        # reader, so the copy's handler has ended, and a lookup of the copy would have run
        # inside it.
        app = self.app
        self.assertEqual((app.entry_text(), app.headword_label(), app.rows(), app.explanation()),
                         self.shown, what)

    def assertClipboard(self, expected, what):
        # The desktop receives LF line ends, whichever way the text was copied.
        self.assertEventually(self.app.clipboard, expected.replace("\r\n", "\n"),
                              what=f"the clipboard after {what}")

    def test_copies_from_the_explanation_box(self):
        app = self.app
        self.start_quick_translation_on("cat", row=1)
        explanation = app.explanation()
        self.assertIn("κατάλογος", explanation)
        box = app.find(name="Ερμηνεία λήμματος")

        # The menu, without a selection: the whole explanation, as the copy button does.
        items = app.context_menu(box)
        self.assertEqual([i.name for i in items], ["Αντιγραφή", "Επιλογή όλων", "Εκφώνηση"])
        app.click(app.menu_item("Αντιγραφή"))
        self.assertClipboard(explanation, "the menu's copy")
        self.assertNotLookedUp("the menu's copy")

        # Ctrl+C and Ctrl+Insert on a selection made with the keyboard.
        for keys in ("ctrl+c", "ctrl+Insert"):
            with self.subTest(keys=keys):
                # Another program's copy is looked up: the mode is listening.
                app.copy_in_other_program("catalogue")
                self.assertEventually(app.entry_text, "catalogue", what="the other copy")
                self.assertEventually(app.headword_label, "catalogue", what="its lookup")
                self.shown = (app.entry_text(), app.headword_label(), app.rows(),
                              app.explanation())
                app.click(box)
                app.key("ctrl+Home", "shift+End")
                app.key(keys)
                first_line = app.explanation().replace("\r\n", "\n").split("\n")[0]
                self.assertClipboard(first_line, keys)
                self.assertNotLookedUp(keys)

    def test_copies_and_cuts_in_the_entry_box_and_the_list(self):
        app = self.app
        self.start_quick_translation_on("catal")
        self.assertEqual(self.shown[2], ["catalogue"])

        # The entry box's menu offers every command; with a selection all are enabled.
        entry = app.entry_box()
        app.click(entry)
        app.key("End", "shift+Left", "shift+Left")
        self.shown = (app.entry_text(), app.headword_label(), app.rows(), app.explanation())
        items = app.context_menu(entry)
        self.assertEqual([i.name for i in items],
                         ["Αποκοπή", "Αντιγραφή", "Επικόλληση", "Διαγραφή", "Επιλογή όλων"])
        self.assertTrue(all(i.sensitive for i in items))
        app.click(app.menu_item("Αντιγραφή"))
        self.assertClipboard("al", "the entry box's menu")
        self.assertNotLookedUp("the entry box's menu")

        app.copy_in_other_program("dog")
        self.assertEventually(app.entry_text, "dog", what="another program's copy")
        self.assertEventually(app.headword_label, "dog", what="its lookup")

        # Shift+Delete cuts: the rest of the box is looked up, the cut text is not.
        app.click(app.entry_box())
        app.key("End", "shift+Left")
        app.key("shift+Delete")
        self.assertClipboard("g", "Shift+Delete")
        self.assertEventually(app.entry_text, "do", what="the entry box after the cut")
        self.assertEventually(app.rows, ["doctor", "dog"], what="the lookup of the rest")

        # The list's menu copies the row under the pointer, which it shows first.
        app.copy_in_other_program("cat")
        self.assertEventually(app.rows, ["cat", "catalogue"], what="the list for cat")
        row = app.list_items()[1]
        items = app.context_menu(row)
        self.assertEqual([i.name for i in items], ["Αντιγραφή"])
        self.assertEventually(app.headword_label, "catalogue", what="the row chosen")
        self.shown = (app.entry_text(), app.headword_label(), app.rows(), app.explanation())
        app.click(app.menu_item("Αντιγραφή"))
        self.assertClipboard("catalogue", "the list's menu")
        self.assertNotLookedUp("the list's menu")


if __name__ == "__main__":
    e2e_case.main()
