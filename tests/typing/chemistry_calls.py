"""Calls of the package's bonds and colour maps that a type checker must accept,
and wrong ones it must flag (each with the one ignore comment it needs)."""

import numpy as np
import numpy.typing as npt

import spatial_assembler as sa

points = np.zeros((4, 3))
pairs: npt.NDArray[np.int64] = sa.bonds(points, [6, 8, 7, 1])
pairs, shifts = sa.bonds(points, ["C", "O", "N", "H"], cell=np.eye(3) * 5, pbc=[True, True, False], tolerance=0.3)
colors: npt.NDArray[np.float32] = sa.map_values(np.arange(4.0), "turbo", vmin=0, vmax=3)
table: npt.NDArray[np.float32] = sa.colormap("viridis")
names: tuple[str, ...] = sa.colormaps.NAMES
element_colors: npt.NDArray[np.float32] = sa.elements.COLORS

only_pairs: npt.NDArray[np.int64] = sa.bonds(points, [6] * 4, cell=np.eye(3))  # type: ignore[assignment]
sa.bonds(points, [6] * 4, np.eye(3))  # type: ignore[call-overload]  # cell is keyword-only
sa.map_values(np.arange(4.0), vmin="low")  # type: ignore[arg-type]
