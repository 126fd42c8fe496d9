"""Drives the real Kirune program on a private X server and reads it as a screen reader does.

Each Desktop owns one Xvfb display, one D-Bus session bus with the accessibility bus behind
it, and the programs it starts; leaving the `with` block ends exactly those. Every wait polls
for the expected state with a deadline and fails with the last value it saw.
"""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from gi.repository import Gio, GLib

# Long enough for a sanitizer build on a busy two-core machine, short enough to keep a
# failing test quick.
DEADLINE = float(os.environ.get("KIRUNE_E2E_DEADLINE", "8"))
POLL_INTERVAL = 0.05
TOOL_TIMEOUT = 10


def poll(what, probe, accept, timeout=DEADLINE):
    """Calls probe until accept(value) holds and returns that value; after the deadline
    fails with the last value (or the last error) observed."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
            observed = repr(value)
            if accept(value):
                return value
        except ProgramEnded:
            raise
        except Exception as error:  # the state may be half built: keep polling
            observed = f"error {error!r}"
        if time.monotonic() >= deadline:
            raise AssertionError(f"{what}: still not so after {timeout:g} s; observed {observed}")
        time.sleep(POLL_INTERVAL)


def _read_line(fd, timeout, what):
    """Reads one line from a pipe within the deadline (for -displayfd and --print-address)."""
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise AssertionError(f"{what}: no answer within {timeout:g} s; got {data!r}")
        chunk = os.read(fd, 256)
        if not chunk:
            raise AssertionError(f"{what}: ended before answering; got {data!r}")
        data += chunk
    return data.decode().strip()


def _group_alive(pgid):
    """Whether a process group still has a running member. A member whose parent already
    left is a zombie until the init process reaps it, and a zombie is done."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                # "pid (comm) state ppid pgrp ...": comm may hold blanks and parentheses.
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:  # ended meanwhile
            continue
        if int(fields[2]) == pgid and fields[0] != "Z":
            return True
    return False


def _kill_group(process):
    """Ends a process started in a session of its own, with everything it started."""
    if process is None:
        return
    # A moment to end cleanly; none of them keeps anything worth waiting for.
    for sig, grace in ((signal.SIGTERM, 0.5), (signal.SIGKILL, 3)):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            pass
        deadline = time.monotonic() + grace
        while time.monotonic() < deadline:
            if process.poll() is not None and not _group_alive(process.pid):
                return
            time.sleep(POLL_INTERVAL)
    process.wait(timeout=3)


class ProgramEnded(AssertionError):
    """The program ended while a test waited for it to show something."""


class Bus:
    """A private D-Bus connection: plain method calls, nothing cached."""

    def __init__(self, address):
        self.connection = Gio.DBusConnection.new_for_address_sync(
            address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None,
            None,
        )

    def call(self, name, path, interface, method, reply, args=None):
        """Calls a method; args is (signature, tuple), reply the reply's signature."""
        return self.connection.call_sync(
            name, path, interface, method,
            GLib.Variant(*args) if args else None,
            GLib.VariantType(reply) if reply else None,
            Gio.DBusCallFlags.NONE, int(DEADLINE * 1000), None,
        ).unpack()

    def close(self):
        try:
            self.connection.close_sync(None)
        except GLib.Error:  # the bus went first
            pass


# The program's own language: a Japanese desktop writes dates as "2024/03/05 9:07:02" (Qt's
# locale data, which needs no system locale installed).
JAPANESE = {"LANG": "ja_JP.UTF-8"}
DATE_TIME = re.compile(r"\d{4}/\d{2}/\d{2} \d{1,2}:\d{2}:\d{2}")


# AT-SPI roles (AtspiRole) that the tests look for.
ALERT, DIALOG, LABEL, TEXT, ENTRY = 2, 16, 29, 61, 79
BOX_ROLES = (ALERT, DIALOG)


class Accessible:
    """One object of the program's accessibility tree, read as a screen reader reads it."""

    INTERFACE = "org.a11y.atspi.Accessible"

    def __init__(self, bus, name, path):
        self.bus, self.name_on_bus, self.path = bus, name, path

    def _call(self, interface, method, reply, args=None):
        return self.bus.call(self.name_on_bus, self.path, interface, method, reply, args)

    def _property(self, interface, prop):
        return self._call("org.freedesktop.DBus.Properties", "Get", "(v)",
                          ("(ss)", (interface, prop)))[0]

    def role(self):
        """The AT-SPI role number (ALERT, DIALOG, TEXT... above): the toolkit's role names
        are its own words."""
        return self._call(self.INTERFACE, "GetRole", "(u)")[0]

    def name(self):
        return self._property(self.INTERFACE, "Name")

    def children(self):
        return [Accessible(self.bus, name, path)
                for name, path in self._call(self.INTERFACE, "GetChildren", "(a(so))")[0]]

    def descendants(self, depth=6):
        if depth == 0:
            return
        for child in self.children():
            yield child
            yield from child.descendants(depth - 1)

    def text(self):
        """The whole text of a text object (the display)."""
        interface = "org.a11y.atspi.Text"
        count = self._property(interface, "CharacterCount")
        return self._call(interface, "GetText", "(s)", ("(ii)", (0, count)))[0]

    def __repr__(self):
        return f"Accessible({self.name_on_bus}{self.path})"


