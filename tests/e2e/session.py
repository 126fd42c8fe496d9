# A private desktop for one test: an Xvfb and a session bus (through which the accessibility bus
# is found, as on every desktop), and whatever else the test starts on them. close() ends it all.
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
            self.up()
        except BaseException:
            self.close()
            raise

    def up(self):
        # -noreset: a client that leaves (the accessibility bus launcher) must not reset the
        # server while the program connects.
        self.env["DISPLAY"] = ":" + self.announced(
            "Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1280x1024x24", "-dpi", "96",
            "-nolisten", "tcp")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.announced(
            "dbus-daemon", "--session", "--nofork", "--print-address=1")

    def announced(self, *command):  # a server that prints its address once it is up
        return self.started(command, stdout=subprocess.PIPE).stdout.readline().strip()

    def started(self, command, env=None, **options):
        self.processes.append(subprocess.Popen(
            command, env=dict(self.env, **(env or {})), start_new_session=True, text=True,
            **dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL) | options))
        return self.processes[-1]

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
