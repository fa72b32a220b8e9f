"""GLBs from the libraries users hold their data in. Each library is imported
only when its adapter is called, and is an optional extra of the distribution:
``pip install spatial-assembler[ase]`` or ``[trimesh]``."""

from __future__ import annotations

import importlib
import warnings
from typing import TYPE_CHECKING, Any, overload

import numpy as np

from ._inputs import Encoding, Style

if TYPE_CHECKING:  # Python 3.12's name for the buffer protocol; annotations are never evaluated
    from collections.abc import Buffer


def _optional(module: str, extra: str) -> Any:
    """The optional library, imported only when its adapter is called."""
    try:
        return importlib.import_module(module)
    except ImportError as error:
        raise ImportError(f"this adapter needs {extra}: pip install {extra}") from error


@overload
def from_ase(atoms: Any, *, style: Style = "spheres", bonds: Any = None, cell: Any = None, bounds: Any = None,
             radius: Any = None, radii: Any = None, instancing: bool = True, encoding: Encoding = "float32",
             fps: float = 10.0, out: None = None) -> bytes: ...
@overload
def from_ase(atoms: Any, *, style: Style = "spheres", bonds: Any = None, cell: Any = None, bounds: Any = None,
             radius: Any = None, radii: Any = None, instancing: bool = True, encoding: Encoding = "float32",
             fps: float = 10.0, out: Buffer) -> memoryview: ...
def from_ase(atoms: Any, *, style: Style = "spheres", bonds: Any = None, cell: Any = None, bounds: Any = None,
             radius: Any = None, radii: Any = None, instancing: bool = True, encoding: Encoding = "float32",
             fps: float = 10.0, out: Buffer | None = None) -> bytes | memoryview:
    """The atoms of an ``ase.Atoms`` (positions in Å, coloured by element), drawn as
    spheres by default (molecules and crystals are what ASE holds). bonds: found
    by the core from the elements for ball-and-stick (covalent radii plus 0.4 Å,
    across the cell's faces along the periodic axes of atoms.pbc), True or False
    to say so, or (m, 2) atom index pairs. cell: the cell drawn as its edges,
    atoms.cell by default for a periodic system (False: none). bounds: the
    Morton box; the atoms' own extremes when omitted. The other arguments, out
    included, are those of spatial_assembler.atoms.

    A list of Atoms (or an ASE trajectory, which reads its frames one by one)
    becomes a trajectory (spatial_assembler.trajectory), frame k at time k / fps;
    bonds are found in each frame."""
    Atoms = _optional("ase", "ase").Atoms

    from . import atoms as atom_glb
    from .trajectories import trajectory

    frames = None if isinstance(atoms, Atoms) else list(atoms) if _is_sequence_of(atoms, Atoms) else None
    if not isinstance(atoms, Atoms) and frames is None:
        raise TypeError(f"from_ase needs an ase.Atoms or a list of them, not {type(atoms).__name__}")
    first = atoms if frames is None else frames[0]
    if frames is not None:
        for k, frame in enumerate(frames):
            if len(frame) != len(first) or not np.array_equal(frame.numbers, first.numbers):
                raise ValueError(f"from_ase: every frame must hold the same atoms, but frame {k} differs from the first")
    periodic = bool(np.any(first.pbc)) and first.cell.rank == 3
    if cell is None:
        cell = first.cell.array if periodic else None
    elif cell is False:
        cell = None
    options: dict[str, Any] = dict(elements=first.numbers, bounds=bounds, style=style, radius=radius, radii=radii,
                                   bonds=bonds, cell=cell, pbc=[bool(axis) for axis in first.pbc],
                                   instancing=instancing, encoding=encoding)
    if frames is None:
        return atom_glb(atoms.positions, **options, out=out)
    return trajectory(np.stack([frame.positions for frame in frames]), fps=fps, **options, out=out)


def _is_sequence_of(value: Any, kind: type) -> bool:
    try:
        return len(value) > 0 and all(isinstance(item, kind) for item in value)
    except TypeError:
        return False


