"""sa.bonds against ASE's neighbour list: the same pairs and cell shifts, on
molecules, crystals and random periodic and non-periodic atoms, and the errors
of bad input."""

import numpy as np
import pytest
from ase import Atoms
from ase.build import bulk, molecule
from ase.neighborlist import natural_cutoffs, neighbor_list

import spatial_assembler as sa

RNG = np.random.default_rng(7)
ELEMENTS = np.array([1, 6, 7, 8, 16, 29, 78])  # H, C, N, O, S, Cu, Pt


def ase_bonds(atoms, tolerance=0.4):
    """ASE's (i, j, S) rows with one direction per pair: i < j, or i == j with S's first non-zero component
    positive, sorted by i, j, S."""
    cutoffs = np.array(natural_cutoffs(atoms, mult=1)) + tolerance / 2
    i, j, shifts = neighbor_list("ijS", atoms, cutoffs)
    first_nonzero = np.where(shifts[:, 0] != 0, shifts[:, 0], np.where(shifts[:, 1] != 0, shifts[:, 1], shifts[:, 2]))
    keep = (i < j) | ((i == j) & (first_nonzero > 0))
    rows = np.column_stack([i[keep], j[keep], shifts[keep]])
    return rows[np.lexsort(rows.T[::-1])]


def our_bonds(atoms, tolerance=0.4):
    pairs, shifts = sa.bonds(atoms.positions, atoms.numbers, cell=atoms.cell, pbc=atoms.pbc, tolerance=tolerance)
    assert pairs.dtype == np.int64 and shifts.dtype == np.int64
    return np.column_stack([pairs, shifts])


def random_atoms(count, cell, pbc, spread=1.0):
    """count atoms of mixed elements, scattered over spread times the cell (so some lie outside it)."""
    fractions = RNG.random((count, 3)) * spread - (spread - 1) / 2
    return Atoms(numbers=RNG.choice(ELEMENTS, count), positions=fractions @ np.asarray(cell), cell=cell, pbc=pbc)


def triclinic(lengths, tilt):
    cell = np.diag(lengths).astype(float)
    cell[1, 0], cell[2, 0], cell[2, 1] = tilt * lengths[0], -tilt * lengths[0], tilt * lengths[1]
    return cell


def test_copper_has_twelve_neighbours():
    crystal = bulk("Cu", "fcc", a=3.61).repeat(3)
    rows = our_bonds(crystal)
    assert np.array_equal(rows, ase_bonds(crystal))
    neighbours = np.bincount(rows[:, :2].ravel(), minlength=len(crystal))
    assert (neighbours == 12).all()


@pytest.mark.parametrize("name", ["CH3CH2OH", "C6H6", "H2O", "CH3COOH", "C60", "NH3", "SiH4"])
def test_molecules_match_ase(name):
    atoms = molecule(name)
    pairs = sa.bonds(atoms.positions, atoms.numbers)
    assert np.array_equal(pairs, ase_bonds(atoms)[:, :2])
    # Symbols, float32 positions and the molecule's zero cell with pbc off give the same pairs.
    same = sa.bonds(atoms.positions.astype(np.float32), atoms.get_chemical_symbols())
    assert np.array_equal(same, ase_bonds(Atoms(atoms.numbers, atoms.positions.astype(np.float32)))[:, :2])
    with_cell, shifts = sa.bonds(atoms.positions, atoms.numbers, cell=atoms.cell, pbc=atoms.pbc)
    assert np.array_equal(with_cell, pairs) and not shifts.any()


CELLS = {
    "orthogonal": (np.diag([9.0, 10.0, 11.0]), [True, True, True], 150),
    "triclinic": (triclinic([9.0, 8.0, 10.0], 0.4), [True, True, True], 150),
    "strongly sheared": (triclinic([8.0, 8.0, 8.0], 1.3), [True, True, True], 120),
    "a slab, z not periodic": (triclinic([9.0, 9.0, 14.0], 0.3), [True, True, False], 150),
    "a wire, only z periodic": (np.diag([12.0, 12.0, 7.0]), [False, False, True], 120),
    "small: atoms bond to their own images": (triclinic([2.3, 2.6, 2.4], 0.2), [True, True, True], 3),
    "thinner than a bond along x": (np.diag([0.9, 5.0, 6.0]), [True, True, True], 8),
    "one atom in a tiny cell": (np.diag([1.1, 1.3, 1.2]), [True, True, True], 1),
    "large": (np.diag([40.0, 40.0, 40.0]), [True, True, True], 3000),
}


@pytest.mark.parametrize("case", CELLS, ids=list(CELLS))
def test_random_periodic_atoms_match_ase(case):
    cell, pbc, count = CELLS[case]
    for spread in (1.0, 2.5):  # inside the cell, and scattered over neighbouring cells too
        atoms = random_atoms(count, cell, pbc, spread)
        rows = our_bonds(atoms)
        assert np.array_equal(rows, ase_bonds(atoms)), case
        assert (rows[:, 0] <= rows[:, 1]).all()
        assert not rows[:, 2:][:, np.logical_not(pbc)].any()
    if "own images" in case or "tiny" in case:
        assert (rows[:, 0] == rows[:, 1]).any()


