"""On a high-density screen the window keeps its size in inches: every length doubles at scale
2, in X11 pixels, and the calculator works the same."""

import unittest

from kirune_e2e import Desktop, main

SCREEN = (1280, 1024)  # device pixels of the helper's Xvfb screen


class HighDpi(unittest.TestCase):
    def test_lengths_follow_the_scale_factor(self):
        with Desktop(self.id()) as desktop:
            for scale in (1, 2):
                with self.subTest(scale=scale):
                    program = desktop.start(extra_env={"QT_SCALE_FACTOR": str(scale)})
                    window = program.main_window()
                    window.focus()
                    program.expect_display("0")
                    self.assertEqual(window.size(), (90 * scale, 17 * scale))

                    program.key("1", "2", "plus", "3", "Return")
                    program.expect_display("15")

                    # A half pixel rounds in device-independent pixels: one of them may be
                    # `scale` device pixels.
                    program.key("a")
                    size = window.size()
                    centre = [(screen - length) / 2 for screen, length in zip(SCREEN, size)]
                    program.expect("centred on the screen", window.position,
                                   lambda at: all(abs(a - c) <= scale
                                                  for a, c in zip(at, centre)))
                    program.key("s")
                    program.expect("tiny", window.size, lambda s: s == (2 * scale, 2 * scale))
                    program.key("d")
                    program.expect("normal", window.size, lambda s: s == (90 * scale, 17 * scale))

                    program.key("Escape")
                    self.assertEqual(program.expect_exit(), 0, program.log())


if __name__ == "__main__":
    main()
