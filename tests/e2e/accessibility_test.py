"""A screen reader finds the window by its name, the display as a named text field whose text
follows every key, and the text of a message box."""

import unittest

from kirune_e2e import ALERT, ENTRY, TEXT, Desktop, main

ANNOUNCEMENT = "新しいKiruneが現れました。"

# Keysyms typed one group after the other, and what the display then reads.
KEYS_AND_TEXTS = [
    (["1", "2"], "12"),
    (["plus"], "12"),
    (["3"], "3"),
    (["Return"], "15"),
    (["f"], "225"),
    (["c"], "0"),
    (["period", "5"], "0.5"),
    (["BackSpace"], "0"),
]


class Accessibility(unittest.TestCase):
    def test_window_display_and_box_read_as_a_screen_reader_reads_them(self):
        with Desktop(self.id()) as desktop:
            program = desktop.start()
            window = program.main_window()
            window.focus()
            program.expect_display("0")

            frames = program.accessible_windows()
            self.assertEqual(len(frames), 1)
            self.assertIn("Kirune", frames[0].name())
            (display,) = program.displays()
            self.assertEqual(display.name(), "表示")
            self.assertIn(display.role(), (TEXT, ENTRY))

            for keys, text in KEYS_AND_TEXTS:
                with self.subTest(keys=" ".join(keys)):
                    program.key(*keys)
                    program.expect(f"the display reads {text!r}", display.text,
                                   lambda read: read == text)

            # A caption that turns into a ticking clock would make the name chatter.
            program.key("space")
            program.expect("the caption clock runs", window.title, lambda t: t != "Kirune")
            self.assertIn("Kirune", frames[0].name())
            program.key("space")

            program.key("z")
            program.expect_message_box("Kirune", ANNOUNCEMENT)
            boxes = [w for w in program.accessible_windows() if w.role() == ALERT]
            self.assertEqual([box.name() for box in boxes], ["Kirune"])


if __name__ == "__main__":
    main()
