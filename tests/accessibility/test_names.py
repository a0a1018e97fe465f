"""Names and descriptions in the window's language and mode: Italian and English,
the normal rows A, B, C, X and compose mode's roots a and b.

    /usr/bin/python3 tests/accessibility/test_names.py build/quadratic-tutor
"""

from window import WindowTest, description, main, name

BOXES = {
    "it": ("numeratore di ", "denominatore di "),
    "en": ("numerator of ", "denominator of "),
}
ROWS = {"normal": "ABCX", "compose": "abCX"}

WINDOW = {
    "it": ("Risolve A x al quadrato più B x più C uguale 0 con le frazioni", "Barra dei menu"),
    "en": ("Solves A x squared plus B x plus C equals 0 with fractions", "Menu bar"),
}

# The states in the order the test visits them, and the menu item that leads there
# from the one before (None: as the window opens).
STATES = [
    (None, "it", "normal"),
    ("Componi", "it", "compose"),
    ("English", "en", "compose"),
    ("Solve", "en", "normal"),  # a solve in compose mode ends it
    ("Italiano", "it", "normal"),
]


class Names(WindowTest):
    def test_names_and_descriptions_follow_language_and_mode(self):
        for item, language, mode in STATES:  # a failure ends it: the next states need it
            if item is not None:
                self.w.choose(item)
                self.w.sync()
            numerator, denominator = BOXES[language]
            where = language + " " + mode
            # The boxes in the window's order: row by row, numerator first.
            expected = [(prefix + row, tooltip) for row in ROWS[mode] for prefix, tooltip in
                        ((numerator, "Numeratore"), (denominator, "Denominatore"))]
            boxes = self.stack.find_all(role="text")
            self.assertEqual([(name(b), description(b)) for b in boxes], expected, where)
            frame = self.stack.find(role="frame", name="Quadratic Tutor")
            bar = self.stack.find(role="menu bar")
            self.assertEqual((description(frame), name(bar)), WINDOW[language], where)


if __name__ == "__main__":
    main()
