# A private desktop for one test: an Xvfb and a session bus (through which the accessibility bus
# is found, as on every desktop), what the test starts on them, and xdotool and xclip to type
# into windows and read them. close() ends it all.
import os, signal, subprocess, time  # noqa: E401


def until(what, probe, accept, deadline=10):  # seconds: a sanitized build on two busy cores
    # A probe that fails (a window not yet there) is tried again; its error is told at the end.
    end = time.monotonic() + deadline
    while time.monotonic() < end:
        try:
            if accept(seen := probe()):
                return seen
        except Exception as error:  # noqa: BLE001
            seen = error
        time.sleep(0.05)
    raise AssertionError(f"{what}: not so after {deadline} s; saw {seen!r}")


class Session:
    def __init__(self, **env):
        self.processes = []
        self.env = {name: value for name, value in os.environ.items()
                    if name not in ("WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER")} | env
        try:
            # -noreset: a client that leaves (the accessibility bus launcher) must not reset the
            # server while the program connects.
            self.env["DISPLAY"] = ":" + self.announced(
                "Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1280x1024x24", "-dpi",
                "96", "-nolisten", "tcp")
            self.env["DBUS_SESSION_BUS_ADDRESS"] = self.announced(
                "dbus-daemon", "--session", "--nofork", "--print-address=1")
        except BaseException:
            self.close()
            raise

    def announced(self, *command):  # a server that prints its address once it is up
        return self.started(command, stdout=subprocess.PIPE).stdout.readline().strip()

    def started(self, command, env=None, **options):
        self.processes.append(subprocess.Popen(
            command, env=dict(self.env, **(env or {})), start_new_session=True, text=True,
            **dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL) | options))
        return self.processes[-1]

    def x(self, *command):  # a command's output; an error when it fails or hangs
        return subprocess.run(command, env=self.env, check=True, capture_output=True,
                              text=True, timeout=10).stdout.strip()

    def windows(self, count, *search):  # the visible windows xdotool finds, once there are count
        return sorted(until(f"{count} windows", lambda: self.x(
            "xdotool", "search", "--onlyvisible", *search).split(),
            lambda found: len(found) == count), key=int)

    def keys(self, wid, *keys):
        self.x("xdotool", "windowfocus", "--sync", wid, "key", "--delay", "30", *keys)

    def title(self, wid):
        return self.x("xdotool", "getwindowname", wid)

    def geometry(self, wid):  # X, Y, WIDTH, HEIGHT
        shell = self.x("xdotool", "getwindowgeometry", "--shell", wid).split()
        return tuple(int(line.split("=")[1]) for line in shell[1:5])

    def expect_display(self, wid, text):  # as Ctrl+C copies it
        until(f"display {text!r}", lambda: self.keys(wid, "ctrl+c")
              or self.x("xclip", "-o", "-selection", "clipboard"), lambda copied: copied == text)

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