class Window:
    """A top-level X window of the program: title, size and focus through X11."""

    def __init__(self, desktop, wid):
        self.desktop = desktop
        self.wid = wid

    def __repr__(self):
        return f"Window({self.wid})"

    def info(self):
        """xwininfo's fields, e.g. info()["Width"], info()["Map State"]."""
        fields = {}
        for line in self.desktop.x("xwininfo", "-id", str(self.wid)).splitlines():
            key, sep, value = line.strip().partition(":")
            if sep:
                fields[key.strip()] = value.strip()
        return fields

    def size(self):
        fields = self.info()
        return int(fields["Width"]), int(fields["Height"])

    def geometry(self):
        """(x, y, width, height) on the screen, read at one moment; with a reparenting window
        manager too, since xwininfo counts from the root."""
        fields = self.info()
        return tuple(int(fields[key]) for key in ("Absolute upper-left X",
                                                  "Absolute upper-left Y", "Width", "Height"))

    def position(self):
        return self.geometry()[:2]

    def move(self, x, y):
        """Moves the window as a user would drag it, and waits until it is there."""
        self.desktop.x("xdotool", "windowmove", "--sync", str(self.wid), str(x), str(y))

    def title(self):
        return self.desktop.x("xdotool", "getwindowname", str(self.wid)).rstrip("\n")

    def has_decorations(self):
        """What the window asks a window manager for: Qt marks a frameless window with
        _MOTIF_WM_HINTS decorations 0."""
        hints = self.desktop.x("xprop", "-id", str(self.wid), "_MOTIF_WM_HINTS")
        # "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x3e, 0x0, 0x0, 0x0": flags, functions,
        # decorations; without the property or the decorations flag (0x2) the default holds.
        if "=" not in hints:
            return True
        values = [int(v, 16) for v in hints.split("=", 1)[1].split(",")]
        return not (values[0] & 0x2) or values[2] != 0

    def focus(self):
        """Gives the window the keyboard focus: there is no window manager to do it."""
        self.desktop.x("xdotool", "windowfocus", "--sync", str(self.wid))


