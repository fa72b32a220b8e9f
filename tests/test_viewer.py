"""The demo's files in a real glTF viewer: three.js in headless Chromium.

Builds the demo folder (GLBs, a tileset and index.html), loads the page once per
file from a server on localhost, and checks what the loader made of each file
and which colours the screenshot shows; plays the trajectory and zooms into the
tileset."""

import json
import shutil
import struct
from pathlib import Path

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import read_glb
from tileset_reading import shows_deeper_tiles
from numpy_writers import ATOM_PALETTE
from srgb import PAGE_BACKGROUND as BACKGROUND, srgb_bytes

ROOT = Path(__file__).resolve().parent.parent

pytestmark = pytest.mark.browser


@pytest.fixture(scope="module")
def viewer_results(tmp_path_factory, check_pages):
    from demo import SPHERE_ATOMS, TILESET, build_files, write_tileset
    from ase.data.colors import jmol_colors
    from scenes import alloy_particle, base_pair, galaxy, nanoparticle, terrain
    from viewer import write_viewer

    folder = tmp_path_factory.mktemp("demo")
    files = build_files()
    # The other new kinds of file, each beside the demo file it must look like.
    positions, normals, indices, colors = terrain()
    atom_positions, atom_types = nanoparticle()
    files += [
        ("terrain_mesh_compact.glb", "mesh", sa.mesh(positions, indices.reshape(-1, 3), normals=normals, colors=colors,
                                                     base_color=[1, 1, 1, 1], roughness=0.85, double_sided=False,
                                                     encoding="compact"), 0, ""),
        ("nanoparticle_atoms_compact.glb", "atoms", sa.atoms(atom_positions, atom_types, encoding="compact"), 0, ""),
        ("base_pair_plain_triangles.glb", "molecule", sa.from_ase(base_pair(), style="ball-and-stick", instancing=False), 0, ""),
        ("alloy_points.glb", "atoms", sa.atoms(alloy_particle().positions, elements=alloy_particle().numbers), 0, ""),
    ]
    for name, _, glb, _, _ in files:
        (folder / name).write_bytes(glb)
    # The demo's tileset, smaller, in small tiles, so that zooming in has deeper levels to load; and its
    # root tile alone, a meshopt-compressed GLB.
    tileset = write_tileset(folder, points=300_000, points_per_tile=4096)
    shutil.copyfile(folder / TILESET / "tiles" / "0" / "0" / "0" / "0.glb", folder / "tile_meshopt.glb")
    write_viewer(folder, [(name, kind) for name, kind, *_ in files] + [(TILESET, "tileset"), ("tile_meshopt.glb", "points")])

    rng = np.random.default_rng(0)
    _, galaxy_colors = galaxy()
    _, atom_types = nanoparticle()
    _, _, _, terrain_colors = terrain()
    present_types = sorted(set(np.minimum(np.unique(atom_types), 7).tolist()))
    _, sphere_types = nanoparticle(SPHERE_ATOMS)
    galaxy_sample = srgb_bytes(galaxy_colors[rng.choice(len(galaxy_colors), 2048), :3]).tolist()
    base_pair_elements = sorted(set(base_pair().numbers.tolist()))
    alloy_elements = sorted(set(alloy_particle().numbers.tolist()))
    expectations = [
        {"file": "nanoparticle_atoms.glb", "colors": srgb_bytes(ATOM_PALETTE[present_types]).tolist(),
         "tolerance": 6, "background": BACKGROUND},
        {"file": "galaxy_points.glb", "colors": galaxy_sample, "tolerance": 12, "background": BACKGROUND},
        {"file": "galaxy_points_compact.glb", "colors": galaxy_sample, "tolerance": 12, "background": BACKGROUND,
         "twin": "galaxy_points.glb"},
        {"file": "terrain_mesh.glb", "colors": srgb_bytes(terrain_colors[rng.choice(len(terrain_colors), 256), :3]).tolist(),
         "tolerance": 20, "hue": True, "background": BACKGROUND},
        {"file": "nanoparticle_spheres.glb",
         "colors": srgb_bytes(ATOM_PALETTE[sorted(set(np.minimum(np.unique(sphere_types), 7).tolist()))]).tolist(),
         "tolerance": 20, "hue": True, "background": BACKGROUND},
        {"file": "base_pair_ball_and_stick.glb", "colors": srgb_bytes(jmol_colors[base_pair_elements]).tolist(),
         "tolerance": 20, "hue": True, "background": BACKGROUND},
        {"file": "terrain_mesh_compact.glb", "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND,
         "twin": "terrain_mesh.glb"},
        {"file": "nanoparticle_atoms_compact.glb", "colors": srgb_bytes(ATOM_PALETTE[present_types]).tolist(),
         "tolerance": 6, "background": BACKGROUND, "twin": "nanoparticle_atoms.glb"},
        {"file": "base_pair_plain_triangles.glb", "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND,
         "twin": "base_pair_ball_and_stick.glb"},
        {"file": "copper_trajectory.glb", "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND,
         "frames": [0, 39]},
        {"file": TILESET, "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND, "zoom": 0.5},
        {"file": "tile_meshopt.glb", "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND},
        {"file": "salt_crystal.glb", "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND},
        {"file": "alloy_points.glb", "colors": srgb_bytes(jmol_colors[alloy_elements]).tolist(), "tolerance": 6,
         "background": BACKGROUND},
        {"file": "alloy_nanoparticle.glb", "colors": srgb_bytes(jmol_colors[alloy_elements]).tolist(), "tolerance": 20,
         "hue": True, "background": BACKGROUND},
    ]
    (folder / "expectations.json").write_text(json.dumps(expectations))
    results = check_pages(folder)
    files.append(("tile_meshopt.glb", "points", (folder / "tile_meshopt.glb").read_bytes(), 0, ""))
    return results, {"types": present_types, "files": {name: glb for name, _, glb, _, _ in files}, "tileset": tileset,
                     "elements": base_pair_elements, "alloy": alloy_elements, "atoms": len(base_pair()), "spheres": len(sphere_types),
                     "sphere_types": sorted(set(np.minimum(np.unique(sphere_types), 7).tolist()))}


def loaded(viewer_results, name):
    """The report of one file, which the page must have loaded without an error."""
    result = viewer_results[0][name]
    assert result["state"]["status"] == "ready" and not result["consoleErrors"], result
    return result


def test_atoms_show_as_points_in_palette_colours(viewer_results):
    result, facts = loaded(viewer_results, "nanoparticle_atoms.glb"), viewer_results[1]
    atoms = read_glb(facts["files"]["nanoparticle_atoms.glb"]).document["accessors"][0]["count"]
    assert result["state"]["objects"] == [{"type": "Points", "vertices": atoms}]
    assert result["foreground"] > 0.1 * result["pixels"]
    assert result["matched"] > 0.97 * result["foreground"]  # points are unlit: exactly the palette
    assert all(hits > 0 for hits in result["hits"]), result["hits"]  # every type shows somewhere


def test_point_cloud_shows_its_vertex_colours(viewer_results):
    result = loaded(viewer_results, "galaxy_points.glb")
    assert result["state"]["objects"] == [{"type": "Points", "vertices": 1_000_000}]
    assert result["foreground"] > 0.05 * result["pixels"]
    assert result["matched"] > 0.9 * result["foreground"]


def test_mesh_is_lit_with_its_vertex_colours(viewer_results):
    result = loaded(viewer_results, "terrain_mesh.glb")
    assert result["state"]["objects"] == [{"type": "Mesh", "vertices": 512 * 512, "indices": 6 * 511 * 511, "vertexColors": True}]
    assert result["foreground"] > 0.1 * result["pixels"]
    assert result["matched"] > 0.9 * result["considered"]  # hues of the vertex colours under white light
    assert result["considered"] > 0.3 * result["foreground"]


def test_compact_points_look_like_their_float32_twin(viewer_results):
    result = loaded(viewer_results, "galaxy_points_compact.glb")
    assert result["state"]["objects"] == [{"type": "Points", "vertices": 1_000_000}]
    assert result["matched"] > 0.9 * result["foreground"]
    assert result["twinDifference"] < 0.01, result["twinDifference"]  # 16-bit positions land on the same pixels


def test_spheres_show_as_lit_discs_in_their_palette_colours(viewer_results):
    result, facts = loaded(viewer_results, "nanoparticle_spheres.glb"), viewer_results[1]
    instances = [o for o in result["state"]["objects"] if o["type"] == "InstancedMesh"]
    assert sum(o["instances"] for o in instances) == facts["spheres"] and len(instances) == len(facts["sphere_types"])
    assert result["foreground"] > 0.1 * result["pixels"]
    assert result["matched"] > 0.9 * result["considered"]
    coloured = [hits for hits, row in zip(result["hits"], facts["sphere_types"]) if row != 7]  # light grey has no hue
    assert all(hits > 0 for hits in coloured), result["hits"]


def test_a_ball_and_stick_molecule_shows_atoms_as_discs_not_dots(viewer_results):
    result, facts = loaded(viewer_results, "base_pair_ball_and_stick.glb"), viewer_results[1]
    names = sorted(o["name"] for o in result["state"]["objects"])
    assert any(name.startswith("Bonds") for name in names) and any(name.startswith("Atoms") for name in names)
    # Discs of several pixels' radius: far more than a few pixels an atom, in each element's colour.
    assert result["foreground"] > facts["atoms"] * np.pi * 6 ** 2
    assert result["matched"] > 0.85 * result["considered"]
    coloured = [hits for hits, z in zip(result["hits"], facts["elements"]) if z in (7, 8)]  # N blue, O red
    assert coloured and all(hits > 4 * np.pi * 6 ** 2 for hits in coloured), result["hits"]
    assert result["neutral"] > 10 * np.pi * 6 ** 2  # the grey carbons and white hydrogens


def test_an_alloy_shows_each_element_in_its_own_colour(viewer_results):
    result, facts = loaded(viewer_results, "alloy_points.glb"), viewer_results[1]
    assert result["matched"] > 0.97 * result["foreground"]  # points are unlit: exactly Jmol's colours
    assert len(facts["alloy"]) == 4 and all(hits > 0 for hits in result["hits"]), result["hits"]  # Cu, Ni, Pt, Au
    spheres = loaded(viewer_results, "alloy_nanoparticle.glb")  # lit: by hue, but Pt's pale grey
    assert spheres["matched"] > 0.8 * spheres["considered"]
    assert all(hits > 0 for hits, z in zip(spheres["hits"], facts["alloy"]) if z != 78), spheres["hits"]


@pytest.mark.parametrize("name, indices", [
    ("terrain_mesh_compact.glb", 6 * 511 * 511),  # in primitives of 16-bit indices, every triangle
    ("nanoparticle_atoms_compact.glb", 0),
    ("base_pair_plain_triangles.glb", None)])
def test_compact_and_plain_files_look_like_their_twins(viewer_results, name, indices):
    """Quantised positions, 8-bit colours and normals, and spheres written as plain triangles, draw as their twins do."""
    result = loaded(viewer_results, name)
    if indices is not None:
        assert sum(o.get("indices", 0) for o in result["state"]["objects"]) == indices
    assert result["foreground"] > 0.02 * result["pixels"]
    assert result["twinDifference"] < 0.02, result["twinDifference"]


def document_of(glb):
    """The JSON chunk of a GLB, read with struct and json."""
    length, kind = struct.unpack_from("<I4s", glb, 12)
    assert kind == b"JSON"
    return json.loads(glb[20:20 + length])


def test_a_trajectory_plays_its_frames(viewer_results):
    """Frame k shows at time k / fps: two frames far apart look different, and the play button moves the time."""
    result = loaded(viewer_results, "copper_trajectory.glb")
    document = document_of(viewer_results[1]["files"]["copper_trajectory.glb"])
    frames = len(document["animations"][0]["channels"])
    first, last = result["frames"]["states"]
    assert first["frames"] == last["frames"] == frames == 40
    assert (first["frame"], last["frame"]) == (0, 39) and first["playing"] is False
    assert first["time"] == pytest.approx(0.05, abs=1e-6) and last["time"] == pytest.approx(3.95, abs=1e-6)  # mid-frame at 10 fps
    assert result["frames"]["difference"] > 0.002, result["frames"]  # the atoms moved
    assert result["played"]["playing"] is True and result["played"]["time"] != last["time"]


def test_a_tileset_shows_and_loads_deeper_tiles_when_the_camera_comes_closer(viewer_results):
    result, tileset = loaded(viewer_results, "survey_tileset"), viewer_results[1]["tileset"]
    before, after = result["zoomed"]["before"], result["zoomed"]["after"]
    assert 0 < before["visible"] and 0 < before["points"] < tileset.points and before["failed"] == 0
    assert result["foreground"] > 0.01 * result["pixels"]
    assert after["loaded"] > before["loaded"] and after["visible"] > before["visible"], result["zoomed"]
    assert after["points"] > 2 * before["points"] and shows_deeper_tiles(before, after), result["zoomed"]
    assert after["deepest"] < tileset.levels and after["failed"] == 0
    assert result["zoomed"]["foreground"] > result["foreground"]


def test_a_meshopt_compressed_tile_shows_its_points(viewer_results):
    result = loaded(viewer_results, "tile_meshopt.glb")
    document = document_of(viewer_results[1]["files"]["tile_meshopt.glb"])
    assert "EXT_meshopt_compression" in document["extensionsRequired"]
    points = document["accessors"][document["meshes"][0]["primitives"][0]["attributes"]["POSITION"]]["count"]
    assert result["state"]["objects"] == [{"type": "Points", "vertices": points}]
    assert result["foreground"] > min(points, 1000)  # a few pixels a point, some hidden behind others


def test_a_crystal_shows_its_cell_and_its_bonds(viewer_results):
    result = loaded(viewer_results, "salt_crystal.glb")
    kinds = {o["type"] for o in result["state"]["objects"]}
    names = " ".join(o.get("name", "") for o in result["state"]["objects"])
    assert "LineSegments" in kinds and "Bonds" in names and "Atoms" in names, result["state"]["objects"]
    assert result["foreground"] > 0.1 * result["pixels"]
