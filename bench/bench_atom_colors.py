"""What atom colours cost: sa.atoms with types, elements, a palette, per-atom
colours and a colour map, as points and as spheres, each in a fresh process,
alternating between this tree's package and, with --before PATH, another
build of it (a pip --target folder) for a before/after comparison.

    .venv/bin/python bench/bench_atom_colors.py [--before /tmp/base-pkg] [--rounds 3]
"""

import argparse
import os
import statistics
import subprocess
import sys

CASES = {
    "types, points, 4M": "sa.atoms(p4, t4)",
    "elements (4), points, 4M": "sa.atoms(p4, elements=e4)",
    "elements (10), points, 4M": "sa.atoms(p4, elements=e10)",
    "types, spheres, 300k": "sa.atoms(p, t, style='spheres')",
    "elements (10), spheres, 300k": "sa.atoms(p, elements=e10[:len(p)], style='spheres')",
    "palette, spheres, 300k": "sa.atoms(p, t, palette=palette, style='spheres')",
    "colors, spheres, 300k": "sa.atoms(p, colors=colors, style='spheres')",
    "values, points, 4M": "sa.atoms(p4, values=p4[:, 0])",
}

WORKER = """
import sys, time
sys.path.insert(0, {path!r}) if {path!r} else None
import numpy as np, spatial_assembler as sa
rng = np.random.default_rng(7)
p4 = rng.random((4_000_000, 3), dtype=np.float32)
t4 = rng.integers(0, 7, len(p4)).astype(np.uint16)
e4 = rng.choice(np.array([1, 6, 7, 8], np.uint8), len(p4))
e10 = rng.choice(np.array([26, 29, 28, 78, 14, 22, 1, 8, 6, 7], np.uint8), len(p4))
p = p4[:300_000]; t = t4[:300_000]
palette = rng.random((7, 3)); colors = rng.random((len(p), 3))
for case in {cases!r}:
    try:
        eval(case)
    except TypeError:
        print('nan'); continue
    times = []
    for _ in range(3):
        start = time.perf_counter(); eval(case); times.append(time.perf_counter() - start)
    print(min(times))
"""


def run(path):
    code = WORKER.format(path=path, cases=list(CASES.values()))
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True).stdout.split()
    return [float(value) for value in out]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--before", default="", help="a pip --target folder of another build, to compare with")
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    builds = {"now": ""} | ({"before": args.before} if args.before else {})
    results = {name: [] for name in builds}
    for _ in range(args.rounds):  # alternating, so that load from others falls on both
        for name, path in builds.items():
            results[name].append(run(path))
    print(f"load average {os.getloadavg()[0]:.2f}; median of {args.rounds} rounds, each the best of 3 calls (ms)")
    header = "".join(f"{name:>10}" for name in builds)
    print(f"{'case':32}{header}")
    for i, case in enumerate(CASES):
        cells = "".join(f"{statistics.median(r[i] for r in results[name]) * 1e3:10.1f}" for name in builds)
        print(f"{case:32}{cells}")


if __name__ == "__main__":
    main()
