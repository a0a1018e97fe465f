"""The keyboard alone: F10 and the menu bar, and where the focus is after a message
box, whichever key ran the command.

    /usr/bin/python3 tests/accessibility/test_keys.py build/quadratic-tutor
"""

import pyatspi
from window import (FOCUSED, WindowTest, describe, is_focus_on, keys, main, menu, states,
                    wait_time)

A, B, C, X = "numeratore di A", "numeratore di B", "numeratore di C", "numeratore di X"

# From the B row: keys, and the menu item or box ("text") that has the focus after them.
MENU_KEYS = [
    ("F10", "menu item", "Risolvi"),
    ("Right", "menu item", "Componi"),
    ("Right", "menu item", "Frazioni"),
    ("Escape", "text", B),
    ("F10", "menu item", "Risolvi"),
    ("F10", "text", B),  # F10 again leaves the menu bar, as Alt does
    ("alt", "menu item", "Risolvi"),
    ("Left", "menu item", "Esercizi"),
    ("Escape", "text", B),
]

# With A = 0, which every solve and test refuses: the language, the box that has the
# focus, how the command is given, the title of the box it shows; the focus must be
# back in the same box once the box is closed with Return.
MESSAGE_BOXES = [
    ("it", A, keys("Return"), "ATTENZIONE"),
    ("it", B, menu("Risolvi"), "ATTENZIONE"),
    ("it", C, menu("Risolvi", "F10"), "ATTENZIONE"),
    ("it", X, keys("Return"), "ATTENZIONE"),  # the test command
    ("it", X, menu("Test", "F10"), "ATTENZIONE"),
    ("it", B, menu("Info"), "INFORMAZIONI"),
    ("en", "numerator of A", keys("Return"), "WARNING"),
    ("en", "numerator of C", menu("Solve"), "WARNING"),
    ("en", "numerator of X", menu("Info", "F10"), "INFORMATION"),
]

class Keys(WindowTest):
    def test_f10_opens_the_menu_bar_and_escape_returns_to_the_box(self):
        self.w.tab_to(B)
        for step, (key, role, focus) in enumerate(MENU_KEYS):  # each from where the last left
            self.assertEqual(self.w.keys_to(role, key), focus, "step %d, %s" % (step, key))

    def test_focus_returns_to_the_box_after_a_message_box(self):
        language = "it"
        for wanted, box, command, title in MESSAGE_BOXES:
            with self.subTest(language=wanted, box=box, title=title):
                if wanted != language:
                    self.w.choose("English")
                    self.w.sync()
                    language = wanted
                self.w.fill((A if language == "it" else "numerator of A", "0"))
                self.w.tab_to(box)
                since = self.w.mark()
                command(self.w)
                self.assertEqual(self.w.message_box(since), (title, "OK"))
                self.w.press("Return")
                self.w.wait_for_box(box)
                self.assertEqual(self.w.sync(), box)

class ComposeFromAHiddenRow(WindowTest):
    # Compose hides the X row while the menu bar has the focus; the focus must not go
    # back to the hidden box, where typing would go nowhere.
    def test_focus_lands_in_a_shown_box(self):
        self.w.tab_to(X)
        since = self.w.mark()
        self.w.choose("Componi")
        box = self.stack.wait_for_event(FOCUSED, is_focus_on("text"), since,
                                         wait_time()).source
        self.assertIn(pyatspi.STATE_SHOWING, states(box), "focus in hidden " + describe(box))

if __name__ == "__main__":
    main()
