"""Repeated calls, as a server or a frame loop makes them: 4M atoms called back
to back and 2.5 s apart, through the package with out= (its scratch kept, the
file written into a reused buffer), through the package returning bytes, and
through the native module (fresh memory each call), the last also under the
glibc setting that keeps large blocks mapped. Minor page faults per call beside
each median.

Run: .venv/bin/python bench/bench_repeated.py [--quick]   (after scripts/bench's set-up)

On a virtual machine that hands freed memory back to its host within a second
or two, a call that comes seconds after the last one faults its fresh memory in
anew; memory that is kept or reused is not handed back.
"""

import os
import resource
import statistics
import subprocess
import sys
import time

from timing import machine_line, ms, print_table  # noqa: I001 (first: sets the paths)
import numpy as np

import _spatial_assembler as native
import spatial_assembler as sa

ATOMS = 4_000_000
PAUSE = 2.5
# Large blocks from the heap and never trimmed: freed memory stays mapped for the next call.
GLIBC_KEEPS_MEMORY = "glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=4294967296"


def atoms():
    rng = np.random.default_rng(0)
    return rng.random((ATOMS, 3), dtype=np.float32) * 100, rng.integers(0, 9, ATOMS).astype(np.uint16)


def timed_calls(call, pause, count):
    """Median seconds of `count` calls `pause` seconds apart (after one first call), and minor faults per call."""
    call()
    times, faults = [], []
    for _ in range(count):
        time.sleep(pause)
        before = resource.getrusage(resource.RUSAGE_SELF).ru_minflt
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
        faults.append(resource.getrusage(resource.RUSAGE_SELF).ru_minflt - before)
    return statistics.median(times), statistics.median(faults)


def calls_of(name, positions, types):
    box = positions.min(0).tolist(), positions.max(0).tolist()
    out = bytearray(24 * ATOMS + 4096)
    return {"package, out= a reused buffer": lambda: sa.atoms(positions, types, out=out),
            "package, bytes": lambda: sa.atoms(positions, types),
            "native module, bytes": lambda: native.atom_glb(positions, types, *box)}[name]


def measure(name, quick):
    positions, types = atoms()
    call = calls_of(name, positions, types)
    back = timed_calls(call, 0.0, 7 if quick else 15)
    apart = timed_calls(call, PAUSE, 3 if quick else 7)
    return back, apart


if __name__ == "__main__":
    quick = "--quick" in sys.argv
    if "--one" in sys.argv:  # a child process: one measurement, printed as numbers
        back, apart = measure(sys.argv[sys.argv.index("--one") + 1], quick)
        print(*back, *apart)
        sys.exit()
    print(machine_line())
    rows, ratios = [], {}
    variants = [(name, None) for name in ("package, out= a reused buffer", "package, bytes", "native module, bytes")]
    variants.append(("native module, bytes", GLIBC_KEEPS_MEMORY))
    for name, tunables in variants:
        environment = {**os.environ, **({"GLIBC_TUNABLES": tunables} if tunables else {})}
        run = subprocess.run([sys.executable, __file__, "--one", name, *(["--quick"] if quick else [])],
                             capture_output=True, text=True, env=environment, check=True)
        back, back_faults, apart, apart_faults = map(float, run.stdout.split())
        label = name + (" (GLIBC_TUNABLES keeps large blocks)" if tunables else "")
        ratios[label] = apart / back
        rows.append((label, ms(back), f"{back_faults:,.0f}", ms(apart), f"{apart_faults:,.0f}", f"{apart / back:.2f}x"))
    print_table(f"atoms, {ATOMS:,} random atoms: median of calls back to back and {PAUSE:g} s apart", rows,
                ["call", "back to back", "faults", f"{PAUSE:g} s apart", "faults", "apart / back to back"])
    ratio = ratios["package, out= a reused buffer"]
    load = " ".join(f"{value:.2f}" for value in os.getloadavg())
    print(f"\nGoal (load average now {load}):")
    print(f"  {'met   ' if ratio <= 1.2 else 'MISSED'}  with out=, {ATOMS:,} atoms through the package: calls "
          f"{PAUSE:g} s apart within 1.2 times the back-to-back median: measured {ratio:.2f}x")
