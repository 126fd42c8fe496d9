# The real program on a private Xvfb, typed into through XTest as a keyboard types. Each test
# owns its X server and session bus and ends what it started; every wait polls with a deadline.
# Usage: e2e_test.py BINARY E2E.test_name
import os, re, subprocess, sys, unittest  # noqa: E401

from session import Session, until

BINARY = os.path.abspath(sys.argv.pop(1))
DATE_TIME = re.compile(r"\d{4}/\d{2}/\d{2} \d{1,2}:\d{2}:\d{2}")  # nothing appended


class E2E(unittest.TestCase):
    def setUp(self):
        self.session = Session(LANG="ja_JP.UTF-8", QT_QPA_PLATFORM="xcb")
        self.addCleanup(self.session.close)
        self.env = self.session.env
        self.x, self.keys, self.title = self.session.x, self.session.keys, self.session.title
        self.geometry, self.expect_display = self.session.geometry, self.session.expect_display

    def start(self, **env):
        self.program = self.session.started([BINARY], env, stdout=None, stderr=None)
        return self.windows(1)[0]

    def windows(self, count):
        return self.session.windows(count, "--pid", str(self.program.pid))

    def test_fault_box_then_going_on_then_a_further_window(self):
        main = self.start()
        self.assertEqual((self.geometry(main)[2:], self.title(main)), ((90, 17), "Kirune"))
        self.keys(main, "1", "slash", "0", "Return")
        self.assertEqual(self.title(box := self.windows(2)[1]), "Kirune")
        self.keys(box, "Return")
        self.keys(main, "c", "7", "plus", "8", "KP_Enter")
        self.expect_display(main, "15")
        self.keys(main, "z")
        self.keys(box := self.windows(2)[1], "Return")
        further = until("a further window", lambda: self.windows(2)[1], lambda w: w != box)
        self.keys(further, "1", "2", "slash", "4", "Return")
        self.expect_display(main, "15")
        # Alt+F4 hides the further window; z shows the same one again, as it was.
        self.keys(further, "alt+F4")
        self.windows(1)
        self.keys(main, "z")
        self.keys(box := self.windows(2)[1], "Return")
        until("the same window", lambda: self.windows(2)[1], lambda w: w == further)
        self.expect_display(further, "3")
        self.keys(further, "Escape")
        self.assertEqual(until("the end", self.program.poll, lambda s: s is not None), 0)

    def test_caption_clock_and_mouse_pull(self):
        wid = self.start()
        self.keys(wid, "space")
        until("tiny", lambda: self.geometry(wid)[2:], lambda size: size == (2, 2))
        first = until("a date-time caption", lambda: self.title(wid), DATE_TIME.fullmatch)
        until("the clock ticks", lambda: self.title(wid), lambda title: title != first)
        self.keys(wid, "space")
        x, y, _, _ = until("normal size", lambda: self.geometry(wid), lambda g: g[2:] == (90, 17))
        self.x("xdotool", "mousemove", "--sync", str(x + 80), str(y + 3), "mousedown", "1")
        until("its centre under the pointer", lambda: self.geometry(wid)[:2],
              lambda at: abs(at[0] - x - 35) <= 1 and abs(at[1] - y + 5) <= 1)
        self.x("xdotool", "mouseup", "1")

    def test_scale_two_doubles_the_window(self):
        wid = self.start(QT_SCALE_FACTOR="2")
        until("twice the size", lambda: self.geometry(wid)[2:], lambda size: size == (180, 34))


if __name__ == "__main__":
    unittest.main(verbosity=2)
