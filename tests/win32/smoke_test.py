# kirune.exe under Wine on a private Xvfb, typed into with xdotool and read back through the
# clipboard and a screen reader's ears: the real window, what a screen reader is told per key, a
# box, a further window, the clock and the end.
#     python3 smoke_test.py KIRUNE.EXE WINEPREFIX LISTENER.EXE   (a prefix with the test settings)

import os
import subprocess
import sys
import time

EXE, PREFIX, LISTENER = sys.argv[1:4]
HEARD = os.path.join(PREFIX, "..", "smoke-heard.txt")

# Each key, and what the listener hears of it: one value change of the display named 表示 with
# the new text for each change, none where the text stays ("c" on "0", "+" that only records).
HEARING = [("7", ["7"]), ("2", ["72"]), ("r", ["8.48528137423857"]), ("c", ["0"]), ("c", []),
           ("9", ["9"]), ("g", ["729"]), ("plus", []), ("1", ["1"]), ("Return", ["730"])]


# A command's output; "" when it hangs, as xclip may while Wine's clipboard manager is busy.
def run(*command):
    try:
        return subprocess.run(command, capture_output=True, text=True, timeout=5).stdout.strip()
    except subprocess.TimeoutExpired:
        return ""


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


def windows():
    return run("xdotool", "search", "--onlyvisible", "--name", "^Kirune$").split()


def size(window):
    return run("xdotool", "getwindowgeometry", window).split()[-1]  # "Geometry: 90x17"


def position(window):
    shell = run("xdotool", "getwindowgeometry", "--shell", window).split()  # WINDOW=, X=, Y=
    return tuple(int(line.split("=")[1]) for line in shell[1:3])


# Ctrl+C in the window puts its display on the clipboard, over a marker put there first.
def display(window):
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
with open(os.path.join(PREFIX, "..", "smoke-wine.log"), "w") as log:
    wine = subprocess.Popen(["wine", EXE], stdout=log, stderr=log)
try:
    (main,) = poll("the window appears", windows, lambda w: len(w) == 1, 60)
    check("size and name", (size(main), run("xdotool", "getwindowname", main)), ("90x17", "Kirune"))
    # The display's 2-pixel frame takes the mouse as its inside does. Centred first: Wine unmaps
    # a window that flees wholly off the screen. A press on the frame's bottom row pulls the
    # window down by 7.5 pixels; with "m", a pointer there makes it flee upwards. "y" twice puts
    # the name back into the caption, should the press's clock have ticked.
    keys(main, "a")
    x, y = poll("centred", lambda: position(main), lambda at: at == (595, 504))
    run("xdotool", "mousemove", "--window", main, "45", "16", "click", "1")
    poll("a press on the frame pulls", lambda: position(main),
         lambda at: at[0] == x and abs(at[1] - y - 8) <= 1)
    keys(main, "m")
    x, y = position(main)
    run("xdotool", "mousemove", "--window", main, "45", "16")
    poll("the frame's bottom row makes it flee", lambda: position(main), lambda at: at[1] < y - 20)
    keys(main, "m", "y", "y")
    subprocess.Popen(["wine", LISTENER], stdout=open(HEARD, "w"), stderr=open(log.name, "a"))
    lines = lambda: open(HEARD, encoding="utf-8").read().splitlines()  # noqa: E731
    poll("the listener", lines, lambda h: h == ["listening"], 30)
    told = []
    for key, values in HEARING:
        keys(main, key)
        told += [f"change 表示 = {value}" for value in values]
        check(f"heard after {key}", poll(key, lambda: lines()[1:], lambda h: len(h) >= len(told)),
              told)
    keys(main, "1", "slash", "0", "Return")
    others = lambda: [w for w in windows() if w != main]  # noqa: E731
    box = poll("the fault's box", others, len)[0]
    check("the box's title", run("xdotool", "getwindowname", box), "Kirune")
    keys(box, "Return")
    poll("the box closes", windows, lambda w: w == [main])
    keys(main, "BackSpace", "2", "asterisk", "3", "Return")  # the main window's display, below
    keys(main, "z")
    keys(poll("the announcement", others, len)[0], "Return")
    second = poll("the further window", others, lambda w: [size(x) for x in w] == ["90x17"])[0]
    # It takes the keyboard itself. Centred, it no longer covers the main window.
    poll("the keyboard", lambda: run("xdotool", "getwindowfocus"), lambda f: f == second)
    run("xdotool", "key", "--delay", "30", "5", "a")
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
