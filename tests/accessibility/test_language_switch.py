"""The language switch as a caching screen reader sees it: the menu items must
announce their new names (a name-change event each), or such a client keeps
reading the old ones; and the switch is confirmed in the new language.

    /usr/bin/python3 tests/accessibility/test_language_switch.py build/quadratic-tutor
"""

import time
import unittest

import window
from window import Stack, Window, is_notification, main, menu, name, xdotool

ITALIAN = ["Risolvi", "Componi", "Frazioni", "Test", "Info", "English", "Lavagna", "Esercizi"]
ENGLISH = ["Solve", "Compose", "Fractions", "Test", "Info", "Italiano", "Board", "Practice"]

# The language item, and what the notification says after it.
CONFIRMATIONS = [("English", "Language: English"), ("Italiano", "Lingua: italiano")]


class LanguageSwitch(unittest.TestCase):
    def test_cached_menu_names_follow_the_switch(self):
        seen = {}
        with Stack(window.PROGRAM) as stack:
            items = list(stack.find(role="menu bar"))

            def steps():
                seen["before"] = [name(i, fresh=False) for i in items]
                yield 0.3
                # Alt (held a moment, see Window.press), then right to the language
                # item, then Return.
                since = len(stack.events)  # inside the main loop: no pumping
                xdotool("keydown", "alt")
                yield 0.05
                xdotool("keyup", "alt")
                yield 0.3
                xdotool("key", "--delay", "60", *["Right"] * ITALIAN.index("English"), "Return")
                # The confirmation comes after the menu items' name-change events.
                deadline = time.monotonic() + 10
                while time.monotonic() < deadline and not any(
                        e.type == window.SHOWING and is_notification(e)
                        for e in stack.events[since:]):
                    yield 0.05
                seen["after"] = [name(i, fresh=False) for i in items]
                seen["fresh"] = [name(i) for i in items]

            stack.as_caching_client(steps())
        self.assertEqual(seen["before"], ITALIAN)
        self.assertEqual(seen["fresh"], ENGLISH, "the switch itself did not happen")
        self.assertEqual(seen["after"], ENGLISH, "no name-change event for the menu items")

    def test_switch_is_confirmed_in_the_new_language(self):
        with Stack(window.PROGRAM) as stack:
            w = Window(stack)
            for item, said in CONFIRMATIONS:
                with self.subTest(item=item):
                    self.assertEqual(w.announced(menu(item)), said)


if __name__ == "__main__":
    main()