class Program:
    """A running instance of the program, started with its own process group."""

    def __init__(self, desktop, process, log_path):
        self.desktop = desktop
        self.process = process
        self.log_path = log_path
        self.pid = process.pid
        self._app = None

    def _poll(self, what, probe, accept, timeout=DEADLINE, while_running=True):
        """poll(), failing at once if the program ends meanwhile, and leaving a screenshot
        and the program's output when it fails."""

        def checked_probe():
            status = self.process.poll()
            if while_running and status is not None:
                raise ProgramEnded(f"{what}: the program ended with status {status}")
            return probe()

        try:
            return poll(what, checked_probe, accept, timeout)
        except AssertionError:
            self.desktop.report_failure()
            raise

    # --- X11 ---------------------------------------------------------------------------

    def windows(self):
        """The program's mapped top-level windows, oldest first (X ids grow)."""
        found = subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(self.pid)],
            env=self.desktop.env,
            capture_output=True,
            text=True,
            timeout=TOOL_TIMEOUT,
        )
        # xdotool exits 1 when nothing matches.
        return [Window(self.desktop, int(w)) for w in sorted(set(found.stdout.split()), key=int)]

    def expect(self, what, probe, accept, timeout=DEADLINE):
        """Waits until accept(probe()) holds and returns that value, as the expect_ methods
        do, for states that only a test knows how to read."""
        return self._poll(what, probe, accept, timeout)

    def main_window(self):
        """Waits for the first window of the program to be mapped."""
        return self._poll("program's window shown", self.windows, lambda ws: len(ws) >= 1)[0]

    def window_count(self, count):
        return self._poll(f"program shows {count} windows", self.windows,
                          lambda ws: len(ws) == count)

    def key(self, *keysyms):
        """Presses keys through XTest, as a keyboard does, into the focused window."""
        self.desktop.x("xdotool", "key", "--delay", "20", *keysyms)

    # --- accessibility -----------------------------------------------------------------

    def application(self):
        """The program's root accessible: (bus name, path) on the accessibility bus."""
        if self._app is None:
            bus = self.desktop.a11y
            for name in bus.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                 "org.freedesktop.DBus", "ListNames", "(as)")[0]:
                if not name.startswith(":"):
                    continue
                try:
                    pid = bus.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus", "GetConnectionUnixProcessID", "(u)",
                                   ("(s)", (name,)))[0]
                except Exception:  # gone meanwhile
                    continue
                if pid == self.pid:
                    self._app = Accessible(bus, name, "/org/a11y/atspi/accessible/root")
                    break
            else:
                raise LookupError(f"pid {self.pid} is not on the accessibility bus")
        return self._app

    def accessible_windows(self):
        """The accessibles of the program's top-level windows, as a screen reader lists them."""
        return self.application().children()

    def displays(self):
        """The display of each calculator window: the text entry in each window that is no
        message box."""
        found = []
        for window in self.accessible_windows():
            if window.role() in BOX_ROLES:
                continue
            entries = [node for node in window.descendants() if node.role() in (TEXT, ENTRY)]
            if len(entries) != 1:
                raise LookupError(f"{len(entries)} text entries in window {window.name()!r}")
            found.append(entries[0])
        return found

    def display_texts(self):
        """The texts of all displays, read over AT-SPI, sorted: the accessibility tree does
        not tell which window is which."""
        return sorted(display.text() for display in self.displays())

    def expect_display(self, expected):
        """Waits for the one calculator window's display to show the text."""
        self._poll(f"display shows {expected!r}", self.display_texts,
                   lambda texts: texts == [expected])

    def expect_displays(self, *expected):
        """Waits for the calculator windows' displays to show these texts, in any order."""
        self._poll(f"displays show {sorted(expected)!r}", self.display_texts,
                   lambda texts: texts == sorted(expected))

    def message_boxes(self):
        """(title, texts of its labels) of each open message box."""
        boxes = []
        for window in self.accessible_windows():
            if window.role() in BOX_ROLES:
                labels = [n.name() for n in window.descendants() if n.role() == LABEL]
                boxes.append((window.name(), [label for label in labels if label]))
        return boxes

    def expect_message_box(self, title, text):
        return self._poll(
            f"a message box {title!r} says {text!r}",
            self.message_boxes,
            lambda boxes: any(t == title and text in labels for t, labels in boxes),
        )

    # --- life --------------------------------------------------------------------------

    def expect_exit(self, timeout=DEADLINE):
        """Waits for the program to end by itself and returns its exit status."""
        return self._poll("program ended", self.process.poll, lambda status: status is not None,
                          timeout, while_running=False)

    def log(self):
        with open(self.log_path, errors="replace") as log:
            return log.read()


