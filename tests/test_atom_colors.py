"""Atom colours read back from the files: elements in Jmol's colours (ASE's table as
the reference), up to eight a file, the element table's families beyond; a palette
of the caller's for types, as floats and as 8-bit integers."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_values, read_glb
from numpy_writers import ATOM_PALETTE

jmol = pytest.importorskip("ase.data.colors").jmol_colors
RNG = np.random.default_rng(11)


def drawn_colours(glb, positions):
    """The colour each input atom is drawn in (the nearest drawn atom's): points by their COLOR_0, spheres by
    their group's material."""
    from scipy.spatial import cKDTree

    parsed = read_glb(glb)
    document = parsed.document
    places, colours = [], []
    for node in document["nodes"]:
        if "mesh" not in node or "Bonds" in node.get("name", ""):
            continue
        (primitive,) = document["meshes"][node["mesh"]]["primitives"]
        instances = node.get("extensions", {}).get("EXT_mesh_gpu_instancing")
        if instances:
            at = accessor_values(parsed, instances["attributes"]["TRANSLATION"])
            colour = document["materials"][primitive["material"]]["pbrMetallicRoughness"]["baseColorFactor"][:3]
            colours.append(np.tile(colour, (len(at), 1)))
        else:
            at = accessor_values(parsed, primitive["attributes"]["POSITION"])
            if "translation" in node:  # compact: restored by the node
                at = at * node["scale"] + node["translation"]
            colours.append(accessor_values(parsed, primitive["attributes"]["COLOR_0"])[:, :3])
        places.append(at)
    _, nearest = cKDTree(np.concatenate(places)).query(positions)
    return np.concatenate(colours)[nearest]


WITHIN = 0.5 / 255  # 8-bit colours of compact files, materials' factors written with four decimals
ALLOY = np.array([26, 29, 28, 78, 14, 22, 1, 8])  # Fe Cu Ni Pt Si Ti H O


@pytest.mark.parametrize("style, encoding", [("points", "float32"), ("points", "compact"), ("spheres", "compact"),
                                             ("ball-and-stick", "float32")])
def test_up_to_eight_elements_each_in_its_own_colour(validator, style, encoding):
    numbers = ALLOY[np.arange(400) % 8]
    positions = np.stack(np.meshgrid(*[np.arange(8.0) * 3] * 3), -1).reshape(-1, 3)[:400] + RNG.random((400, 3)) * 0.1
    glb = sa.atoms(positions, elements=numbers, style=style, encoding=encoding)
    validator.assert_valid(glb)
    assert np.abs(drawn_colours(glb, positions) - jmol[numbers]).max() <= WITHIN
    assert len({tuple(c) for c in jmol[ALLOY]}) == 8  # the common metals no longer share one grey


def test_more_than_eight_elements_keep_the_families(validator):
    numbers = np.array([26, 29, 28, 78, 14, 22, 1, 8, 6, 7])
    positions = RNG.random((10, 3)) * 10
    glb = sa.atoms(positions, elements=numbers)
    validator.assert_valid(glb)
    expected = ATOM_PALETTE[sa.elements.SLOT_BY_NUMBER[numbers]]
    assert np.allclose(drawn_colours(glb, positions), expected, atol=1e-6)


@pytest.mark.parametrize("encoding", ["float32", "compact"])
def test_a_palette_of_the_callers_colours_types(validator, encoding):
    positions = RNG.random((300, 3)) * 20
    types = RNG.integers(0, 12, 300)
    palette = RNG.integers(0, 256, (8, 3)).astype(np.uint8)
    glb = sa.atoms(positions, types, palette=palette, style="spheres", encoding=encoding)
    validator.assert_valid(glb)
    assert np.abs(drawn_colours(glb, positions) - palette[np.minimum(types, 7)] / 255).max() <= WITHIN
    floats = RNG.random((3, 3))
    glb = sa.atoms(positions, types % 3, palette=floats, encoding=encoding)
    assert np.abs(drawn_colours(glb, positions) - floats[types % 3]).max() <= WITHIN
