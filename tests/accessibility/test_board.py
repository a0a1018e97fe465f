"""The board as a screen reader finds it: Ctrl+L after a solve opens it with the focus
in its steps, whose lines are read whole where they wrap; Tab reaches the graph, Right
speaks its first point and 3 the speed of its sound. A failed solve with the board open is
said, and heads the board.

    /usr/bin/python3 tests/accessibility/test_board.py build/quadratic-tutor
"""

import atspi_harness
from window import (FOCUSED, WindowTest, description, is_focus_on, main, name, text, wait,
                    wait_time)

GRAPH = ("Parabola y = x² − 3x + 2, concavità verso l'alto, vertice V(3/2; −1/4), "
         "interseca l'asse x in x = 1 e x = 2, direttrice y = −1/2. "
         "H la fa ascoltare, i tasti da 1 a 5 ne scelgono la velocità")


def line_at(text_interface, offset):
    return text_interface.getTextAtOffset(offset, atspi_harness.pyatspi.TEXT_BOUNDARY_LINE_START)


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
        self.assertTrue(text(steps).startswith(
            "1. L'equazione, con i coefficienti ai minimi termini\nx² − 3x + 2 = 0"),
            text(steps)[:120])
        # The board's window (a top-level QWidget: a filler to AT-SPI).
        self.assertEqual(len(self.stack.find_all(name="Lavagna", role="filler")), 1)
        # A line is a whole line of the steps.
        lines = steps.queryText()
        heading = "1. L'equazione, con i coefficienti ai minimi termini"
        self.assertEqual(line_at(lines, lines.caretOffset), (heading + "\n", 0, len(heading) + 1))
        # Down goes to the next line of the steps.
        self.w.press("Down")
        wait(lambda: lines.caretOffset == len(heading) + 1, wait_time(), "the caret on line 2")

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

        # Back in the main window, a solve that fails: once its stop box is closed, the
        # results are read out and then the board's first line.
        notice = ("Il calcolo non è arrivato alla fine (Overflow): la lavagna mostra "
                  "l'ultima equazione risolta.")
        self.assertEqual(self.w.keys_to("text", "alt+Tab"), "numeratore di C")
        self.w.fill(("numeratore di A", "20000"), ("numeratore di B", "1"),
                    ("numeratore di C", "0"))
        since = self.w.mark()
        self.w.press("Return")
        self.w.message_box(since)
        since = self.w.mark()
        self.w.press("Return")
        self.assertTrue(self.w.announcement(since).endswith(", " + notice))
        wait(lambda: text(steps).startswith(notice + "\n1. L'equazione"), wait_time(),
             "the board to start with the notice")
        # The notice wraps at the board's first size, and is read as one line.
        self.assertEqual(line_at(lines, 0), (notice + "\n", 0, len(notice) + 1))
        pyatspi = atspi_harness.pyatspi
        tops = [lines.getCharacterExtents(i, pyatspi.DESKTOP_COORDS)[1]
                for i in (0, len(notice) - 1)]
        self.assertLess(tops[0], tops[1])


if __name__ == "__main__":
    main()
