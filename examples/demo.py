"""The main job: write GLBs of the embedded default scenes into out/, each with its
size, the time _spatial_assembler took and the Khronos validator's verdict, plus
out/index.html, a three.js viewer of them.

Run through the README's demo command, which builds and installs the module first.
"""

import argparse
import json
import shutil
import subprocess
import sys
import time
from pathlib import Path

import _spatial_assembler as sa
from scenes import exact_bounds, galaxy, nanoparticle, terrain
from viewer import write_viewer

ROOT = Path(__file__).resolve().parent.parent


def timed(function, *arguments, **keywords):
    start = time.perf_counter()
    result = function(*arguments, **keywords)
    return result, time.perf_counter() - start


def build_files():
    """(file name, kind, GLB bytes, seconds, description) of every demo file."""
    files = []
    positions, colors = galaxy()
    glb, seconds = timed(sa.point_cloud_glb, positions, colors, *exact_bounds(positions))
    files.append(("galaxy_points.glb", "points", glb, seconds, f"{len(positions):,} RGBA points"))

    positions, types = nanoparticle()
    glb, seconds = timed(sa.atom_glb, positions, types, *exact_bounds(positions))
    files.append(("nanoparticle_atoms.glb", "atoms", glb, seconds, f"{len(positions):,} atoms, Morton-ordered"))

    positions, normals, indices, colors = terrain()
    lo, hi = exact_bounds(positions)
    glb, seconds = timed(sa.mesh_glb, positions, normals, indices, [*lo, *hi], [1, 1, 1, 1], 0.0, 0.85,
                         [0, 0, 0], False, colors)
    files.append(("terrain_mesh.glb", "mesh", glb, seconds,
                  f"{len(positions):,} vertices, {len(indices) // 3:,} triangles"))
    return files


def validate(paths):
    """The Khronos glTF validator's report per file, from one Node process."""
    script = ROOT / "scripts" / "validate_glb.mjs"
    if shutil.which("node") is None or not (ROOT / "node_modules" / "gltf-validator").is_dir():
        return {str(p): None for p in paths}
    run = subprocess.run(["node", str(script), *map(str, paths)], capture_output=True, text=True, cwd=ROOT)
    reports = [json.loads(line) for line in run.stdout.splitlines() if line.strip()]
    return {report["path"]: report for report in reports}


def verdict(report):
    if report is None:
        return "not validated (run the README's set-up to install the validator)"
    if report["errors"] or report["warnings"]:
        codes = sorted({m["code"] for m in report["messages"]})
        return f"INVALID: {report['errors']} errors, {report['warnings']} warnings ({', '.join(codes)})"
    return f"valid ({report['infos']} infos, {report['hints']} hints)"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=ROOT / "out", help="output folder (default: out/)")
    arguments = parser.parse_args()
    out = arguments.out
    out.mkdir(parents=True, exist_ok=True)

    files = build_files()
    paths = []
    for name, _, glb, _, _ in files:
        (out / name).write_bytes(glb)
        paths.append(out / name)
    reports = validate(paths)

    print(f"{'file':<24} {'size':>12} {'time':>10}  {'content':<36} validator")
    for (name, _, glb, seconds, description), path in zip(files, paths):
        print(f"{name:<24} {len(glb) / 1e6:>9.2f} MB {seconds * 1e3:>7.1f} ms  {description:<36} "
              f"{verdict(reports.get(str(path)))}")

    page = write_viewer(out, [(name, kind) for name, kind, *_ in files])
    print(f"\nviewer: {page}\n  look at it: python3 -m http.server -d {out} 8000, then open http://localhost:8000/")

    failed = any(r is not None and (r["errors"] or r["warnings"]) for r in reports.values())
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
