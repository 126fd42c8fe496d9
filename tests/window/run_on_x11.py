"""Runs a Qt test program on a private X server with the accessibility bus up.

Qt's offscreen platform has no accessibility at all, so what a screen reader hears can only be
checked on a real platform: the test gets the desktop the end-to-end tests use, and everything
started for it ends with it.

Usage: run_on_x11.py PROGRAM [ARGUMENT...]
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "e2e"))
from kirune_e2e import Desktop  # noqa: E402  (found through the path above)

# Below CTest's own limit, so that a hanging test is ended here and the desktop still goes.
TIMEOUT = 45


def main():
    with Desktop(os.path.basename(sys.argv[1])) as desktop:
        env = dict(desktop.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        return subprocess.run(sys.argv[1:], env=env, timeout=TIMEOUT, check=False).returncode


if __name__ == "__main__":
    sys.exit(main())
