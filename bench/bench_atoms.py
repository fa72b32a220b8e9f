"""atom_glb against the same GLB written with numpy, on two processors against one,
small calls, and where the time goes (the phase table).

Run: .venv/bin/python bench/bench_atoms.py [--quick]   (after scripts/bench's set-up)

The first line says how quiet the machine was (its load average): figures from a
busy machine are slower and noisier. Calls are measured back to back, so that the
memory of one call is recycled by the next (see the README on calls spaced apart).
"""

import os
import statistics
import sys
import time

import numpy as np

from timing import best_of, copy_floor, machine_line, ms, print_table  # noqa: I001 (first: sets the paths)
import _spatial_assembler as sa
from bench_atom_phases import BINARY, print_phase_table
from numpy_writers import atom_glb_numpy


def random_atoms(n):
    rng = np.random.default_rng(0)
    positions = rng.random((n, 3), dtype=np.float32) * 100
    types = rng.integers(0, 9, n).astype(np.uint16)
    return positions, types, [0, 0, 0], [100, 100, 100]


GOALS = []  # the goals, each a ratio measured in this run


def goal(text, ratio, target):
    GOALS.append(f"{'met   ' if ratio >= target else 'MISSED'}  {text}: measured {ratio:.2f}x")


def compare_with_numpy(counts, title):
    rows = []
    for n in counts:
        positions, types, vmin, vmax = random_atoms(n)
        native = sa.atom_glb(positions, types, vmin, vmax)
        assert native == atom_glb_numpy(positions, types, vmin, vmax), "outputs differ"
        repeat = 15 if n == 1_000_000 else 5 if n < 1_000_000 else 2
        calls = max(1, 200_000 // max(n, 1)) if n < 100_000 else 1  # small calls: many per timing
        t_native = best_of(lambda: [sa.atom_glb(positions, types, vmin, vmax) for _ in range(calls)], repeat) / calls
        t_numpy = best_of(lambda: [atom_glb_numpy(positions, types, vmin, vmax) for _ in range(calls)], repeat) / calls
        t_copy = copy_floor(len(native), repeat)
        rows.append((f"{n:,}", ms(t_native), ms(t_numpy), f"{t_numpy / t_native:.1f}x", ms(t_copy),
                     f"{t_native / t_copy:.1f}x"))
        if n == 1_000_000:
            goal("atom_glb at 1M atoms at least 18 times the numpy ordering (identical bytes, best of 15)",
                 t_numpy / t_native, 18)
    print_table(title, rows, ["atoms", "atom_glb", "numpy", "speed-up", "one copy", "atom_glb / copy"])


def spaced_calls(counts, pause=2.0, calls=6):
    """Median of calls made back to back and of calls made `pause` seconds apart. On a
    virtual machine that hands freed memory back to its host within a second or
    two, a spaced call faults its memory in anew, and huge pages cost most then."""
    rows = []
    for n in counts:
        positions, types, vmin, vmax = random_atoms(n)
        medians = []
        for wait in (0.0, pause):
            times = []
            for _ in range(calls):
                time.sleep(wait)
                start = time.perf_counter()
                sa.atom_glb(positions, types, vmin, vmax)
                times.append(time.perf_counter() - start)
            medians.append(statistics.median(times))
        rows.append((f"{n:,}", ms(medians[0]), ms(medians[1]), f"{medians[1] / medians[0]:.1f}x"))
    print_table(f"atom_glb called back to back and {pause:g} s apart (median of {calls})", rows,
                ["atoms", "back to back", f"{pause:g} s apart", "ratio"])


def compare_processors(counts, rounds=10):
    everything = sorted(os.sched_getaffinity(0))
    if len(everything) < 2:
        print(f"\nonly {len(everything)} processor available: two-against-one comparison skipped")
        return
    rows = []
    for n in counts:
        positions, types, vmin, vmax = random_atoms(n)
        call = lambda: sa.atom_glb(positions, types, vmin, vmax)
        best = {1: float("inf"), 2: float("inf")}
        try:
            # Alternate the two settings so that a slow spell of the machine hits both alike.
            for _ in range(rounds):
                for count in (1, 2):
                    os.sched_setaffinity(0, everything[:count])  # the builder's threads inherit it
                    best[count] = min(best[count], best_of(call, 1))
        finally:
            os.sched_setaffinity(0, everything)
        rows.append((f"{n:,}", ms(best[1]), ms(best[2]), f"{best[1] / best[2]:.2f}x"))
        if n == 4_000_000:
            goal("atom_glb at 4M atoms at least 1.85 times faster on two processors than on one", best[1] / best[2], 1.85)
    print_table(f"atom_glb on one and on two processors (best of {rounds}, alternating)", rows,
                ["atoms", "1 processor", "2 processors", "speed-up"])


if __name__ == "__main__":
    print(machine_line())
    quick = "--quick" in sys.argv
    compare_with_numpy([1_000_000] if quick else [1_000_000, 10_000_000],
                       "atom_glb vs numpy (identical bytes, random atoms in a box)")
    compare_with_numpy([10, 1_000, 99_999, 100_000], "small calls (one thread below 100,000 atoms, all from there)")
    compare_processors([1_000_000, 4_000_000], rounds=20)
    spaced_calls([1_000_000, 4_000_000])
    if BINARY.exists():
        print_phase_table(4_000_000)
    else:
        print(f"\n(no phase table: {BINARY} is built by scripts/bench)")
    print(f"\nGoals (load average now {' '.join(f'{v:.2f}' for v in os.getloadavg())}):")
    for line in GOALS:
        print(f"  {line}")
