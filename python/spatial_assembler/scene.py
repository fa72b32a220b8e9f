"""Scenes: many parts in one file. Each part (points, atoms, a mesh, lines) is
planned into one document with one node of its own, named, and placed by a 4 x 4
transform; the file is written in one pass. The package's functions are scenes
of one part.

>>> import numpy as np, spatial_assembler as sa
>>> scene = sa.Scene().atoms(np.random.rand(20, 3) * 5, elements=["C"] * 20, style="spheres", name="Molecule")
>>> glb = scene.lines(np.random.rand(4, 3), name="Path").glb()
"""

from __future__ import annotations

import io
import warnings
from os import PathLike
from typing import TYPE_CHECKING, Any, overload

import numpy as np
import numpy.typing as npt

from . import _core
from ._inputs import (Bonds, Encoding, Normals, Style, array_of, box_of, cell_of, color_of, colors_of, exports_buffer,
                      factors_of, integers_of, matrix_of, numbers_of, rows_of)
from .elements import atomic_numbers_of

if TYPE_CHECKING:  # Python 3.12's name for the buffer protocol; annotations are never evaluated
    from collections.abc import Buffer

Options = dict[str, Any]


def _given(options: Options, origins: dict[str, object], name: str, value: object, converted: object) -> None:
    """Sets an option; an array the package converted keeps the caller's own (for the out= rule)."""
    if converted is None:
        return
    options[name] = converted
    # Arrays of Python objects (symbols, say) are nobody's memory to write over.
    if converted is not value and exports_buffer(value) and not getattr(getattr(value, "dtype", None), "hasobject", False):
        origins[name] = value


def _placed(options: Options, name: str | None, transform: npt.ArrayLike | None, encoding: Encoding | None) -> Options:
    if name is not None:
        options["name"] = name
    if transform is not None:
        options["transform"] = matrix_of(transform)
    if encoding is not None:
        options["encoding"] = encoding
    return options


def points_options(positions: npt.ArrayLike, colors: npt.ArrayLike | None) -> Options:
    options: Options = {}
    origins: dict[str, object] = {}
    _given(options, origins, "positions", positions, rows_of(positions, "positions"))
    _given(options, origins, "colors", colors, None if colors is None else colors_of(colors, "colors"))
    options["origins"] = origins
    return options


def atoms_options(positions: npt.ArrayLike, types: npt.ArrayLike | None, *, elements: npt.ArrayLike | None,
                  bounds: npt.ArrayLike | None, style: Style, radius: float | None, radii: npt.ArrayLike | None,
                  bonds: Bonds, instancing: bool, cell: npt.ArrayLike | None = None,
                  pbc: bool | npt.ArrayLike | None = None, palette: npt.ArrayLike | None = None,
                  colors: npt.ArrayLike | None = None, values: npt.ArrayLike | None = None, cmap: object = None,
                  vmin: float | None = None, vmax: float | None = None) -> Options:
    options: Options = {"style": style, "radius": radius, "instancing": instancing}
    origins: dict[str, object] = {}
    points = rows_of(positions, "positions")
    _given(options, origins, "positions", positions, points)
    _given(options, origins, "types", types, None if types is None else integers_of(types, "types", (None,)))
    _given(options, origins, "elements", elements, None if elements is None else atomic_numbers_of(elements))
    if bounds is not None:
        options["bounds"] = box_of(bounds)
    _given(options, origins, "radii", radii, None if radii is None else numbers_of(radii, "radii"))
    shifts = None
    if isinstance(bonds, tuple) and len(bonds) == 2:  # (pairs, cell shifts), as spatial_assembler.bonds gives them
        bonds, shifts = bonds
    # None: ball-and-stick finds the bonds of atoms given as elements; True: find them; False: none.
    options["bond_search"] = "automatic" if bonds is None else "on" if bonds is True else "off"
    if bonds is None and style == "ball-and-stick" and elements is None:
        warnings.warn("ball-and-stick atoms without bonds and without elements draw no sticks: give bonds=, or "
                      "elements= to find them", UserWarning, stacklevel=4)
    if isinstance(bonds, (bool, np.bool_)):
        bonds = None
    if pbc is not None:
        options["pbc"] = pbc
    _given(options, origins, "bonds", bonds, None if bonds is None else integers_of(bonds, "bonds", (None, 2)))
    _given(options, origins, "bond_shifts", shifts, None if shifts is None else integers_of(shifts, "bond_shifts", (None, 3)))
    if cell is not None:
        options["cell"] = cell_of(cell)
    _given(options, origins, "palette", palette, None if palette is None else colors_of(palette, "palette"))
    _given(options, origins, "colors", colors, None if colors is None else colors_of(colors, "colors"))
    _given(options, origins, "values", values, None if values is None else numbers_of(values, "values"))
    if cmap is not None:
        options.update(_colormap_option(cmap))
    options["vmin"], options["vmax"] = vmin, vmax
    options["origins"] = origins
    return options


