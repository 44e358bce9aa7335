# SPDX-License-Identifier: GPL-3.0-or-later
"""Whole words on the real window: a complete form typed while it still begins a headword is
left alone until Enter, which shows its base form's entry; words copied in another program with
punctuation around them are looked up without it."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import e2e_case  # noqa: E402

# The keys of γυναικών on the Greek layout (X keycodes): γ υ ν α ι κ, the accent key, ω, ν.
GYNAIKON = ["42", "29", "57", "38", "31", "45", "47", "55", "57"]
RETURN = "36"


class WholeWordsTest(e2e_case.ProgramTest):
    DATA = "desktop"

    def test_enter_takes_a_typed_form_whole(self):
        app = self.app
        app.click(app.find(name="Επιλογή Γλώσσας", role="push button"))
        self.assertEventually(
            lambda: app.find(name="Επιλογή Γλώσσας", role="push button").description,
            "Ελληνικά λήμματα με αγγλική ερμηνεία", what="the Greek direction")
        app.click(app.entry_box())
        app.x11_probe("keys", *GYNAIKON)
        self.assertEventually(app.entry_text, "γυναικών", what="the typed form")
        # It still begins γυναικωνίτης: while typed, nothing is shown.
        self.assertEventually(lambda: app.rows()[:1], ["γυναικωνίτης"], what="the list")
        self.assertEqual(app.headword_label(), "")
        self.assertEqual(app.explanation(), "")

        app.x11_probe("keys", RETURN)
        self.assertEventually(app.headword_label, "γυναικών → γυναίκα", what="Enter's answer")
        self.assertEqual(app.explanation(), "woman")
        self.assertEqual(app.rows()[app.selected_row()], "γυναίκα")
        self.assertEqual(app.entry_text(), "γυναικών")

    def test_quick_translation_trims_the_punctuation_of_a_copied_word(self):
        app = self.app
        app.click(app.find(name="Γρήγορη Μετάφραση", role="push button"))
        app.find(name="Τερματισμός Γρήγορης Μετάφρασης", role="push button")
        cases = [
            ("house.", "house", "I. σπίτι"),
            ("(σπιτιού),", "σπιτιού → σπίτι", "house, home"),
            ("«γυναίκα»;", "γυναίκα", "woman"),
        ]
        for copied, label, explanation in cases:
            with self.subTest(copied=copied):
                app.copy_in_other_program(copied)
                self.assertEventually(app.entry_text, copied, what="the copied text")
                self.assertEventually(app.headword_label, label, what="the entry shown")
                self.assertIn(explanation, app.explanation())


if __name__ == "__main__":
    e2e_case.main()
