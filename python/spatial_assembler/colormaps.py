"""Colour maps: numbers to colours, with matplotlib's names and colours.

``NAMES``: viridis, magma, inferno, plasma, cividis, turbo, and the diverging
coolwarm and RdBu, each 256 colours sampled from matplotlib's own tables into
the native core (so that Node colours alike). A value maps as matplotlib maps
it: t = (value - vmin) / (vmax - vmin), then colour floor(t * 256), values
outside [vmin, vmax] taking the end colours; vmin and vmax default to the
values' extremes, and when they are equal every value takes the first colour.
"""

from __future__ import annotations

import numpy as np
import numpy.typing as npt

from . import _core
from ._inputs import array_of, factor_of, floats_of

NAMES: tuple[str, ...] = tuple(_core.colormap_names())
"""The names of the colour maps (letter case is ignored when one is looked up)."""


def colormap(name: str) -> npt.NDArray[np.float32]:
    """The (256, 3) colours of a map, red, green, blue in [0, 1]; ValueError lists the names for an unknown one."""
    return np.frombuffer(_core.colormap(name), np.float32).reshape(256, 3).copy()


def map_values(values: npt.ArrayLike, colormap: str = "viridis", *, vmin: float | None = None,
               vmax: float | None = None) -> npt.NDArray[np.float32]:
    """The (n, 3) colours of n values on a map, red, green, blue in [0, 1] (for point_cloud or mesh colours).

    values: (n,) real numbers; NaN and infinities are refused (ValueError naming the row). vmin and vmax:
    the values mapped to the first and last colours; the values' extremes when omitted."""
    array = array_of(values, "values")
    if array.ndim != 1:
        raise ValueError(f"values must have shape (n,), one number per point, not {array.shape}")
    low = None if vmin is None else factor_of(vmin, "vmin")
    high = None if vmax is None else factor_of(vmax, "vmax")
    colors = _core.map_values(floats_of(array, "values"), colormap, low, high)
    return np.frombuffer(colors, np.float32).reshape(-1, 3).copy()
