"""The package's cost over the native call a user would make instead, at one
million atoms and points: the checked call computes the exact extremes and checks
every value, the native one is handed bounds computed beforehand. Also float64
input (converted by the core as it writes), and elements given as symbols
against atomic numbers.

Run: .venv/bin/python bench/bench_package.py   (after scripts/bench's set-up)
"""

import numpy as np
import trimesh

import _spatial_assembler as native
import spatial_assembler as sa
from timing import alternating, best_of, machine_line, ms, print_table


def main(n=1_000_000):
    rng = np.random.default_rng(1)
    positions = rng.random((n, 3), dtype=np.float32)
    positions64 = positions.astype(np.float64)
    colors = rng.random((n, 4), dtype=np.float32)
    types = rng.integers(0, 9, n).astype(np.uint16)
    low, high = positions.min(0).tolist(), positions.max(0).tolist()
    atoms_native = lambda: native.atom_glb(positions, types, low, high)
    points_native = lambda: native.point_cloud_glb(positions, colors, low, high)
    rows = []
    for label, package_call, native_call in [
            ("points, float32 RGBA", lambda: sa.point_cloud(positions, colors), points_native),
            ("points, float64", lambda: sa.point_cloud(positions64, colors.astype(np.float64)), points_native),
            ("atoms, float32, uint16 types", lambda: sa.atoms(positions, types), atoms_native),
            ("atoms, float64, int64 types", lambda: sa.atoms(positions64, types.astype(np.int64)), atoms_native)]:
        if label.startswith("atoms"):  # the same file: exact extremes are what the native call was given
            assert package_call() == native_call()
        package, raw = alternating(package_call, native_call)
        rows.append((label, ms(raw), ms(package), f"{(package / raw - 1) * 100:+.0f} %"))
    colors8 = (colors * 255).astype(np.uint8)
    trimesh_time = best_of(lambda: trimesh.PointCloud(positions64, colors=colors8).export(file_type="glb"), 3)
    rows.append(("trimesh export of the float64 points", "", ms(trimesh_time), ""))
    print_table(f"spatial_assembler over _spatial_assembler at {n:,} atoms and points (best of 15, alternating)",
                rows, ["call", "native call", "package call", "overhead"])

    symbols = rng.choice(np.array(["C", "H", "O", "N", "S", "Cu"]), n)
    numbers = sa.elements.atomic_numbers(symbols)
    listed = symbols.tolist()
    by_number, by_symbol = alternating(lambda: sa.atoms(positions, elements=numbers),
                                       lambda: sa.atoms(positions, elements=symbols), 7)
    by_list = best_of(lambda: sa.atoms(positions, elements=listed), 3)
    print_table(f"elements of {n:,} atoms", [
        ("atomic numbers (uint8)", ms(by_number), "1.0x"),
        ("symbols, numpy array", ms(by_symbol), f"{by_symbol / by_number:.1f}x"),
        ("symbols, Python list", ms(by_list), f"{by_list / by_number:.1f}x")], ["elements as", "sa.atoms", "vs numbers"])


if __name__ == "__main__":
    print(machine_line())
    main()
