"""The results as a screen reader hears them: each command that writes result lines
shows the notification with those lines as its name, whichever key ran it.

    /usr/bin/python3 tests/accessibility/test_results.py build/quadratic-tutor
"""

from window import WindowTest, keys, main, menu

A, B, C, X = "numeratore di A", "numeratore di B", "numeratore di C", "numeratore di X"

# The box that has the focus, how the solve is given from there (Return in the box, or
# Alt or F10 and Return on Risolvi), A, B, C, and what is said.
SOLVES = [
    (A, "Return", "1", "-3", "2", " Determinante =  1,  X1= 2,  X2= 1"),
    (B, "Return", "1", "-5", "6", " Determinante =  1,  X1= 3,  X2= 2"),
    (C, "Return", "2", "-3", "1", " Determinante =  1,  X1= 1,  X2= 1/ 2"),
    (C, "alt", "1", "0", "-4", " Determinante =  16,  X1= 2,  X2=-2"),
    (A, "F10", "1", "2", "5", " Determinante = -16,  X1= [-2+i 4] /  2,  X2= [-2-i 4] /  2"),
]

# Return in the X row tests x² - 3x + 2 at X.
TESTS = [("3", "F( 3)= 2"), ("1", "F( 1)=0"), ("-1", "F(-1)= 6")]

COMPOSE = (" Componi un'equazione date le,  due radici reali : a , b,"
           "  Per continuare clicca su : Risolvi.")


class Results(WindowTest):
    def test_solve_announces_discriminant_and_roots(self):
        for box, key, a, b, c, said in SOLVES:
            with self.subTest(box=box, key=key):
                self.w.fill((A, a), (B, b), (C, c))
                self.w.tab_to(box)
                command = keys(key) if key == "Return" else menu("Risolvi", key)
                self.assertEqual(self.w.announced(command), said)

    def test_return_in_the_x_row_announces_the_value(self):
        self.w.fill((A, "1"), (B, "-3"), (C, "2"))
        for x, said in TESTS:
            with self.subTest(x=x):
                self.w.fill((X, x))
                self.assertEqual(self.w.announced(keys("Return")), said)

    def test_refused_solve_announces_nothing(self):
        self.w.fill((A, "1"), (B, "-3"), (C, "2"))
        self.w.announced(keys("Return"))
        self.w.fill((A, "0"))
        since = self.w.mark()
        self.w.press("Return")
        self.assertEqual(self.w.message_box(since), ("ATTENZIONE", "OK"))
        self.w.press("Return")
        self.w.wait_for_box(A)
        self.assertEqual(self.w.announcements_since(since), [])


class Compose(WindowTest):
    """On a program of its own: a failure here would leave compose mode on."""

    def test_compose_announces_its_lines_and_then_the_solve(self):
        self.w.tab_to(A)
        self.assertEqual(self.w.announced(menu("Componi")), COMPOSE)
        # (x - 3)(x + 2) = x² - x - 6
        self.w.fill(("numeratore di a", "3"), ("numeratore di b", "-2"))
        self.assertEqual(self.w.announced(keys("Return")), " Determinante =  25,  X1= 3,  X2=-2")


if __name__ == "__main__":
    main()
