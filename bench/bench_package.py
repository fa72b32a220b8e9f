"""The package's cost over the native call it makes, at one million atoms and
points: float32 input already in the right shape (bounds given, and computed),
and float64 input (converted), beside trimesh's export of the same points.

Run: .venv/bin/python bench/bench_package.py   (after scripts/bench's set-up)
"""

import numpy as np
import trimesh

import _spatial_assembler as native
import spatial_assembler as sa
from timing import best_of, machine_line, ms, print_table


def overhead(package_call, native_call, repeat=15):
    """Best times of both, measured in alternation so that a slow spell hits both alike."""
    package_best = native_best = float("inf")
    for _ in range(repeat):
        native_best = min(native_best, best_of(native_call, 1))
        package_best = min(package_best, best_of(package_call, 1))
    return package_best, native_best


def main(n=1_000_000):
    rng = np.random.default_rng(1)
    positions = rng.random((n, 3), dtype=np.float32)
    positions64 = positions.astype(np.float64)
    colors = rng.random((n, 4), dtype=np.float32)
    types = rng.integers(0, 9, n).astype(np.uint16)
    low, high = positions.min(0).tolist(), positions.max(0).tolist()
    bounds = [low, high]
    atoms_native = lambda: native.atom_glb(positions, types, low, high)
    points_native = lambda: native.point_cloud_glb(positions, colors, low, high)
    rows = []
    for label, package_call, native_call in [
            ("atoms, float32, bounds given", lambda: sa.atoms(positions, types, bounds=bounds), atoms_native),
            ("atoms, float32, bounds computed", lambda: sa.atoms(positions, types), atoms_native),
            ("atoms, float64 positions, int64 types", lambda: sa.atoms(positions64, types.astype(np.int64)),
             atoms_native),
            ("points, float32, bounds given", lambda: sa.point_cloud(positions, colors, bounds=bounds), points_native),
            ("points, float32, bounds computed", lambda: sa.point_cloud(positions, colors), points_native),
            ("points, float64", lambda: sa.point_cloud(positions64, colors.astype(np.float64)), points_native)]:
        assert package_call() == native_call()
        package, raw = overhead(package_call, native_call)
        rows.append((label, ms(raw), ms(package), f"{(package / raw - 1) * 100:+.0f} %"))
    colors8 = (colors * 255).astype(np.uint8)
    trimesh_time = best_of(lambda: trimesh.PointCloud(positions64, colors=colors8).export(file_type="glb"), 3)
    rows.append(("trimesh export of the float64 points", "", ms(trimesh_time), ""))
    print_table(f"spatial_assembler over _spatial_assembler at {n:,} atoms and points (best of 15, alternating)",
                rows, ["call", "native call", "package call", "overhead"])


if __name__ == "__main__":
    print(machine_line())
    main()