class Desktop:
    """One private X display with a session bus and an accessibility bus."""

    def __init__(self, name):
        self.name = name
        self.programs = []
        self.xvfb = None
        self.window_manager = None
        self.bus = None
        self.a11y = None
        self.reported = False
        self.failures = 0
        self.tmp = tempfile.mkdtemp(prefix="kirune-e2e-")  # private: mode 0700
        # Nothing of the caller's desktop: no display, bus or session but ours, and no
        # language settings that would outrank the LANG a test chooses.
        self.env = {
            key: value
            for key, value in os.environ.items()
            if key not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER",
                           "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM",
                           "LANGUAGE")
            and not key.startswith("LC_")
        }
        self.env.update(XDG_RUNTIME_DIR=self.tmp, LANG="C.UTF-8")

    def __enter__(self):
        try:
            self._start_x()
            self._start_buses()
            # Keypad keys type digits, and Ctrl+Alt+F1..F12 reach the program instead of
            # switching the server's console.
            self.x("numlockx", "on")
            self.x("setxkbmap", "-option", "srvrkeys:none")
        except BaseException:
            self._stop()
            raise
        return self

    def __exit__(self, kind, error, trace):
        if kind is not None and not self.reported:
            self.report_failure()
        self._stop()
        return False

    def _spawn_announcing(self, what, command):
        """Starts a server in a session of its own; it writes one line (its display number or
        address) to the file descriptor put in place of {fd}. Returns (process, line)."""
        read_fd, write_fd = os.pipe()
        log_path = os.path.join(self.tmp, f"{what}.log")
        try:
            with open(log_path, "w") as log:
                process = subprocess.Popen(
                    [part.format(fd=write_fd) for part in command],
                    pass_fds=[write_fd], env=self.env,
                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=log,
                    start_new_session=True,
                )
        finally:
            os.close(write_fd)
        try:
            return process, _read_line(read_fd, DEADLINE, what)
        except AssertionError as error:
            _kill_group(process)
            with open(log_path, errors="replace") as log:
                raise AssertionError(f"{error}\n{log.read()}") from None
        finally:
            os.close(read_fd)

    def _start_x(self):
        self.xvfb, number = self._spawn_announcing(
            "Xvfb",
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24", "-dpi", "96",
             "-nolisten", "tcp", "-noreset"],
        )
        self.display = f":{number}"
        self.env["DISPLAY"] = self.display

    def _start_buses(self):
        # Services that the bus starts, the accessibility bus among them, get our display.
        self.bus, address = self._spawn_announcing(
            "dbus-daemon",
            ["dbus-daemon", "--session", "--nofork", "--nopidfile",
             f"--address=unix:dir={self.tmp}", "--print-address={fd}"],
        )
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        # Qt only joins an accessibility bus that is already there: start it now and say
        # that assistive technology is on.
        session = Bus(address)
        try:
            a11y_address = session.call("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                        "GetAddress", "(s)")[0]
            session.call("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties",
                         "Set", None,
                         ("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))))
        finally:
            session.close()
        self.a11y = Bus(a11y_address)

    def start_window_manager(self, command=("openbox", "--sm-disable")):
        """Starts a window manager and waits until it has taken the screen: a desktop as
        users have it, where the program's placement and sizes are only requests."""
        log_path = os.path.join(self.tmp, "window-manager.log")
        with open(log_path, "w") as log:
            self.window_manager = subprocess.Popen(
                list(command), env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                stderr=subprocess.STDOUT, start_new_session=True,
            )
        # A window manager announces itself on the root window (EWMH).
        poll(f"{command[0]} manages the screen",
             lambda: self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
             lambda answer: "window id" in answer)

    def mouse_move(self, x, y):
        """Moves the pointer to a point of the screen, through XTest like a real mouse."""
        self.x("xdotool", "mousemove", "--sync", str(x), str(y))

    def mouse_down(self, button=1):
        self.x("xdotool", "mousedown", str(button))

    def mouse_up(self, button=1):
        self.x("xdotool", "mouseup", str(button))

    def x(self, *command):
        """Runs an X client against this display and returns its output."""
        return subprocess.run(
            command, env=self.env, check=True, capture_output=True, text=True,
            timeout=TOOL_TIMEOUT,
        ).stdout

    def start(self, binary=None, extra_env=None):
        """Starts the program on this display, with the accessibility bridge on."""
        binary = binary or os.environ["KIRUNE_BINARY"]
        env = dict(self.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.update(extra_env or {})
        log_path = os.path.join(self.tmp, f"kirune-{len(self.programs)}.log")
        with open(log_path, "w") as log:
            process = subprocess.Popen(
                [binary], env=env, stdin=subprocess.DEVNULL, stdout=log,
                stderr=subprocess.STDOUT, start_new_session=True,
            )
        program = Program(self, process, log_path)
        self.programs.append(program)
        return program

    def screenshot(self, file_name):
        """Saves the whole screen as a PNG among the test's artifacts and returns its path."""
        out_dir = os.environ.get("KIRUNE_E2E_ARTIFACTS", os.getcwd())
        shot = os.path.join(out_dir, file_name)
        xwd = subprocess.run(
            ["xwd", "-root", "-silent", "-display", self.display],
            capture_output=True, timeout=TOOL_TIMEOUT, check=True,
        ).stdout
        subprocess.run(
            ["convert", "xwd:-", shot], input=xwd, capture_output=True,
            timeout=TOOL_TIMEOUT, check=True,
        )
        return shot

    def report_failure(self):
        """Leaves a screenshot and the programs' output for the one who reads the failure."""
        self.reported = True
        self.failures += 1
        try:
            shot = self.screenshot(f"{self.name}-{self.failures}.png")
            print(f"screenshot: {shot}", file=sys.stderr)
        except Exception as error:
            print(f"no screenshot: {error}", file=sys.stderr)
        for program in self.programs:
            print(f"--- output of kirune (pid {program.pid}) ---", file=sys.stderr)
            print(program.log(), file=sys.stderr)

    def _stop(self):
        for program in self.programs:
            _kill_group(program.process)
        _kill_group(self.window_manager)
        if self.a11y is not None:
            self.a11y.close()
        # The bus group holds the accessibility bus and registry it started.
        _kill_group(self.bus)
        _kill_group(self.xvfb)
        shutil.rmtree(self.tmp, ignore_errors=True)


def main():
    """Runs the calling test module; the program comes as --binary PATH or $KIRUNE_BINARY."""
    args = sys.argv[1:]
    if len(args) >= 2 and args[0] == "--binary":
        os.environ["KIRUNE_BINARY"] = os.path.abspath(args[1])
        args = args[2:]
    unittest.main(module="__main__", argv=[sys.argv[0], "-v", *args])
