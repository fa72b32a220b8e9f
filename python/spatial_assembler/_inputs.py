"""What users hold, converted for the native functions: checked shapes, the dtypes
the native module reads (float32, uint16, uint32), bounds, colours and normals.

Every check names the argument and says what was expected. A float32 array that
is already C-contiguous passes through without a copy.
"""

from __future__ import annotations

from collections.abc import Sequence

import numpy as np
import numpy.typing as npt

Float32Array = npt.NDArray[np.float32]
Bounds = tuple[list[float], list[float]]

_REAL_KINDS = "iuf"
_BLOCK_ROWS = 4096  # rows per block of the column-wise reductions below


def _array(value: object, name: str) -> np.ndarray:
    try:
        return np.asarray(value)
    except (ValueError, TypeError) as error:  # ragged nesting, say
        raise ValueError(f"{name} could not be read as an array: {error}") from None


def _to_float32(array: np.ndarray, name: str) -> Float32Array:
    if array.dtype.kind not in _REAL_KINDS:
        raise TypeError(f"{name} must hold real numbers, not {array.dtype}")
    if array.dtype == np.float32:
        return np.ascontiguousarray(array)  # no copy when already packed
    with np.errstate(over="ignore"):
        converted = np.ascontiguousarray(array, dtype=np.float32)
    if array.dtype.itemsize > 4 and array.dtype.kind == "f":
        # float64 beyond the float32 range would silently become infinity.
        overflowed = np.isinf(converted) & ~np.isinf(array)
        if overflowed.any():
            raise ValueError(f"{name} hold values beyond the float32 range, such as {float(array[overflowed][0])!r}")
    return converted


def column_extremes(rows: Float32Array) -> tuple[npt.NDArray[np.float32], npt.NDArray[np.float32]]:
    """The minimum and maximum of each column, NaN ignored (all NaN gives NaN).

    Reduced over blocks of rows first: numpy's own reduction along axis 0 of a
    narrow array walks it column by column and is some thirty times slower."""
    count, width = rows.shape
    packed = count // _BLOCK_ROWS * _BLOCK_ROWS
    low = np.full(width, np.nan, np.float32)
    high = np.full(width, np.nan, np.float32)
    if packed:
        blocks = rows[:packed].reshape(-1, _BLOCK_ROWS * width)
        low = np.fmin.reduce(np.fmin.reduce(blocks, axis=0).reshape(-1, width), axis=0)
        high = np.fmax.reduce(np.fmax.reduce(blocks, axis=0).reshape(-1, width), axis=0)
    if packed < count:
        low = np.fmin(low, np.fmin.reduce(rows[packed:], axis=0))
        high = np.fmax(high, np.fmax.reduce(rows[packed:], axis=0))
    return low, high


def rows_of(value: object, name: str, width: int) -> Float32Array:
    """A float32 array of shape (n, width), n at least 1."""
    array = _array(value, name)
    if array.ndim != 2 or array.shape[1] != width:
        raise ValueError(f"{name} must have shape (n, {width}), not {array.shape}")
    if array.shape[0] == 0:
        raise ValueError(f"{name} hold nothing: a GLB needs at least one {'point' if width == 3 else 'row'}")
    return _to_float32(array, name)


def bounds_of(positions: Float32Array, bounds: object | None) -> Bounds:
    """The caller's bounds, or the exact float32 extremes of the positions (NaN ignored)."""
    if bounds is None:
        low, high = column_extremes(positions)
        if not (np.isfinite(low).all() and np.isfinite(high).all()):
            raise ValueError("positions hold infinite values, or a column of NaN only: "
                             "they have no bounds (a glTF file needs finite ones)")
        return low.tolist(), high.tolist()
    array = _array(bounds, "bounds")
    if array.dtype.kind not in _REAL_KINDS or array.size != 6 or array.ndim not in (1, 2):
        raise ValueError("bounds must be six numbers: [[min x, min y, min z], [max x, max y, max z]] "
                         f"or [min x, min y, min z, max x, max y, max z], not {array.dtype} of shape {array.shape}")
    values = array.astype(np.float64).reshape(2, 3)
    if not np.isfinite(values).all():
        raise ValueError("bounds must be finite numbers")
    return values[0].tolist(), values[1].tolist()


