"""What a screen reader finds when the window opens.

    /usr/bin/python3 tests/accessibility/test_startup.py build/quadratic-tutor
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_harness import Stack, describe, role_name, states  # noqa: E402

PROGRAM = None

# The menu bar's commands, in order, as the window opens (in Italian).
MENU_AT_START = ["Risolvi", "Componi", "Frazioni", "Test", "Info", "English", "Lavagna"]


class Startup(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.stack = Stack(PROGRAM).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.stack.__exit__(None, None, None)

    def test_focus_starts_in_an_editable_box(self):
        import pyatspi
        focused = self.stack.focused()
        self.assertIsNotNone(focused)
        self.assertEqual(role_name(focused), "text", describe(focused))
        self.assertIn(pyatspi.STATE_EDITABLE, states(focused))

    def test_menu_bar_lists_the_commands(self):
        bar = self.stack.find(role="menu bar")
        self.assertEqual([(role_name(item), item.name) for item in bar],
                         [("menu item", caption) for caption in MENU_AT_START])


if __name__ == "__main__":
    if len(sys.argv) < 2 or not os.path.isfile(sys.argv[1]):
        sys.exit("usage: %s PROGRAM [unittest options]" % sys.argv[0])
    PROGRAM = sys.argv.pop(1)
    unittest.main()
