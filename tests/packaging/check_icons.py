#!/usr/bin/env python3
"""The committed icons: each hicolor PNG has the size its folder names and an alpha channel,
icon.qrc gives the window those files, the 16-colour icon has a palette of at most 16 colours
and the .ico the four sizes Windows asks for. Usage: check_icons.py DATA_DIR APP_ID"""

import struct
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path


def png(path):
    """(width, height, colour type, palette entries)"""
    data = path.read_bytes()
    assert data.startswith(b"\x89PNG\r\n\x1a\n"), f"{path} is no PNG"
    palette = data.find(b"PLTE")
    entries = struct.unpack(">I", data[palette - 4 : palette])[0] // 3 if palette > 0 else 0
    return (*struct.unpack(">IIxB", data[16:26]), entries)


icons, app_id = Path(sys.argv[1]) / "icons", sys.argv[2]
aliases = {e.get("alias"): e.text for e in ElementTree.parse(icons / "icon.qrc").iter("file")}
for size in (16, 32, 48, 64, 128, 256):
    path = f"hicolor/{size}x{size}/apps/{app_id}.png"
    assert png(icons / path)[:3] == (size, size, 6), f"{path}: {png(icons / path)}"
    assert size > 64 or aliases.get(f"icon-{size}.png") == path, f"icon.qrc: {aliases}"
width, height, kind, colours = png(icons / "kirune-32-16colors.png")
assert (width, height, kind) == (32, 32, 3) and 0 < colours <= 16, f"16 colours: {colours}"
ico = (icons / "kirune.ico").read_bytes()
sizes = sorted(ico[6 + 16 * i] or 256 for i in range(struct.unpack("<H", ico[4:6])[0]))
assert ico[:4] == b"\0\0\1\0" and sizes == [16, 32, 48, 256], f"kirune.ico: {sizes}"
