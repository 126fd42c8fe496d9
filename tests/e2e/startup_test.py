"""The program opens its one small window, and Esc or "x" ends it at once."""

import unittest

from kirune_e2e import Desktop, main


class StartUp(unittest.TestCase):
    def test_opens_one_frameless_90_by_17_window_titled_kirune_showing_0(self):
        with Desktop(self.id()) as desktop:
            program = desktop.start()
            window = program.main_window()
            program.expect_display("0")
            self.assertEqual(window.size(), (90, 17))
            self.assertEqual(window.title(), "Kirune")
            self.assertFalse(window.has_decorations(), "the window asks for a frame")
            self.assertEqual(len(program.windows()), 1)

    def test_escape_and_x_end_the_program_with_status_0(self):
        for key in ("Escape", "x"):
            with self.subTest(key=key), Desktop(f"{self.id()}.{key}") as desktop:
                program = desktop.start()
                program.main_window().focus()
                program.expect_display("0")
                program.key(key)
                self.assertEqual(program.expect_exit(), 0, program.log())


if __name__ == "__main__":
    main()
