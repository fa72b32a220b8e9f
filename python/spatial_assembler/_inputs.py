"""What users hold, read as arrays for the core: shapes checked, and dtypes
turned into the ones the core reads (float32, float64, uint8 colours, integers
of any width), in native byte order. The values themselves (NaN, ranges,
indices, counts that must agree) are the core's to check.

Every check names the argument and says what was expected. An array that the
core reads as it is passes through without a copy.
"""

from __future__ import annotations

import warnings
from typing import Literal

import numpy as np
import numpy.typing as npt

Encoding = Literal["float32", "compact", "meshopt"]
Normals = Literal["auto", "smooth", "flat"]
"""``"float32"``: float positions and colours (every viewer). ``"compact"``:
KHR_mesh_quantization, signed 16-bit positions around their centre, restored by
the node's transform (error at most half a quantisation step, half of the extent
/ 65534), 8-bit colours and normals, 16-bit indices."""

Style = Literal["points", "spheres", "ball-and-stick"]

Bonds = npt.ArrayLike | tuple[npt.ArrayLike, npt.ArrayLike] | bool | None
"""(m, 2) atom index pairs, or (pairs, (m, 3) cell shifts) of bonds across periodic boundaries, as
spatial_assembler.bonds gives them with a cell; True to find them from the elements (covalent radii plus
0.4 Å, across the cell's faces along its periodic axes), False for none. None (the default): found for
ball-and-stick atoms given as elements."""

_CORE_FLOATS = (np.dtype(np.float32), np.dtype(np.float64))


def array_of(value: object, name: str) -> np.ndarray:
    """value as a numpy array; masked arrays are refused (their mask would be lost)."""
    if isinstance(value, np.ma.MaskedArray):
        raise TypeError(f"{name} is a masked array: fill it (numpy.ma.filled) or drop the masked rows "
                        "(compress_rows) first, so that no masked value is drawn")
    try:
        return np.asarray(value)
    except (ValueError, TypeError) as error:  # ragged nesting, say
        raise ValueError(f"{name} could not be read as an array: {error}") from None


def given_empty(value: object, array: np.ndarray, shape: tuple[int, ...], dtype: type) -> np.ndarray:
    """An empty list or tuple as an empty array of the shape and dtype it stands for (numpy reads [] as
    float64 of shape (0,)): given, and counted as zero rows, as in Node."""
    if array.size == 0 and isinstance(value, (list, tuple)):
        return np.zeros(shape, dtype)
    return array


def exports_buffer(value: object) -> bool:
    """Whether value exposes memory of its own (the buffer protocol), on every Python version."""
    try:
        memoryview(value)  # type: ignore[arg-type]
    except (TypeError, ValueError, BufferError):
        return False
    return True


def native(array: np.ndarray) -> np.ndarray:
    """The array in the host's byte order (the core reads no other)."""
    return array if array.dtype.isnative else array.astype(array.dtype.newbyteorder("="))


def floats_of(array: np.ndarray, name: str) -> np.ndarray:
    """Real numbers as the core reads them: float32, float64 and integers of any width as they are (the core
    rounds each to float32 once, as it writes), other floats widened (float16 exactly to float32)."""
    if array.dtype.kind not in "iuf":
        raise TypeError(f"{name} must hold real numbers, not {array.dtype}")
    if array.dtype in _CORE_FLOATS or array.dtype.kind in "iu":
        return native(array)
    return array.astype(np.float32 if array.dtype.itemsize < 4 else np.float64)


def rows_of(value: object, name: str, width: int = 3) -> np.ndarray:
    """Rows of `width` real numbers: shape (n, width)."""
    array = given_empty(value, array_of(value, name), (0, width), np.float64)
    if array.ndim != 2 or array.shape[1] != width:
        raise ValueError(f"{name} must have shape (n, {width}), not {array.shape}")
    return floats_of(array, name)


def numbers_of(value: object, name: str) -> np.ndarray:
    """One real number per row (radii): shape (n,)."""
    array = given_empty(value, array_of(value, name), (0,), np.float64)
    if array.ndim != 1:
        raise ValueError(f"{name} must have shape (n,), one per atom, not {array.shape}")
    return floats_of(array, name)


