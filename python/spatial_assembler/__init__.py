"""spatial-assembler: atoms, point clouds and triangle meshes to one binary glTF
2.0 file (GLB), natively.

The functions take what you hold (numpy arrays of any real dtype, lists, ASE
atoms, trimesh objects) and return the GLB as ``bytes``, or write it into a
buffer of yours (``out=``) and return a memoryview of it. Every value is checked
by the native core, which writes the positions' exact float32 extremes as the
file's bounds: each file passes the Khronos glTF validator, or the call raises
ValueError or TypeError naming the argument (and the first bad row).

The package keeps the scratch memory of its calls for the next ones (no more
than the largest recent call used); release_memory() hands it back.

>>> import numpy as np, spatial_assembler as sa
>>> glb = sa.point_cloud(np.random.rand(1000, 3))
>>> sa.save("cloud.glb", glb)  # doctest: +SKIP
>>> sa.view(glb)               # in a notebook: an interactive three.js view  # doctest: +SKIP
"""

from __future__ import annotations

from collections.abc import Buffer
from importlib.metadata import PackageNotFoundError, version
from typing import overload

import numpy.typing as npt

from . import _core
from . import colormaps as colormaps
from . import elements as elements
from ._inputs import Encoding, Style, box_of, colors_of, factor_of, factors_of, integers_of, numbers_of, rows_of
from .adapters import from_ase, from_trimesh
from .chemistry import bonds
from .colormaps import colormap, map_values
from .elements import atomic_numbers_of
from .notebook import GlbView, save, view

try:
    __version__ = version("spatial-assembler")
except PackageNotFoundError:  # imported from a source tree
    __version__ = "0+unknown"

__all__ = ["point_cloud", "atoms", "mesh", "from_ase", "from_trimesh", "save", "view", "GlbView", "elements",
           "release_memory", "Encoding", "Style", "__version__", "bonds", "colormaps", "colormap", "map_values"]


def release_memory() -> int:
    """Frees the scratch memory that the package keeps between calls (at most what
    the largest of the last few calls used) and returns how many bytes it freed."""
    return int(_core.release_memory())


@overload
def point_cloud(positions: npt.ArrayLike, colors: npt.ArrayLike | None = None, *, encoding: Encoding = "float32",
                out: None = None) -> bytes: ...
@overload
def point_cloud(positions: npt.ArrayLike, colors: npt.ArrayLike | None = None, *, encoding: Encoding = "float32",
                out: Buffer) -> memoryview: ...
def point_cloud(positions: npt.ArrayLike, colors: npt.ArrayLike | None = None, *, encoding: Encoding = "float32",
                out: Buffer | None = None) -> bytes | memoryview:
    """A point cloud, in input order.

    positions: (n, 3) numbers. colors: (n, 3) RGB or (n, 4) RGBA rows, or one
    colour for all points, as floats in [0, 1] or uint8 in 0..255; light grey
    when omitted. out: a writable buffer (bytearray, numpy array, mmap) that
    the file is written into, at its start; the call then returns a memoryview
    of the file's bytes in it (ValueError naming the size needed when out is
    too small). Every function takes out."""
    points = rows_of(positions, "positions")
    rows, components = (None, 0) if colors is None else colors_of(colors, "colors")
    result: bytes | memoryview = _core.point_cloud(points, rows, components, encoding, out)
    return result


@overload
def atoms(positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
          bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
          radii: npt.ArrayLike | None = None, bonds: npt.ArrayLike | None = None, instancing: bool = True,
          encoding: Encoding = "float32", out: None = None) -> bytes: ...
@overload
def atoms(positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
          bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
          radii: npt.ArrayLike | None = None, bonds: npt.ArrayLike | None = None, instancing: bool = True,
          encoding: Encoding = "float32", out: Buffer) -> memoryview: ...
def atoms(positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
          bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
          radii: npt.ArrayLike | None = None, bonds: npt.ArrayLike | None = None, instancing: bool = True,
          encoding: Encoding = "float32", out: Buffer | None = None) -> bytes | memoryview:
    """Atoms ordered along a Morton curve and coloured by palette row.

    positions: (n, 3) numbers. Give either types, one palette row 0..65535 per
    atom (7 and above share one colour), or elements, atomic numbers or symbols
    (spatial_assembler.elements); all grey when neither is given.
    bounds: the box over which the Morton order is taken, [[min x, y, z], [max
    x, y, z]] or six numbers, such as a simulation box (atoms outside it fall
    into its edge cells); the positions' own extremes when omitted.
    style: "points", "spheres" (one sphere per atom, instanced per colour with
    EXT_mesh_gpu_instancing) or "ball-and-stick" (half-size spheres, and bonds
    as sticks). radius (one for all) or radii (one per atom) size the spheres;
    otherwise elements give covalent radii, and types one radius from the box
    and the atom count. bonds: (m, 2) atom index pairs (ball-and-stick).
    instancing=False writes spheres and sticks as plain triangles."""
    points = rows_of(positions, "positions")
    type_ids = None if types is None else integers_of(types, "types", (len(points),))
    numbers = None if elements is None else atomic_numbers_of(elements)
    box = None if bounds is None else box_of(bounds)
    radius_value = None if radius is None else factor_of(radius, "radius")
    radius_rows = None if radii is None else numbers_of(radii, "radii")
    pairs = None if bonds is None else integers_of(bonds, "bonds", (None, 2))
    result: bytes | memoryview = _core.atoms(points, type_ids, numbers, box, style, radius_value, radius_rows, pairs,
                                             bool(instancing), encoding, out)
    return result


@overload
def mesh(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: npt.ArrayLike | None = None,
         colors: npt.ArrayLike | None = None, base_color: npt.ArrayLike | None = None, metallic: float = 0.0,
         roughness: float = 0.5, emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True,
         encoding: Encoding = "float32", out: None = None) -> bytes: ...
@overload
def mesh(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: npt.ArrayLike | None = None,
         colors: npt.ArrayLike | None = None, base_color: npt.ArrayLike | None = None, metallic: float = 0.0,
         roughness: float = 0.5, emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True,
         encoding: Encoding = "float32", out: Buffer) -> memoryview: ...
def mesh(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: npt.ArrayLike | None = None,
         colors: npt.ArrayLike | None = None, base_color: npt.ArrayLike | None = None, metallic: float = 0.0,
         roughness: float = 0.5, emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True,
         encoding: Encoding = "float32", out: Buffer | None = None) -> bytes | memoryview:
    """One indexed triangle mesh with one metallic-roughness material.

    positions: (n, 3) numbers. faces: (m, 3) vertex indices, any integer type.
    normals: (n, 3), normalised to unit length; area-weighted vertex normals
    when omitted. colors: per vertex as for point_cloud (RGB rows are widened
    to RGBA). base_color: RGBA, white with vertex colours (so that they show
    as given), light grey without. double_sided: on by default, so that open
    surfaces show from both sides."""
    vertices = rows_of(positions, "positions")
    triangles = integers_of(faces, "faces", (None, 3))
    vertex_normals = None if normals is None else rows_of(normals, "normals")
    rows, components = (None, 0) if colors is None else colors_of(colors, "colors")
    base = None if base_color is None else factors_of(base_color, "base_color", 4)
    result: bytes | memoryview = _core.mesh(vertices, triangles, vertex_normals, rows, components, base,
                                            factor_of(metallic, "metallic"), factor_of(roughness, "roughness"),
                                            factors_of(emissive, "emissive", 3), bool(double_sided), encoding, out)
    return result
