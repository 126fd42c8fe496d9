"""The X clipboard in and out of the real window; stay-on-top, which a window manager honours
and which without one must do no harm."""

import subprocess
import unittest

from kirune_e2e import TOOL_TIMEOUT, Desktop, main, poll

DIVIDE_BY_ZERO = "0 で割ることはできません。"


class Clipboard:
    """The clipboard of one test display, set and read with xclip.

    Whoever sets an X selection must answer for it until another client takes it over, so
    each set() leaves an xclip running in the foreground; leaving the `with` block ends those
    still running (the program taking the clipboard over ends them sooner)."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.owners = []

    def __enter__(self):
        return self

    def __exit__(self, kind, error, trace):
        for owner in self.owners:
            if owner.poll() is None:
                owner.terminate()
            try:
                owner.wait(timeout=TOOL_TIMEOUT)
            except subprocess.TimeoutExpired:
                owner.kill()
                owner.wait(timeout=TOOL_TIMEOUT)
        return False

    def text(self):
        """The clipboard's text; "" while nobody holds it."""
        read = subprocess.run(
            ["xclip", "-out", "-selection", "clipboard"],
            env=self.desktop.env, capture_output=True, timeout=TOOL_TIMEOUT,
        )
        return read.stdout.decode("utf-8", errors="replace")

    def set(self, text):
        # -quiet keeps xclip in the foreground: it stays our child, to end at the close.
        owner = subprocess.Popen(
            ["xclip", "-quiet", "-in", "-selection", "clipboard"],
            env=self.desktop.env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        self.owners.append(owner)
        owner.stdin.write(text.encode("utf-8"))
        owner.stdin.close()
        self.expect(text)

    def expect(self, text):
        poll(f"clipboard holds {text!r}", self.text, lambda held: held == text)


class ClipboardAndStayOnTop(unittest.TestCase):
    def test_paste_a_full_width_digit_then_copy_the_result(self):
        with Desktop(self.id()) as desktop, Clipboard(desktop) as clipboard:
            program = desktop.start()
            program.main_window().focus()
            program.expect_display("0")
            program.key("5", "plus")
            program.expect_display("5")
            # As a Japanese input method or a web page would leave it.
            clipboard.set("７")
            program.key("ctrl+v")
            program.expect_display("7")
            program.key("Return")
            program.expect_display("12")
            program.key("ctrl+c")
            clipboard.expect("12")

    def test_stay_on_top_leaves_the_window_in_place_and_answering(self):
        with Desktop(self.id()) as desktop, Clipboard(desktop) as clipboard:
            program = desktop.start()
            window = program.main_window()
            window.focus()
            program.key("4", "2", "ctrl+t")
            self.assertEqual(program.window_count(1)[0].size(), (90, 17))
            program.expect_display("42")

            # A box still gets the keyboard, and gives it back when it closes.
            program.key("slash", "0", "Return")
            program.expect_message_box("Kirune", DIVIDE_BY_ZERO)
            box = [w for w in program.window_count(2) if w.wid != window.wid][0]
            box.focus()
            program.key("Return")
            program.window_count(1)

            # The older desktops' clipboard keys, typed without focusing the window again.
            program.key("c", "4", "2", "asterisk")
            clipboard.set("3")
            program.key("shift+Insert")
            program.expect_display("3")
            program.key("Return")
            program.expect_display("126")
            program.key("ctrl+Insert")
            clipboard.expect("126")

            program.key("ctrl+t")
            self.assertEqual(program.window_count(1)[0].size(), (90, 17))
            program.key("plus", "1", "Return")
            program.expect_display("127")
            program.key("Escape")
            self.assertEqual(program.expect_exit(), 0, program.log())

    def test_window_manager_keeps_the_window_above_while_asked(self):
        with Desktop(self.id()) as desktop:
            desktop.start_window_manager()
            program = desktop.start()
            window = program.main_window()
            window.focus()

            def above():
                state = desktop.x("xprop", "-id", str(window.wid), "_NET_WM_STATE")
                return "_NET_WM_STATE_ABOVE" in state

            self.assertFalse(above())
            for on_top, digit in ((True, "1"), (False, "2")):
                program.key("ctrl+t")
                poll(f"stay-on-top {on_top}", above, lambda state: state == on_top)
                program.key(digit)
            program.expect_display("12")


if __name__ == "__main__":
    main()
