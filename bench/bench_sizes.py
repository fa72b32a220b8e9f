"""File sizes and times at one million points, atoms and mesh vertices (float64
input, as numpy makes it): the float32 files against the compact ones (KHR_mesh_quantization) and against
trimesh's export of the same data, with the gzip-compressed size that a web
server would send beside each; and atoms as instanced spheres against points.

Run: .venv/bin/python bench/bench_sizes.py [--quick]   (after scripts/bench's set-up)
"""

import sys
import zlib

import numpy as np
import trimesh

import spatial_assembler as sa
from timing import alternating, best_of, machine_line, ms, print_table


def gzip_size(data):
    return len(zlib.compress(data, 6))  # what a web server's default gzip level sends


def mb(size):
    return f"{size / 1e6:.1f} MB"


def grid(side):
    """A bumpy terrain of side x side vertices, two triangles a square."""
    u, v = np.meshgrid(np.linspace(0, 100, side), np.linspace(0, 100, side))
    positions = np.stack([u.ravel(), np.sin(u.ravel() / 4) * np.cos(v.ravel() / 6) * 5, v.ravel()], 1)
    corner = (np.arange(side - 1)[:, None] * side + np.arange(side - 1)[None, :]).ravel()
    faces = np.stack([np.stack([corner, corner + side, corner + 1], 1),
                      np.stack([corner + 1, corner + side, corner + side + 1], 1)], 1).reshape(-1, 3)
    return positions, faces


def main(n):
    rng = np.random.default_rng(3)
    positions = rng.normal(size=(n, 3)) * [40, 20, 10]
    colors = rng.random((n, 4)).astype(np.float32)
    colors8 = (colors * 255).astype(np.uint8)
    types = rng.integers(0, 7, n)
    side = int(round(np.sqrt(n)))
    vertices, faces = grid(side)
    mesh_colors = rng.integers(0, 256, (side * side, 3)).astype(np.uint8)
    normals = trimesh.Trimesh(vertices, faces, process=False).vertex_normals  # one source of normals for all writers

    rows = []
    cases = [
        ("RGBA points", lambda e: sa.point_cloud(positions, colors, encoding=e),
         lambda: trimesh.PointCloud(positions, colors=colors8).export(file_type="glb")),
        ("atoms (points)", lambda e: sa.atoms(positions, types, encoding=e), None),
        ("mesh, normals, RGB colours", lambda e: sa.mesh(vertices, faces, normals=normals, colors=mesh_colors, encoding=e),
         lambda: trimesh.Trimesh(vertices, faces, vertex_normals=normals, vertex_colors=mesh_colors,
                                 process=False).export(file_type="glb")),
    ]
    for label, write, reference in cases:
        t_plain, t_compact = alternating(lambda: write("float32"), lambda: write("compact"))
        plain, compact = write("float32"), write("compact")
        row = [label, mb(len(plain)), mb(gzip_size(plain)), ms(t_plain), mb(len(compact)), mb(gzip_size(compact)),
               ms(t_compact), f"{len(compact) / len(plain) * 100:.0f} %"]
        if reference is not None:
            other = reference()
            row += [mb(len(other)), mb(gzip_size(other)), ms(best_of(reference, 2))]
        else:
            row += ["", "", ""]
        rows.append(row)
    print_table(f"file sizes at {n:,} points, atoms and mesh vertices (gzip level 6 beside each)", rows,
                ["data", "float32", "gzip", "time", "compact", "gzip", "time", "compact/float32",
                 "trimesh", "gzip", "time"])

    points_time, spheres_time = alternating(lambda: sa.atoms(positions, types),
                                            lambda: sa.atoms(positions, types, style="spheres"), 9)
    spheres = sa.atoms(positions, types, style="spheres")
    points = sa.atoms(positions, types)
    print_table(f"{n:,} atoms as spheres (one instanced icosphere per colour) and as points", [
        ("points", ms(points_time), mb(len(points)), "1.0x"),
        ("spheres", ms(spheres_time), mb(len(spheres)), f"{spheres_time / points_time:.2f}x")],
        ["style", "time", "file", "time vs points"])


if __name__ == "__main__":
    print(machine_line())
    main(200_000 if "--quick" in sys.argv else 1_000_000)