def from_mdanalysis(atoms: Any, *, start: int | None = None, stop: int | None = None, step: int | None = None,
                    style: Style = "points", fps: float = 10.0, encoding: Encoding = "float32", **options: Any) -> bytes:
    """The frames of an MDAnalysis Universe or AtomGroup (positions in Å) as a
    trajectory (spatial_assembler.trajectory), read frame by frame from
    trajectory[start:stop:step] into one array. Atoms are coloured by element
    where the topology has elements, else by the element guessed from their
    names. The other options are those of spatial_assembler.trajectory."""
    MDAnalysis = _optional("MDAnalysis", "mdanalysis")
    from .trajectories import trajectory

    group = atoms.atoms if isinstance(atoms, MDAnalysis.Universe) else atoms
    if not isinstance(group, MDAnalysis.AtomGroup):
        raise TypeError(f"from_mdanalysis needs an MDAnalysis Universe or AtomGroup, not {type(atoms).__name__}")
    steps = group.universe.trajectory[start:stop:step]
    frames = np.empty((len(steps), len(group), 3), np.float32)
    for k, _ in enumerate(steps):
        frames[k] = group.positions
    if "elements" not in options and "types" not in options:
        if not hasattr(group, "elements"):
            group.universe.guess_TopologyAttrs(to_guess=["elements"])  # from the atoms' names
        options["elements"] = [str(symbol).strip().capitalize() or "X" for symbol in group.elements]
    glb: bytes = trajectory(frames, style=style, fps=fps, encoding=encoding, **options)
    return glb


def _vertex_colors(geometry: Any, trimesh: Any) -> tuple[np.ndarray, np.ndarray, np.ndarray | None]:
    """(vertices, faces, RGBA uint8 colours or None) of a Trimesh as trimesh shows it:
    face colours on unshared vertices, a texture sampled into vertex colours."""
    visual: Any = geometry.visual
    vertices, faces = np.asarray(geometry.vertices), np.asarray(geometry.faces)
    kind = None if visual is None else visual.kind
    if kind == "texture":
        material = getattr(visual, "material", None)
        image = getattr(material, "baseColorTexture", None) or getattr(material, "image", None)
        if image is None:  # a material without a texture: its vertex colours (trimesh keeps a GLB's so), or its colour
            colors = getattr(visual, "vertex_attributes", {}).get("color")
            if colors is not None and len(colors) == len(vertices):
                return vertices, faces, np.asarray(colors)
            main = getattr(material, "main_color", None)
            return vertices, faces, None if main is None else np.asarray(main, np.uint8)
        warnings.warn("the mesh's texture is written as vertex colours sampled from it: "
                      "spatial_assembler's GLBs hold no textures", UserWarning, stacklevel=3)
        return vertices, faces, np.asarray(visual.to_color().vertex_colors, np.uint8)
    if kind == "face":
        # One vertex per corner, so that each face keeps its own colour.
        corners = vertices[faces].reshape(-1, 3)
        colors = np.repeat(np.asarray(visual.face_colors, np.uint8), 3, axis=0)
        return corners, np.arange(len(corners)).reshape(-1, 3), colors
    if kind == "vertex":
        return vertices, faces, np.asarray(visual.vertex_colors, np.uint8)
    return vertices, faces, None


def _flattened(scene: Any, trimesh: Any) -> list[Any]:
    """The geometry of a Scene with every node's transform applied, in graph order."""
    placed = []
    for node in scene.graph.nodes_geometry:
        transform, name = scene.graph[node]
        geometry = scene.geometry[name].copy()
        geometry.apply_transform(transform)
        placed.append(geometry)
    return placed


