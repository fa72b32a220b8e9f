"""spatial-assembler: atoms, point clouds, triangle meshes and lines to one
binary glTF 2.0 file (GLB), natively.

The functions take what you hold (numpy arrays of any real dtype, lists, ASE
atoms, trimesh objects) and return the GLB as ``bytes``, or write it into a
buffer of yours (``out=``) and return a memoryview of it; a ``Scene`` puts many
parts into one file. Every value is checked by the native core, which writes
the positions' exact float32 extremes as the file's bounds: each file passes the
Khronos glTF validator, or the call raises ValueError or TypeError naming the
argument (and the first bad row).

The package keeps the scratch memory of its calls for the next ones (no more
than the largest recent call used); release_memory() hands it back.

>>> import numpy as np, spatial_assembler as sa
>>> glb = sa.point_cloud(np.random.rand(1000, 3))
>>> sa.save("cloud.glb", glb)  # doctest: +SKIP
>>> sa.view(glb)               # in a notebook: an interactive three.js view  # doctest: +SKIP
"""

from __future__ import annotations

from importlib.metadata import PackageNotFoundError, version
from typing import TYPE_CHECKING, overload

import numpy.typing as npt

from . import _core
from . import colormaps as colormaps
from . import elements as elements
from ._inputs import Bonds, Encoding, Normals, Style
from .adapters import from_ase, from_mdanalysis, from_trimesh
from .chemistry import bonds
from .colormaps import colormap, map_values
from .notebook import GlbView, save, view
from .scene import Scene, atoms_options, mesh_options, one_part, points_options
from .las import read_las
from .tiles import Tileset, tiles
from .trajectories import trajectory

if TYPE_CHECKING:  # Python 3.12's name for the buffer protocol; annotations are never evaluated
    from collections.abc import Buffer

try:
    __version__ = version("spatial-assembler")
except PackageNotFoundError:  # imported from a source tree
    __version__ = "0+unknown"

__all__ = ["point_cloud", "atoms", "mesh", "Scene", "trajectory", "bonds", "colormap", "map_values", "colormaps",
           "from_ase", "from_mdanalysis", "from_trimesh", "save", "view", "GlbView", "elements", "release_memory",
           "Encoding", "Normals", "Style", "tiles", "Tileset", "read_las", "__version__"]


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
    colour for all points, as floats in [0, 1] or integers in 0..255; light grey
    when omitted. encoding: "float32", "compact" (KHR_mesh_quantization: 16-bit
    positions, 8-bit colours) or "meshopt" (compact, then every buffer view
    compressed with EXT_meshopt_compression); every function takes it.
    out: a writable buffer (bytearray, numpy array, mmap) that
    the file is written into, at its start; the call then returns a memoryview
    of the file's bytes in it (ValueError naming the size needed when out is
    too small). Every function of the package takes out."""
    return one_part("points", points_options(positions, colors), encoding, out)


@overload
def atoms(positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
          bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
          radii: npt.ArrayLike | None = None, bonds: Bonds = None, cell: npt.ArrayLike | None = None,
          pbc: bool | npt.ArrayLike | None = None,
          palette: npt.ArrayLike | None = None,
          colors: npt.ArrayLike | None = None,
          values: npt.ArrayLike | None = None, cmap: object = None, vmin: float | None = None, vmax: float | None = None,
          instancing: bool = True,
          encoding: Encoding = "float32", out: None = None) -> bytes: ...
@overload
def atoms(positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
          bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
          radii: npt.ArrayLike | None = None, bonds: Bonds = None, cell: npt.ArrayLike | None = None,
          pbc: bool | npt.ArrayLike | None = None,
          palette: npt.ArrayLike | None = None,
          colors: npt.ArrayLike | None = None,
          values: npt.ArrayLike | None = None, cmap: object = None, vmin: float | None = None, vmax: float | None = None,
          instancing: bool = True,
          encoding: Encoding = "float32", out: Buffer) -> memoryview: ...
def atoms(positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
          bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
          radii: npt.ArrayLike | None = None, bonds: Bonds = None, cell: npt.ArrayLike | None = None,
          pbc: bool | npt.ArrayLike | None = None,
          palette: npt.ArrayLike | None = None,
          colors: npt.ArrayLike | None = None,
          values: npt.ArrayLike | None = None, cmap: object = None, vmin: float | None = None, vmax: float | None = None,
          instancing: bool = True,
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
    and the atom count. bonds (ball-and-stick): found from the elements when
    omitted (covalent radii plus 0.4 Å), True to find them, False for none, or
    (m, 2) atom index pairs, or (pairs, cell shifts) as spatial_assembler.bonds
    gives them, drawn across a periodic boundary as half-sticks that point at
    the other atom's image. cell: three lattice vectors as rows (an ASE cell),
    drawn as its 12 edges; pbc: its periodic axes for the bonds found (all by
    default). instancing=False writes spheres and sticks as plain triangles.

    Colours: elements in their own (Jmol's, spatial_assembler.elements), types
    in the atom palette, unless one of these is given: palette, (k, 3 or 4)
    colours of types 0..k-1; colors, (n, 3 or 4) one per atom (or one for all);
    values, (n,) numbers drawn by cmap (a name of spatial_assembler.colormaps,
    "viridis" by default, or a matplotlib Colormap) between vmin and vmax (the
    values' extremes by default). Colours are floats in [0, 1] or integers in
    0..255."""
    options = atoms_options(positions, types, elements=elements, bounds=bounds, style=style, radius=radius,
                            radii=radii, bonds=bonds, instancing=instancing, cell=cell, pbc=pbc,
                            palette=palette, colors=colors, values=values, cmap=cmap, vmin=vmin, vmax=vmax)
    return one_part("atoms", options, encoding, out)


