"""One table: every function of the native module, of the Python package and of
the Node addon at 10, 1,000, 100,000, 1M and 4M points, atoms or mesh
vertices, each against one copy of its file's bytes into warm memory (the
floor of any writer) and against the peer a user would use instead, measured
interleaved; then the goals with the ratios this run measured.

Run: ./scripts/bench   (or .venv/bin/python bench/bench_table.py [--quick] after its set-up)

A new function is one line in CASES (and for Node one line in bench_table.mjs).
"""

import json
import os
import subprocess
import sys
import time
from dataclasses import dataclass
from functools import cached_property
from pathlib import Path
from typing import Callable, Optional

from timing import machine_line  # noqa: I001 (first: sets the paths)
import numpy as np
import trimesh

import _spatial_assembler as raw
import spatial_assembler as sa
from numpy_writers import atom_glb_numpy, mesh_glb_numpy, point_cloud_glb_numpy

SIZES = [10, 1_000, 100_000, 1_000_000, 4_000_000]
HERE = Path(__file__).resolve().parent


class Data:
    """The inputs of one size, made when a case first asks: random atoms and
    points in a box of side 100, RGBA colours, type ids 0..8, a bond for every
    fourth atom, and a terrain grid of about as many vertices (two triangles a
    square, normals and RGBA colours)."""

    def __init__(self, n):
        rng = np.random.default_rng(n)
        self.n = n
        self.positions = rng.random((n, 3), dtype=np.float32) * 100
        self.colors = rng.random((n, 4), dtype=np.float32)
        self.colors8 = (self.colors * 255).astype(np.uint8)
        self.types = rng.integers(0, 9, n).astype(np.uint16)
        self.extremes = self.positions.min(0).tolist(), self.positions.max(0).tolist()
        first = rng.choice(n - 1, max(n // 4, 1), replace=False) if n > 1 else np.zeros(0, np.int64)
        self.bonds = np.stack([first, first + 1], 1)

    @cached_property
    def grid(self):
        side = max(int(round(self.n ** 0.5)), 2)
        u, v = np.meshgrid(np.arange(side, dtype=np.float32), np.arange(side, dtype=np.float32))
        height = np.sin(u / 7) * np.cos(v / 5)
        positions = np.stack([u.ravel(), height.ravel(), v.ravel()], 1).astype(np.float32)
        normals = np.tile(np.float32([0, 1, 0]), (side * side, 1))
        colors = np.random.default_rng(side).random((side * side, 4), dtype=np.float32)
        corner = (np.arange(side - 1)[:, None] * side + np.arange(side - 1)[None, :]).ravel()
        faces = np.stack([np.stack([corner, corner + side, corner + 1], 1),
                          np.stack([corner + 1, corner + side, corner + side + 1], 1)], 1).reshape(-1, 3)
        faces = faces.astype(np.uint32)
        bounds = [*positions.min(0).tolist(), *positions.max(0).tolist()]
        material = (bounds, [1, 1, 1, 1], 0.0, 0.5, [0, 0, 0], False)
        return positions, normals, colors, faces, material


def trimesh_points(d):
    return trimesh.PointCloud(d.positions, colors=d.colors8).export(file_type="glb")


def trimesh_mesh(d):
    positions, normals, colors, faces, _ = d.grid
    mesh = trimesh.Trimesh(positions, faces, vertex_normals=normals, vertex_colors=colors, process=False)
    return mesh.export(file_type="glb")


@dataclass
class Case:
    face: str
    function: str
    call: Callable[[Data], bytes]
    peer: str = ""
    peer_call: Optional[Callable[[Data], bytes]] = None
    same_bytes: bool = False  # the peer writes this very file: asserted


def raw_mesh(d):
    positions, normals, colors, faces, material = d.grid
    return raw.mesh_glb(positions, normals, faces.ravel(), *material, colors)


def numpy_mesh(d):
    positions, normals, colors, faces, material = d.grid
    return mesh_glb_numpy(positions, normals, faces.ravel(), *material, colors)


CASES = [
    Case("module", "point_cloud_glb", lambda d: raw.point_cloud_glb(d.positions, d.colors, *d.extremes),
         "numpy by hand", lambda d: point_cloud_glb_numpy(d.positions, d.colors, *d.extremes), True),
    Case("module", "atom_glb", lambda d: raw.atom_glb(d.positions, d.types, *d.extremes),
         "numpy ordering", lambda d: atom_glb_numpy(d.positions, d.types, *d.extremes), True),
    Case("module", "mesh_glb", raw_mesh, "numpy by hand", numpy_mesh, True),
    Case("package", "point_cloud", lambda d: sa.point_cloud(d.positions, d.colors), "trimesh export", trimesh_points),
    Case("package", "atoms", lambda d: sa.atoms(d.positions, d.types),
         "numpy ordering", lambda d: atom_glb_numpy(d.positions, d.types, *d.extremes), True),
    Case("package", "atoms compact", lambda d: sa.atoms(d.positions, d.types, encoding="compact")),
    Case("package", "atoms spheres", lambda d: sa.atoms(d.positions, d.types, style="spheres", radius=0.4)),
    Case("package", "atoms ball-and-stick",
         lambda d: sa.atoms(d.positions, d.types, style="ball-and-stick", radius=0.4, bonds=d.bonds)),
    Case("package", "mesh", lambda d: sa.mesh(d.grid[0], d.grid[3], normals=d.grid[1], colors=d.grid[2]),
         "trimesh export", trimesh_mesh),
]


def rounds_for(n):
    """Rounds of our call and of the floor, and of the peer (slower by far at large sizes)."""
    if n <= 100_000:
        return 15, 5
    return (7, 3) if n <= 1_000_000 else (3, 1)


def timed(function, calls):
    start = time.perf_counter()
    for _ in range(calls):
        function()
    return (time.perf_counter() - start) / calls


def measure(index, case, d):
    """Best seconds of the call, the floor and the peer, measured in turn round by round."""
    glb = case.call(d)
    if case.same_bytes:
        assert bytes(case.peer_call(d)) == glb, f"{case.function}: the peer's bytes differ"
    source, target = np.ones(len(glb), np.uint8), np.zeros(len(glb), np.uint8)
    floor_call = lambda: np.copyto(target, source)  # noqa: E731
    calls = max(1, 100_000 // max(d.n, 1)) if d.n < 100_000 else 1  # small calls: many per timing
    rounds, peer_rounds = rounds_for(d.n)
    best = {"call": float("inf"), "floor": float("inf"), "peer": float("inf")}
    floor_call()
    for round_ in range(rounds):
        best["call"] = min(best["call"], timed(lambda: case.call(d), calls))
        if case.peer_call is not None and round_ < peer_rounds:
            best["peer"] = min(best["peer"], timed(lambda: case.peer_call(d), max(1, calls // 100)))
        best["floor"] = min(best["floor"], timed(floor_call, calls))
    return {"order": index, "face": case.face, "function": case.function, "size": d.n, "bytes": len(glb), "time": best["call"],
            "floor": best["floor"], "peer": case.peer, "peer_time": best["peer"] if case.peer_call else None}


def node_rows(sizes):
    """The Node cases (bench_table.mjs), one JSON row per line."""
    run = subprocess.run(["node", str(HERE / "bench_table.mjs"), *map(str, sizes)], capture_output=True, text=True,
                         check=True, cwd=HERE)
    return [json.loads(line) for line in run.stdout.splitlines() if line.startswith("{")]


def milliseconds(seconds):
    if seconds is None:
        return ""
    value = seconds * 1e3
    return f"{value:.4f} ms" if value < 0.01 else f"{value:.3f} ms" if value < 1 else f"{value:.1f} ms" if value < 100 \
        else f"{value:.0f} ms"


def size_text(n):
    return {1_000_000: "1M", 4_000_000: "4M"}.get(n, f"{n:,}")


def file_text(size):
    return f"{size / 1e6:.1f} MB" if size >= 100_000 else f"{size / 1e3:.1f} kB"


def print_table(rows):
    headers = ["face", "function", "size", "file", "time", "x floor", "peer", "peer time", "speed-up"]
    lines = []
    for row in rows:
        peer_time = row["peer_time"]
        lines.append([row["face"], row["function"], size_text(row["size"]), file_text(row["bytes"]),
                      milliseconds(row["time"]), f"{row['time'] / row['floor']:.1f}x", row["peer"] if peer_time else "",
                      milliseconds(peer_time), f"{peer_time / row['time']:.1f}x" if peer_time else ""])
    widths = [max(len(h), *(len(line[i]) for line in lines)) for i, h in enumerate(headers)]
    print("| " + " | ".join(h.ljust(w) for h, w in zip(headers, widths)) + " |")
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for line in lines:
        print("| " + " | ".join(cell.ljust(w) for cell, w in zip(line, widths)) + " |")


def print_goals(rows):
    found = {(row["face"], row["function"], row["size"]): row for row in rows}
    goals = []

    def goal(text, ratio, met):
        goals.append(f"  {'met   ' if met else 'MISSED'}  {text}: measured {ratio}")

    atoms = found.get(("module", "atom_glb", 1_000_000))
    if atoms:
        speed_up = atoms["peer_time"] / atoms["time"]
        goal("atom_glb at 1M atoms at least 18 times the numpy ordering", f"{speed_up:.1f}x", speed_up >= 18)
        over_floor = atoms["time"] / atoms["floor"]
        goal("atom_glb at 1M atoms within 4 times one copy of the file's bytes", f"{over_floor:.1f}x", over_floor <= 4)
    for face, function in (("module", "atom_glb"), ("package", "atoms")):
        for n in (10, 1_000):
            row = found.get((face, function, n))
            if row:
                speed_up = row["peer_time"] / row["time"]
                goal(f"{function} of {n:,} atoms no slower than the numpy ordering", f"{speed_up:.1f}x", speed_up >= 1)
    load = " ".join(f"{v:.2f}" for v in os.getloadavg())
    print(f"\nGoals (load average now {load}):")
    print("\n".join(goals))


def main():
    quick = "--quick" in sys.argv
    sizes = SIZES[:3] if quick else SIZES
    print(machine_line())
    print("Best of interleaved rounds: the call, one copy of its file's bytes into warm memory (np.copyto; "
          "Buffer.set in Node), the peer")
    rows = []
    for n in sizes:
        d = Data(n)
        rows.extend(measure(index, case, d) for index, case in enumerate(CASES))
    rows.extend(node_rows(sizes))
    order = {face: i for i, face in enumerate(["module", "package", "node raw", "node checked"])}
    rows.sort(key=lambda row: (order.get(row["face"], 9), row["order"], row["size"]))
    print()
    print_table(rows)
    print_goals(rows)


if __name__ == "__main__":
    main()
