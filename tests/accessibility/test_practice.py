"""The practice window as a screen reader finds it: Ctrl+E opens it with the focus on the
kind; a set number and Return start the set, and the equation and the first step's prompt
are said; a wrong discriminant is said with its hint and the focus stays in its box; the
right one moves to the next step, and so on to the next exercise.

    /usr/bin/python3 tests/accessibility/test_practice.py build/quadratic-tutor
"""

from window import KEY_DELAY, WindowTest, main, xdotool

FIRST = ("Serie 17. Esercizio 1 di 10: x² + x − 2 = 0. "
         "Calcola il discriminante Δ = B² − 4AC.")
# The boxes in turn: what is typed, the box that has the focus after Return, what is said.
STEPS = [
    ("-7", "Δ", "Δ: sbagliato. Attenzione al segno di 4AC."),
    ("9", "numero di radici reali", "Δ: giusto. Quante radici reali ha? Scrivi 2, 1 oppure 0."),
    ("2", "prima radice",
     "Numero di radici reali: giusto. Scrivi le radici, in qualsiasi ordine."),
    ("1", "seconda radice", "seconda radice: scrivi la risposta."),
    ("-2", "x del vertice", "Radici: giusto. Scrivi il vertice V(x; y)."),
    ("-1/2", "y del vertice", "y del vertice: scrivi la risposta."),
    ("-9/4", "Δ", "Vertice: giusto. Esercizio 2 di 10: x² + x − 12 = 0. "
                  "Calcola il discriminante Δ = B² − 4AC."),
]


class Practice(WindowTest):
    def test_one_exercise_with_a_wrong_step(self):
        self.w.wait_for_box("numeratore di A")
        # A combo box is named by its choice (its label, "Tipo", is said before it).
        self.assertEqual(self.w.keys_to("combo box", "ctrl+e"), "Misti")
        self.w.press("Home")  # whole roots, the first kind
        self.assertEqual(self.w.keys_to("spin button", "Tab"),
                         "Numero della serie, da 1 a 9999: Invio la inizia")
        self.w.press("ctrl+a")
        xdotool("type", "--delay", KEY_DELAY, "--", "17")
        since = self.w.mark()
        self.w.press("Return")
        self.assertEqual(self.w.announcement(since), FIRST)
        self.w.wait_for_box("Δ")
        for typed, box, said in STEPS:
            with self.subTest(typed=typed):
                self.w.press("ctrl+a")
                xdotool("type", "--delay", KEY_DELAY, "--", typed)
                since = self.w.mark()
                self.w.press("Return")
                self.assertEqual(self.w.announcement(since), said)
                self.w.wait_for_box(box)


if __name__ == "__main__":
    main()
