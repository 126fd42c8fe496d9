# What a blind user hears: the real program under GNOME's screen reader Orca, on a private Xvfb,
# session bus, accessibility bus and speech-dispatcher (espeak-ng into libao's null driver, the
# real speech path without a sound card). Keys go in through XTest at a person's pace; what Orca
# says is read from its speech log, one line an utterance, as it hands them to the synthesizer.
# Usage: screen_reader_test.py BINARY [--transcript]
import os, re, shutil, signal, subprocess, sys, tempfile, time  # noqa: E401

from gi.repository import Gio, GLib

SKIPPED = 77  # CTest's SKIP_RETURN_CODE for this test
DEADLINE = 15  # Orca, a sanitized program and espeak-ng share two cores
ANSWER = 6  # seconds for what Orca says after a key
# What Orca says when its guesses go wrong: a stale value, a selection, an empty string.
NOISE = ("selected", "unselected", "Selection")
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)?(?: [{\[].*)?")

# Orca loads this from its preferences folder at start: its speech log, copied line by line
# into a file that the test reads while Orca runs (Orca's debug log is written in blocks).
CUSTOMIZATIONS = """
import logging, os
spoken = logging.FileHandler(os.environ["KIRUNE_SPOKEN"], encoding="utf-8")
spoken.setFormatter(logging.Formatter("%(message)s"))
logging.getLogger("speech").addHandler(spoken)
"""


class Session:
    def __init__(self, root):
        self.root, self.processes = root, []

    def start(self):
        root = self.root
        home = os.path.join(root, "home")
        os.makedirs(os.path.join(root, "run"), mode=0o700)
        os.makedirs(os.path.join(root, "orca"))
        os.makedirs(home)
        self.env = {key: value for key, value in os.environ.items()
                    if key not in ("WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER")}
        self.env.update(HOME=home, XDG_RUNTIME_DIR=os.path.join(root, "run"),
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local/share"),
                        XDG_CACHE_HOME=os.path.join(home, ".cache"), LANG="C.UTF-8",
                        KIRUNE_SPOKEN=os.path.join(root, "spoken.txt"))
        self.env["DISPLAY"] = ":" + self.announced(
            "Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1280x1024x24", "-nolisten",
            "tcp")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.announced(
            "dbus-daemon", "--session", "--nofork", "--print-address=1")
        bus = Gio.DBusConnection.new_for_address_sync(
            self.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        # Turns the accessibility bus on, as a desktop does when its screen reader starts.
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                      GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled",
                                             GLib.Variant("b", True))),
                      None, Gio.DBusCallFlags.NONE, DEADLINE * 1000, None)
        self.speech_dispatcher()
        with open(os.path.join(root, "orca", "orca-customizations.py"), "w") as file:
            file.write(CUSTOMIZATIONS)
        self.started("orca", "-u", os.path.join(root, "orca"))
        self.heard("Screen reader on.")

    def speech_dispatcher(self):
        config = os.path.join(self.root, "speechd")
        shutil.copytree("/etc/speech-dispatcher", config)
        with open(os.path.join(config, "speechd.conf"), "a") as file:
            file.write('AudioOutputMethod "libao"\nDefaultModule espeak-ng\n')
        with open(os.path.join(self.env["HOME"], ".libao"), "w") as file:
            file.write("default_driver=null\n")
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "speechd.sock")
        self.started("speech-dispatcher", "-s", "-t", "0", "-C", config, "-L", self.root,
                     "-c", "unix_socket", "-S", socket)
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        until("speech-dispatcher's socket", lambda: os.path.exists(socket), bool)

    def announced(self, *command):  # a server that prints its address once it is up
        return self.started(*command, stdout=subprocess.PIPE).stdout.readline().strip()

    def started(self, *command, **options):
        options = dict(env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, start_new_session=True, text=True) | options
        self.processes.append(process := subprocess.Popen(command, **options))
        return process

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()

    def spoken(self):
        try:
            with open(self.env["KIRUNE_SPOKEN"], encoding="utf-8") as file:
                return [line.rstrip("\n") for line in file]
        except FileNotFoundError:
            return []

    def heard(self, *texts):
        until(f"Orca says {texts}", self.spoken,
              lambda lines: all(f"SPEECH OUTPUT: '{text}'" in lines for text in texts))

    def key(self, stroke):
        # A modifier is held down first and let go a moment after the key, as people type:
        # Orca reads the modifiers when it handles the change the key made.
        *modifiers, key = stroke.split("+")
        xdotool = ["xdotool"]
        for modifier in modifiers:
            xdotool += ["keydown", modifier, "sleep", "0.05"]
        xdotool += ["keydown", key, "sleep", "0.1", "keyup", key]
        for modifier in modifiers:
            xdotool += ["sleep", "0.3", "keyup", modifier]
        subprocess.run(xdotool, env=self.env, check=True, timeout=DEADLINE)


