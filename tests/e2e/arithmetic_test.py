"""Keys typed into the real window compute left to right, from both key blocks."""

import unittest

from kirune_e2e import Desktop, main

# Keysyms typed into a fresh window, and the display after them.
CASES = [
    (["1", "2", "plus", "3", "Return"], "15"),
    (["2", "plus", "3", "asterisk", "4", "Return"], "20"),  # no precedence
    (["KP_1", "KP_2", "KP_Add", "KP_3", "KP_Enter"], "15"),  # the keypad, Num Lock on
    (["9", "minus", "1", "2", "slash", "4", "Return"], "-0.75"),
]


class Arithmetic(unittest.TestCase):
    def test_keys_give_display(self):
        with Desktop(self.id()) as desktop:
            for keys, expected in CASES:
                with self.subTest(keys=" ".join(keys)):
                    program = desktop.start()
                    program.main_window().focus()
                    program.expect_display("0")
                    program.key(*keys)
                    program.expect_display(expected)
                    program.key("Escape")
                    self.assertEqual(program.expect_exit(), 0, program.log())


if __name__ == "__main__":
    main()
