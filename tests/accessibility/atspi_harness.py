"""Drives the real program through AT-SPI, as a screen reader sees it.

Starts a private desktop (Xvfb, the openbox window manager, a D-Bus session through
dbus-run-session, the AT-SPI bus; once for the process, since Atspi keeps its first
bus) and on it the program with Qt's accessibility bridge on; finds controls by
accessible name or role, reads names, descriptions and texts, presses real keys with
xdotool and waits for the focus or for an AT-SPI event.

Runs with Debian's python3 and python3-pyatspi (not a virtualenv's python):

    /usr/bin/python3 tests/accessibility/test_startup.py build/quadratic-tutor

    with Stack(program) as stack:
        stack.type_text("1")
        since = stack.mark()
        stack.press("alt", "Return")  # the first menu item, Risolvi
        stack.wait_for_event("object:property-change:accessible-name", since=since,
                             predicate=lambda e: "Determinante" in e.source_text)
        print(text(stack.find(name_prefix=" Determinante")))

Packages (scripts/install-deps.sh installs them): xvfb x11-utils openbox xdotool dbus-bin
dbus-daemon at-spi2-core python3-pyatspi.
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

DEFAULT_TIMEOUT = 15.0


class HarnessError(AssertionError):
    pass


def _wait(predicate, timeout, what, pump=None):
    deadline = time.monotonic() + timeout
    while True:
        if pump:
            pump()
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise HarnessError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(0.05)


def _pump():
    # Atspi delivers events and replies through GLib's default main context.
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def role_name(obj):
    return obj.getRoleName()


def states(obj):
    return set(obj.getState().getStates())


def name(obj, fresh=True):
    """The accessible name; fresh=False gives what a caching client would see."""
    if fresh:
        obj.clearCache()
    return obj.name


def description(obj, fresh=True):
    if fresh:
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
    """A copy of what an AT-SPI event said, taken when it arrived."""

    def __init__(self, event):
        self.type = event.type
        self.detail1 = event.detail1
        self.detail2 = event.detail2
        self.source = event.source
        self.source_text = describe(event.source)
        data = event.any_data
        self.any_data = data if isinstance(data, (str, int, float)) else describe(data)

    def __repr__(self):
        return "%s %s (%s, %s, %r)" % (
            self.type, self.source_text, self.detail1, self.detail2, self.any_data)


def _stop_process(proc, signal_to=None):
    if proc.poll() is None:
        os.kill(signal_to or proc.pid, signal.SIGTERM)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


class _Desktop:
    """Xvfb, a D-Bus session and the AT-SPI bus, started once for the process (Atspi
    connects to one accessibility bus and keeps it) and stopped when it exits."""

    started = None

    @classmethod
    def get(cls, timeout):
        if cls.started is None:
            desktop = cls()
            try:
                desktop._start(timeout)
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

    def _start(self, timeout):
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
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            display = pipe.readline().strip()
        if not display:
            raise HarnessError("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + display

        # dbus-run-session keeps the session bus for as long as its child lives, and
        # ends it with the child; the child tells its pid and the address, and sleeps.
        read_end, write_end = os.pipe()
        self._spawn(["dbus-run-session", "--", "sh", "-c",
                     'echo "$$ $DBUS_SESSION_BUS_ADDRESS" >&%d; exec sleep infinity'
                     % write_end], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            child, _, address = pipe.readline().strip().partition(" ")
        if not address:
            raise HarnessError("dbus-run-session did not start a bus")
        self.session_child = int(child)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

        # A window manager, as on a desktop: without one, X gives the keyboard focus to
        # nobody when a message box closes, and the window stays without focus.
        self._spawn(["openbox", "--sm-disable"])
        _wait(lambda: "window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True,
            text=True).stdout, timeout, "the window manager")

        # Asking org.a11y.Bus for its address before the launcher owns the name would
        # have D-Bus start a second launcher, so the wait asks the bus itself.
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        _wait(lambda: "boolean true" in subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
             "string:org.a11y.Bus"], capture_output=True, text=True).stdout,
              timeout, "the AT-SPI bus launcher")

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
    """The program on the harness's desktop (Xvfb, D-Bus session, AT-SPI bus, started
    with the first Stack); a context manager that starts and stops the program.

    The program gets QT_ACCESSIBILITY=1, QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and
    QT_QPA_PLATFORM=xcb on top of env. Events of the types in `events` are recorded
    from the start in self.events.
    """

    EVENTS = ("object:state-changed:focused", "object:property-change",
              "object:text-changed", "object:state-changed:showing",
              "object:children-changed", "window")

    def __init__(self, program, args=(), env=None, events=EVENTS, timeout=DEFAULT_TIMEOUT):
        self.program = os.path.realpath(program)
        self.args = list(args)
        self.extra_env = dict(env or {})
        self.event_types = events
        self.timeout = timeout
        self.events = []
        self.output = None
        self.app = None
        self.process = None
        self._listening = False

    # -- start and stop -------------------------------------------------------------

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
        desktop = _Desktop.get(self.timeout)
        for kind in self.event_types:
            pyatspi.Registry.registerEventListener(self._on_event, kind)
        self._listening = True

        env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb")
        env.update(self.extra_env)
        self.output = tempfile.TemporaryFile("w+", dir=desktop.work)
        self.process = subprocess.Popen([self.program] + self.args, env=env,
                                        stdin=subprocess.DEVNULL, stdout=self.output,
                                        stderr=subprocess.STDOUT)
        self.app = _wait(self._find_app, self.timeout, "the program on the AT-SPI bus",
                         _pump)
        # Keys go to the window through XTEST like a real keyboard's, once the window
        # manager has made it the active window, as it does by itself for a new one.
        self.window_id = _wait(lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)],
            capture_output=True, text=True).stdout.split(), self.timeout,
            "the program's window", _pump)[0]
        _wait(lambda: self._active_window() == int(self.window_id), self.timeout,
              "the window manager to activate the window", _pump)
        # Ready once something in the window has the focus.
        self.wait_for_focus(lambda obj: True, what="the first focus")

    @staticmethod
    def _active_window():
        out = subprocess.run(["xprop", "-root", "_NET_ACTIVE_WINDOW"], capture_output=True,
                             text=True).stdout
        try:
            return int(out.rsplit("#", 1)[1].split(",")[0], 16)
        except (IndexError, ValueError):
            return None

    def _find_app(self):
        if self.process.poll() is not None:
            raise HarnessError("the program exited with %s" % self.process.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                pass
        return None

    def _stop(self):
        if self._listening:
            pyatspi.Registry.deregisterEventListener(self._on_event, *self.event_types)
            self._listening = False
        if self.process is not None:
            if self.process.poll() is not None:
                # The program ended by itself (a crash, a sanitizer report): say how.
                self.output.seek(0)
                sys.stderr.write("\nthe program ended with status %d:\n%s"
                                 % (self.process.returncode, self.output.read()))
            _stop_process(self.process)
            # Lets the bus tell that the program has gone before the next one starts.
            _pump()

    # -- events -------------------------------------------------------------------

    def _on_event(self, event):
        try:
            if event.host_application is None or \
                    event.host_application.get_process_id() != self.process.pid:
                return
        except Exception:
            return
        self.events.append(Event(event))

    def pump(self, seconds=0.0):
        """Lets events arrive for a while."""
        deadline = time.monotonic() + seconds
        while True:
            _pump()
            if time.monotonic() >= deadline:
                return
            time.sleep(0.02)

    def mark(self):
        """A place in the event record; wait_for_event looks only after it."""
        _pump()
        return len(self.events)

    def wait_for_event(self, kind, predicate=lambda e: True, since=0, timeout=None):
        """The first recorded event after `since` whose type starts with kind."""
        def found():
            for e in self.events[since:]:
                if e.type.startswith(kind) and predicate(e):
                    return e
            return None
        return _wait(found, timeout or self.timeout, "event %s" % kind, _pump)

    def events_since(self, since, kind=""):
        _pump()
        return [e for e in self.events[since:] if e.type.startswith(kind)]

    # -- finding --------------------------------------------------------------------

    def find_all(self, name=None, role=None, name_prefix=None, root=None, predicate=None):
        """Objects under root (the application) matching all of the given tests.

        role is an AT-SPI role name as Orca says it: "text", "label", "menu bar",
        "menu item", "frame", ...
        """
        found = []
        for obj in walk(root or self.app):
            try:
                if role is not None and role_name(obj) != role:
                    continue
                if name is not None and obj.name != name:
                    continue
                if name_prefix is not None and not obj.name.startswith(name_prefix):
                    continue
                if predicate is not None and not predicate(obj):
                    continue
            except Exception:
                continue
            found.append(obj)
        return found

    def find(self, **tests):
        found = self.find_all(**tests)
        if len(found) != 1:
            raise HarnessError("%d objects match %s: %s"
                               % (len(found), tests, [describe(o) for o in found]))
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

    def wait_for_focus(self, predicate, what="the focus", timeout=None):
        """Waits until the focused object satisfies predicate; returns it."""
        def check():
            obj = self.focused()
            return obj if obj is not None and predicate(obj) else None
        return _wait(check, timeout or self.timeout, what, _pump)

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

    # -- keys -----------------------------------------------------------------------

    def press(self, *keys, settle=0.3, delay=60):
        """Presses keys in xdotool's names: "Tab", "Return", "alt", "F10", "alt+l";
        delay is the time between two keys in milliseconds."""
        subprocess.run(["xdotool", "key", "--delay", str(delay)] + list(keys), check=True)
        self.pump(settle)

    def type_text(self, string, settle=0.3, delay=60):
        subprocess.run(["xdotool", "type", "--delay", str(delay), "--", string], check=True)
        self.pump(settle)