def colors_of(value: object, name: str) -> np.ndarray:
    """Colour rows (n, 3) or (n, 4), or one colour of 3 or 4 values: floats in [0, 1], or integers in 0..255
    (as 8-bit colours are written; the core checks the values)."""
    array = given_empty(value, array_of(value, name), (0, 3), np.float64)
    single = array.ndim == 1 and array.shape[0] in (3, 4)
    if not single and (array.ndim != 2 or array.shape[1] not in (3, 4)):
        raise ValueError(f"{name} must have shape (n, 3) or (n, 4), one row per point or vertex, "
                         f"or be one colour of 3 or 4 values; not {array.shape}")
    if array.dtype.kind not in "iuf":
        raise TypeError(f"{name} must be floats in [0, 1] or integers in 0..255, not {array.dtype}")
    if isinstance(value, (list, tuple)) and array.dtype.kind in "iu" and array.size and array.max() == 1 and array.min() >= 0:
        # A list of whole numbers is an integer array: [1, 0, 0] is 8-bit (1/255, 0, 0), where Node reads floats.
        warnings.warn(f"{name} given as whole numbers are read as 8-bit values 0..255, and these are all 0 or 1 "
                      "(nearly black): give floats, such as 1.0, for colours in [0, 1]", UserWarning, stacklevel=4)
    return floats_of(array, name)


def integers_of(value: object, name: str, shape: tuple[int | None, ...]) -> np.ndarray:
    """Integers of any width in the given shape (None: any length)."""
    array = given_empty(value, array_of(value, name), tuple(extent or 0 for extent in shape), np.int64)
    expected = "(" + ", ".join("n" if extent is None else str(extent) for extent in shape) + ("," if len(shape) == 1 else "") + ")"
    if array.ndim != len(shape) or any(e is not None and e != a for e, a in zip(shape, array.shape)):
        raise ValueError(f"{name} must have shape {expected}, not {array.shape}")
    if array.dtype.kind not in "iu":
        raise TypeError(f"{name} must be integers, not {array.dtype}")
    return native(array)


def _require_numbers(array: np.ndarray, name: str) -> None:
    """A value that is not made of real numbers is a TypeError, as in Node."""
    if array.dtype.kind not in "iuf":
        raise TypeError(f"{name} must be real numbers, not {array.dtype}")


def matrix_of(value: object, name: str = "transform") -> list[float]:
    """A 4 x 4 transform, row by row (acting on column vectors [x, y, z, 1], as numpy and trimesh write them)."""
    array = array_of(value, name)
    _require_numbers(array, name)
    if array.shape != (4, 4):
        raise ValueError(f"{name} must be a 4 x 4 matrix, not {array.dtype} of shape {array.shape}")
    return [float(v) for v in array.astype(np.float64).reshape(16)]


def cell_of(value: object, name: str = "cell") -> list[float]:
    """Three lattice vectors as the rows of a 3 x 3 matrix (an ASE Cell too), as nine numbers."""
    array = array_of(getattr(value, "array", value), name)
    _require_numbers(array, name)
    if array.shape != (3, 3):
        raise ValueError(f"{name} must be three lattice vectors as the rows of a 3 x 3 matrix, not {array.dtype} of "
                         f"shape {array.shape}")
    return [float(v) for v in array.astype(np.float64).reshape(9)]


def box_of(value: object, name: str = "bounds") -> list[float]:
    """Six numbers: [[min x, y, z], [max x, y, z]] or [min x, y, z, max x, y, z]."""
    array = array_of(value, name)
    _require_numbers(array, name)
    if array.size != 6 or array.ndim not in (1, 2):
        raise ValueError(f"{name} must be six numbers: [[min x, min y, min z], [max x, max y, max z]] "
                         f"or [min x, min y, min z, max x, max y, max z], not {array.dtype} of shape {array.shape}")
    return [float(v) for v in array.astype(np.float64).reshape(6)]


def factors_of(value: object, name: str, count: int) -> list[float]:
    """count numbers (material factors; the core checks that they lie in [0, 1])."""
    array = array_of(value, name)
    _require_numbers(array, name)
    if array.shape != (count,):
        raise ValueError(f"{name} must be {count} numbers in [0, 1], not {array.dtype} of shape {array.shape}")
    return [float(v) for v in array.astype(np.float64)]


def color_of(value: object, name: str) -> list[float]:
    """One colour, RGB or RGBA floats in [0, 1], as RGBA (the core checks the range)."""
    array = array_of(value, name)
    _require_numbers(array, name)
    if array.shape not in ((3,), (4,)):
        raise ValueError(f"{name} must be one colour, 3 or 4 numbers in [0, 1], not {array.dtype} of shape {array.shape}")
    rgba = [float(v) for v in array.astype(np.float64)]
    return rgba if len(rgba) == 4 else [*rgba, 1.0]


def factor_of(value: object, name: str) -> float:
    """One number (a material factor or a radius)."""
    array = array_of(value, name)
    _require_numbers(array, name)
    if array.shape != ():
        raise ValueError(f"{name} must be a number, not {array.dtype} of shape {array.shape}")
    return float(array)