def test_a_zero_lattice_vector_along_an_axis_that_does_not_repeat():
    cell = np.array([[6.0, 0, 0], [1.0, 7.0, 0], [0, 0, 0]])
    atoms = random_atoms(80, np.diag([6.0, 7.0, 10.0]), [True, True, False])
    atoms.set_cell(cell)
    assert np.array_equal(our_bonds(atoms), ase_bonds(atoms))


@pytest.mark.parametrize("tolerance", [0.0, 0.4, 1.5])
def test_random_molecules_match_ase(tolerance):
    atoms = Atoms(numbers=RNG.choice(ELEMENTS, 400), positions=RNG.normal(scale=6.0, size=(400, 3)))
    assert np.array_equal(sa.bonds(atoms.positions, atoms.numbers, tolerance=tolerance),
                          ase_bonds(atoms, tolerance)[:, :2])


def test_far_apart_atoms_and_extreme_positions():
    # A few atoms kilometres apart, two of them bonded: the grid stays small.
    positions = np.array([[0, 0, 0], [1e7, 0, 0], [1e7 + 1.0, 0, 0], [0, -3e7, 5e6]])
    assert sa.bonds(positions, [6, 6, 6, 6]).tolist() == [[1, 2]]
    # Every atom at one point: all pairs bonded, each once.
    assert sa.bonds(np.zeros((5, 3)), [1] * 5).tolist() == [[i, j] for i in range(5) for j in range(i + 1, 5)]


def test_no_atoms_and_one_atom():
    assert sa.bonds(np.zeros((0, 3)), []).shape == (0, 2)
    pairs, shifts = sa.bonds(np.zeros((0, 3)), [], cell=np.eye(3) * 5)
    assert pairs.shape == (0, 2) and shifts.shape == (0, 3)
    assert sa.bonds([[0, 0, 0]], ["C"]).shape == (0, 2)


def test_box_lengths_and_one_pbc_for_all():
    atoms = random_atoms(60, np.diag([5.0, 6.0, 7.0]), [True, True, True])
    pairs, shifts = sa.bonds(atoms.positions, atoms.numbers, cell=[5.0, 6.0, 7.0], pbc=True)
    assert np.array_equal(np.column_stack([pairs, shifts]), ase_bonds(atoms))


@pytest.mark.parametrize("arguments, error, words", [
    (dict(cell=np.zeros((3, 3))), ValueError, "cell is singular"),
    (dict(cell=[[4, 0, 0], [8, 0, 0], [0, 0, 4]]), ValueError, "cell is singular"),
    (dict(cell=np.ones((2, 3))), ValueError, "cell must have shape (3, 3)"),
    (dict(cell=[[4, 0, 0], [0, float("nan"), 0], [0, 0, 4]]), ValueError, "cell must be finite numbers, but row 1, column 1"),
    (dict(cell=[[1e-6, 0, 0], [0, 4, 0], [0, 0, 4]]), ValueError, "cell is too thin"),
    (dict(cell=np.eye(3) * 4, pbc=[True, False]), ValueError, "pbc must be one boolean or three"),
    (dict(cell=np.eye(3) * 4, pbc=[1, 0, 1]), TypeError, "pbc must be booleans"),
    (dict(pbc=True), ValueError, "pbc needs a cell"),
    (dict(tolerance=-0.1), ValueError, "tolerance must not be negative"),
    (dict(tolerance=float("nan")), ValueError, "tolerance must be a finite number"),
])
def test_bad_options_name_the_argument(arguments, error, words):
    with pytest.raises(error, match=None) as raised:
        sa.bonds([[0, 0, 0], [1, 0, 0], [0, 1, 0]], [6, 8, 1], **arguments)
    assert words in str(raised.value)


@pytest.mark.parametrize("positions, elements, error, words", [
    ([[0, 0, 0], [0, float("nan"), 0]], [6, 6], ValueError, "positions must be finite numbers, but row 1, column 1 holds nan"),
    ([[0, 0, 0], [1, 1, 1]], [6], ValueError, "elements must have one row per atom (2), not 1"),
    ([[0, 0, 0], [1, 1, 1]], [6, 119], ValueError, "119 is not an atomic number"),
    ([[0, 0, 0], [1, 1, 1]], ["C", "Xx"], ValueError, "'Xx' is not an element symbol (row 1)"),
    ([0, 0, 0], [6], ValueError, "positions must have shape (n, 3)"),
    (RNG.random((2000, 3)), [6] * 2000, ValueError, "so densely that the atoms would have more than 1048576 bonds"),  # positions in nm, say
])
def test_bad_atoms_name_the_argument_and_row(positions, elements, error, words):
    with pytest.raises(error) as raised:
        sa.bonds(positions, elements)
    assert words in str(raised.value)


def test_positions_far_outside_a_periodic_cell():
    with pytest.raises(ValueError, match="positions must lie within 2\\*\\*29 cells .* row 1, column 0"):
        sa.bonds([[0, 0, 0], [1e12, 0, 0]], [6, 6], cell=np.eye(3) * 3)
