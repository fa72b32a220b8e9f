"""The files of scripts/consumers/run: points, atoms, a mesh, lines and instanced
spheres, float32 and compact, with the float32 positions they hold (JSON)."""

import json
import sys
from pathlib import Path

import numpy as np

import spatial_assembler as sa

folder = Path(sys.argv[1])
rng = np.random.default_rng(7)
points = np.column_stack([rng.uniform(-5, 7, 2000), rng.uniform(100, 101, 2000), rng.uniform(0, 1000, 2000)])
u, v = np.meshgrid(np.linspace(-3, 9, 30), np.linspace(40, 45, 30), indexing="ij")
terrain = np.column_stack([u.ravel(), v.ravel(), np.sin(u.ravel()) * 2 + 10])
corner = (np.arange(29)[:, None] * 30 + np.arange(29)[None, :]).ravel()
faces = np.concatenate([np.stack([corner, corner + 30, corner + 1], 1), np.stack([corner + 1, corner + 30, corner + 31], 1)])
for encoding in ("float32", "compact"):
    files = {
        "points": sa.point_cloud(points, encoding=encoding),
        "atoms": sa.atoms(points, encoding=encoding),
        "mesh": sa.mesh(terrain, faces, normals="smooth", encoding=encoding),  # one vertex per position
        "lines": sa.Scene().lines(points[:50]).glb(encoding=encoding),
        "spheres": sa.atoms(points[:300], rng.integers(0, 4, 300), style="spheres", radius=0.1, encoding=encoding),
    }
    for kind, glb in files.items():
        (folder / f"{encoding}_{kind}.glb").write_bytes(glb)
originals = {"points": points, "atoms": points, "mesh": terrain, "lines": points[:50]}
(folder / "originals.json").write_text(json.dumps({k: v.astype(np.float32).tolist() for k, v in originals.items()}))
