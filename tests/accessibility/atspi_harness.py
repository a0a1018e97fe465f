"""Drives the real program through AT-SPI, as a screen reader sees it.

Starts a private desktop (Xvfb, openbox, a D-Bus session through dbus-run-session, the
AT-SPI bus; once for the process, since Atspi keeps its first bus) and on it the
program with Qt's accessibility bridge on; finds controls by accessible name and role,
reads names, descriptions and texts, and waits for the focus or for an AT-SPI event.
Needs Debian's /usr/bin/python3 with python3-pyatspi, and xvfb x11-utils openbox
xdotool dbus-bin dbus-daemon at-spi2-core (scripts/install-deps.sh installs them).
"""

import atexit
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

# The desktop's bus addresses must be in the environment before Atspi connects, so
# pyatspi is imported when the first Stack starts, not here.
pyatspi = None
GLib = None

TIMEOUT = 15.0


class HarnessError(AssertionError):
    pass


def pump(seconds=0.0):
    """Lets Atspi's events and replies, which come through GLib's default main context,
    arrive for a while (once, by default)."""
    deadline = time.monotonic() + seconds
    while GLib:
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
        if time.monotonic() >= deadline:
            return
        time.sleep(0.02)


def wait(predicate, timeout, what):
    """predicate's first true value, pumping events while it is false."""
    deadline = time.monotonic() + timeout
    while True:
        pump()
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise HarnessError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(0.05)


def role_name(obj):
    return obj.getRoleName()


def states(obj):
    return set(obj.getState().getStates())


def name(obj, fresh=True):
    """The accessible name; fresh=False gives what a caching client would see."""
    if fresh:
        obj.clearCache()
    return obj.name


def description(obj):
    obj.clearCache()
    return obj.description


def text(obj):
    """The text of a box through the Text interface; a Qt 6.4 QLabel has none, and
    its caption is its name unless an accessible name was set."""
    try:
        with warnings.catch_warnings():  # pyatspi's own call of a deprecated function
            warnings.simplefilter("ignore", DeprecationWarning)
            iface = obj.queryText()
    except NotImplementedError:
        return name(obj)
    return iface.getText(0, iface.characterCount)


def describe(obj):
    try:
        return "[%s | %s]" % (role_name(obj), obj.name)
    except Exception:  # a dead object
        return "[dead]"


def walk(root):
    """The subtree under root, root first, breadth first."""
    queue = [root]
    while queue:
        obj = queue.pop(0)
        yield obj
        try:
            queue.extend(c for c in obj if c is not None)
        except Exception:
            pass  # the object went away while we looked


class Event:
    """What an AT-SPI event said, copied when it arrived."""

    def __init__(self, event):
        self.type, self.detail1, self.source = event.type, event.detail1, event.source
        self.source_text = describe(event.source)

    def __repr__(self):
        return "%s %s (%s)" % (self.type, self.source_text, self.detail1)


def _stop_process(proc, signal_to=None):
    if proc.poll() is None:
        os.kill(signal_to or proc.pid, signal.SIGTERM)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def _run(*argv):
    return subprocess.run(argv, capture_output=True, text=True).stdout


