"""spatial-assembler: atoms, point clouds and triangle meshes to one binary glTF
2.0 file (GLB), natively.

The functions take what you hold (numpy arrays of any real dtype, lists, ASE
atoms, trimesh objects), check and convert it, and return the GLB as ``bytes``
from the native module ``_spatial_assembler``. Without ``bounds`` they use the
exact float32 extremes of the positions, so every file passes the Khronos glTF
validator.

>>> import numpy as np, spatial_assembler as sa
>>> glb = sa.point_cloud(np.random.rand(1000, 3))
>>> sa.save("cloud.glb", glb)  # doctest: +SKIP
>>> sa.view(glb)               # in a notebook: an interactive three.js view  # doctest: +SKIP
"""

from __future__ import annotations

from importlib.metadata import PackageNotFoundError, version

import numpy as np
import numpy.typing as npt

import _spatial_assembler as _native

from . import elements as elements
from ._inputs import bounds_of, colors_of, factor_of, factors_of, integers_of, rows_of, vertex_normals
from .elements import palette_slots
from .adapters import from_ase, from_trimesh
from .notebook import GlbView, save, view

try:
    __version__ = version("spatial-assembler")
except PackageNotFoundError:  # imported from a source tree
    __version__ = "0+unknown"

__all__ = ["point_cloud", "atoms", "mesh", "save", "view", "GlbView", "from_ase", "from_trimesh", "elements",
           "__version__"]

_DEFAULT_POINT_COLOR = (0.8, 0.8, 0.8)


def point_cloud(positions: npt.ArrayLike, colors: npt.ArrayLike | None = None, *,
                bounds: npt.ArrayLike | None = None) -> bytes:
    """A point cloud, in input order.

    positions: (n, 3) numbers. colors: (n, 3) RGB or (n, 4) RGBA rows, or one
    colour for all points, as floats in [0, 1] or uint8 in 0..255; light grey
    when omitted. bounds: [[min x, y, z], [max x, y, z]]; the positions' own
    extremes when omitted."""
    points = rows_of(positions, "positions", 3)
    count = len(points)
    rows = colors_of(_DEFAULT_POINT_COLOR if colors is None else colors, count, "colors", rgba=False)
    low, high = bounds_of(points, bounds)
    return _native.point_cloud_glb(points, rows, low, high)


def atoms(positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
          bounds: npt.ArrayLike | None = None) -> bytes:
    """Atoms ordered along a Morton curve over the bounds and coloured by type.

    positions: (n, 3) numbers. Give either types, one palette row 0..65535 per
    atom (7 and above share one colour), or elements, atomic numbers or symbols
    mapped to palette rows by spatial_assembler.elements; all grey when neither
    is given. bounds: as for point_cloud."""
    points = rows_of(positions, "positions", 3)
    count = len(points)
    if types is not None and elements is not None:
        raise TypeError("give types or elements, not both")
    if elements is not None:
        ids = palette_slots(elements)
        if len(ids) != count:
            raise ValueError(f"elements must have shape ({count},), one per atom, not ({len(ids)},)")
    elif types is not None:
        ids = integers_of(types, "types", (count,), 65536, np.uint16)
    else:
        ids = np.zeros(count, np.uint16)
    low, high = bounds_of(points, bounds)
    return _native.atom_glb(points, ids, low, high)


def mesh(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: npt.ArrayLike | None = None,
         colors: npt.ArrayLike | None = None, bounds: npt.ArrayLike | None = None,
         base_color: npt.ArrayLike | None = None, metallic: float = 0.0, roughness: float = 0.5,
         emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True) -> bytes:
    """One indexed triangle mesh with one metallic-roughness material.

    positions: (n, 3) numbers. faces: (m, 3) vertex indices, any integer type.
    normals: (n, 3); area-weighted vertex normals when omitted. colors: per
    vertex as for point_cloud (RGB rows are widened to RGBA). base_color: RGBA,
    white with vertex colours (so that they show as given), light grey without.
    double_sided: on by default, so that open surfaces show from both sides."""
    vertices = rows_of(positions, "positions", 3)
    count = len(vertices)
    triangles = integers_of(faces, "faces", (None, 3), count, np.uint32)
    if len(triangles) == 0:
        raise ValueError("faces hold no triangle: a mesh needs at least one")
    vertex_normal_rows = (vertex_normals(vertices, triangles) if normals is None else rows_of(normals, "normals", 3))
    if len(vertex_normal_rows) != count:
        raise ValueError(f"normals must have shape ({count}, 3), one per vertex, not {vertex_normal_rows.shape}")
    vertex_colors = None if colors is None else colors_of(colors, count, "colors", rgba=True)
    if base_color is None:
        base_color = (1.0, 1.0, 1.0, 1.0) if vertex_colors is not None else (0.8, 0.8, 0.8, 1.0)
    low, high = bounds_of(vertices, bounds)
    return _native.mesh_glb(vertices, vertex_normal_rows, triangles, [*low, *high],
                            factors_of(base_color, "base_color", 4), factor_of(metallic, "metallic"),
                            factor_of(roughness, "roughness"), factors_of(emissive, "emissive", 3),
                            bool(double_sided), vertex_colors)
