"""The Japanese texts of the boxes are drawn from a font that has their glyphs, not as
missing-glyph boxes. The program's process must have loaded, for every character, a font file
that fontconfig says covers it; the screenshots stay among the artifacts for a person to see."""

import functools
import subprocess
import unittest

from kirune_e2e import JAPANESE, Desktop, main

ANNOUNCEMENT = "新しいKiruneが現れました。"
PROMPT = "メモすることを書き込んでください"


@functools.lru_cache(maxsize=None)
def fonts_covering(character):
    listed = subprocess.run(
        ["fc-list", "--format", "%{file}\\n", f":charset={ord(character):x}"],
        capture_output=True, text=True, check=True, timeout=10,
    ).stdout
    return frozenset(listed.split())


def loaded_font_files(pid):
    """The font files mapped into the process: FreeType maps each face it opens."""
    with open(f"/proc/{pid}/maps") as maps:
        paths = {line.split(maxsplit=5)[-1].strip() for line in maps if "/fonts/" in line}
    return frozenset(paths)


def uncovered(pid, text):
    """The characters of text that no font loaded by the process covers."""
    loaded = loaded_font_files(pid)
    return sorted({c for c in text if not c.isspace() and not fonts_covering(c) & loaded})


class Fonts(unittest.TestCase):
    def test_box_texts_come_from_fonts_that_have_their_glyphs(self):
        with Desktop(self.id()) as desktop:
            program = desktop.start(extra_env=JAPANESE)
            window = program.main_window()
            for key, text, shot in (("q", PROMPT, "memo"), ("z", ANNOUNCEMENT, "announcement")):
                with self.subTest(key=key):
                    window.focus()
                    program.expect_display("0")
                    program.key(key)
                    program.expect_message_box("Kirune", text)
                    program.expect(f"fonts loaded for every character of {text!r}",
                                   lambda: uncovered(program.pid, text), lambda left: not left)
                    desktop.screenshot(f"fonts-{shot}.png")
                    box = program.windows()[-1]
                    box.focus()
                    program.key("Escape")
                    program.expect("the box closed", program.message_boxes, lambda b: not b)


if __name__ == "__main__":
    main()
