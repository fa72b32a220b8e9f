"""Meshes: the raw mesh_glb against trimesh's GLB export of the same mesh and one copy of the output;
then the package's checked mesh (every value checked, normals given or computed) into a reused
buffer (out=), each measured in alternation with mesh_glb, as a ratio to it, with the goals.

Run: .venv/bin/python bench/bench_mesh.py   (after scripts/bench's set-up)
"""

import os

import numpy as np
import trimesh

from timing import alternating, best_of, copy_floor, machine_line, ms, print_table  # noqa: I001 (first: sets the paths)
import _spatial_assembler as native
import spatial_assembler as sa
from scenes import exact_bounds, terrain

# The checked calls, each with the most it may take as a multiple of mesh_glb's time (None: no goal).
CHECKED = [
    ("given normals, colours", dict(normals="given"), 1.5),
    ("normals='smooth' (area-weighted), colours", dict(normals="smooth"), 3.0),
    ("normals='auto' (split at 30-degree creases), colours", dict(normals="auto"), None),
    ("normals='flat', colours", dict(normals="flat"), None),
    ("given normals, colours, compact", dict(normals="given", encoding="compact"), None),
]


def main(size):
    positions, normals, indices, colors = terrain(size=size)
    faces = indices.reshape(-1, 3)
    lo, hi = exact_bounds(positions)
    material = ([*lo, *hi], [1, 1, 1, 1], 0.0, 0.85, [0, 0, 0], False)

    def native_call():
        return native.mesh_glb(positions, normals, indices, *material, colors)

    def with_trimesh():
        mesh = trimesh.Trimesh(positions, faces, vertex_normals=normals, vertex_colors=colors, process=False)
        return mesh.export(file_type="glb")

    glb = native_call()
    t_native = best_of(native_call)
    t_trimesh = best_of(with_trimesh, 3)
    t_copy = copy_floor(len(glb))
    print_table(f"mesh_glb: {len(positions):,} vertices, {len(faces):,} triangles, normals and RGBA colours", [
        ("mesh_glb", f"{len(glb) / 1e6:.0f} MB", ms(t_native), "1x", f"{t_native / t_copy:.2f}x"),
        ("trimesh export", f"{len(with_trimesh()) / 1e6:.0f} MB", ms(t_trimesh), f"{t_trimesh / t_native:.0f}x slower", ""),
        ("one copy of the output", "", ms(t_copy), "", "1.00x")],
        ["writer", "GLB", "time", "vs mesh_glb", "vs copy"])

    out = bytearray(5 * len(glb))  # room for the split vertices of the flat style
    rows, goals = [], []
    for label, options, goal in CHECKED:
        options = dict(options)
        if options["normals"] == "given":
            options["normals"] = normals

        def checked(options=options):
            return sa.mesh(positions, faces, colors=colors, out=out, **options)

        size_mb = len(checked()) / 1e6
        t_checked, t_raw = alternating(checked, native_call, 7)
        ratio = t_checked / t_raw
        rows.append((f"sa.mesh, {label}", f"{size_mb:.0f} MB", ms(t_checked), f"{ratio:.2f}x (mesh_glb {ms(t_raw)})"))
        if goal is not None:
            goals.append(f"  sa.mesh, {label}, out=: {ratio:.2f}x mesh_glb (goal: at most {goal}x): "
                         f"{'met' if ratio <= goal else 'NOT met'}")
    print_table("The checked mesh into a reused buffer (out=), each alternating with mesh_glb",
                rows, ["call", "GLB", "time", "vs mesh_glb"])
    load = " ".join(f"{value:.2f}" for value in os.getloadavg()) if hasattr(os, "getloadavg") else "unknown"
    print(f"\nGoals (load average now {load}):")
    print("\n".join(goals))


if __name__ == "__main__":
    print(machine_line())
    main(1024)  # 1,048,576 vertices, 2,093,058 triangles