def until(what, probe, accept, deadline=DEADLINE):
    end = time.monotonic() + deadline
    while time.monotonic() < end:
        if accept(seen := probe()):
            return seen
        time.sleep(0.1)
    raise AssertionError(f"{what}: not so after {deadline} s; saw {seen!r}")


def settled(what, probe, quiet=1.5, deadline=DEADLINE):  # once probe stays the same that long
    seen, since = probe(), time.monotonic()
    while time.monotonic() - since < quiet:
        if time.monotonic() - since > deadline:
            raise AssertionError(f"{what}: still changing after {deadline} s; saw {seen!r}")
        time.sleep(0.1)
        if (now := probe()) != seen:
            seen, since = now, time.monotonic()
    return seen


# Keys, and what Orca must say for them besides echoing the keys, in that order: nothing else.
STEPS = [
    ("1 2 plus 3", []),  # typing keeps to the keys' echo
    ("Return", ["15"]),
    ("plus 2", []),  # the operator only records itself
    ("plus", ["17"]),  # and here it computes
    ("f", ["289"]),
    ("F1", []),  # the display does not change
    ("c", ["0"]),
    ("shift+F1", ["289"]),
    ("g g", ["24137569", "1.40630844520677E+22"]),
    ("ctrl+v", ["7"]),  # the clipboard holds a full-width ７
    ("8 shift+Delete", ["7"]),
    ("r", ["2.64575131106459"]),
    ("slash 0 Return", ["alert Kirune.", "0 で割ることはできません。", "OK push button."]),
    ("Return", ["Kirune.", "表示 text.", "0."]),  # back from the box, on the display
]


def said(line):  # an utterance of the speech log, without the voice Orca appends to some
    return UTTERANCE.fullmatch(line).group(1)


def main(binary, transcript):
    # Orca runs once per user: a screen reader already speaking for this user (a developer's
    # own) would make ours give up at start, and must not be replaced.
    if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                      stdout=subprocess.DEVNULL).returncode == 0:
        print("skipped: Orca is already running for this user", file=sys.stderr)
        return SKIPPED
    root = tempfile.mkdtemp(prefix="kirune-orca-")
    session, failures = Session(root), []
    try:
        session.start()
        clipboard = session.started("xclip", "-quiet", "-selection", "clipboard", "-i",
                                    stdin=subprocess.PIPE)
        clipboard.stdin.write("７")
        clipboard.stdin.close()
        steps = [("(start)", ["Kirune.", "表示 text.", "0."])] + STEPS
        for keys, expected in steps:
            before = len(session.spoken())
            if keys == "(start)":
                session.started(binary, env=dict(session.env, QT_QPA_PLATFORM="xcb"))
            else:
                for key in keys.split():
                    session.key(key)
            heard = lambda: [said(line) for line in session.spoken()[before:]]  # noqa: E731
            # Long enough for a sanitized program on a busy machine; what is missing after it
            # is told below, with the rest of the step.
            end = time.monotonic() + ANSWER
            while time.monotonic() < end and not (
                    (lines := heard()) and all(text in lines for text in expected)):
                time.sleep(0.1)
            lines = settled(f"{keys}: Orca's silence", heard)  # anything more is this step's
            if transcript:
                print(f"== {keys}\n" + "".join(f"   {text!r}\n" for text in lines), end="")
            # Key echoes end in a blank ("1 ", "return "); the rest must be what was expected.
            if (values := [text for text in lines if not text.endswith(" ")]) != expected:
                failures.append(f"{keys}: Orca said {values}, not {expected}")
            failures += [f"{keys}: noise {text!r}" for text in lines
                         if text == "" or any(word in text for word in NOISE)]
    finally:
        session.close()
        shutil.rmtree(root, ignore_errors=True)
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1]), "--transcript" in sys.argv))
