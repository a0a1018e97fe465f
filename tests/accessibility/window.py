"""The tutor's window as the AT-SPI tests drive it: real keys through xdotool, and
waits on what the program tells the bus (focus, notifications, message boxes) rather
than fixed sleeps. Each WindowTest class starts the program once and drives it
through `self.w`.
"""

import os
import subprocess
import sys
import time
import unittest

from atspi_harness import (HarnessError, Stack, describe, description, name,  # noqa: F401
                           pump, role_name, states, text, wait)

# Set by run.py, or by main() for a test file run on its own.
PROGRAM = None

# How long the program may take to answer a key; it answers in well under a second.
WAIT = 5.0
# When the whole run must end (run.py sets it): after that every wait fails at once, so
# that a program that has stopped answering still gets its report printed before
# CTest's time limit.
DEADLINE = None
# Milliseconds between two keys: X and Qt keep their order at any pace.
KEY_DELAY = "20"

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


def is_notification(e):
    return e.detail1 == 1 and e.source_text.startswith("[notification |")


def xdotool(*args):
    subprocess.run(("xdotool",) + args, check=True)


class Window:
    def __init__(self, stack):
        self.stack = stack
        self.mark = stack.mark

    def press(self, *keys):
        """Presses keys in xdotool's names ("Tab", "alt", "ctrl+a"). A lone Alt is held
        for 50 ms: with both cores busy, an Alt pressed and released 10 ms apart opened
        the menu bar and closed it again at once, most times at the first Alt after the
        program starts; held 50 ms or more, never in 26 tries."""
        for key in keys:
            if key == "alt":
                xdotool("keydown", "alt")
                pump(0.05)
                xdotool("keyup", "alt")
            else:
                xdotool("key", "--delay", KEY_DELAY, key)
        pump()

    def wait_for_box(self, box):
        """Waits until the box named `box` has the focus."""
        self.stack.wait_for_focus(lambda o: role_name(o) == "text" and o.name == box,
                                  "the focus in %r" % box, wait_time())

    def keys_to(self, role, *keys):
        """Presses keys and returns the name of the object of the role they focus."""
        since = self.mark()
        self.press(*keys)
        return name(self.stack.wait_for_event(FOCUSED, is_focus_on(role), since,
                                              wait_time()).source)

    def tab_to(self, box):
        """Tabs round the shown boxes until `box` has the focus."""
        for _ in range(9):
            obj = self.stack.focused()
            if obj is not None and role_name(obj) == "text" and name(obj) == box:
                return
            self.keys_to("text", "Tab")
        raise HarnessError("Tab never reaches %r" % box)

    def fill(self, *boxes):
        """Types into boxes, given as (name, text) pairs, replacing what they held."""
        for box, value in boxes:
            self.tab_to(box)
            self.press("ctrl+a")  # typing replaces the selected text
            if value:
                xdotool("type", "--delay", KEY_DELAY, "--", value)
            else:
                self.press("BackSpace")
            obj = self.stack.find(name=box, role="text")
            wait(lambda: text(obj) == value, wait_time(), "%r to hold %r" % (box, value))

    def choose(self, caption, key="alt"):
        """Opens the menu bar with key (alt or F10), moves right to the item named
        caption and chooses it with Return."""
        item = self.keys_to("menu item", key)
        for _ in range(8):
            if item == caption:
                self.press("Return")
                return
            item = self.keys_to("menu item", "Right")
        raise HarnessError("no menu item %r" % caption)

    def announcement(self, since):
        """What the first notification shown after `since` says."""
        return name(self.stack.wait_for_event(SHOWING, is_notification, since,
                                              wait_time()).source)

    def announced(self, command):
        """What the first notification after command(self) says."""
        since = self.mark()
        command(self)
        return self.announcement(since)

    def sync(self):
        """Opens and leaves the menu bar (Alt, Escape: Qt's own keys, not the ones under
        test), and returns the name of the box that has the focus then. The program
        handles keys in order, so everything that earlier keys made it do has reached
        the bus by the time this returns."""
        self.keys_to("menu item", "alt")
        return self.keys_to("text", "Escape")

    def announcements_since(self, since):
        """The names of every notification shown after `since`, up to now."""
        self.sync()
        return [e.source_text for e in self.stack.events[since:]
                if e.type == SHOWING and is_notification(e)]

    def message_box(self, since):
        """Waits for a message box to get the focus; returns its title and the name of
        the focused button."""
        box = self.stack.wait_for_event(
            "window:activate", lambda e: e.source_text.startswith("[alert |"), since, wait_time())
        button = self.stack.wait_for_event(FOCUSED, is_focus_on("push button"), since, wait_time())
        return name(box.source), name(button.source)


def keys(*names):
    """A command given with keys."""
    return lambda w: w.press(*names)


def menu(caption, key="alt"):
    """A command chosen from the menu bar, opened with key."""
    return lambda w: w.choose(caption, key)


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
