# What a blind user hears: the real program under GNOME's screen reader Orca, on a private Xvfb,
# session bus, accessibility bus and speech-dispatcher (espeak-ng into libao's null driver, the
# real speech path without a sound card). Keys go in through XTest at a person's pace; what Orca
# says is read from speech-dispatcher's log, one line a message as Orca handed it over: Orca 43
# and Orca 48 log their own speech differently, speech-dispatcher logs both alike.
# Usage: screen_reader_test.py BINARY. It prints what Orca said at each step, echoes included.
import html, os, re, shutil, subprocess, sys, tempfile, time  # noqa: E401

from session import Session, until

SKIPPED = 77  # CTest's SKIP_RETURN_CODE for this test
DEADLINE = 15  # Orca, a sanitized program and espeak-ng share two cores
ANSWER = 6  # seconds for what Orca says after a key
MESSAGE = re.compile(r"speechd: +Queueing message \|(.*)\| with priority")
# The words Orca puts around a value for its role, which differ between releases ("push button"
# in 43, "button" in 48): the test checks the values.
ROLES = re.compile(r"\b(alert|dialog|frame|push button|button|text|entry)\b|\.$")
# Orca 48 echoes these keys as the characters they type.
SYMBOLS = {"plus": "+", "slash": "/"}
# What Orca says when its guesses go wrong (besides an empty string and a stale value).
NOISE = ("selected", "unselected", "Selection")

# Keys, and the values Orca must say for them besides echoing the keys, in that order: nothing
# else.
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
    ("slash 0 Return", ["Kirune", "0 で割ることはできません。", "OK"]),
    ("Return", ["Kirune", "表示", "0"]),  # back from the box, on the display
]


def plain(message):  # a message as the user hears it: without markup
    return html.unescape(re.sub(r"<[^>]*>", "", message))


def value(message):  # and without role words
    return ROLES.sub("", plain(message)).strip()


def echo(message, keys):  # Orca's echo of a key of this step: "return", "left shift", "+"
    names = {name.lower() for stroke in keys.split() for name in stroke.split("+")}
    names |= {"shift", "control"} | {SYMBOLS[name] for name in names & SYMBOLS.keys()}
    return re.sub(r"^(left|right) ", "", value(message).lower()) in names


def settled(probe, quiet=1.5):  # once probe has stayed the same that long
    seen, since, end = probe(), time.monotonic(), time.monotonic() + DEADLINE
    while time.monotonic() - since < quiet and time.monotonic() < end:
        time.sleep(0.1)
        if (now := probe()) != seen:
            seen, since = now, time.monotonic()
    return seen


def key(env, stroke):
    # A modifier is held down first and let go a moment after the key, as people type: Orca
    # reads the modifiers when it handles the change the key made.
    *modifiers, name = stroke.split("+")
    xdotool = ["xdotool"]
    for modifier in modifiers:
        xdotool += ["keydown", modifier, "sleep", "0.05"]
    xdotool += ["keydown", name, "sleep", "0.1", "keyup", name]
    for modifier in modifiers:
        xdotool += ["sleep", "0.3", "keyup", modifier]
    subprocess.run(xdotool, env=env, check=True, timeout=DEADLINE)


def speaking(session, root, home, run):  # a desktop whose screen reader is on
    # The accessibility bus on, as a desktop turns it on when its screen reader starts.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                    "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                   env=session.env, check=True, capture_output=True, timeout=DEADLINE)
    shutil.copytree("/etc/speech-dispatcher", config := os.path.join(root, "speechd"))
    with open(os.path.join(config, "speechd.conf"), "a") as file:
        file.write('AudioOutputMethod "libao"\nDefaultModule espeak-ng\n')
    with open(os.path.join(home, ".libao"), "w") as file:
        file.write("default_driver=null\n")
    session.started(["speech-dispatcher", "-s", "-t", "0", "-C", config, "-L", root, "-l", "5",
                     "-c", "unix_socket", "-S", socket := os.path.join(run, "speechd.sock")])
    # Orca gives up on speech for good if it comes first.
    until("speech-dispatcher", lambda: os.path.exists(socket), bool, DEADLINE)
    session.started(["orca", "-u", os.path.join(root, "orca")])


def main(binary):
    # Orca runs once per user: a screen reader already speaking for this user (a developer's
    # own) would make ours give up at start, and must not be replaced.
    if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                      stdout=subprocess.DEVNULL).returncode == 0:
        print("skipped: Orca is already running for this user", file=sys.stderr)
        return SKIPPED
    root, failures = tempfile.mkdtemp(prefix="kirune-orca-"), []
    home, run = os.path.join(root, "home"), os.path.join(root, "run")
    for folder, mode in ((home, 0o755), (os.path.join(root, "orca"), 0o755), (run, 0o700)):
        os.makedirs(folder, mode)
    log, messages, read = os.path.join(root, "speech-dispatcher.log"), [], [0]

    def spoken():  # the log grows by megabytes (it lists every voice): read what is new
        if os.path.exists(log):
            with open(log, "rb") as file:
                file.seek(read[0])
                new = file.read()
            read[0] += new.rfind(b"\n") + 1
            messages.extend(found.group(1) for line in new[:new.rfind(b"\n") + 1].decode(
                "utf-8", "replace").splitlines() if (found := MESSAGE.search(line)))
        return list(messages)

    session = Session(HOME=home, XDG_RUNTIME_DIR=run, LANG="C.UTF-8",
                      SPEECHD_ADDRESS="unix_socket:" + os.path.join(run, "speechd.sock"))
    try:
        speaking(session, root, home, run)
        clipboard = session.started(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                    stdin=subprocess.PIPE)
        clipboard.stdin.write("７")
        clipboard.stdin.close()
        until("Orca's greeting", spoken, lambda lines: lines, DEADLINE)
        settled(spoken)
        for keys, expected in [("(start)", ["Kirune", "表示", "0"])] + STEPS:
            before = len(spoken())
            if keys == "(start)":
                session.started([binary], dict(QT_QPA_PLATFORM="xcb"))
            for stroke in keys.split() if keys != "(start)" else []:
                key(session.env, stroke)
            said = lambda: [value(t) for t in spoken()[before:] if not echo(t, keys)]  # noqa: E731
            # What is missing after this long is told below, with the rest of the step.
            try:
                until(keys, said, lambda values: all(v in values for v in expected), ANSWER)
            except AssertionError:
                pass
            lines = settled(lambda: spoken()[before:])  # anything more belongs to this step
            print(f"== {keys}\n" + "".join(f"   {plain(text)!r}\n" for text in lines), end="")
            if (values := said()) != expected:
                failures.append(f"{keys}: Orca said {values}, not {expected}")
            failures += [f"{keys}: noise {text!r}" for text in lines
                         if value(text) == "" or any(word in plain(text) for word in NOISE)]
    finally:
        session.close()
        shutil.rmtree(root, ignore_errors=True)
    print(*failures, sep="\n", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1])))
