"""Single files with encoding="meshopt" against "compact" and "float32": bytes and
time for 1M points with RGBA colours, 100k atoms as spheres and a terrain mesh of
1M vertices, each encoding timed in alternation with the compact call.

Run: .venv/bin/python bench/bench_meshopt.py   (after scripts/bench's set-up)
"""

import gzip

import numpy as np

from timing import alternating, machine_line, ms, print_table  # noqa: I001 (first: sets the paths)
import spatial_assembler as sa
from scenes import terrain


def cases():
    rng = np.random.default_rng(4)
    points = rng.normal(size=(1_000_000, 3)).astype(np.float32)
    colors = rng.random((1_000_000, 4)).astype(np.float32)
    atoms = (rng.random((100_000, 3)) * 120).astype(np.float32)
    types = rng.integers(0, 7, 100_000)
    positions, normals, indices, mesh_colors = terrain(size=1024)
    faces = indices.reshape(-1, 3)
    return [
        ("1M points, RGBA", lambda encoding: sa.point_cloud(points, colors, encoding=encoding)),
        ("100k atoms as spheres", lambda encoding: sa.atoms(atoms, types, style="spheres", encoding=encoding)),
        ("1M-vertex terrain, normals, colours",
         lambda encoding: sa.mesh(positions, faces, normals=normals, colors=mesh_colors, encoding=encoding)),
    ]


def main():
    rows = []
    for name, make in cases():
        sizes = {encoding: make(encoding) for encoding in ("float32", "compact", "meshopt")}
        t_meshopt, t_compact = alternating(lambda: make("meshopt"), lambda: make("compact"), repeat=5)
        t_float, _ = alternating(lambda: make("float32"), lambda: make("compact"), repeat=3)
        rows.append((name, f"{len(sizes['float32']) / 1e6:.1f} MB", ms(t_float),
                     f"{len(sizes['compact']) / 1e6:.1f} MB", ms(t_compact),
                     f"{len(sizes['meshopt']) / 1e6:.1f} MB", ms(t_meshopt),
                     f"{len(sizes['meshopt']) / len(sizes['compact']):.2f}",
                     f"{len(gzip.compress(sizes['compact'], 6)) / 1e6:.1f} MB"))
    print_table("encoding='meshopt' against 'compact' and 'float32' (best of alternating calls)", rows,
                ["data", "float32", "time", "compact", "time", "meshopt", "time", "meshopt / compact", "compact, gzip"])


if __name__ == "__main__":
    print(machine_line())
    main()
