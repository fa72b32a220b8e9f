"""Atoms as spheres and sticks, read back independently: the instances of every
colour group are the atoms of that colour (in Morton order), the groups'
materials their colours (elements: ASE's Jmol colours), the radii the documented ones, and each bond
two half-sticks from its atoms to its middle."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_values, read_glb
from numpy_writers import morton_keys_numpy

EXTENSION = "EXT_mesh_gpu_instancing"


def instanced_groups(glb):
    """(node name, material colour, instance attributes as arrays, the mesh's POSITION values) per instanced node."""
    document = glb.document
    groups = []
    for node in document["nodes"]:
        attributes = node.get("extensions", {}).get(EXTENSION, {}).get("attributes")
        if attributes is None:
            continue
        (primitive,) = document["meshes"][node["mesh"]]["primitives"]
        colour = document["materials"][primitive["material"]]["pbrMetallicRoughness"]["baseColorFactor"][:3]
        groups.append((node["name"], colour, {k: accessor_values(glb, v) for k, v in attributes.items()},
                       accessor_values(glb, primitive["attributes"]["POSITION"])))
    return groups


def sphere_radius(mesh_positions, scale=1.0):
    return np.linalg.norm(mesh_positions, axis=1).max() * scale


@pytest.fixture(scope="module")
def ethanol():
    build = pytest.importorskip("ase.build")
    return build.molecule("CH3CH2OH")


def test_spheres_are_the_atoms_grouped_by_colour(validator, ethanol):
    glb = sa.from_ase(ethanol)  # spheres by default
    validator.assert_valid(glb)
    parsed = read_glb(glb)
    assert parsed.document["extensionsRequired"] == [EXTENSION]
    from ase.data.colors import jmol_colors

    seen = []
    for name, colour, instances, mesh in instanced_groups(parsed):
        members = np.flatnonzero(np.isclose(jmol_colors[ethanol.numbers], colour, atol=5e-7).all(1))
        translations = instances["TRANSLATION"]
        assert sorted(map(tuple, translations)) == sorted(map(tuple, ethanol.positions[members].astype(np.float32))), name
        radii = sa.elements.COVALENT_RADII[ethanol.numbers[members]]
        assert np.allclose(sphere_radius(mesh), radii, rtol=1e-6)  # one element per group here: no SCALE
        assert "SCALE" not in instances
        seen.extend(members)
    assert sorted(seen) == list(range(len(ethanol)))


def test_ball_and_stick_halves_run_from_each_atom_to_the_middle(validator, ethanol):
    from ase.neighborlist import natural_cutoffs, neighbor_list

    # ASE's neighbour list with the covalent radii plus 0.4 Å a pair, as the core finds bonds.
    first, second = neighbor_list("ij", ethanol, np.asarray(natural_cutoffs(ethanol)) + 0.2)
    bonds = np.stack([first[first < second], second[first < second]], axis=1)
    assert len(bonds) == 8  # C-C, C-O, O-H and five C-H
    glb = sa.from_ase(ethanol, style="ball-and-stick")
    validator.assert_valid(glb)
    positions = ethanol.positions.astype(np.float32).astype(np.float64)
    halves = []
    for name, colour, instances, mesh in instanced_groups(read_glb(glb)):
        if not name.startswith("Bonds"):
            assert np.allclose(sphere_radius(mesh), 0.5 * sa.elements.COVALENT_RADII[
                ethanol.numbers[np.isclose(positions, instances["TRANSLATION"][0]).all(1)]][0], rtol=1e-6)
            continue
        for start, rotation, scale in zip(instances["TRANSLATION"], instances["ROTATION"], instances["SCALE"]):
            x, y, z, w = rotation
            direction = np.array([2 * (x * y - w * z), 1 - 2 * (x * x + z * z), 2 * (y * z + w * x)])  # R applied to +y
            halves.append(np.concatenate([start, start + direction * scale[1]]))
    expected = []
    for a, b in bonds:
        middle = (positions[a] + positions[b]) / 2
        expected += [np.concatenate([positions[a], middle]), np.concatenate([positions[b], middle])]
    by_start = lambda rows: np.array(sorted(rows, key=lambda row: tuple(np.round(row[:3], 3))))
    assert len(halves) == len(expected) and np.allclose(by_start(halves), by_start(expected), atol=1e-5)


def test_types_radii_scales_and_morton_order(validator):
    rng = np.random.default_rng(21)
    positions = rng.random((3_000, 3)).astype(np.float32) * 30
    types = rng.integers(0, 9, 3_000)
    parsed = read_glb(sa.atoms(positions, types, style="spheres"))
    spacing = (30.0 ** 3 / 3_000) ** (1 / 3)
    for name, colour, instances, mesh in instanced_groups(parsed):
        assert np.isclose(sphere_radius(mesh), 0.5 * spacing, rtol=0.02)  # neighbours a spacing apart touch
        translations = instances["TRANSLATION"]
        keys = morton_keys_numpy(translations, positions.min(0).tolist(), positions.max(0).tolist())
        assert np.all(np.diff(keys.astype(np.int64)) >= 0), f"{name} is not in Morton order"
    radii = rng.uniform(0.2, 0.9, 3_000)
    scaled = read_glb(sa.atoms(positions, types, style="spheres", radii=radii))
    validator.assert_valid(sa.atoms(positions, types, style="spheres", radii=radii))
    found = {}
    for _, _, instances, mesh in instanced_groups(scaled):
        for at, scale in zip(instances["TRANSLATION"], instances["SCALE"]):
            found[tuple(at)] = scale[0] * sphere_radius(mesh)
    assert np.allclose([found[tuple(p)] for p in positions], radii.astype(np.float32), rtol=1e-6)


def test_plain_triangles_for_every_viewer(validator, ethanol):
    glb = sa.from_ase(ethanol, style="ball-and-stick", instancing=False)
    validator.assert_valid(glb)
    document = read_glb(glb).document
    assert "extensionsUsed" not in document and not any("extensions" in node for node in document["nodes"])
    parsed = read_glb(glb)
    hydrogen = next(n for n in document["nodes"] if n["name"] == "Atoms #ffffff")  # Jmol's white
    (primitive,) = document["meshes"][hydrogen["mesh"]]["primitives"]
    vertices = accessor_values(parsed, primitive["attributes"]["POSITION"]).reshape(-1, 42, 3)
    centres = vertices.mean(1)  # an icosphere's vertices average to its centre
    h = ethanol.positions[ethanol.numbers == 1]
    assert np.allclose(sorted(map(tuple, centres)), sorted(map(tuple, h)), atol=1e-5)
    with pytest.raises(ValueError, match="4 GiB"):  # 2 kB of triangles an atom: refused before any is made
        sa.atoms(np.zeros((2_200_000, 3), np.float32), style="spheres", instancing=False)
