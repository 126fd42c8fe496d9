#!/usr/bin/env python3
# The committed icons: each hicolor PNG is as large as its folder says and has an alpha channel,
# the window's raw RGBA pixels (in icon.qrc) hold the four small sizes, the 16-colour icon has a palette of at most 16
# colours and the .ico the four sizes Windows asks for. Usage: check_icons.py DATA_DIR APP_ID
import struct, sys, xml.etree.ElementTree as ElementTree  # noqa: E401
from pathlib import Path

icons, app_id = Path(sys.argv[1]) / "icons", sys.argv[2]
qrc = {file.get("alias"): file.text for file in ElementTree.parse(icons / "icon.qrc").iter("file")}
rgba = (icons / qrc["window-icon.rgba"]).stat().st_size
assert rgba == 4 * (16 * 16 + 32 * 32 + 48 * 48 + 64 * 64), f"window-icon.rgba: {rgba} bytes"
for size in (16, 32, 48, 64, 128, 256):
    path = f"hicolor/{size}x{size}/apps/{app_id}.png"
    header = struct.unpack(">8s8xIIxB", (icons / path).read_bytes()[:26])
    assert header == (b"\x89PNG\r\n\x1a\n", size, size, 6), f"{path}: {header}"
small = (icons / "kirune-32-16colors.png").read_bytes()
palette = struct.unpack(">I", small[small.find(b"PLTE") - 4 :][:4])[0] // 3
assert small[16:24] == struct.pack(">II", 32, 32) and small[25] == 3 and 0 < palette <= 16, palette
ico = (icons / "kirune.ico").read_bytes()
sizes = sorted(ico[6 + 16 * i] or 256 for i in range(ico[4]))
assert ico[:4] == b"\0\0\1\0" and sizes == [16, 32, 48, 256], f"kirune.ico: {sizes}"
