"""The window really shrinks, grows, centres, follows a press and flees the pointer; its caption
runs a clock. Geometry is read from the X server; here without a window manager, and again
with one in window_manager_test."""

import time
import unittest

from kirune_e2e import DATE_TIME, JAPANESE, Desktop, main

SCREEN = (1280, 1024)  # the helper's Xvfb screen
NORMAL = (90, 17)  # 1350 x 255 twips at 15 twips a pixel; "d" asks 1350 x 250, 16.67 rounds to 17
TINY = (2, 2)  # 30 x 30 twips
# A second boundary passes within a second, and the clock writes every 100 ms.
CLOCK_TICKS_WITHIN = 1.5


def is_date_time(title):
    return DATE_TIME.fullmatch(title) is not None


def centred(size):
    """Where "a" puts a window of that size; halves may round either way."""
    return tuple((screen - length) / 2 for screen, length in zip(SCREEN, size))


def near(point, expected, tolerance=1):
    return all(abs(a - b) <= tolerance for a, b in zip(point, expected))


class WindowLife(unittest.TestCase):
    def start(self, desktop):
        program = desktop.start(extra_env=JAPANESE)
        window = program.main_window()
        window.focus()
        program.expect_display("0")
        self.assertEqual(window.size(), NORMAL)
        return program, window

    def settle(self, program):
        """Clears and types a digit that is not shown yet, and waits for it: every event sent
        before it has been handled."""
        digit = "2" if program.display_texts() == ["1"] else "1"
        program.key("c", digit)
        program.expect_display(digit)

    def expect_geometry(self, program, window, what, accept):
        return program.expect(what, window.geometry, lambda g: accept(g[:2], g[2:]))

    def assert_title_stays(self, window, title, seconds):
        """A running clock writes every 100 ms, and a new second within one."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.assertEqual(window.title(), title)
            time.sleep(0.1)

    def centre(self, program, window):
        """Puts the window elsewhere first: a window manager may have placed it in the centre
        already, and the move that "a" makes must be seen."""
        window.move(100, 100)
        program.key("a")
        self.expect_geometry(program, window, "centred",
                             lambda at, size: near(at, centred(NORMAL)))
        return window.position()

    def expect_running_clock(self, program, window):
        first = program.expect("the caption shows a date and time", window.title, is_date_time)
        program.expect("the caption clock ticks", window.title,
                       lambda title: is_date_time(title) and title != first,
                       timeout=CLOCK_TICKS_WITHIN)

    def test_space_and_y_run_the_caption_clock(self):
        with Desktop(self.id()) as desktop:
            program, window = self.start(desktop)
            program.key("space")
            program.expect("the window shrinks", window.size, lambda s: s == TINY)
            self.expect_running_clock(program, window)

            program.key("space")
            program.expect("normal size and name", lambda: (window.size(), window.title()),
                           lambda state: state == (NORMAL, "Kirune"))
            self.settle(program)
            self.assert_title_stays(window, "Kirune", seconds=0.3)

            for stop_key in ("y", "space"):
                with self.subTest(stop_key=stop_key):
                    program.key("y")
                    program.expect("the caption shows a date and time", window.title,
                                   is_date_time)
                    self.assertEqual(window.size(), NORMAL)
                    # Space with a running clock restores, whatever started the clock.
                    program.key(stop_key)
                    program.expect("the clock stops", window.title, lambda t: t == "Kirune")
                    self.settle(program)
                    self.assertEqual(window.size(), NORMAL)
                    self.assert_title_stays(window, "Kirune", seconds=0.3)

    def test_s_d_size_and_a_centres(self):
        with Desktop(self.id()) as desktop:
            program, window = self.start(desktop)
            start = window.position()
            # Sizes keep the top left corner; "a" then centres whatever size there is.
            steps = [
                ("s", TINY, lambda: start),
                ("a", TINY, lambda: centred(TINY)),
                ("d", NORMAL, lambda: centred(TINY)),
                ("a", NORMAL, lambda: centred(NORMAL)),
            ]
            for key, size, place in steps:
                with self.subTest(key=key):
                    program.key(key)
                    self.expect_geometry(program, window, f"{key}: {size} at {place()}",
                                         lambda at, got: got == size and near(at, place()))

    def test_press_pulls_the_window_under_the_pointer_and_runs_the_clock_while_held(self):
        with Desktop(self.id()) as desktop:
            program, window = self.start(desktop)
            x, y = self.centre(program, window)
            pointer = (x + 80, y + 3)  # right of and above the centre
            desktop.mouse_move(*pointer)
            desktop.mouse_down()
            try:
                self.expect_geometry(
                    program, window, f"the window's centre under the pointer {pointer}",
                    lambda at, size: near((at[0] + size[0] / 2, at[1] + size[1] / 2), pointer))
                program.expect("the caption shows a date and time", window.title, is_date_time)
            finally:
                desktop.mouse_up()
            self.settle(program)
            frozen = window.title()
            self.assertTrue(is_date_time(frozen), frozen)
            self.assert_title_stays(window, frozen, seconds=1.2)

    def test_m_makes_the_window_flee_the_pointer(self):
        with Desktop(self.id()) as desktop:
            program, window = self.start(desktop)
            x, y = self.centre(program, window)
            # Off, the pointer crossing the display moves nothing.
            desktop.mouse_move(x + 60, y + 12)
            self.settle(program)
            self.assertEqual(window.position(), (x, y))

            program.key("m")
            desktop.mouse_move(x + 61, y + 12)
            # The offset from the centre, (16, 3.5), mirrored, three times as far vertically.
            self.expect_geometry(program, window, "the window fled left and up",
                                 lambda at, size: near(at, (x - 16, y - 10.5)))

    def test_keys_in_a_second_window_size_the_main_window_and_centre_their_own(self):
        with Desktop(self.id()) as desktop:
            program, main_window = self.start(desktop)
            program.key("z")
            box = program.window_count(2)[-1]
            box.focus()
            program.key("Return")
            windows = program.expect("the box gives way to a second window", program.windows,
                                     lambda ws: len(ws) == 2 and box.wid not in
                                     [w.wid for w in ws])
            second = [w for w in windows if w.wid != main_window.wid][0]
            second.focus()
            start = main_window.position()

            program.key("s")
            program.expect("the main window shrinks", main_window.size, lambda s: s == TINY)
            program.key("d")
            program.expect("the main window grows", main_window.size, lambda s: s == NORMAL)
            program.key("space")
            program.expect("the main window shrinks", main_window.size, lambda s: s == TINY)
            # The second window's clock writes the main window's caption.
            program.expect("the main caption shows a date and time", main_window.title,
                           is_date_time)
            self.assertEqual(second.title(), "Kirune")
            program.key("space")
            program.expect("the main window is back", lambda: (main_window.size(),
                                                               main_window.title()),
                           lambda state: state == (NORMAL, "Kirune"))

            self.centre(program, second)
            self.assertEqual(main_window.position(), start)


if __name__ == "__main__":
    main()
