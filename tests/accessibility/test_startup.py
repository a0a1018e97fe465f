"""What a screen reader finds when the window opens.

    /usr/bin/python3 tests/accessibility/test_startup.py build/quadratic-tutor
"""

import pyatspi
from window import WindowTest, describe, main, role_name, states

# The menu bar's commands, in order, as the window opens (in Italian).
MENU_AT_START = ["Risolvi", "Componi", "Frazioni", "Test", "Info", "English", "Lavagna",
                 "Esercizi"]


class Startup(WindowTest):
    def test_focus_starts_in_an_editable_box(self):
        focused = self.stack.focused()
        self.assertIsNotNone(focused)
        self.assertEqual(role_name(focused), "text", describe(focused))
        self.assertIn(pyatspi.STATE_EDITABLE, states(focused))

    def test_menu_bar_lists_the_commands(self):
        bar = self.stack.find(role="menu bar")
        self.assertEqual([(role_name(item), item.name) for item in bar],
                         [("menu item", caption) for caption in MENU_AT_START])


if __name__ == "__main__":
    main()