def _colormap_option(cmap: object) -> Options:
    """A colour map's name as it is, a matplotlib Colormap as 256 colours sampled from it."""
    if isinstance(cmap, str):
        return {"cmap": cmap}
    if callable(cmap) and hasattr(cmap, "N"):
        return {"cmap_colors": np.asarray(cmap(np.linspace(0.0, 1.0, 256)), dtype=np.float64)}
    raise TypeError(f"cmap must be a colour map name or a matplotlib Colormap, not {type(cmap).__name__}")


def _texture_bytes(texture: object) -> bytes | np.ndarray:
    """A texture as the bytes of an image: PNG or JPEG bytes as they are, an image array encoded as PNG."""
    if isinstance(texture, (bytes, bytearray, memoryview)):
        return np.frombuffer(texture, np.uint8)
    image = array_of(texture, "texture")
    if image.ndim not in (2, 3) or (image.ndim == 3 and image.shape[2] not in (1, 2, 3, 4)):
        raise ValueError(f"texture must be the bytes of a PNG or JPEG image, or an image array of shape (height, width) "
                         f"or (height, width, 1 to 4 channels), not {image.shape}")
    if image.dtype.kind == "f":
        if not np.all(np.isfinite(image)) or image.min() < 0 or image.max() > 1:
            raise ValueError("texture given as floats must lie in [0, 1]")
        image = np.round(image * 255)
    elif image.dtype.kind not in "iu" or image.min(initial=0) < 0 or image.max(initial=0) > 255:
        raise ValueError("texture must hold floats in [0, 1] or integers in 0..255")
    try:
        from PIL import Image
    except ImportError as error:
        raise ImportError("an image array as texture is encoded with Pillow: pip install pillow "
                          "(or pass the bytes of a PNG or JPEG image)") from error
    pixels = np.ascontiguousarray(image.astype(np.uint8).squeeze(axis=2) if image.ndim == 3 and image.shape[2] == 1
                                  else image.astype(np.uint8))
    encoded = io.BytesIO()
    Image.fromarray(pixels).save(encoded, format="PNG")
    return np.frombuffer(encoded.getvalue(), np.uint8)


def mesh_options(positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: Normals | npt.ArrayLike,
                 crease_angle: float, colors: npt.ArrayLike | None, uv: npt.ArrayLike | None, texture: object,
                 base_color: npt.ArrayLike | None, metallic: float, roughness: float, emissive: npt.ArrayLike,
                 double_sided: bool) -> Options:
    options: Options = {"crease_angle": crease_angle, "metallic": metallic, "roughness": roughness,
                        "emissive": factors_of(emissive, "emissive", 3), "double_sided": double_sided}
    origins: dict[str, object] = {}
    _given(options, origins, "positions", positions, rows_of(positions, "positions"))
    _given(options, origins, "faces", faces, integers_of(faces, "faces", (None, 3)))
    if isinstance(normals, str):
        options["normals"] = normals
    else:
        _given(options, origins, "normals", normals, rows_of(normals, "normals"))
    _given(options, origins, "colors", colors, None if colors is None else colors_of(colors, "colors"))
    _given(options, origins, "uv", uv, None if uv is None else rows_of(uv, "uv", 2))
    if texture is not None:
        options["texture"] = _texture_bytes(texture)
    if base_color is not None:
        options["base_color"] = factors_of(base_color, "base_color", 4)
    options["origins"] = origins
    return options


def lines_options(positions: npt.ArrayLike, segments: npt.ArrayLike | None, colors: npt.ArrayLike | None,
                  color: npt.ArrayLike | None) -> Options:
    options: Options = {}
    origins: dict[str, object] = {}
    _given(options, origins, "positions", positions, rows_of(positions, "positions"))
    _given(options, origins, "segments", segments,
           None if segments is None else integers_of(segments, "segments", (None, 2)))
    _given(options, origins, "colors", colors, None if colors is None else colors_of(colors, "colors"))
    if color is not None:
        options["color"] = color_of(color, "color")
    options["origins"] = origins
    return options


