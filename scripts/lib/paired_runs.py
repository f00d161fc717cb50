#!/usr/bin/env python3
"""Times two commands as whole processes, in turn (A B A B ...), and prints
the medians and the median of the pair-by-pair ratios A/B, so a comparison
holds while the machine's speed drifts.

usage: paired_runs.py LABEL RUNS -- COMMAND_A ... -- COMMAND_B ...
Prints one row: label, median wall and CPU seconds and peak resident memory
of each, and the ratios of wall and CPU time.
"""
import os
import statistics
import subprocess
import sys
import time


def run_once(cmd):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    err = proc.stderr.read().decode(errors="replace")
    proc.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{cmd[0]} failed ({os.waitstatus_to_exitcode(status)}): {err.strip()}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def main(argv):
    if len(argv) < 6 or argv[3] != "--" or "--" not in argv[4:]:
        sys.exit(__doc__)
    label, runs = argv[1], int(argv[2])
    split = argv.index("--", 4)
    a, b = argv[4:split], argv[split + 1:]
    run_once(a)  # warm-up: caches, page cache, font cache
    run_once(b)
    rows = {"a": [], "b": []}
    for _ in range(runs):
        rows["a"].append(run_once(a))
        rows["b"].append(run_once(b))
    med = lambda xs, i: statistics.median(x[i] for x in xs)
    ratio = lambda i: statistics.median(x[i] / y[i] for x, y in zip(rows["a"], rows["b"]))
    print(f"{label:<34} {med(rows['a'], 0) * 1000:8.1f} {med(rows['b'], 0) * 1000:8.1f} "
          f"{ratio(0):7.3f} {ratio(1):7.3f} {max(x[2] for x in rows['a']):7.1f} {max(x[2] for x in rows['b']):7.1f}")


if __name__ == "__main__":
    main(sys.argv)
