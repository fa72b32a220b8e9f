"""Bonds as chemists draw them, found by the native core.

Two atoms are bonded when they lie closer than the sum of their covalent radii
(``elements.COVALENT_RADII``, Cordero et al. 2008) plus a tolerance, also across
the faces of a periodic cell. The result equals ASE's
``neighbor_list("ijS", atoms, cutoffs)`` with ``cutoffs = natural_cutoffs(atoms,
mult=1) + tolerance / 2``, with one direction kept per pair.
"""

from __future__ import annotations

from typing import overload

import numpy as np
import numpy.typing as npt

from . import _core
from ._inputs import array_of, factor_of, rows_of
from .elements import atomic_numbers_of

IntArray = npt.NDArray[np.int64]


def _cell_of(cell: npt.ArrayLike) -> list[float]:
    """Nine numbers, row by row: a (3, 3) lattice (an ASE Cell), or three box lengths."""
    array = array_of(cell, "cell")
    if array.dtype.kind not in "iuf":
        raise TypeError(f"cell must be real numbers, not {array.dtype}")
    if array.shape == (3,):
        array = np.diag(array)
    if array.shape != (3, 3):
        raise ValueError(f"cell must have shape (3, 3), one lattice vector per row (or (3,), a box's lengths), "
                         f"not {array.shape}")
    return [float(v) for v in array.astype(np.float64).reshape(9)]


def _pbc_of(pbc: npt.ArrayLike) -> tuple[bool, bool, bool]:
    """Three booleans, or one for all three axes."""
    array = array_of(pbc, "pbc")
    if array.dtype != np.bool_:
        raise TypeError(f"pbc must be booleans (True, or three of them), not {array.dtype}")
    if array.shape not in ((), (3,)):
        raise ValueError(f"pbc must be one boolean or three, not shape {array.shape}")
    x, y, z = (bool(v) for v in np.broadcast_to(array, (3,)))
    return x, y, z


@overload
def bonds(positions: npt.ArrayLike, elements: npt.ArrayLike, *, cell: None = None,
          pbc: npt.ArrayLike | None = None, tolerance: float = 0.4) -> IntArray: ...
@overload
def bonds(positions: npt.ArrayLike, elements: npt.ArrayLike, *, cell: npt.ArrayLike,
          pbc: npt.ArrayLike | None = None, tolerance: float = 0.4) -> tuple[IntArray, IntArray]: ...
def bonds(positions: npt.ArrayLike, elements: npt.ArrayLike, *, cell: npt.ArrayLike | None = None,
          pbc: npt.ArrayLike | None = None, tolerance: float = 0.4) -> IntArray | tuple[IntArray, IntArray]:
    """The bonded atom pairs: closer than the sum of their covalent radii plus tolerance (ångström).

    positions: (n, 3) numbers in ångström. elements: atomic numbers (0 to 118) or symbols, one per atom.

    Without a cell: an (m, 2) int64 array of pairs (i, j), i < j. With a cell
    ((3, 3) lattice vectors as rows, such as an ASE Cell, or three box lengths):
    a tuple (pairs, shifts), shifts an (m, 3) int64 array of cell shifts S, so that
    bond k joins atom i to the image of atom j at ``positions[j] + S @ cell``; S is
    0 along axes that do not repeat. pbc: which axes repeat (one boolean or three),
    all when omitted with a cell. An atom may bond to another's image several
    times, and to an image of its own in a small cell: then i == j and S has its
    first non-zero component positive (the bond to the image at -S is the same).
    Pairs are sorted by i, then j, then S.

    For ASE's atoms: ``bonds(atoms.positions, atoms.numbers, cell=atoms.cell, pbc=atoms.pbc)``.
    """
    points = rows_of(positions, "positions")
    numbers = atomic_numbers_of(elements) if np.size(elements) else np.zeros(0, np.uint8)
    if cell is None and pbc is not None and any(_pbc_of(pbc)):
        raise ValueError("pbc needs a cell: pass cell= with the lattice vectors that repeat")
    lattice = None if cell is None else _cell_of(cell)
    periodic = (True, True, True) if pbc is None else _pbc_of(pbc)
    pairs, shifts = _core.bonds(points, numbers, lattice, periodic, factor_of(tolerance, "tolerance"))
    pair_rows = np.frombuffer(pairs, np.uint32).astype(np.int64).reshape(-1, 2)
    if cell is None:
        return pair_rows
    return pair_rows, np.frombuffer(shifts, np.int32).astype(np.int64).reshape(-1, 3)
