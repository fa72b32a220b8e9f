"""Where atom_glb's time goes: each phase of the builder at 4M atoms, on one and on
two processors (fastest of nine calls). Needs build/bench/atom_phases, which
scripts/bench builds (the core compiled with GLB_ATOM_PHASE_LOG)."""

import os
import subprocess
import sys
from pathlib import Path

from timing import machine_line, print_table

BINARY = Path(__file__).resolve().parent.parent / "build" / "bench" / "atom_phases"
PHASES = ["order", "gather"]
LABELS = {"order": "Morton keys and radix sort, 3 scatter passes of 10-bit digits (parallel)",
          "gather": "ordered gather into the file (parallel)"}


def fastest_phases(atoms, cpus):
    run = subprocess.run(["taskset", "-c", ",".join(map(str, cpus)), str(BINARY), str(atoms), "2", "9"],
                         capture_output=True, text=True, check=True)
    best = {}
    for line in run.stderr.splitlines():
        name, milliseconds = line.split()
        if name in PHASES:
            best[name] = min(best.get(name, float("inf")), float(milliseconds))
    return best


def print_phase_table(atoms):
    cpus = sorted(os.sched_getaffinity(0))
    one, two = fastest_phases(atoms, cpus[:1]), fastest_phases(atoms, cpus[:2])
    rows = [(LABELS[p], f"{one[p]:.1f} ms", f"{two[p]:.1f} ms", f"{one[p] / two[p]:.2f}x") for p in PHASES]
    rows.append(("sum", f"{sum(one.values()):.1f} ms", f"{sum(two.values()):.1f} ms",
                 f"{sum(one.values()) / sum(two.values()):.2f}x"))
    print_table(f"build_atom_glb phases at {atoms:,} random atoms, 2 threads (fastest of 9)", rows,
                ["phase", "1 processor", "2 processors", "speed-up"])


if __name__ == "__main__":
    print(machine_line())
    print_phase_table(int(sys.argv[1]) if len(sys.argv) > 1 else 4_000_000)
