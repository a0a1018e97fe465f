"""The board as a screen reader finds it: Ctrl+L after a solve opens it with the focus
in its steps; Tab reaches the graph, Right speaks its first point and 3 the speed of
its sound.

    /usr/bin/python3 tests/accessibility/test_board.py build/quadratic-tutor
"""

from window import FOCUSED, WindowTest, description, is_focus_on, main, name, text, wait_time

GRAPH = ("Parabola y = x² − 3x + 2, concavità verso l'alto, vertice V(3/2; −1/4), "
         "interseca l'asse x in x = 1 e x = 2, direttrice y = −1/2. "
         "H la fa ascoltare, i tasti da 1 a 5 ne scelgono la velocità")


class Board(WindowTest):
    def test_ctrl_l_opens_the_board_after_a_solve(self):
        self.w.fill(("numeratore di A", "1"), ("numeratore di B", "-3"),
                    ("numeratore di C", "2"))
        since = self.w.mark()
        self.w.press("Return")
        self.w.announcement(since)

        since = self.w.mark()
        self.w.press("ctrl+l")
        steps = self.stack.wait_for_event(FOCUSED, is_focus_on("text"), since,
                                          wait_time()).source
        self.assertEqual(name(steps), "Passaggi")
        # The steps hold non-breaking blanks and word joiners, so that no expression wraps
        # in two; a screen reader says them as blanks and nothing.
        plain = text(steps).replace("\u00a0", " ").replace("\u2060", "")
        self.assertTrue(plain.startswith(
            "1. L'equazione, con i coefficienti ai minimi termini\nx² − 3x + 2 = 0"),
            plain[:120])
        # The board's window (a top-level QWidget: a filler to AT-SPI).
        self.assertEqual(len(self.stack.find_all(name="Lavagna", role="filler")), 1)

        since = self.w.mark()
        self.w.press("Tab")
        graph = self.stack.wait_for_event(FOCUSED, is_focus_on("chart"), since,
                                          wait_time()).source
        self.assertEqual((name(graph), description(graph)), ("Grafico", GRAPH))

        since = self.w.mark()
        self.w.press("Right")
        self.assertEqual(self.w.announcement(since), "radice x = 1")

        since = self.w.mark()
        self.w.press("3")
        self.assertEqual(self.w.announcement(since), "Velocità 3: 4 secondi")


if __name__ == "__main__":
    main()
