"""Chemical elements to the eight colours of the atom palette.

The native atom builder colours each atom by a 16-bit type id from a fixed
palette of eight rows. :func:`palette_slots` maps atomic numbers or element
symbols to those rows by this table, close to the colours chemists know (CPK):

========  ==================  =============================================
Type id   Colour              Elements
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
"""

from __future__ import annotations

from collections.abc import Iterable

import numpy as np
import numpy.typing as npt

SYMBOLS: tuple[str, ...] = (
    "X", "H", "He", "Li", "Be", "B", "C", "N", "O", "F", "Ne", "Na", "Mg", "Al", "Si", "P", "S", "Cl", "Ar",
    "K", "Ca", "Sc", "Ti", "V", "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr",
    "Rb", "Sr", "Y", "Zr", "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I", "Xe",
    "Cs", "Ba", "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu",
    "Hf", "Ta", "W", "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn",
    "Fr", "Ra", "Ac", "Th", "Pa", "U", "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr",
    "Rf", "Db", "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og",
)
"""Element symbols by atomic number; 0 is ASE's dummy atom X."""

GREY, RED, GREEN, BLUE, YELLOW, MAGENTA, CYAN, LIGHT_GREY = range(8)

_SLOT_OF_SYMBOL = {
    "C": GREY,
    "O": RED, "Br": RED,
    "F": GREEN, "Cl": GREEN, "Be": GREEN, "Mg": GREEN, "Ca": GREEN, "Sr": GREEN, "Ba": GREEN, "Ra": GREEN,
    "N": BLUE,
    "S": YELLOW, "Au": YELLOW,
    "P": MAGENTA, "I": MAGENTA, "Li": MAGENTA, "Na": MAGENTA, "K": MAGENTA, "Rb": MAGENTA, "Cs": MAGENTA,
    "Fr": MAGENTA,
    "He": CYAN, "Ne": CYAN, "Ar": CYAN, "Kr": CYAN, "Xe": CYAN, "Rn": CYAN,
}

SLOT_BY_NUMBER: npt.NDArray[np.uint16] = np.array(
    [_SLOT_OF_SYMBOL.get(symbol, LIGHT_GREY) for symbol in SYMBOLS], dtype=np.uint16)
"""The palette row (type id) of each atomic number 0 to 118."""

_NUMBER_OF_SYMBOL = {symbol.lower(): number for number, symbol in enumerate(SYMBOLS)}


def atomic_numbers(symbols: Iterable[str | bytes]) -> npt.NDArray[np.int64]:
    """Atomic numbers of element symbols (str or ASCII bytes, any letter case); ValueError names an unknown one."""
    numbers = []
    for symbol in symbols:
        text = symbol.decode("ascii", "replace") if isinstance(symbol, bytes) else str(symbol)
        number = _NUMBER_OF_SYMBOL.get(text.strip().lower())
        if number is None:
            raise ValueError(f"elements: {symbol!r} is not an element symbol")
        numbers.append(number)
    return np.array(numbers, dtype=np.int64)


def palette_slots(elements: object) -> npt.NDArray[np.uint16]:
    """The type id of each element, given as atomic numbers or as symbols (see the table above)."""
    array = np.asarray(elements)
    if array.ndim != 1:
        raise ValueError(f"elements must be one atomic number or symbol per atom, shape (n,), not {array.shape}")
    if array.dtype.kind in "US" or array.dtype == object:
        numbers = atomic_numbers(array.tolist())
    elif array.dtype.kind in "iu":
        numbers = array.astype(np.int64, copy=False)
        if len(numbers) and (numbers.min() < 0 or numbers.max() >= len(SYMBOLS)):
            bad = numbers[(numbers < 0) | (numbers >= len(SYMBOLS))][0]
            raise ValueError(f"elements: {bad} is not an atomic number (0 to {len(SYMBOLS) - 1})")
    else:
        raise TypeError(f"elements must be atomic numbers (integers) or symbols (strings), not {array.dtype}")
    return SLOT_BY_NUMBER[numbers]
