"""Crystals: the unit cell drawn as its 12 edges, and bonds across a periodic
boundary drawn as half-sticks that point at the other atom's image, compared
with numpy and with ASE's own neighbour list."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_values, read_glb

RNG = np.random.default_rng(23)
CELL = np.array([[4.0, 0.0, 0.0], [1.0, 3.5, 0.0], [0.5, 0.7, 5.0]])  # triclinic


def node_named(document, name):
    return next(node for node in document["nodes"] if node["name"] == name)


def cell_lines(glb):
    """The Cell node's corners and its edges as (start, end) pairs of points."""
    primitive = glb.document["meshes"][node_named(glb.document, "Cell")["mesh"]]["primitives"][0]
    assert primitive["mode"] == 1  # LINES
    corners = accessor_values(glb, primitive["attributes"]["POSITION"])
    pairs = accessor_values(glb, primitive["indices"]).reshape(-1, 2)
    return corners, corners[pairs]


@pytest.mark.parametrize("style", ["points", "spheres"])
def test_the_cell_is_drawn_as_its_edges(validator, style):
    positions = RNG.random((20, 3)) @ CELL
    glb = read_glb(sa.atoms(positions, elements=[14] * 20, style=style, cell=CELL))
    corners, edges = cell_lines(glb)
    expected = np.array([[i, j, k] for i in (0, 1) for j in (0, 1) for k in (0, 1)]) @ CELL
    assert sorted(map(tuple, np.round(corners.astype(float), 4))) == sorted(map(tuple, np.round(expected, 4)))
    # 12 edges, each one lattice vector long: four along each vector.
    steps = edges[:, 1] - edges[:, 0]
    assert len(steps) == 12
    for vector in CELL:
        assert np.sum(np.all(np.isclose(steps, vector, atol=1e-5), axis=1)) == 4
    validator.assert_valid(sa.atoms(positions, style=style, cell=CELL, encoding="compact"),
                           sa.atoms(positions, style=style, cell=CELL))


def same_points(found, expected, tolerance):
    """The same rows in any order: each matched to one of the others within the tolerance."""
    unmatched = list(map(np.asarray, expected))
    for row in found:
        distances = [np.linalg.norm(row - other) for other in unmatched]
        if not distances or min(distances) > tolerance:
            return False
        unmatched.pop(int(np.argmin(distances)))
    return not unmatched


def rotate(quaternion, vector):
    """A unit quaternion (x, y, z, w) applied to a vector."""
    q, w, v = np.asarray(quaternion[:3], float), float(quaternion[3]), np.asarray(vector, float)
    return v + 2 * np.cross(q, np.cross(q, v) + w * v)


def test_bonds_across_the_boundary_point_at_the_image(validator):
    ase_build = pytest.importorskip("ase.build")
    neighborlist = pytest.importorskip("ase.neighborlist")
    crystal = ase_build.bulk("Si", "diamond", a=5.43)  # two atoms: every bond crosses a boundary
    first, second, shift = neighborlist.neighbor_list("ijS", crystal, 2.5)
    keep = first < second
    pairs, shifts = np.stack([first[keep], second[keep]], 1), shift[keep]
    glb = read_glb(sa.atoms(crystal.positions, elements=crystal.numbers, style="ball-and-stick",
                            bonds=(pairs, shifts), cell=crystal.cell))
    document = glb.document
    sticks = [node for node in document["nodes"] if node["name"].startswith("Bonds")]
    attributes = [node["extensions"]["EXT_mesh_gpu_instancing"]["attributes"] for node in sticks]
    translations = np.concatenate([accessor_values(glb, a["TRANSLATION"]) for a in attributes])
    rotations = np.concatenate([accessor_values(glb, a["ROTATION"]) for a in attributes])
    scales = np.concatenate([accessor_values(glb, a["SCALE"]) for a in attributes])
    halves = translations + np.array([rotate(q, [0, s[1], 0]) for q, s in zip(rotations, scales)])
    cell = np.asarray(crystal.cell)
    expected_from = np.concatenate([crystal.positions[pairs[:, 0]], crystal.positions[pairs[:, 1]]])
    images = np.concatenate([crystal.positions[pairs[:, 1]] + shifts @ cell, crystal.positions[pairs[:, 0]] - shifts @ cell])
    expected_middle = (expected_from + images) / 2  # each half ends at the bond's middle, between atom and image
    assert same_points(translations, expected_from, 1e-5) and same_points(halves, expected_middle, 1e-4)
    validator.assert_valid(sa.atoms(crystal.positions, elements=crystal.numbers, style="ball-and-stick",
                                    bonds=(pairs, shifts), cell=crystal.cell, instancing=False))


