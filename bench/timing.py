"""Small timing helpers shared by the benchmarks. Imported first by each of them:
it also makes the tests' reference writers and the demo's scenes importable."""

import os
import platform
import sys
import time
from pathlib import Path

_ROOT = Path(__file__).resolve().parent.parent
sys.path[1:1] = [str(_ROOT / "tests" / "references"), str(_ROOT / "examples")]


def best_of(function, repeat=5):
    """Best wall time in seconds over `repeat` calls, after one warm-up call.

    The best run is the least disturbed by the rest of the machine; the warm-up
    pays one-time costs (first page faults of the allocator, lazy imports)."""
    function()
    best = float("inf")
    for _ in range(repeat):
        start = time.perf_counter()
        function()
        best = min(best, time.perf_counter() - start)
    return best


def alternating(first, second, repeat=15):
    """Best times of both, measured in alternation so that a slow spell hits both alike."""
    best = [float("inf"), float("inf")]
    for _ in range(repeat):
        best[0] = min(best[0], best_of(first, 1))
        best[1] = min(best[1], best_of(second, 1))
    return best


def copy_floor(size, repeat=5):
    """Time of one copy of `size` bytes into a new bytes object: no writer can do less."""
    source = bytearray(size)
    return best_of(lambda: bytes(source), repeat)


def machine_line():
    cpu = platform.processor() or platform.machine()
    try:
        with open("/proc/cpuinfo") as info:
            cpu = next(line.split(":", 1)[1].strip() for line in info if line.startswith("model name"))
    except (OSError, StopIteration):
        pass
    load = " ".join(f"{value:.2f}" for value in os.getloadavg()) if hasattr(os, "getloadavg") else "unknown"
    return (f"{cpu}, {os.cpu_count()} hardware threads, Python {platform.python_version()}; "
            f"load average before the run {load} (figures from a busy machine are slower and noisier)")


def print_table(title, rows, headers):
    print(f"\n{title}")
    widths = [max(len(str(h)), *(len(str(r[i])) for r in rows)) for i, h in enumerate(headers)]
    print("  ".join(str(h).ljust(w) for h, w in zip(headers, widths)))
    for row in rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)))


def ms(seconds):
    return f"{seconds * 1e3:.1f} ms"
