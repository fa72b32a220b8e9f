"""Where atom_glb's time goes: each phase of the Morton order at 1M and 4M random
atoms, on one and on two threads (fastest of several calls, the two thread
counts in alternation), beside one copy of the file's bytes into warm memory.
Needs build/bench/atom_phases, which scripts/bench builds (the core compiled
with GLB_ATOM_PHASE_LOG).

Run: .venv/bin/python bench/bench_atom_phases.py   (after scripts/bench's set-up)
"""

import subprocess
import sys
import time
from pathlib import Path

import numpy as np

from timing import machine_line, print_table

BINARY = Path(__file__).resolve().parent.parent / "build" / "bench" / "atom_phases"
PHASES = {"count": "count atoms per bucket (the key's top bits)",
          "scatter": "scatter 16-byte records into their buckets",
          "buckets": "sort each bucket in cache, write the file",
          "call": "whole call"}


def fastest_phases(atoms, threads, calls):
    run = subprocess.run([str(BINARY), str(atoms), str(threads), str(calls)], capture_output=True, text=True, check=True)
    best = {}
    for line in run.stderr.splitlines():
        name, milliseconds = line.split()
        if name in PHASES:
            best[name] = min(best.get(name, float("inf")), float(milliseconds))
    return best


def copy_floor(size, repeat=9):
    source, target = np.ones(size, np.uint8), np.zeros(size, np.uint8)
    np.copyto(target, source)
    best = float("inf")
    for _ in range(repeat):
        start = time.perf_counter()
        np.copyto(target, source)
        best = min(best, time.perf_counter() - start)
    return best * 1e3


def print_phase_table(sizes=(1_000_000, 4_000_000), rounds=3):
    for atoms in sizes:
        calls = 9 if atoms <= 1_000_000 else 5
        best = {1: {}, 2: {}}
        for _ in range(rounds):  # alternating, so that a busy spell hits both alike
            for threads in (1, 2):
                for name, ms in fastest_phases(atoms, threads, calls).items():
                    best[threads][name] = min(best[threads].get(name, float("inf")), ms)
        floor = copy_floor(24 * atoms)
        rows = [(label, f"{best[1][p]:.1f} ms", f"{best[2][p]:.1f} ms", f"{best[1][p] / best[2][p]:.2f}x")
                for p, label in PHASES.items()]
        rows.append(("one copy of the file's bytes (the floor)", "", f"{floor:.1f} ms",
                     f"call / floor {best[2]['call'] / floor:.1f}x"))
        print_table(f"atom_glb's phases at {atoms:,} random atoms (fastest of {rounds * calls} calls, warm memory)", rows,
                    ["phase", "1 thread", "2 threads", "speed-up"])


if __name__ == "__main__":
    print(machine_line())
    print_phase_table(tuple(int(a) for a in sys.argv[1:]) or (1_000_000, 4_000_000))
