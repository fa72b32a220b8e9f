"""point_cloud_glb against trimesh's GLB export and a numpy writer by hand.

Run: .venv/bin/python bench/bench_point_cloud.py   (after scripts/bench's set-up)
"""

import sys

import numpy as np
import trimesh

from timing import best_of, copy_floor, machine_line, ms, print_table  # noqa: I001 (first: sets the paths)
import _spatial_assembler as sa
from numpy_writers import point_cloud_glb_numpy


def trimesh_glb(positions, colors):
    # trimesh stores point colours as RGBA bytes; its exporter writes them as such.
    cloud = trimesh.PointCloud(positions, colors=(colors * 255).astype(np.uint8))
    return cloud.export(file_type="glb")


def main(counts):
    rows = []
    for n in counts:
        rng = np.random.default_rng(n)
        positions = rng.random((n, 3), dtype=np.float32)
        colors = rng.random((n, 4), dtype=np.float32)
        vmin, vmax = positions.min(0).tolist(), positions.max(0).tolist()
        native = sa.point_cloud_glb(positions, colors, vmin, vmax)
        assert native == point_cloud_glb_numpy(positions, colors, vmin, vmax)
        t_native = best_of(lambda: sa.point_cloud_glb(positions, colors, vmin, vmax))
        t_numpy = best_of(lambda: point_cloud_glb_numpy(positions, colors, vmin, vmax))
        t_trimesh = best_of(lambda: trimesh_glb(positions, colors), 2)
        t_copy = copy_floor(len(native))
        rows.append((f"{n:,}", f"{len(native) / 1e6:.0f} MB", ms(t_native), ms(t_numpy), f"{t_numpy / t_native:.1f}x",
                     ms(t_trimesh), f"{t_trimesh / t_native:.0f}x", ms(t_copy), f"{t_native / t_copy:.2f}x"))
    print_table("point_cloud_glb (RGBA float colours)", rows,
                ["points", "GLB", "point_cloud_glb", "numpy by hand", "speed-up", "trimesh", "speed-up",
                 "one copy", "vs copy"])


if __name__ == "__main__":
    print(machine_line())
    main([1_000_000] if "--quick" in sys.argv else [1_000_000, 4_000_000])
