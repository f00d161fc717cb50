#!/usr/bin/env python3
"""Start-up time of the letter window on the X display in DISPLAY: from
starting the program to its main window being mapped, watched as X events,
over several starts; each start is ended by SIGTERM once the window is up, and each is a
first start: the settings the previous one wrote are removed.

usage: startup_time.py PROGRAM RUNS
Prints each start's milliseconds, then the median.
"""
import os
import signal
import statistics
import subprocess
import sys
import time

from Xlib import X, display


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    program, runs = argv[1], int(argv[2])
    d = display.Display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    times = []
    settings = os.path.join(os.path.dirname(program), "ZLW.INI")
    for i in range(runs + 1):  # the first start warms the caches
        if os.path.exists(settings):
            os.remove(settings)  # every start a first start
        start = time.perf_counter()
        proc = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                cwd=os.path.dirname(program))
        shown = None
        deadline = start + 10
        while shown is None and time.perf_counter() < deadline:
            if not d.pending_events():
                time.sleep(0.0005)
                continue
            e = d.next_event()
            if e.type != X.MapNotify:
                continue
            try:
                name = e.window.get_full_property(d.intern_atom("_NET_WM_NAME"), 0)
                title = name.value.decode() if name else (e.window.get_wm_name() or "")
            except Exception:
                title = ""
            if title.startswith("Zettelino"):
                shown = time.perf_counter()
        proc.send_signal(signal.SIGTERM)
        proc.wait(timeout=10)
        if shown is None:
            sys.exit("the window did not show within 10 s")
        if i > 0:
            times.append((shown - start) * 1000)
            print(f"start {i}: {times[-1]:.1f} ms")
    print(f"median: {statistics.median(times):.1f} ms over {runs} starts")


if __name__ == "__main__":
    main(sys.argv)