def from_trimesh(geometry: Any, *, encoding: Encoding = "float32") -> bytes:
    """A ``trimesh.Trimesh`` (vertices, faces and their colours: vertex colours,
    face colours on unshared vertices, a texture sampled into vertex colours
    with a warning; normals computed as mesh() does), a ``trimesh.PointCloud``
    (vertices and colours), or a ``trimesh.Scene`` (what ``trimesh.load`` returns
    for a GLB), flattened with its transforms into one mesh or one point cloud."""
    trimesh = _optional("trimesh", "trimesh")

    from . import mesh, point_cloud

    if isinstance(geometry, trimesh.Scene):
        parts = _flattened(geometry, trimesh)
        meshes = [part for part in parts if isinstance(part, trimesh.Trimesh)]
        clouds = [part for part in parts if isinstance(part, trimesh.PointCloud)]
        if not meshes and not clouds:
            raise ValueError("from_trimesh: the Scene holds no Trimesh and no PointCloud")
        if meshes and len(meshes) < len(parts) or not meshes and len(clouds) < len(parts):
            warnings.warn("from_trimesh: the Scene mixes kinds of geometry; only its "
                          f"{'meshes' if meshes else 'point clouds'} are written", UserWarning, stacklevel=2)
        if not meshes:
            vertices, colors = _concatenated_clouds(clouds)
            return point_cloud(vertices, colors, encoding=encoding)
        vertices, faces, colors = _concatenated_meshes(meshes, trimesh)
        return mesh(vertices, faces, colors=colors, encoding=encoding)
    if isinstance(geometry, trimesh.Trimesh):
        vertices, faces, colors = _vertex_colors(geometry, trimesh)
        return mesh(vertices, faces, colors=colors, encoding=encoding)
    if isinstance(geometry, trimesh.PointCloud):
        colors = np.asarray(geometry.colors) if len(geometry.colors) else None
        return point_cloud(geometry.vertices, colors, encoding=encoding)
    raise TypeError(f"from_trimesh needs a trimesh.Trimesh, trimesh.PointCloud or trimesh.Scene, "
                    f"not {type(geometry).__name__}")


_LIGHT_GREY = np.array([204, 204, 204, 255], np.uint8)


def _concatenated_meshes(meshes: list[Any], trimesh: Any) -> tuple[np.ndarray, np.ndarray, np.ndarray | None]:
    """One mesh of several: (vertices, faces, RGBA colours or None); meshes without
    colours among coloured ones show light grey."""
    parts = [_vertex_colors(part, trimesh) for part in meshes]
    offsets = np.cumsum([0] + [len(v) for v, _, _ in parts[:-1]])
    vertices = np.concatenate([v for v, _, _ in parts])
    faces = np.concatenate([f + offset for (_, f, _), offset in zip(parts, offsets)])
    if all(c is None for _, _, c in parts):
        return vertices, faces, None
    colors = np.concatenate([_rgba8(c, len(v)) for v, _, c in parts])
    return vertices, faces, colors


def _rgba8(colors: np.ndarray | None, count: int) -> np.ndarray:
    """Colours of one part as (count, 4) uint8 rows: light grey without, floats scaled, one colour spread."""
    if colors is None:
        return np.broadcast_to(_LIGHT_GREY, (count, 4))
    rows = np.asarray(colors)
    if rows.dtype.kind == "f":
        rows = np.round(np.clip(rows, 0, 1) * 255)
    rows = np.broadcast_to(rows.reshape(-1, rows.shape[-1]), (count, rows.shape[-1])).astype(np.uint8)
    return rows if rows.shape[1] == 4 else np.concatenate([rows, np.full((count, 1), 255, np.uint8)], 1)


def _concatenated_clouds(clouds: list[Any]) -> tuple[np.ndarray, Any]:
    vertices = np.concatenate([np.asarray(c.vertices) for c in clouds])
    if not any(len(c.colors) for c in clouds):
        return vertices, None
    colors = np.concatenate([np.asarray(c.colors, np.uint8) if len(c.colors) else
                             np.broadcast_to(_LIGHT_GREY, (len(c.vertices), 4)) for c in clouds])
    return vertices, colors
