"""The real program on a private Xvfb, typed into through XTest as a keyboard does.

Usage: e2e_test.py BINARY E2E.test_name. Each test owns its X server (and its session bus),
ends exactly what it started, and every wait polls with a deadline.
"""

import os
import re
import signal
import subprocess
import sys
import time
import unittest

from gi.repository import Gio, GLib

BINARY = os.path.abspath(sys.argv.pop(1))
DEADLINE = 10  # a sanitized build on a busy two-core machine
DATE_TIME = re.compile(r"\d{4}/\d{2}/\d{2} \d{1,2}:\d{2}:\d{2}")  # nothing appended
TEXT_ROLES = (61, 79)  # AT-SPI text and entry


def until(what, probe, accept, deadline=DEADLINE):
    end = time.monotonic() + deadline
    while True:
        try:
            seen = probe()
            if accept(seen):
                return seen
        except (subprocess.CalledProcessError, GLib.Error, LookupError) as error:
            seen = error
        if time.monotonic() > end:
            raise AssertionError(f"{what}: still not so after {deadline} s, saw {seen!r}")
        time.sleep(0.05)


class E2E(unittest.TestCase):
    def setUp(self):
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
        read, write = os.pipe()
        self.started(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp"], pass_fds=[write])
        os.close(write)
        with os.fdopen(read) as announced:
            self.env.update(DISPLAY=":" + announced.readline().strip(), LANG="ja_JP.UTF-8", QT_QPA_PLATFORM="xcb")
        self.x("numlockx", "on")
        # A session bus as every desktop has: the accessibility bus comes through it.
        bus = self.started(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

    def started(self, command, **options):
        process = subprocess.Popen(command, env=self.env, start_new_session=True, stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)
        self.addCleanup(lambda: process.poll() is not None or (os.killpg(process.pid, signal.SIGKILL), process.wait()))
        return process

    def x(self, *command):
        return subprocess.run(command, env=self.env, check=True, capture_output=True, text=True, timeout=DEADLINE).stdout.strip()

    def start(self, **env):
        self.env.update(env)
        self.program = subprocess.Popen([BINARY], env=self.env, stdin=subprocess.DEVNULL)
        self.addCleanup(lambda: self.program.poll() is not None or (self.program.kill(), self.program.wait()))
        return self.windows(1)[0]

    def windows(self, count):
        search = lambda: self.x("xdotool", "search", "--onlyvisible", "--pid", str(self.program.pid)).split()
        return sorted(until(f"{count} windows", search, lambda ws: len(ws) == count), key=int)

    def keys(self, wid, *keys):
        self.x("xdotool", "windowfocus", "--sync", wid, "key", "--delay", "20", *keys)

    def geometry(self, wid):
        shell = dict(line.split("=") for line in self.x("xdotool", "getwindowgeometry", "--shell", wid).split())
        return tuple(int(shell[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def expect_size(self, wid, size):
        until(f"size {size}", lambda: self.geometry(wid)[2:], lambda s: s == size)

    def expect_display(self, wid, text):
        def copied():
            self.keys(wid, "ctrl+c")
            return self.x("xclip", "-o", "-selection", "clipboard")
        until(f"display {text!r}", copied, lambda t: t == text)

    def expect_exit(self, wid, key):
        self.keys(wid, key)
        self.assertEqual(until("the end", self.program.poll, lambda s: s is not None), 0)

    def test_starts_computes_and_reads_out_then_escape_ends(self):
        session = connect(self.env["DBUS_SESSION_BUS_ADDRESS"])
        a11y = connect(call(session, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress")[0])
        call(session, "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set", ("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))))
        wid = self.start(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.assertEqual((self.geometry(wid)[2:], self.x("xdotool", "getwindowname", wid)), ((90, 17), "Kirune"))
        until("the display reads 0", lambda: display_texts(a11y), lambda t: t == ["0"])
        self.keys(wid, "1", "2", "plus", "3", "Return")
        until("the display reads 15", lambda: display_texts(a11y), lambda t: t == ["15"])
        self.expect_exit(wid, "Escape")

    def test_fault_box_then_going_on_then_a_further_window(self):
        main = self.start()
        self.keys(main, "1", "slash", "0", "Return")
        box = self.windows(2)[1]
        self.assertEqual(self.x("xdotool", "getwindowname", box), "Kirune")
        self.keys(box, "Return")
        self.windows(1)
        self.keys(main, "c", "7", "plus", "8", "KP_Enter")
        self.expect_display(main, "15")
        self.keys(main, "z")
        box = self.windows(2)[1]
        self.keys(box, "Return")
        further = until("a further window", lambda: self.windows(2)[1], lambda w: w != box)
        self.expect_size(further, (90, 17))
        self.keys(further, "1", "2", "slash", "4", "Return")
        self.expect_display(further, "3")
        self.expect_display(main, "15")
        self.expect_exit(further, "x")

    def test_caption_clock_and_mouse_pull(self):
        wid = self.start()
        self.keys(wid, "space")
        self.expect_size(wid, (2, 2))
        first = until("a date and time caption", lambda: self.x("xdotool", "getwindowname", wid), DATE_TIME.fullmatch)
        until("the clock ticks", lambda: self.x("xdotool", "getwindowname", wid), lambda t: t != first and DATE_TIME.fullmatch(t))
        self.keys(wid, "space", "a")
        x, y, _, _ = until("centred", lambda: self.geometry(wid), lambda g: abs(g[0] - 595) <= 1 and g[3] == 17)
        self.x("xdotool", "mousemove", "--sync", str(x + 80), str(y + 3), "mousedown", "1")
        until("pulled under the pointer", lambda: self.geometry(wid)[:2], lambda at: abs(at[0] - (x + 35)) <= 1 and abs(at[1] - (y - 5)) <= 1)
        self.x("xdotool", "mouseup", "1")

    def test_scale_two_doubles_the_window(self):
        wid = self.start(QT_SCALE_FACTOR="2")
        self.expect_size(wid, (180, 34))
        self.keys(wid, "1", "2", "plus", "3", "Return")
        self.expect_display(wid, "15")


def connect(address):
    flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
    return Gio.DBusConnection.new_for_address_sync(address, flags, None, None)


def call(bus, name, path, interface, method, args=None):
    return bus.call_sync(name, path, interface, method, args and GLib.Variant(*args), None, 0, DEADLINE * 1000, None).unpack()


def display_texts(a11y, name="org.a11y.atspi.Registry", path="/org/a11y/atspi/accessible/root"):
    """The texts of the text fields below an accessible, as a screen reader reads them."""
    texts = []
    for child_name, child_path in call(a11y, name, path, "org.a11y.atspi.Accessible", "GetChildren")[0]:
        if call(a11y, child_name, child_path, "org.a11y.atspi.Accessible", "GetRole")[0] in TEXT_ROLES:
            texts.append(call(a11y, child_name, child_path, "org.a11y.atspi.Text", "GetText", ("(ii)", (0, -1)))[0])
        else:
            texts += display_texts(a11y, child_name, child_path)
    return texts


if __name__ == "__main__":
    unittest.main(verbosity=2)