class _Desktop:
    """Xvfb, a D-Bus session and the AT-SPI bus, started once for the process and
    stopped when it exits."""

    started = None

    @classmethod
    def get(cls):
        if cls.started is None:
            desktop = cls()
            try:
                desktop._start()
            except BaseException:
                desktop.stop()
                raise
            atexit.register(desktop.stop)
            cls.started = desktop
        return cls.started

    def __init__(self):
        self.procs = []
        self.session_child = None
        self.saved_env = dict(os.environ)
        self.work = tempfile.mkdtemp(prefix="atspi-harness.")

    def _spawn(self, argv, **kwargs):
        proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, **kwargs)
        self.procs.append(proc)
        return proc

    def _spawn_and_read(self, argv, what):
        """Starts argv with a pipe whose number is in argv as {fd}; the line it writes."""
        read_end, write_end = os.pipe()
        self._spawn([a.format(fd=write_end) for a in argv], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            line = pipe.readline().strip()
        if not line:
            raise HarnessError("%s did not start" % what)
        return line

    def _start(self):
        global pyatspi, GLib
        for tool in ("Xvfb", "xdotool", "xprop", "openbox", "dbus-run-session"):
            if not shutil.which(tool):
                raise HarnessError("%s is missing: scripts/install-deps.sh installs it" % tool)
        runtime = os.path.join(self.work, "run")
        os.mkdir(runtime, 0o700)
        for var in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY"):
            os.environ.pop(var, None)
        os.environ.update(HOME=self.work, XDG_RUNTIME_DIR=runtime,
                          XDG_CONFIG_HOME=os.path.join(self.work, "config"))
        # Xvfb picks a free display and writes its number to the pipe.
        os.environ["DISPLAY"] = ":" + self._spawn_and_read(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             "-noreset"], "Xvfb")
        # dbus-run-session keeps the session bus for as long as its child lives, and
        # ends it with the child; the child tells its pid and the address, and sleeps.
        child, _, address = self._spawn_and_read(
            ["dbus-run-session", "--", "sh", "-c",
             'echo "$$ $DBUS_SESSION_BUS_ADDRESS" >&{fd}; exec sleep infinity'],
            "dbus-run-session").partition(" ")
        if not address:
            raise HarnessError("dbus-run-session did not start a bus")
        self.session_child = int(child)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        # A window manager, as on a desktop: without one, X gives the keyboard focus to
        # nobody when a message box closes, and the window stays without focus.
        self._spawn(["openbox", "--sm-disable"])
        wait(lambda: "window id" in _run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
             TIMEOUT, "the window manager")
        # Asking org.a11y.Bus for its address before the launcher owns the name would
        # have D-Bus start a second launcher, so the wait asks the bus itself.
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait(lambda: "boolean true" in _run(
            "dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
            "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
            "string:org.a11y.Bus"), TIMEOUT, "the AT-SPI bus launcher")

        with warnings.catch_warnings():
            warnings.simplefilter("ignore", ImportWarning)  # gi's importer under unittest
            import pyatspi as _pyatspi
            from gi.repository import GLib as _GLib
        pyatspi, GLib = _pyatspi, _GLib

    def stop(self):
        # The buses, then X. dbus-run-session ends its bus when its child ends, so the
        # child is stopped, not dbus-run-session.
        for proc in reversed(self.procs):
            is_session = proc.args[0] == "dbus-run-session" and self.session_child
            _stop_process(proc, self.session_child if is_session else None)
        self.procs = []
        os.environ.clear()
        os.environ.update(self.saved_env)
        shutil.rmtree(self.work, ignore_errors=True)