def colors_of(value: object, count: int, name: str, *, rgba: bool) -> Float32Array:
    """Colours as float32 rows of 3 or 4 components in [0, 1] (of 4 when rgba).

    Accepts (n, 3) or (n, 4) rows, or one colour for all; floats in [0, 1] or
    uint8 in 0..255. Any other integer type is ambiguous and refused."""
    array = _array(value, name)
    single = array.ndim == 1 and array.shape[0] in (3, 4)  # one colour for all, checked before it is spread
    if not single and (array.ndim != 2 or array.shape[0] != count or array.shape[1] not in (3, 4)):
        raise ValueError(f"{name} must have shape ({count}, 3) or ({count}, 4), one row per "
                         f"{'vertex' if rgba else 'point'}, or be one colour of 3 or 4 values; not {array.shape}")
    rows = array.reshape(-1, array.shape[-1])
    if rows.dtype == np.uint8:
        colors = np.multiply(rows, np.float32(1 / 255), dtype=np.float32)
    elif rows.dtype.kind == "f":
        colors = _to_float32(rows, name)
        low, high = column_extremes(colors)
        if not (np.all(low >= 0) and np.all(high <= 1)):  # NaN fails both
            raise ValueError(f"{name} must lie in [0, 1] as floats (or be uint8 in 0..255); "
                             f"found values from {float(np.nanmin(low))} to {float(np.nanmax(high))}")
    else:
        raise TypeError(f"{name} must be floats in [0, 1] or uint8 in 0..255, not {array.dtype}: "
                        "other integers are ambiguous")
    if rgba and colors.shape[1] == 3:
        colors = np.concatenate([colors, np.ones((len(colors), 1), np.float32)], axis=1)
    if single:
        colors = np.broadcast_to(colors, (count, colors.shape[1]))
    return np.ascontiguousarray(colors)


def integers_of(value: object, name: str, shape: Sequence[int | None], limit: int, dtype: type[np.unsignedinteger]
                ) -> np.ndarray:
    """Non-negative integers below limit, of the given shape (None: any length), as dtype."""
    array = _array(value, name)
    expected = "(" + ", ".join("n" if extent is None else str(extent) for extent in shape) + ("," if len(shape) == 1 else "") + ")"
    if array.ndim != len(shape) or any(e is not None and e != a for e, a in zip(shape, array.shape)):
        raise ValueError(f"{name} must have shape {expected}, not {array.shape}")
    if array.dtype.kind not in "iu":
        raise TypeError(f"{name} must be integers, not {array.dtype}")
    if array.size:
        low, high = int(array.min()), int(array.max())
        if low < 0:
            raise ValueError(f"{name} must not be negative, but holds {low}")
        if high >= limit:
            raise ValueError(f"{name} must be below {limit}, but holds {high}")
    return np.ascontiguousarray(array, dtype=dtype)


def vertex_normals(positions: Float32Array, faces: npt.NDArray[np.uint32]) -> Float32Array:
    """Unit normals per vertex: the sum of the normals of the faces around it,
    each weighted by the face's area; (0, 0, 1) for a vertex of no face or of
    degenerate faces only, so that every normal has unit length."""
    corners = positions.astype(np.float64)[faces]  # (m, 3 corners, 3 coordinates)
    face_normals = np.cross(corners[:, 1] - corners[:, 0], corners[:, 2] - corners[:, 0])  # length: twice the area
    sums = np.empty((len(positions), 3), np.float64)
    flat_faces = faces.reshape(-1)
    for axis in range(3):
        sums[:, axis] = np.bincount(flat_faces, weights=np.repeat(face_normals[:, axis], 3), minlength=len(positions))
    lengths = np.linalg.norm(sums, axis=1)
    normals = np.empty((len(positions), 3), np.float32)
    usable = lengths > 0
    normals[usable] = sums[usable] / lengths[usable, None]
    normals[~usable] = (0.0, 0.0, 1.0)
    return normals


def factors_of(value: object, name: str, count: int) -> list[float]:
    """count material factors in [0, 1], as glTF wants them."""
    array = _array(value, name)
    if array.dtype.kind not in _REAL_KINDS or array.shape != (count,):
        raise ValueError(f"{name} must be {count} numbers in [0, 1], not {array.dtype} of shape {array.shape}")
    values = array.astype(np.float64)
    if not np.all((values >= 0) & (values <= 1)):  # NaN fails too
        raise ValueError(f"{name} must lie in [0, 1], not {values.tolist()}")
    return [float(v) for v in values]


def factor_of(value: object, name: str) -> float:
    """One material factor in [0, 1]."""
    array = _array(value, name)
    if array.dtype.kind not in _REAL_KINDS or array.shape != ():
        raise ValueError(f"{name} must be a number in [0, 1], not {array.dtype} of shape {array.shape}")
    number = float(array)
    if not 0 <= number <= 1:  # NaN fails too
        raise ValueError(f"{name} must lie in [0, 1], not {number}")
    return number
