#!/usr/bin/env python3
# The tests' share of the code, counted alike on both sides: non-blank lines that are not
# comments, #include lines included. The product is every .cpp and .h outside tests/, bench/ and
# fuzz/; the tests every file under tests/ but its build files and suppressions. fuzz/ (the
# form driver, which the property test also runs, and libFuzzer's entry) is on neither side.
# Usage: scripts/test-share.py [--files]
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def counted(path):
    hashes = path.endswith((".py", ".sh"))
    lines, in_block = 0, False
    for line in open(path, encoding="utf-8", errors="replace"):
        text = line.strip()
        if in_block:
            in_block = "*/" not in text
            text = text.split("*/", 1)[1].strip() if not in_block else ""
        elif not hashes and text.startswith("/*"):
            in_block = "*/" not in text
            text = "" if in_block else text.split("*/", 1)[1].strip()
        if text and not text.startswith("#" if hashes else "//"):
            lines += 1
    return lines


def files(top, keep):
    for folder, subfolders, names in os.walk(os.path.join(ROOT, top)):
        subfolders[:] = [name for name in subfolders if not name.startswith((".", "build"))]
        yield from (os.path.join(folder, name) for name in sorted(names) if keep(folder, name))


product = tests = 0
for path in files("", lambda folder, name: name.endswith((".cpp", ".h"))):
    top = os.path.relpath(path, ROOT).split(os.sep)[0]
    product += counted(path) if top not in ("tests", "bench", "fuzz") else 0
for path in files("tests", lambda folder, name: name != "CMakeLists.txt" and
                  not name.endswith((".supp", ".md", ".txt", ".png"))):
    tests += (lines := counted(path))
    if "--files" in sys.argv:
        print(f"{lines:5} {os.path.relpath(path, ROOT)}")
print(f"tests {tests}, product {product}: {100 * tests / product:.1f} %")
