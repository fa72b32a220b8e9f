"""Chemical elements: their colours, their rows of the atom palette, and their radii.

The atom builders draw elements in their own colours (``COLORS``: Jmol's, as
ASE publishes them). For callers who draw elements as types, ``palette_slots``
maps them onto the eight rows of the atom palette, close to the colours
chemists know (CPK):

========  ==================  =============================================
Row       Colour              Elements
========  ==================  =============================================
0         grey (0.5)          C
1         red                 O, Br
2         green               F, Cl; Be, Mg, Ca, Sr, Ba, Ra
3         blue                N
4         yellow              S, Au
5         magenta (violet)    P, I; Li, Na, K, Rb, Cs, Fr
6         cyan                He, Ne, Ar, Kr, Xe, Rn
7         light grey (0.6)    H, and every other element (metals are
                              silvery), and atomic number 0 (ASE's dummy X)
========  ==================  =============================================

The palette has no orange, so phosphorus (orange in CPK) shares magenta with
the violet halogen and alkali metals, which keeps it apart from sulfur.

Spheres are drawn with the covalent radius (``COVALENT_RADII``, in ångström,
after Cordero et al. 2008): ``style="spheres"`` at the full radius, so that
bonded neighbours touch, ``"ball-and-stick"`` at half of it, leaving room for
the sticks. The table lives in the native core, so that Node draws the same.
"""

from __future__ import annotations

from collections.abc import Iterable

import numpy as np
import numpy.typing as npt

from . import _core

_symbols, _rows, _radii = _core.element_table()

SYMBOLS: tuple[str, ...] = tuple(_symbols)
"""Element symbols by atomic number; 0 is ASE's dummy atom X."""

GREY, RED, GREEN, BLUE, YELLOW, MAGENTA, CYAN, LIGHT_GREY = range(8)

SLOT_BY_NUMBER: npt.NDArray[np.uint16] = np.frombuffer(_rows, np.uint8).astype(np.uint16)
"""The palette row (type id) of each atomic number 0 to 118."""

COVALENT_RADII: npt.NDArray[np.float32] = np.array(_radii, np.float32)
"""The covalent radius of each atomic number 0 to 118, in ångström."""

COLORS: npt.NDArray[np.float32] = np.frombuffer(_core.element_colors(), np.float32).reshape(-1, 3)
"""The colour chemists know each atomic number 0 to 118 by (red, green, blue in [0, 1]): Jmol's, as ASE
publishes them (``ase.data.colors.jmol_colors``; 110 to 118 take Mt's). Hydrogen white, carbon grey,
oxygen red, nitrogen blue; the metals each their own. A table of the native core, as Node's."""


def atomic_numbers(symbols: Iterable[str | bytes] | np.ndarray) -> npt.NDArray[np.uint8]:
    """Atomic numbers of element symbols (str or ASCII bytes, any letter case, spaces around them
    ignored); ValueError names an unknown one. One pass of the native core over the symbols."""
    if isinstance(symbols, (list, tuple)) and symbols and isinstance(symbols[0], (str, bytes)):
        return np.frombuffer(_core.atomic_numbers_of_strings(symbols), np.uint8)  # read in place: no array of strings
    array = symbols if isinstance(symbols, np.ndarray) else np.asarray(list(symbols))
    if array.dtype == object:
        array = array.astype(str)
    if array.dtype.kind not in "US":
        raise TypeError(f"elements must be atomic numbers (integers) or symbols (strings), not {array.dtype}")
    if not array.dtype.isnative:
        array = array.astype(array.dtype.newbyteorder("="))
    return np.frombuffer(_core.atomic_numbers(np.ascontiguousarray(array).reshape(-1)), np.uint8).reshape(array.shape)


def atomic_numbers_of(elements: object) -> np.ndarray:
    """Elements as the core takes them: atomic numbers as given (any integer type;
    the core checks 0 to 118), or symbols turned into numbers."""
    if isinstance(elements, (list, tuple)) and elements and isinstance(elements[0], (str, bytes)):
        return atomic_numbers(elements)
    array = np.asarray(elements)
    if array.size == 0 and isinstance(elements, (list, tuple)):  # given empty: no atomic number, counted as such
        array = np.zeros(0, np.uint8)
    if array.ndim != 1:
        raise ValueError(f"elements must be one atomic number or symbol per atom, shape (n,), not {array.shape}")
    if array.dtype.kind in "iu":
        return array if array.dtype.isnative else array.astype(array.dtype.newbyteorder("="))
    if array.dtype.kind in "USO":
        return atomic_numbers(array)
    raise TypeError(f"elements must be atomic numbers (integers) or symbols (strings), not {array.dtype}")


def palette_slots(elements: object) -> npt.NDArray[np.uint16]:
    """The palette row of each element, given as atomic numbers or as symbols (see the table above)."""
    numbers = atomic_numbers_of(elements)
    if len(numbers) and (numbers.min() < 0 or numbers.max() >= len(SYMBOLS)):
        bad = numbers[(numbers < 0) | (numbers >= len(SYMBOLS))][0]
        raise ValueError(f"elements: {bad} is not an atomic number (0 to {len(SYMBOLS) - 1})")
    return SLOT_BY_NUMBER[numbers.astype(np.intp)]