@overload
def mesh(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: Normals | npt.ArrayLike = "auto",
         crease_angle: float = 30.0, colors: npt.ArrayLike | None = None, uv: npt.ArrayLike | None = None,
         texture: object = None, base_color: npt.ArrayLike | None = None, metallic: float = 0.0,
         roughness: float = 0.5, emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True,
         encoding: Encoding = "float32", out: None = None) -> bytes: ...
@overload
def mesh(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: Normals | npt.ArrayLike = "auto",
         crease_angle: float = 30.0, colors: npt.ArrayLike | None = None, uv: npt.ArrayLike | None = None,
         texture: object = None, base_color: npt.ArrayLike | None = None, metallic: float = 0.0,
         roughness: float = 0.5, emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True,
         encoding: Encoding = "float32", out: Buffer) -> memoryview: ...
def mesh(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: Normals | npt.ArrayLike = "auto",
         crease_angle: float = 30.0, colors: npt.ArrayLike | None = None, uv: npt.ArrayLike | None = None,
         texture: object = None, base_color: npt.ArrayLike | None = None, metallic: float = 0.0,
         roughness: float = 0.5, emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True,
         encoding: Encoding = "float32", out: Buffer | None = None) -> bytes | memoryview:
    """One indexed triangle mesh with one metallic-roughness material.

    positions: (n, 3) numbers. faces: (m, 3) vertex indices, any integer type.
    normals: "auto" (smooth within a surface, split where faces meet at more
    than crease_angle degrees, as modelling tools do), "smooth" (one
    area-weighted normal per vertex), "flat" (each face its own normal), or
    (n, 3) normals, normalised to unit length. colors: per vertex as for
    point_cloud (RGB rows are widened to RGBA). uv: (n, 2) texture coordinates
    as glTF counts them (v down from the image's top: 1 - v of OpenGL's and
    trimesh's), and texture: the bytes of a PNG or JPEG image, or an image array
    (encoded as PNG with Pillow). base_color: RGBA, white with vertex colours or
    a texture (so that they show as given), light grey without. double_sided:
    on by default, so that open surfaces show from both sides."""
    options = mesh_options(positions, faces, normals=normals, crease_angle=crease_angle, colors=colors, uv=uv,
                           texture=texture, base_color=base_color, metallic=metallic, roughness=roughness,
                           emissive=emissive, double_sided=double_sided)
    return one_part("mesh", options, encoding, out)
