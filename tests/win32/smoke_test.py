"""kirune.exe under Wine on a private Xvfb, typed into with xdotool and read back through the
clipboard: the real window, its keys, a box, a further window, the clock and the end.
    python3 smoke_test.py KIRUNE.EXE WINEPREFIX   (a booted prefix with the test settings)"""

import os
import subprocess
import sys
import time

EXE, PREFIX = sys.argv[1], sys.argv[2]
LOG = os.path.join(PREFIX, "..", "smoke-wine.log")


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=20).stdout.strip()


def poll(what, read, ok, seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        value = read()
        if ok(value):
            return value
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: {what}: saw {value!r}")
        time.sleep(0.1)


def check(what, got, wanted):
    if got != wanted:
        sys.exit(f"FAIL: {what}: {got!r}, not {wanted!r}")


def windows(name="^Kirune$"):
    return run("xdotool", "search", "--onlyvisible", "--name", name).split()


def size(window):
    info = dict(l.strip().split(": ", 1) for l in run("xwininfo", "-id", window).splitlines()
                if ": " in l)
    return info["Width"] + "x" + info["Height"]


def display(window):
    """Ctrl+C in the window puts its display on the clipboard, over a marker put there first."""
    subprocess.run(["xclip", "-selection", "clipboard"], input="marker", text=True, timeout=5)
    run("xdotool", "windowfocus", "--sync", window, "key", "ctrl+c")
    return poll("the display reaches the clipboard",
                lambda: run("xclip", "-selection", "clipboard", "-o"), lambda t: t != "marker")


def keys(window, *names):
    run("xdotool", "windowfocus", "--sync", window, "key", "--delay", "30", *names)


xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-dpi", "96",
                         "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
os.environ.update(DISPLAY=":" + xvfb.stdout.readline().decode().strip(), WINEPREFIX=PREFIX,
                  WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
# Wine's desktop and clipboard processes live on the display of the program that started them.
subprocess.run(["wineserver", "-k"])
with open(LOG, "w") as log:
    wine = subprocess.Popen(["wine", EXE], stdout=log, stderr=log)
try:
    (main,) = poll("the window appears", windows, lambda w: len(w) == 1, 60)
    check("size and name", (size(main), run("xdotool", "getwindowname", main)), ("90x17", "Kirune"))
    keys(main, "1", "2", "plus", "3", "Return")
    check("12+3 Enter", display(main), "15")
    keys(main, "1", "slash", "0", "Return")
    box = poll("the fault's box", lambda: [w for w in windows() if w != main], len)[0]
    check("the box's title", run("xdotool", "getwindowname", box), "Kirune")
    keys(box, "Return")
    poll("the box closes", windows, lambda w: w == [main])
    keys(main, "BackSpace", "2", "asterisk", "3", "Return")
    check("after the box, 2*3 Enter", display(main), "6")
    keys(main, "z")
    keys(poll("the announcement", lambda: [w for w in windows() if w != main], len)[0], "Return")
    second = poll("the further window", lambda: [w for w in windows() if w != main and
                                                 size(w) == "90x17"], lambda w: len(w) == 1)[0]
    # Centred, it no longer covers the main window, which a click then activates.
    keys(second, "5", "a")
    check("the further window's display", display(second), "5")
    run("xdotool", "mousemove", "--window", main, "45", "8", "click", "1")
    check("the main window's own display", display(main), "6")
    keys(main, "space")
    poll("the main window shrinks", lambda: size(main), lambda s: s == "2x2")
    poll("the clock runs", lambda: run("xdotool", "getwindowname", main), lambda n: n[:1].isdigit())
    keys(main, "Escape")
    check("exit status after Esc", wine.wait(10), 0)
    print("PASS")
finally:
    if wine.poll() is None:
        wine.kill()
    subprocess.run(["wineserver", "-k"])
    xvfb.kill()