def test_bad_cells_and_shifts_are_refused():
    positions = RNG.random((4, 3))
    with pytest.raises(ValueError, match="^cell is singular: its lattice vectors span no volume"):
        sa.atoms(positions, cell=[[1, 0, 0], [0, 1, 0], [1, 1, 0]])
    with pytest.raises(ValueError, match=r"^cell must be three lattice vectors .* shape \(2, 3\)"):
        sa.atoms(positions, cell=np.eye(3)[:2])
    with pytest.raises(ValueError, match="^cell must be finite numbers"):
        sa.atoms(positions, cell=np.diag([1, np.nan, 1]))
    bonds = ([[0, 1]], [[1, 0, 0]])
    with pytest.raises(TypeError, match="^bonds with cell shifts need the cell"):
        sa.atoms(positions, style="ball-and-stick", bonds=bonds)
    with pytest.raises(ValueError, match=r"^bond shifts must have one row per"):
        sa.atoms(positions, style="ball-and-stick", bonds=([[0, 1], [1, 2]], [[1, 0, 0]]), cell=np.eye(3))
    # An atom may bond to its own image, never to itself.
    sa.atoms(positions, style="ball-and-stick", bonds=([[2, 2]], [[0, 1, 0]]), cell=np.eye(3))
    with pytest.raises(ValueError, match="joins atom 2 to itself"):
        sa.atoms(positions, style="ball-and-stick", bonds=([[2, 2]], [[0, 0, 0]]), cell=np.eye(3))


def test_bonds_are_found_from_the_elements(validator):
    ase_build = pytest.importorskip("ase.build")
    copper = ase_build.bulk("Cu", "fcc", a=3.61, cubic=True).repeat(2)  # 32 atoms, 12 neighbours each
    found = read_glb(sa.atoms(copper.positions, elements=copper.numbers, style="ball-and-stick", cell=copper.cell))
    sticks = [node for node in found.document["nodes"] if node["name"].startswith("Bonds")]
    halves = sum(found.document["accessors"][node["extensions"]["EXT_mesh_gpu_instancing"]["attributes"]["TRANSLATION"]]
                 ["count"] for node in sticks)
    assert halves == 12 * len(copper)  # each bond two halves, each atom 12 bonds
    # The same as the bonds that spatial_assembler.bonds finds, given.
    given = sa.bonds(copper.positions, copper.numbers, cell=copper.cell, pbc=copper.pbc)
    assert sa.atoms(copper.positions, elements=copper.numbers, style="ball-and-stick", cell=copper.cell) == \
        sa.atoms(copper.positions, elements=copper.numbers, style="ball-and-stick", cell=copper.cell, bonds=given)
    # from_ase draws a crystal's cell and its periodic bonds by default.
    assert sa.from_ase(copper, style="ball-and-stick") == sa.atoms(
        copper.positions, elements=copper.numbers, style="ball-and-stick", cell=copper.cell, bonds=True)
    assert "Cell" in [node["name"] for node in read_glb(sa.from_ase(copper)).document["nodes"]]
    assert "Cell" not in [node["name"] for node in read_glb(sa.from_ase(copper, cell=False)).document["nodes"]]
    # Without periodic axes, nothing crosses the cell's faces.
    molecule_like = sa.atoms(copper.positions, elements=copper.numbers, style="ball-and-stick", cell=copper.cell, pbc=False)
    assert molecule_like == sa.atoms(copper.positions, elements=copper.numbers, style="ball-and-stick", cell=copper.cell,
                                     bonds=sa.bonds(copper.positions, copper.numbers))
    validator.assert_valid(sa.from_ase(copper, style="ball-and-stick", encoding="compact"))
    with pytest.raises(TypeError, match="^bonds=True finds bonds from the atoms' elements"):
        sa.atoms(copper.positions, style="ball-and-stick", bonds=True)
    with pytest.warns(UserWarning, match="draw no sticks"):
        sa.atoms(copper.positions, types=[1] * len(copper), style="ball-and-stick")
