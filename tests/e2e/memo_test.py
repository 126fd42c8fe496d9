""""q" asks for a memo and keeps it, "w" shows it, "t" shows the moment of the key in the
desktop's own date format; none of them touches the calculation."""

import datetime
import unittest

from kirune_e2e import DIALOG, JAPANESE, TEXT, Desktop, main

PROMPT = "メモすることを書き込んでください"

# The desktop's language, and how its dates read (Qt's own locale data, also for locales the
# system has not generated).
DATE_FORMATS = [
    ("ja_JP.UTF-8", "%Y/%m/%d %H:%M:%S"),
    ("de_DE.UTF-8", "%d.%m.%Y %H:%M:%S"),
    ("en_US.UTF-8", "%m/%d/%Y %I:%M:%S %p"),
]


class Memo(unittest.TestCase):
    def start(self, desktop, language=JAPANESE):
        program = desktop.start(extra_env=language)
        window = program.main_window()
        window.focus()
        program.expect_display("0")
        return program, window

    def box_window(self, program, window):
        """The X window of the box that just opened, focused: no window manager does it."""
        box = [w for w in program.window_count(2) if w.wid != window.wid][0]
        box.focus()
        return box

    def memo_field(self, program):
        """The input box's text field, read as a screen reader reads it."""
        dialogs = [w for w in program.accessible_windows() if w.role() == DIALOG]
        fields = [n for d in dialogs for n in d.descendants() if n.role() == TEXT]
        if len(fields) != 1:
            raise LookupError(f"{len(fields)} text fields in the input box")
        return fields[0].text()

    def close_box(self, program, window, key="Return"):
        program.key(key)
        program.window_count(1)
        window.focus()

    def test_q_keeps_the_memo_w_shows_it_cancel_erases_it(self):
        with Desktop(self.id()) as desktop:
            program, window = self.start(desktop)
            program.key("1", "2", "plus")

            program.key("q")
            program.expect_message_box("Kirune", PROMPT)
            self.box_window(program, window)
            program.expect("the memo field is empty", lambda: self.memo_field(program),
                           lambda text: text == "")
            program.key("a", "b", "c")
            program.expect("the memo field holds abc", lambda: self.memo_field(program),
                           lambda text: text == "abc")
            self.close_box(program, window)

            program.key("w")
            program.expect_message_box("Kirune", "abc")
            self.box_window(program, window)
            self.close_box(program, window)

            # The next memo starts from the kept one; Cancel then erases it.
            program.key("q")
            program.expect_message_box("Kirune", PROMPT)
            self.box_window(program, window)
            program.expect("the memo field offers abc", lambda: self.memo_field(program),
                           lambda text: text == "abc")
            self.close_box(program, window, key="Escape")
            program.key("w")
            program.expect("an empty memo box", program.message_boxes,
                           lambda boxes: boxes == [("Kirune", [])])
            self.box_window(program, window)
            self.close_box(program, window)

            # The calculation went on untouched: 12 + 3.
            program.expect_display("12")
            program.key("3", "Return")
            program.expect_display("15")

    def test_t_shows_the_moment_of_the_key_in_the_desktops_format(self):
        with Desktop(self.id()) as desktop:
            for language, date_format in DATE_FORMATS:
                with self.subTest(language=language):
                    program, window = self.start(desktop, {"LANG": language})
                    before = datetime.datetime.now().replace(microsecond=0)
                    program.key("t")
                    boxes = program.expect("a date box", program.message_boxes,
                                           lambda boxes: len(boxes) == 1)
                    after = datetime.datetime.now()
                    title, texts = boxes[0]
                    self.assertEqual(title, "Kirune")
                    self.assertEqual(len(texts), 1, texts)
                    # Newer locale data puts a narrow no-break space before "PM".
                    shown = texts[0].replace("\u202f", " ")
                    when = datetime.datetime.strptime(shown, date_format)
                    self.assertTrue(before <= when <= after, f"{shown} not in {before}..{after}")
                    self.box_window(program, window)
                    self.close_box(program, window)
                    program.expect_display("0")
                    program.key("Escape")
                    self.assertEqual(program.expect_exit(), 0, program.log())


if __name__ == "__main__":
    main()
