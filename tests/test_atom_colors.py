"""Atom colours read back with struct and json: every atom, in every style and
encoding, drawn in the colour asked for within 1/255 (elements against ASE's
Jmol colours, palettes, per-atom colours, colour maps against matplotlib)."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_values, node_transform, read_glb

EXTENSION = "EXT_mesh_gpu_instancing"
RNG = np.random.default_rng(7)
STYLES = [("points", "float32", True), ("points", "compact", True), ("spheres", "float32", True),
          ("ball-and-stick", "compact", True), ("spheres", "float32", False), ("ball-and-stick", "compact", False)]


def drawn_atoms(glb: bytes):
    """(centre, RGB) of every point or sphere the file draws, from its nodes alone."""
    parsed = read_glb(glb)
    document = parsed.document
    centres, colours = [], []
    for node in document["nodes"]:
        if "mesh" not in node or node.get("name", "").startswith("Bonds") or node.get("name") == "Cell":
            continue
        translation, scale = node_transform(node)
        (primitive,) = document["meshes"][node["mesh"]]["primitives"]
        material = document["materials"][primitive["material"]] if "material" in primitive else None
        base = (material or {}).get("pbrMetallicRoughness", {}).get("baseColorFactor", [1, 1, 1, 1])[:3]
        positions = accessor_values(parsed, primitive["attributes"]["POSITION"]) * scale + translation
        instances = node.get("extensions", {}).get(EXTENSION, {}).get("attributes")
        if instances is not None:
            at = accessor_values(parsed, instances["TRANSLATION"])
            centres.append(at)
            per_instance = instances.get("_COLOR_0")
            colours.append(accessor_values(parsed, per_instance) * base if per_instance is not None
                           else np.tile(base, (len(at), 1)))
        elif primitive.get("mode") == 0:  # points
            centres.append(positions)
            colours.append(accessor_values(parsed, primitive["attributes"]["COLOR_0"])[:, :3])
        else:  # plain spheres: an icosphere's 42 vertices average to its centre
            sphere_centres = positions.reshape(-1, 42, 3).mean(1)
            centres.append(sphere_centres)
            per_vertex = primitive["attributes"].get("COLOR_0")
            colours.append(accessor_values(parsed, per_vertex).reshape(-1, 42, 3).mean(1) * base if per_vertex is not None
                           else np.tile(base, (len(sphere_centres), 1)))
    return np.concatenate(centres), np.concatenate(colours)


def assert_drawn_in(glb, positions, expected, validator):
    validator.assert_valid(glb)
    centres, colours = drawn_atoms(glb)
    assert len(centres) == len(positions)
    nearest = np.linalg.norm(positions[:, None, :] - centres[None, :, :], axis=2).argmin(1)
    assert sorted(nearest) == list(range(len(positions)))  # each atom drawn once
    assert np.abs(colours[nearest] - np.asarray(expected)[:, :3]).max() <= 1 / 255 + 1e-6


@pytest.mark.parametrize("style,encoding,instancing", STYLES)
def test_every_source_draws_each_atom_in_its_colour(validator, style, encoding, instancing):
    from ase.data.colors import jmol_colors
    import matplotlib

    n = 40
    positions = RNG.random((n, 3)) * 20
    kinds = dict(style=style, encoding=encoding, instancing=instancing, radius=None if style == "points" else 0.2,
                 bonds=[[0, 1], [2, 3]] if style == "ball-and-stick" else None)
    numbers = RNG.choice([26, 29, 28, 78, 14, 22, 1, 8, 6, 7], n)
    assert_drawn_in(sa.atoms(positions, elements=numbers, **kinds), positions, jmol_colors[numbers], validator)
    types = RNG.integers(0, 4, n)
    palette = RNG.integers(0, 256, (4, 3)).astype(np.uint8)
    assert_drawn_in(sa.atoms(positions, types, palette=palette, **kinds), positions, palette[types] / 255, validator)
    per_atom = RNG.random((n, 3))
    assert_drawn_in(sa.atoms(positions, colors=per_atom, **kinds), positions, per_atom, validator)
    values = RNG.normal(size=n)
    expected = matplotlib.colormaps["magma"](matplotlib.colors.Normalize(-1, 1)(values))
    assert_drawn_in(sa.atoms(positions, values=values, cmap="magma", vmin=-1, vmax=1, **kinds), positions, expected,
                    validator)
    # A matplotlib Colormap object, sampled to 256 colours: the same file as its name.
    assert sa.atoms(positions, values=values, cmap=matplotlib.colormaps["magma"], vmin=-1, vmax=1, **kinds) == \
        sa.atoms(positions, values=values, cmap="magma", vmin=-1, vmax=1, **kinds)


def test_metals_and_light_elements_have_distinct_colours(validator):
    symbols = ["Fe", "Cu", "Ni", "Pt", "Si", "Ti", "H", "O", "C", "N"]
    positions = np.arange(30.0).reshape(10, 3)
    glb = sa.atoms(positions, elements=symbols, style="spheres", radius=0.3)
    _, colours = drawn_atoms(glb)
    assert len({tuple(np.round(c * 255)) for c in colours}) == 10
    materials = read_glb(glb).document["materials"]
    assert len(materials) == 10  # one instanced mesh and material per colour


def test_many_colours_go_per_instance_and_options_reach_every_face(validator):
    n = 600  # more distinct colours than meshes are made for: one mesh, a _COLOR_0 per instance
    positions = RNG.random((n, 3)) * 50
    per_atom = RNG.integers(0, 256, (n, 3)).astype(np.uint8)
    glb = sa.atoms(positions, colors=per_atom, style="ball-and-stick", bonds=[[0, 1]], radius=0.2)
    assert_drawn_in(glb, positions, per_atom / 255, validator)
    document = read_glb(glb).document
    assert len(document["meshes"]) == 2 and all("_COLOR_0" in n["extensions"][EXTENSION]["attributes"]
                                                for n in document["nodes"] if "extensions" in n)
    for encoding in ("float32", "compact"):  # plain triangles: one primitive of coloured vertices each way
        plain = sa.atoms(positions, colors=per_atom, style="ball-and-stick", bonds=[[0, 1]], radius=0.2,
                         instancing=False, encoding=encoding)
        assert_drawn_in(plain, positions, per_atom / 255, validator)
        assert len(read_glb(plain).document["meshes"]) == 2
    frames = np.stack([positions, positions + 1])
    trajectory = sa.trajectory(frames, colors=per_atom, style="spheres", radius=0.2)
    validator.assert_valid(trajectory)
    scene = sa.Scene().atoms(positions, colors=per_atom, style="spheres", radius=0.2)
    assert scene.glb() == sa.atoms(positions, colors=per_atom, style="spheres", radius=0.2)
    ase = pytest.importorskip("ase")
    crystal = ase.Atoms("Cu4", positions=RNG.random((4, 3)) * 4)
    charges = np.array([0.1, -0.2, 0.3, 0.0])
    assert sa.from_ase(crystal, values=charges, cmap="coolwarm") == sa.atoms(
        crystal.positions, elements=crystal.numbers, values=charges, cmap="coolwarm", style="spheres")


def test_crowded_atoms_of_many_colours_keep_their_order_and_colours():
    from ase.data.colors import jmol_colors

    # More atoms in one cell than a bucket holds: the entry sort, with the colours read by atom index.
    numbers = RNG.choice([26, 29, 28, 78, 14, 22, 1, 8, 6, 7], 140_000)
    glb = sa.atoms(np.zeros((len(numbers), 3)), elements=numbers)
    parsed = read_glb(glb)
    (primitive,) = parsed.document["meshes"][0]["primitives"]
    colours = accessor_values(parsed, primitive["attributes"]["COLOR_0"])
    assert np.array_equal(colours, jmol_colors[numbers].astype(np.float32))  # equal atoms keep their input order
