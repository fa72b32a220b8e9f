"""Trajectories: 10,000 atoms x 500 frames in one file, against what a user did
before, one file per frame (sa.atoms in a loop), side by side and alternating.
Time, size and gzip size for float32 and compact, points and spheres.

Run: .venv/bin/python bench/bench_trajectory.py [--quick]   (after scripts/bench's set-up)
"""

import gzip
import sys

import numpy as np

from timing import alternating, machine_line, ms, print_table  # noqa: I001 (first: sets the paths)
import spatial_assembler as sa


def frames_of(atoms, frames):
    """A random walk of atoms in a box: what an MD trajectory looks like to the writer."""
    rng = np.random.default_rng(5)
    start = rng.random((atoms, 3), dtype=np.float32) * 50
    steps = rng.normal(scale=0.05, size=(frames, atoms, 3)).astype(np.float32)
    return start + np.cumsum(steps, axis=0)


def main(atoms, frames):
    positions = frames_of(atoms, frames)
    elements = np.random.default_rng(6).choice([1, 6, 7, 8], atoms)
    rows = []
    for style, encoding in [("points", "float32"), ("points", "compact"), ("spheres", "float32")]:
        one_file = sa.trajectory(positions, elements=elements, style=style, encoding=encoding, fps=25)
        per_frame = [sa.atoms(frame, elements=elements, style=style, encoding=encoding) for frame in positions]
        t_one, t_loop = alternating(
            lambda: sa.trajectory(positions, elements=elements, style=style, encoding=encoding, fps=25),
            lambda: [sa.atoms(frame, elements=elements, style=style, encoding=encoding) for frame in positions],
            repeat=3)
        rows.append((style, encoding, ms(t_one), f"{len(one_file) / 1e6:.1f} MB",
                     f"{len(gzip.compress(one_file, 6)) / 1e6:.1f} MB", ms(t_loop),
                     f"{sum(map(len, per_frame)) / 1e6:.1f} MB", f"{t_loop / t_one:.2f}x"))
    print_table(f"trajectory of {atoms:,} atoms x {frames} frames (one file) against sa.atoms per frame "
                f"({frames} files)", rows,
                ["style", "encoding", "trajectory", "size", "gzip", "one file a frame", "their sizes", "speed-up"])


if __name__ == "__main__":
    print(machine_line())
    main(10_000, 50 if "--quick" in sys.argv else 500)
