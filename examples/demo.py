"""The main job: write GLBs of the embedded default scenes into out/, each with its
size, the time the call took and the Khronos validator's verdict, plus
out/index.html, a three.js viewer of them. The raw native module writes the
million-point galaxy, the million-atom nanoparticle and the terrain; the
package writes the galaxy again as a compact file, a smaller nanoparticle as
spheres, a DNA base pair from ASE as ball-and-stick, a scene (a uracil pair
from ASE as ball-and-stick, its electron density as a translucent isosurface,
its cell as lines), a textured planet, an alloy nanoparticle coloured by
element, a rock salt crystal with its cell and the bonds across it, a
trajectory of a hot copper cluster (ASE's EMT molecular dynamics) and a
tileset of three million survey points (3D Tiles, out/survey_tileset/).

Run through the README's demo command, which builds and installs the module first.
"""

import argparse
import json
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import _spatial_assembler as sa
import spatial_assembler as package
from scenes import (alloy_particle, base_pair, cell_edges, density_isosurface, exact_bounds, galaxy, hot_cluster,
                    nanoparticle, planet_texture, salt_crystal, survey, terrain, uracil_pair, uv_sphere)
from viewer import write_viewer

ROOT = Path(__file__).resolve().parent.parent
NODE_FILE = "nanoparticle_atoms_node.glb"
SPHERE_ATOMS = 60_000  # a browser draws them all as lit spheres, 80 triangles each
TILESET = "survey_tileset"
SURVEY_POINTS = 3_000_000


_STARTED = time.perf_counter()
_ELAPSED_BEFORE = 0.0  # seconds that the demo command had run before this script (--elapsed)


def progress(message):
    """A line of what the demo does now, with the time since the demo command started."""
    seconds = int(_ELAPSED_BEFORE + time.perf_counter() - _STARTED)
    print(f"[{seconds // 60}:{seconds % 60:02d}] {message}", flush=True)


def timed(function, *arguments, **keywords):
    start = time.perf_counter()
    result = function(*arguments, **keywords)
    return result, time.perf_counter() - start


def build_files():
    """(file name, kind, GLB bytes, seconds, description) of every demo file."""
    files = []
    progress("the galaxy: 1,000,000 points, through the native module and again compact through the package")
    positions, colors = galaxy()
    glb, seconds = timed(sa.point_cloud_glb, positions, colors, *exact_bounds(positions))
    files.append(("galaxy_points.glb", "points", glb, seconds, f"{len(positions):,} RGBA points"))
    glb, seconds = timed(package.point_cloud, positions, colors, encoding="compact")
    files.append(("galaxy_points_compact.glb", "points", glb, seconds, "the same, compact (16-bit, 8-bit colours)"))

    progress("the nanoparticle: 1,000,000 atoms as points, and 60,000 as instanced spheres")
    positions, types = nanoparticle()
    glb, seconds = timed(sa.atom_glb, positions, types, *exact_bounds(positions))
    files.append(("nanoparticle_atoms.glb", "atoms", glb, seconds, f"{len(positions):,} atoms, Morton-ordered"))
    positions, types = nanoparticle(SPHERE_ATOMS)
    glb, seconds = timed(package.atoms, positions, types, style="spheres")
    files.append(("nanoparticle_spheres.glb", "spheres", glb, seconds, f"{len(positions):,} atoms as instanced spheres"))

    progress("the DNA base pair from ASE, as ball-and-stick; the terrain mesh")
    molecule = base_pair()
    glb, seconds = timed(package.from_ase, molecule, style="ball-and-stick")
    files.append(("base_pair_ball_and_stick.glb", "molecule", glb, seconds,
                  f"adenine-thymine, {len(molecule)} atoms, ball-and-stick"))

    positions, normals, indices, colors = terrain()
    lo, hi = exact_bounds(positions)
    glb, seconds = timed(sa.mesh_glb, positions, normals, indices, [*lo, *hi], [1, 1, 1, 1], 0.0, 0.85,
                         [0, 0, 0], False, colors)
    files.append(("terrain_mesh.glb", "mesh", glb, seconds,
                  f"{len(positions):,} vertices, {len(indices) // 3:,} triangles"))

    progress("a scene: a uracil pair from ASE, its density isosurface by marching cubes, its cell; a textured planet")
    scene, triangles = molecule_scene()
    glb, seconds = timed(scene.glb)
    files.append(("uracil_scene.glb", "scene", glb, seconds,
                  f"atoms, isosurface ({triangles:,} triangles), cell"))
    positions, faces, uv = uv_sphere()
    glb, seconds = timed(package.mesh, positions, faces, uv=uv, texture=planet_texture(), roughness=0.8)
    files.append(("textured_planet.glb", "mesh", glb, seconds, f"{len(faces):,} triangles, a 1024 x 512 texture"))

    progress("an alloy nanoparticle and a rock salt crystal from ASE; a hot copper cluster by EMT molecular dynamics")
    particle = alloy_particle()
    glb, seconds = timed(package.atoms, particle.positions, elements=particle.numbers, style="spheres")
    files.append(("alloy_nanoparticle.glb", "spheres", glb, seconds,
                  f"{len(particle)} atoms of Cu, Au, Pt and Ni, by element"))
    crystal = salt_crystal()
    glb, seconds = timed(package.from_ase, crystal, style="ball-and-stick")
    files.append(("salt_crystal.glb", "crystal", glb, seconds, f"NaCl, {len(crystal)} atoms, cell, periodic bonds"))
    frames = hot_cluster()
    glb, seconds = timed(package.from_ase, frames, style="spheres", fps=10)
    files.append(("copper_trajectory.glb", "trajectory", glb, seconds,
                  f"{len(frames)} frames of {len(frames[0])} atoms at 1200 K"))
    return files


