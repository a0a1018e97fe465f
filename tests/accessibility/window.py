"""The tutor's window as the AT-SPI tests drive it: real keys through xdotool, and
waits on what the program tells the bus (focus, notifications, message boxes) rather
than fixed sleeps.

Each test class starts the program once (WindowTest) and drives it through `self.w`.
"""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_harness import (HarnessError, Stack, _pump, _wait, describe,  # noqa: E402
                           description, name, role_name, states, text)

# Set by run.py, or by a test file run on its own.
PROGRAM = None

# How long the program may take to answer a key; it answers in well under a second.
WAIT = 5.0
# When the whole run must end (run.py sets it): after that every wait fails at once, so
# that a program that has stopped answering still gets its report printed before
# CTest's time limit.
DEADLINE = None
# Milliseconds between two keys: X and Qt keep their order at any pace.
KEY_DELAY = 20

FOCUSED = "object:state-changed:focused"
SHOWING = "object:state-changed:showing"


def wait_time():
    """How long the next wait may take."""
    if DEADLINE is None:
        return WAIT
    left = DEADLINE - time.monotonic()
    if left <= 0:
        raise HarnessError("out of time: the run has used up its budget")
    return min(WAIT, left)


def is_focus_on(role):
    return lambda e: e.detail1 == 1 and e.source_text.startswith("[%s |" % role)


class Window:
    def __init__(self, stack):
        self.stack = stack

    def press(self, *keys):
        """Presses keys one after the other. A lone Alt is held for 50 ms: with both
        cores busy, an Alt press and release sent 10 ms apart opened the menu bar and
        closed it again at once, most times at the first Alt after the program starts;
        held 50 ms or more, never in 26 tries."""
        keys = list(keys)
        while keys:
            if keys[0] == "alt":
                subprocess.run(["xdotool", "keydown", "alt"], check=True)
                self.stack.pump(0.05)
                subprocess.run(["xdotool", "keyup", "alt"], check=True)
                keys.pop(0)
            else:
                n = keys.index("alt") if "alt" in keys else len(keys)
                self.stack.press(*keys[:n], settle=0, delay=KEY_DELAY)
                del keys[:n]

    def mark(self):
        return self.stack.mark()

    # -- focus ------------------------------------------------------------------------

    def focused_box(self):
        """The accessible name of the box that has the focus, or None."""
        obj = self.stack.focused()
        return name(obj) if obj is not None and role_name(obj) == "text" else None

    def wait_for_box(self, box):
        """Waits until the box named `box` has the focus."""
        self.stack.wait_for_focus(lambda o: role_name(o) == "text" and o.name == box,
                                  what="the focus in %r" % box, timeout=wait_time())

    def keys_to_item(self, *keys):
        """Presses keys and returns the name of the menu item they focus."""
        since = self.mark()
        self.press(*keys)
        return name(self.stack.wait_for_event(FOCUSED, is_focus_on("menu item"), since,
                                              wait_time()).source)

    def keys_to_box(self, *keys):
        """Presses keys and returns the name of the box they focus."""
        since = self.mark()
        self.press(*keys)
        return name(self.stack.wait_for_event(FOCUSED, is_focus_on("text"), since,
                                              wait_time()).source)

    def tab_to(self, box):
        """Tabs round the shown boxes until `box` has the focus."""
        for _ in range(9):
            if self.focused_box() == box:
                return
            self.keys_to_box("Tab")
        raise HarnessError("Tab never reaches %r" % box)

    # -- typing and commands -------------------------------------------------------

    def fill(self, *boxes):
        """Types into boxes, given as (name, text) pairs, replacing what they held."""
        for box, value in boxes:
            self.tab_to(box)
            # Typing replaces the selected text.
            self.press("ctrl+a")
            if value:
                self.stack.type_text(value, settle=0, delay=KEY_DELAY)
            else:
                self.press("BackSpace")
            obj = self.stack.find(name=box, role="text")
            _wait(lambda: text(obj) == value, wait_time(), "%r to hold %r" % (box, value), _pump)

    def choose(self, caption, key="alt"):
        """Opens the menu bar with key (alt or F10), moves right to the item named
        caption and chooses it with Return."""
        item = self.keys_to_item(key)
        for _ in range(6):
            if item == caption:
                self.press("Return")
                return
            item = self.keys_to_item("Right")
        raise HarnessError("no menu item %r" % caption)

    # -- what the program says -----------------------------------------------------

    def announcement(self, since):
        """What the first notification shown after `since` says."""
        shown = self.stack.wait_for_event(
            SHOWING, lambda e: e.detail1 == 1 and e.source_text.startswith("[notification |"),
            since, wait_time())
        return name(shown.source)

    def sync(self):
        """Opens and leaves the menu bar (Alt, Escape: Qt's own keys, not the ones under
        test), and returns the name of the box that has the focus then. The program
        handles keys in order, so everything that earlier keys made it do has reached
        the bus by the time this returns."""
        self.keys_to_item("alt")
        return self.keys_to_box("Escape")

    def announcements_since(self, since):
        """The names of every notification shown after `since`, up to now."""
        self.sync()
        return [e.source_text for e in self.stack.events_since(since, SHOWING)
                if e.detail1 == 1 and e.source_text.startswith("[notification |")]

    def message_box(self, since):
        """Waits for a message box to get the focus; returns its title and the name of
        the focused button."""
        box = self.stack.wait_for_event(
            "window:activate", lambda e: e.source_text.startswith("[alert |"), since, wait_time())
        button = self.stack.wait_for_event(FOCUSED, is_focus_on("push button"), since, wait_time())
        return name(box.source), name(button.source)


class WindowTest(unittest.TestCase):
    """One start of the program for the whole class."""

    @classmethod
    def setUpClass(cls):
        if not PROGRAM:
            raise RuntimeError("no program: set window.PROGRAM, or run through run.py")
        cls.stack = Stack(PROGRAM).__enter__()
        cls.w = Window(cls.stack)

    @classmethod
    def tearDownClass(cls):
        cls.stack.__exit__(None, None, None)


def main():
    """The entry point of a test file run on its own: FILE PROGRAM [unittest options]."""
    global PROGRAM
    if len(sys.argv) < 2 or not os.path.isfile(sys.argv[1]):
        sys.exit("usage: %s PROGRAM [unittest options]" % sys.argv[0])
    PROGRAM = sys.argv.pop(1)
    unittest.main(module="__main__")


__all__ = ["WindowTest", "Window", "main", "describe", "description", "name", "role_name",
           "states", "text", "FOCUSED", "SHOWING", "is_focus_on", "wait_time"]