class Stack:
    """A context manager that starts the program on the harness's desktop (started with
    the first Stack), with Qt's accessibility on, and stops it; the program's events of
    the EVENTS types are recorded from the start in self.events."""

    EVENTS = ("object:state-changed:focused", "object:property-change",
              "object:text-changed", "object:state-changed:showing",
              "object:children-changed", "window")

    def __init__(self, program):
        self.program = os.path.realpath(program)
        self.events = []
        self.output = self.app = self.process = None
        self._listening = False

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self._stop()
            raise
        return self

    def __exit__(self, *exc):
        self._stop()
        return False

    def _start(self):
        desktop = _Desktop.get()
        for kind in self.EVENTS:
            pyatspi.Registry.registerEventListener(self._on_event, kind)
        self._listening = True
        env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb")
        self.output = tempfile.TemporaryFile("w+", dir=desktop.work)
        self.process = subprocess.Popen([self.program], env=env, stdin=subprocess.DEVNULL,
                                        stdout=self.output, stderr=subprocess.STDOUT)
        self.app = wait(self._find_app, TIMEOUT, "the program on the AT-SPI bus")
        # Keys go to the window through XTEST like a real keyboard's, once the window
        # manager has made it the active window, as it does by itself for a new one.
        window_id = wait(lambda: _run("xdotool", "search", "--onlyvisible", "--pid",
                                      str(self.process.pid)).split(),
                         TIMEOUT, "the program's window")[0]
        wait(lambda: self._active_window() == int(window_id), TIMEOUT,
             "the window manager to activate the window")
        # Ready once something in the window has the focus.
        self.wait_for_focus(lambda obj: True, "the first focus", TIMEOUT)

    @staticmethod
    def _active_window():
        try:
            return int(_run("xprop", "-root", "_NET_ACTIVE_WINDOW").rsplit("#", 1)[1]
                       .split(",")[0], 16)
        except (IndexError, ValueError):
            return None

    def _find_app(self):
        if self.process.poll() is not None:
            raise HarnessError("the program exited with %s" % self.process.returncode)
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                pass
        return None

    def _stop(self):
        if self._listening:
            pyatspi.Registry.deregisterEventListener(self._on_event, *self.EVENTS)
            self._listening = False
        if self.process is not None:
            if self.process.poll() is not None:
                # The program ended by itself (a crash, a sanitizer report): say how.
                self.output.seek(0)
                sys.stderr.write("\nthe program ended with status %d:\n%s"
                                 % (self.process.returncode, self.output.read()))
            _stop_process(self.process)
            pump()  # lets the bus tell that the program has gone before the next starts

    def _on_event(self, event):
        try:
            if event.host_application.get_process_id() != self.process.pid:
                return
        except Exception:  # no host application, or a dead one
            return
        self.events.append(Event(event))

    def mark(self):
        """A place in the event record; wait_for_event looks only after it."""
        pump()
        return len(self.events)

    def wait_for_event(self, kind, predicate, since, timeout):
        """The first recorded event after `since` whose type starts with kind."""
        return wait(lambda: next((e for e in self.events[since:]
                                  if e.type.startswith(kind) and predicate(e)), None),
                    timeout, "event %s" % kind)

    def find_all(self, role, name=None):
        """The objects of the AT-SPI role ("text", "menu bar", "frame", ...) and name."""
        found = []
        for obj in walk(self.app):
            try:
                if role_name(obj) == role and name in (None, obj.name):
                    found.append(obj)
            except Exception:
                pass
        return found

    def find(self, role, name=None):
        found = self.find_all(role, name)
        if len(found) != 1:
            raise HarnessError("%d objects match %s %r: %s"
                               % (len(found), role, name, [describe(o) for o in found]))
        return found[0]

    def focused(self):
        """The object that has the keyboard focus, or None."""
        for obj in walk(self.app):
            try:
                obj.clearCache()
                if pyatspi.STATE_FOCUSED in states(obj):
                    return obj
            except Exception:
                pass
        return None

    def wait_for_focus(self, predicate, what, timeout):
        """Waits until the focused object satisfies predicate; returns it."""
        return wait(lambda: next((o for o in [self.focused()]
                                  if o is not None and predicate(o)), None), timeout, what)

    def as_caching_client(self, steps):
        """Runs steps the way a screen reader runs: inside Atspi's main loop, where
        libatspi keeps the names it has read and forgets one only on a name-change
        event. steps is a generator that yields the seconds to wait between steps;
        name(obj, fresh=False) inside it gives what such a client would see."""
        failure = []

        def tick():
            try:
                delay = next(steps)
            except StopIteration:
                pyatspi.Registry.stop()
            except BaseException as error:  # carried out of the main loop
                failure.append(error)
                pyatspi.Registry.stop()
            else:
                GLib.timeout_add(int(delay * 1000), tick)
            return False

        GLib.idle_add(tick)
        pyatspi.Registry.start()
        if failure:
            raise failure[0]
