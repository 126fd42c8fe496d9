"""The window's life again, under a window manager as users have one: it places new windows
itself, and the program's sizes and places are only requests that it must grant a frameless
window."""

import window_life_test
from kirune_e2e import main


class WindowLifeWithWindowManager(window_life_test.WindowLife):
    def start(self, desktop):
        desktop.start_window_manager()
        program, window = super().start(desktop)
        # Frameless: the manager draws no title bar or border that would shift the window.
        self.assertFalse(window.has_decorations())
        return program, window


if __name__ == "__main__":
    main()
