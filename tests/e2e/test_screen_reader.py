# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader reads of the real program: every control's name, the entry box, the
headword list and the explanation; and the keyboard focus after the stay-on-top switch."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import e2e_case  # noqa: E402
import zelvoran_e2e as e2e  # noqa: E402

TOOLBAR = [
    "Επιλογή Γλώσσας", "Προηγούμενο Λήμμα", "Λίστα Προηγουμένων Λημμάτων", "Επόμενο Λήμμα",
    "Λίστα Επομένων Λημμάτων", "Αντιγραφή", "Επικόλληση", "Εκτύπωση Λήμματος", "Αναζητήσεις",
    "Αναζήτηση στο περιεχόμενο του λεξικού", "Γρήγορη Μετάφραση", "Επεξεργασία Λημμάτων",
    "Συντομογραφίες", "Βοήθεια", "Παραμονή στην κορυφή", "Έξοδος",
]


class ScreenReaderTest(e2e_case.ProgramTest):
    def unnamed(self, root=None):
        """The showing controls a screen reader would announce without a name."""
        return [f"{c.role} at depth {c.depth} ({c.description!r})"
                for c in self.app.controls(root)
                if c.showing and c.role in e2e.CONTROL_ROLES and not c.name.strip()
                and not (c.role == "label" and not c.text and not c.sensitive)]

    def test_every_control_of_the_main_window_has_a_name(self):
        app = self.app
        self.type_word("cat")
        frame = app.main_frame()
        self.assertEqual(frame.getRoleName(), "frame")
        self.assertEqual(frame.name, "Zelvoran Glossa")
        controls = app.controls()
        buttons = [c.name for c in controls if c.role == "push button"]
        self.assertEqual(sorted(buttons), sorted(TOOLBAR + ["Ανανέωση λίστας λημμάτων", "Εκφώνηση"]))
        self.assertEqual(self.unnamed(), [])
        named = {(c.role, c.name) for c in controls}
        for name in ("Λήμμα προς Αναζήτηση", "Ερμηνεία λήμματος"):
            self.assertTrue(any(n == name and r in e2e.TEXT_ROLES for r, n in named), name)
        self.assertIn(("list", "Λίστα λημμάτων"), named)
        self.assertIn(("label", "Copyright ©"), named)
        self.assertIn(("label", "ΕΚΔΟΣΕΙΣ QUIMBRELL"), named)
        # The decoration is passed over: no unnamed text box stands between the controls.
        self.assertEqual([c for c in controls if c.role in e2e.TEXT_ROLES and not c.name], [])

        # The language button says which direction is in force, and follows it.
        lang = app.find(name="Επιλογή Γλώσσας", role="push button")
        self.assertEqual(lang.description, "Αγγλικά λήμματα με ελληνική ερμηνεία")
        app.click(lang)
        self.assertEventually(
            lambda: app.find(name="Επιλογή Γλώσσας", role="push button").description,
            "Ελληνικά λήμματα με αγγλική ερμηνεία", what="the language button's description")

        # The quick translation button's name is its hint, which changes with the mode.
        app.click(app.find(name="Γρήγορη Μετάφραση", role="push button"))
        app.find(name="Τερματισμός Γρήγορης Μετάφρασης", role="push button")
        self.assertIn("Γρήγορη Μετάφραση", app.main_frame().name)

    def test_entry_list_and_explanation_read_back(self):
        app = self.app
        self.type_word("cat")
        self.assertEventually(app.rows, ["cat", "catalogue"], what="the list rows")
        self.assertEqual(app.selected_row(), 0)
        self.assertEqual(app.headword_label(), "cat")
        self.assertIn("γάτα", app.explanation())

        app.key("Down")
        self.assertEventually(app.selected_row, 1, what="the selected row")
        self.assertEqual(app.headword_label(), "catalogue")
        self.assertIn("κατάλογος", app.explanation())
        self.assertEqual(app.entry_text(), "cat")

        # Greek, written as an assistive tool writes it.
        app.set_entry_text("γάτα")
        self.assertEventually(app.headword_label, "γάτα", what="the Greek headword")
        self.assertIn("cat", app.explanation())
        self.assertEqual(app.rows()[app.selected_row()], "γάτα")

    def test_greek_typed_in_latin_letters_reads_the_greek_headword(self):
        # Qt places every line of the explanation's text at the first line's height for
        # AT-SPI, so the double-click that opens a suggestion is the window tests' part.
        app = self.app
        self.type_word("gata")
        self.assertEventually(app.explanation, "Μήπως εννοείτε:\nγάτα",
                              what="the suggestions with the Greek headword")
        self.assertEqual(app.headword_label(), "")
        app.set_entry_text("γάτα")
        self.assertEventually(app.headword_label, "γάτα", what="the Greek headword")
        self.assertIn("cat", app.explanation())

    def test_dialog_controls_have_names(self):
        app = self.app
        cases = [
            ("Αναζητήσεις", "Κριτήρια Αναζήτησης Λημμάτων",
             ["Αρχίζουν με", "Περιέχουν", "Καταλήγουν σε", "Ανήκουν στην Κατηγορία", "OK",
              "Άκυρο"]),
            ("Αναζήτηση στο περιεχόμενο του λεξικού", "Αναζήτηση στις Ερμηνείες",
             ["Λέξη προς Αναζήτηση", "ΟΚ", "Άκυρο"]),
            ("Συντομογραφίες", "Πίνακας Κυριοτέρων Συντομογραφιών",
             ["Συντομογραφίες και η σημασία τους", "OK"]),
        ]
        for button, title, names in cases:
            with self.subTest(dialog=title):
                app.click(app.find(name=button, role="push button"))
                dialog = app.find_window(name=title)
                found = {c.name for c in app.controls(dialog)}
                for name in names:
                    self.assertIn(name, found)
                self.assertEqual(self.unnamed(dialog), [])
                app.key("Escape")
                e2e.wait_for(lambda: not any(w.name == title for w in app.windows()),
                             what=f"{title} to close")

        # The about window opens from the copyright label.
        app.click(app.find(name="Copyright ©", role="label"))
        about = app.find_window(name="Zelvoran Glossa έκδ.1.2")
        controls = app.controls(about)
        self.assertIn("Πληροφορίες Copyright", {c.name for c in controls})
        self.assertEqual(self.unnamed(about), [])
        # The notice states the licences; no right is reserved.
        notice = next(c for c in controls if c.name == "Πληροφορίες Copyright").text
        self.assertIn("Γενικής Άδειας Δημόσιας Χρήσης GNU (GNU General Public License)", notice)
        self.assertIn("CC BY-SA 3.0", notice)
        self.assertIn("LICENSE", notice)
        self.assertNotIn("επιφύλαξη", notice)
        app.key("Escape")

    def test_focus_stays_in_the_entry_box_after_stay_on_top(self):
        app = self.app
        self.type_word("cat")
        focused = app.focused()
        self.assertIsNotNone(focused)
        self.assertEqual(focused.name, "Λήμμα προς Αναζήτηση")
        pin = app.find(name="Παραμονή στην κορυφή", role="push button")
        for _ in range(2):  # on, then off again
            app.click(pin)
            e2e.wait_for(lambda: app.x("xdotool", "search", "--onlyvisible", "--pid",
                                       str(app.proc.pid), "--name", "Zelvoran Glossa",
                                       check=False).stdout.split(), what="the window again")
            self.assertEventually(lambda: getattr(app.focused(), "name", None),
                                  "Λήμμα προς Αναζήτηση", what="the focused control")
            # Keys typed now reach the entry box: the new native window has the X focus.
            e2e.wait_for(lambda: app.x_focus() in app.visible_windows(),
                         what="the X focus on the window again")
            app.type_text("s")
            e2e.wait_for(lambda: app.entry_text().endswith("s"), what="the typed key")
            app.key("BackSpace")


if __name__ == "__main__":
    e2e_case.main()
