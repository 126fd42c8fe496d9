""""z" announces a further calculator window, which then computes on its own state."""

import unittest

from kirune_e2e import Desktop, main

ANNOUNCEMENT = "新しいKiruneが現れました。"


class FurtherWindow(unittest.TestCase):
    def test_z_announces_then_opens_a_window_with_its_own_state(self):
        with Desktop(self.id()) as desktop:
            program = desktop.start()
            main_window = program.main_window()
            main_window.focus()
            program.key("5", "plus", "2")
            program.expect_display("2")
            program.key("z")
            program.expect_message_box("Kirune", ANNOUNCEMENT)
            box = [w for w in program.window_count(2) if w.wid != main_window.wid][0]
            box.focus()
            program.key("Return")

            windows = program.window_count(2)
            second = [w for w in windows if w.wid != main_window.wid][0]
            self.assertEqual(second.size(), (90, 17))
            self.assertEqual(second.title(), "Kirune")
            program.expect_displays("2", "0")

            second.focus()
            program.key("1", "2", "slash", "4", "Return")
            program.expect_displays("2", "3")
            main_window.focus()
            program.key("Return")  # the main window's own pending 5 + 2
            program.expect_displays("7", "3")

            second.focus()
            program.key("Escape")
            self.assertEqual(program.expect_exit(), 0, program.log())


if __name__ == "__main__":
    main()