def write_tileset(out, points=SURVEY_POINTS, points_per_tile=65536):
    """The survey's points as a 3D Tiles tileset in out/survey_tileset: the Tileset record."""
    progress(f"a tileset of {points:,} survey points (3D Tiles, meshopt-compressed tiles)")
    positions, colors = survey(points)
    return package.tiles(out / TILESET, positions, colors, points_per_tile=points_per_tile, overwrite=True)


def molecule_scene():
    """The uracil pair as one scene of three parts (a Scene and the isosurface's triangle count): the atoms as
    ball-and-stick, a translucent density isosurface (smooth normals), the cell as lines."""
    atoms = uracil_pair()
    vertices, faces = density_isosurface(atoms)
    corners, edges = cell_edges(atoms)
    scene = (package.Scene()
             .atoms(atoms.positions, elements=atoms.numbers, style="ball-and-stick", name="Uracil pair")
             .mesh(vertices, faces, normals="smooth", base_color=[0.05, 0.75, 0.45, 0.3], roughness=0.3, name="Density")
             .lines(corners, edges, color=[0.75, 0.78, 0.9, 1], name="Cell"))
    return scene, len(faces)


def atoms_through_node(out, positions, types, bounds):
    """The atoms once more, through the Node addon: (file name, GLB, milliseconds), or
    None when Node or the addon is missing."""
    addon = ROOT / "build" / "Release" / "spatial_assembler.node"
    if shutil.which("node") is None or not addon.exists():
        return None
    with tempfile.TemporaryDirectory() as folder:
        folder = Path(folder)
        positions.tofile(folder / "positions.f32")
        types.tofile(folder / "types.u16")
        (folder / "bounds.json").write_text(json.dumps({"vmin": bounds[0], "vmax": bounds[1]}))
        run = subprocess.run(["node", str(ROOT / "examples" / "node_demo.mjs"), str(folder / "positions.f32"),
                              str(folder / "types.u16"), str(folder / "bounds.json"), str(out / NODE_FILE)],
                             capture_output=True, text=True, cwd=ROOT)
    if run.returncode != 0:
        raise RuntimeError(f"the Node demo failed: {run.stderr}")
    return NODE_FILE, (out / NODE_FILE).read_bytes(), json.loads(run.stdout)["milliseconds"]


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
    parser.add_argument("--elapsed", type=float, default=0.0, help="seconds the demo command ran before this script")
    arguments = parser.parse_args()
    global _ELAPSED_BEFORE
    _ELAPSED_BEFORE = arguments.elapsed
    out = arguments.out
    out.mkdir(parents=True, exist_ok=True)

    files = build_files()
    paths = []
    for name, _, glb, _, _ in files:
        (out / name).write_bytes(glb)
        paths.append(out / name)
    progress(f"validating the {len(paths)} files with the Khronos glTF validator")
    reports = validate(paths)

    print(f"{'file':<30} {'size':>12} {'time':>10}  {'content':<44} validator")
    for (name, _, glb, seconds, description), path in zip(files, paths):
        print(f"{name:<30} {len(glb) / 1e6:>9.2f} MB {seconds * 1e3:>7.1f} ms  {description:<44} "
              f"{verdict(reports.get(str(path)))}")

    progress("the nanoparticle's atoms once more, through the Node addon")
    positions, types = nanoparticle()
    through_node = atoms_through_node(out, positions, types, exact_bounds(positions))
    python_atoms = next(glb for name, _, glb, _, _ in files if name == "nanoparticle_atoms.glb")
    if through_node is None:
        print("\nNode addon: not built (run the README's set-up), so no atoms through Node")
    else:
        name, glb, milliseconds = through_node
        same = "byte for byte the same as nanoparticle_atoms.glb" if glb == python_atoms else "DIFFERENT FROM THE PYTHON FILE"
        print(f"\n{name}: the atoms again through the Node addon (promises.atomGlb), {len(glb) / 1e6:.2f} MB "
              f"in {milliseconds:.1f} ms, {same}")

    tileset = write_tileset(out)
    print(f"{TILESET}/: {tileset.points:,} points in {tileset.tiles} tiles over {tileset.levels} levels, "
          f"{tileset.bytes / 1e6:.2f} MB, written in {tileset.seconds * 1e3:.0f} ms")

    page = write_viewer(out, [(name, kind) for name, kind, *_ in files] + [(TILESET, "tileset")])
    print(f"\nviewer: {page}\n  look at it: python3 -m http.server -d {out} 8000, then open http://localhost:8000/")

    failed = any(r is not None and (r["errors"] or r["warnings"]) for r in reports.values())
    failed = failed or (through_node is not None and through_node[1] != python_atoms)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
