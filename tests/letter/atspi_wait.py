#!/usr/bin/env python3
"""Waits until a top-level window whose name matches a regular expression is
on the accessibility bus: the way to see a window under Wayland, where no
outside program can list them.

  atspi_wait.py PATTERN [SECONDS]    exit 0 once it is there, 1 after SECONDS (60)
"""
import re
import sys
import time

import pyatspi


def present(pattern):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        try:
            windows = list(app)
        except Exception:
            continue
        for window in windows:
            try:
                if window is not None and re.fullmatch(pattern, window.name or ""):
                    return True
            except Exception:
                continue
    return False


def main():
    pattern = sys.argv[1]
    end = time.time() + (float(sys.argv[2]) if len(sys.argv) > 2 else 60)
    while time.time() < end:
        if present(pattern):
            return 0
        time.sleep(0.2)
    print(f"no window named {pattern!r} on the accessibility bus", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
