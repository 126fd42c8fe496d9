#!/usr/bin/env python3
"""Checks the committed icons: every hicolor PNG has the size its folder
names, the 16-colour icon really has a palette of at most 16 colours, the
Windows icon holds the sizes Windows asks for, and the Qt resource file
names files that exist. Usage: check_icons.py DATA_DIR APP_ID"""

import struct
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

HICOLOR_SIZES = (16, 32, 48, 64, 128, 256)
ICO_SIZES = {16, 32, 48, 256}
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
PALETTE, RGBA = 3, 6

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def png_chunks(path):
    data = path.read_bytes()
    if not data.startswith(PNG_SIGNATURE):
        raise ValueError(f"{path} is not a PNG file")
    chunks, offset = {}, len(PNG_SIGNATURE)
    while offset < len(data):
        (length,) = struct.unpack(">I", data[offset : offset + 4])
        kind = data[offset + 4 : offset + 8].decode("ascii")
        chunks.setdefault(kind, data[offset + 8 : offset + 8 + length])
        offset += 12 + length
    return chunks


def png_header(path):
    """(width, height, colour type, palette entries) of a PNG file."""
    chunks = png_chunks(path)
    width, height, _depth, colour_type = struct.unpack(">IIBB", chunks["IHDR"][:10])
    return width, height, colour_type, len(chunks.get("PLTE", b"")) // 3


def ico_sizes(path):
    data = path.read_bytes()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    check(reserved == 0 and kind == 1, f"{path} is not an icon file")
    sizes = set()
    for index in range(count):
        width, height = data[6 + 16 * index], data[7 + 16 * index]
        check(width == height, f"{path}: image {index} is {width} x {height}")
        sizes.add(width or 256)  # 0 stands for 256
    return sizes


def main(data_dir, app_id):
    icons = data_dir / "icons"
    for size in HICOLOR_SIZES:
        path = icons / "hicolor" / f"{size}x{size}" / "apps" / f"{app_id}.png"
        if not path.is_file():
            failures.append(f"missing {path}")
            continue
        width, height, colour_type, _ = png_header(path)
        check((width, height) == (size, size), f"{path} is {width} x {height}")
        check(colour_type == RGBA, f"{path} has no alpha channel (colour type {colour_type})")

    width, height, colour_type, colours = png_header(icons / "kirune-32-16colors.png")
    check((width, height) == (32, 32), f"16-colour icon is {width} x {height}")
    check(colour_type == PALETTE, f"16-colour icon is not a palette image ({colour_type})")
    check(0 < colours <= 16, f"16-colour icon has {colours} palette entries")

    sizes = ico_sizes(icons / "kirune.ico")
    check(sizes == ICO_SIZES, f"kirune.ico holds sizes {sorted(sizes)}")

    svg = ElementTree.parse(icons / "kirune.svg").getroot()
    check(svg.get("viewBox") == "0 0 32 32", f"kirune.svg viewBox is {svg.get('viewBox')}")

    qrc = ElementTree.parse(icons / "icon.qrc").getroot()
    resources = qrc.findall("qresource")
    check([r.get("prefix") for r in resources] == ["/kirune"], "icon.qrc prefix is not /kirune")
    aliases = {}
    for entry in qrc.iter("file"):
        aliases[entry.get("alias")] = entry.text
        check((icons / entry.text).is_file(), f"icon.qrc names a missing file {entry.text}")
    for size in HICOLOR_SIZES:
        expected = f"hicolor/{size}x{size}/apps/{app_id}.png"
        check(aliases.get(f"icon-{size}.png") == expected, f"icon.qrc: icon-{size}.png is not {expected}")

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]), sys.argv[2]))
