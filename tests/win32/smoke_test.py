# kirune.exe under Wine on a private Xvfb, typed into with xdotool and read back through the
# clipboard and a screen reader's ears: the real window, what a screen reader is told per key, a
# box, a further window, the clock and the end.
#     python3 smoke_test.py KIRUNE.EXE WINEPREFIX LISTENER.EXE   (a prefix with the test settings)
import os, subprocess, sys  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from session import Session, until  # noqa: E402

EXE, PREFIX, LISTENER = sys.argv[1:4]
HEARD, LOG = (os.path.join(PREFIX, "..", name) for name in ("smoke-heard.txt", "smoke-wine.log"))

# Each key, and what the listener hears of it: one value change of the display named 表示 with
# the new text for each change, none where the text stays ("c" on "0", "+" that only records).
HEARING = [("7", ["7"]), ("2", ["72"]), ("r", ["8.48528137423857"]), ("c", ["0"]), ("c", []),
           ("9", ["9"]), ("g", ["729"]), ("plus", []), ("1", ["1"]), ("Return", ["730"])]


session = Session(WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
x, keys, geometry = session.x, session.keys, session.geometry
windows = lambda: x("xdotool", "search", "--onlyvisible", "--name", "^Kirune$").split()  # noqa: E731
try:
    # Wine's desktop and clipboard processes live on the display of the program that started them.
    subprocess.run(["wineserver", "-k"], env=session.env)
    with open(LOG, "w") as log:
        wine = session.started(["wine", EXE], stdout=log, stderr=log)
    (main,) = until("the window appears", windows, lambda w: len(w) == 1, 60)
    assert (geometry(main)[2:], session.title(main)) == ((90, 17), "Kirune"), geometry(main)
    # The display's 2-pixel frame takes the mouse as its inside does. Centred first: Wine unmaps
    # a window that flees wholly off the screen. A press on the frame's bottom row pulls the
    # window down by 7.5 pixels; with "m", a pointer there makes it flee upwards. "y" twice puts
    # the name back into the caption, should the press's clock have ticked.
    keys(main, "a")
    x0, y0, _, _ = until("centred", lambda: geometry(main), lambda g: g[:2] == (595, 504))
    x("xdotool", "mousemove", "--window", main, "45", "16", "click", "1")
    until("a press on the frame pulls", lambda: geometry(main),
          lambda g: g[0] == x0 and abs(g[1] - y0 - 8) <= 1)
    keys(main, "m")
    y0 = geometry(main)[1]
    x("xdotool", "mousemove", "--window", main, "45", "16")
    until("the frame's bottom row makes it flee", lambda: geometry(main), lambda g: g[1] < y0 - 20)
    keys(main, "m", "y", "y")
    session.started(["wine", LISTENER], stdout=open(HEARD, "w"), stderr=open(LOG, "a"))
    lines = lambda: open(HEARD, encoding="utf-8").read().splitlines()  # noqa: E731
    until("the listener", lines, lambda h: h == ["listening"], 30)
    told = []
    for key, values in HEARING:
        keys(main, key)
        told += [f"change 表示 = {value}" for value in values]
        heard = until(key, lambda: lines()[1:], lambda h: len(h) >= len(told))
        assert heard == told, f"after {key}: heard {heard}, not {told}"
    keys(main, "1", "slash", "0", "Return")
    others = lambda: [w for w in windows() if w != main]  # noqa: E731
    box = until("the fault's box", others, len)[0]
    assert session.title(box) == "Kirune", session.title(box)
    keys(box, "Return")
    until("the box closes", windows, lambda w: w == [main])
    keys(main, "BackSpace", "2", "asterisk", "3", "Return")  # the main window's display, below
    keys(main, "z")
    keys(until("the announcement", others, len)[0], "Return")
    second = until("the further window", others,
                   lambda w: [geometry(x)[2:] for x in w] == [(90, 17)])[0]
    # It takes the keyboard itself. Centred, it no longer covers the main window.
    until("the keyboard", lambda: x("xdotool", "getwindowfocus"), lambda f: f == second)
    x("xdotool", "key", "--delay", "30", "5", "a")
    session.expect_display(second, "5")
    x("xdotool", "mousemove", "--window", main, "45", "8", "click", "1")
    session.expect_display(main, "6")  # its own display
    keys(main, "space")
    until("the main window shrinks", lambda: geometry(main)[2:], lambda s: s == (2, 2))
    until("the clock runs", lambda: session.title(main), lambda n: n[:1].isdigit())
    keys(main, "Escape")
    assert wine.wait(10) == 0, "exit status after Esc"
    print("PASS")
finally:
    subprocess.run(["wineserver", "-k"], env=session.env)
    session.close()
