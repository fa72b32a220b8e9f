"""mesh_glb against trimesh's GLB export of the same mesh, and one copy of the output.

Run: .venv/bin/python bench/bench_mesh.py   (after scripts/bench's set-up)
"""

import numpy as np
import trimesh

from timing import best_of, copy_floor, machine_line, ms, print_table  # noqa: I001 (first: sets the paths)
import _spatial_assembler as sa
from scenes import exact_bounds, terrain


def main(size):
    positions, normals, indices, colors = terrain(size=size)
    faces = indices.reshape(-1, 3)
    lo, hi = exact_bounds(positions)
    material = ([*lo, *hi], [1, 1, 1, 1], 0.0, 0.85, [0, 0, 0], False)

    def native():
        return sa.mesh_glb(positions, normals, indices, *material, colors)

    def with_trimesh():
        mesh = trimesh.Trimesh(positions, faces, vertex_normals=normals, vertex_colors=colors, process=False)
        return mesh.export(file_type="glb")

    glb = native()
    t_native = best_of(native)
    t_trimesh = best_of(with_trimesh, 3)
    t_copy = copy_floor(len(glb))
    print_table(f"mesh_glb: {len(positions):,} vertices, {len(faces):,} triangles, normals and RGBA colours", [
        ("mesh_glb", f"{len(glb) / 1e6:.0f} MB", ms(t_native), "1x", f"{t_native / t_copy:.2f}x"),
        ("trimesh export", f"{len(with_trimesh()) / 1e6:.0f} MB", ms(t_trimesh), f"{t_trimesh / t_native:.0f}x slower", ""),
        ("one copy of the output", "", ms(t_copy), "", "1.00x")],
        ["writer", "GLB", "time", "vs mesh_glb", "vs copy"])


if __name__ == "__main__":
    print(machine_line())
    main(1024)  # 1,048,576 vertices, 2,093,058 triangles