class Scene:
    """Parts in one file: ``scene.points(...)``, ``scene.atoms(...)``, ``scene.mesh(...)`` and
    ``scene.lines(...)`` take the options of the package's functions, plus ``name=`` (the part's node)
    and ``transform=`` (a 4 x 4 matrix acting on column vectors, as numpy and trimesh write it); each
    returns the scene. ``glb()`` writes the file, ``save(path)`` a file on disk, ``view()`` shows it
    in a notebook. Shapes and options are checked as each part is added; values (NaN, indices out of
    range) when the file is written, the error naming the part. The arrays are read when the file is
    written: change them in between and the file holds what they hold then."""

    def __init__(self) -> None:
        self._parts: list[tuple[str, Options]] = []

    def __repr__(self) -> str:
        count = len(self._parts)
        return f"<spatial_assembler.Scene of {count} part{'' if count == 1 else 's'}>"

    def __len__(self) -> int:
        return len(self._parts)

    @property
    def parts(self) -> list[tuple[str, str | None]]:
        """(kind, name) of each part, in order."""
        return [(kind, options.get("name")) for kind, options in self._parts]

    def _add(self, kind: str, options: Options) -> Scene:
        _core.check_part(kind, options)
        self._parts.append((kind, options))
        return self

    def points(self, positions: npt.ArrayLike, colors: npt.ArrayLike | None = None, *,
               encoding: Encoding | None = None, name: str | None = None,
               transform: npt.ArrayLike | None = None) -> Scene:
        """A point cloud (see spatial_assembler.point_cloud)."""
        return self._add("points", _placed(points_options(positions, colors), name, transform, encoding))

    def atoms(self, positions: npt.ArrayLike, types: npt.ArrayLike | None = None, *,
              elements: npt.ArrayLike | None = None, bounds: npt.ArrayLike | None = None, style: Style = "points",
              radius: float | None = None, radii: npt.ArrayLike | None = None, bonds: Bonds = None,
              cell: npt.ArrayLike | None = None, pbc: bool | npt.ArrayLike | None = None, instancing: bool = True,
              palette: npt.ArrayLike | None = None,
              colors: npt.ArrayLike | None = None,
              values: npt.ArrayLike | None = None, cmap: object = None, vmin: float | None = None, vmax: float | None = None,
              encoding: Encoding | None = None, name: str | None = None,
              transform: npt.ArrayLike | None = None) -> Scene:
        """Atoms (see spatial_assembler.atoms)."""
        options = atoms_options(positions, types, elements=elements, bounds=bounds, style=style, radius=radius,
                                radii=radii, bonds=bonds, instancing=instancing, cell=cell, pbc=pbc, palette=palette, colors=colors, values=values, cmap=cmap, vmin=vmin, vmax=vmax)
        return self._add("atoms", _placed(options, name, transform, encoding))

    def mesh(self, positions: npt.ArrayLike, faces: npt.ArrayLike, *, normals: Normals | npt.ArrayLike = "auto",
             crease_angle: float = 30.0, colors: npt.ArrayLike | None = None, uv: npt.ArrayLike | None = None,
             texture: object = None, base_color: npt.ArrayLike | None = None, metallic: float = 0.0,
             roughness: float = 0.5, emissive: npt.ArrayLike = (0.0, 0.0, 0.0), double_sided: bool = True,
             encoding: Encoding | None = None, name: str | None = None,
             transform: npt.ArrayLike | None = None) -> Scene:
        """A triangle mesh (see spatial_assembler.mesh)."""
        options = mesh_options(positions, faces, normals=normals, crease_angle=crease_angle, colors=colors, uv=uv,
                               texture=texture, base_color=base_color, metallic=metallic, roughness=roughness,
                               emissive=emissive, double_sided=double_sided)
        return self._add("mesh", _placed(options, name, transform, encoding))

    def lines(self, positions: npt.ArrayLike, segments: npt.ArrayLike | None = None,
              colors: npt.ArrayLike | None = None, *, color: npt.ArrayLike | None = None,
              encoding: Encoding | None = None, name: str | None = None,
              transform: npt.ArrayLike | None = None) -> Scene:
        """Lines: segments (m, 2) between point pairs, or without segments one line through every point in
        order. colors: one per point (as for point_cloud); color: one RGB or RGBA colour for all (dark grey
        by default)."""
        return self._add("lines", _placed(lines_options(positions, segments, colors, color), name, transform, encoding))

    @overload
    def glb(self, *, encoding: Encoding = "float32", out: None = None) -> bytes: ...
    @overload
    def glb(self, *, encoding: Encoding = "float32", out: Buffer) -> memoryview: ...
    def glb(self, *, encoding: Encoding = "float32", out: Buffer | None = None) -> bytes | memoryview:
        """The file: every part planned into one document, written in one pass. encoding applies to the
        parts that name none. out: as for the package's functions."""
        result: bytes | memoryview = _core.glb(self._parts, encoding, out, True)
        return result

    def save(self, path: str | PathLike[str], *, encoding: Encoding = "float32") -> None:
        """Writes the file to path."""
        from .notebook import save

        save(path, self.glb(encoding=encoding))

    def view(self, *, encoding: Encoding = "float32", **view_options: Any) -> Any:
        """Shows the scene in a notebook, with a checkbox per part (see spatial_assembler.view)."""
        from .notebook import view

        return view(self.glb(encoding=encoding), **view_options)


def one_part(kind: str, options: Options, encoding: Encoding, out: Buffer | None) -> bytes | memoryview:
    """The file of one part, as the package's functions write it."""
    result: bytes | memoryview = _core.glb([(kind, options)], encoding, out, False)
    return result
