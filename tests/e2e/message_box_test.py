"""A refused division shows a message box; after OK the calculator still answers keys."""

import unittest

from kirune_e2e import Desktop, main

DIVIDE_BY_ZERO = "0 で割ることはできません。"


class MessageBox(unittest.TestCase):
    def test_division_by_zero_shows_box_then_keys_still_work(self):
        with Desktop(self.id()) as desktop:
            program = desktop.start()
            window = program.main_window()
            window.focus()
            program.expect_display("0")
            program.key("1", "slash", "0", "Return")
            program.expect_message_box("Kirune", DIVIDE_BY_ZERO)
            windows = program.window_count(2)
            box = [w for w in windows if w.wid != window.wid][0]
            self.assertEqual(box.title(), "Kirune")

            box.focus()
            program.key("Return")
            program.window_count(1)
            self.assertEqual(program.message_boxes(), [])
            self.assertIsNone(program.process.poll(), "the program ended with the box")

            window.focus()
            program.key("c", "7")
            program.expect_display("7")
            program.key("plus", "8", "Return")
            program.expect_display("15")


if __name__ == "__main__":
    main()
