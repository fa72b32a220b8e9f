"""GLBs from the libraries users hold their data in. Each library is imported
only when its adapter is called, and is an optional extra of the distribution:
``pip install spatial-assembler[ase]`` or ``[trimesh]``."""

from __future__ import annotations

import importlib
from typing import Any

import numpy as np


def _optional(module: str, extra: str) -> Any:
    """The optional library, imported only when its adapter is called."""
    try:
        return importlib.import_module(module)
    except ImportError as error:
        raise ImportError(f"this adapter needs {module}: pip install 'spatial-assembler[{extra}]'") from error


def from_ase(atoms: Any, *, bounds: Any = None) -> bytes:
    """The atoms of an ``ase.Atoms`` (positions in Å, coloured by element)."""
    Atoms = _optional("ase", "ase").Atoms

    if not isinstance(atoms, Atoms):
        raise TypeError(f"from_ase needs an ase.Atoms, not {type(atoms).__name__}")
    from . import atoms as atom_glb

    return atom_glb(atoms.positions, elements=atoms.numbers, bounds=bounds)


def from_trimesh(geometry: Any, *, bounds: Any = None) -> bytes:
    """A ``trimesh.Trimesh`` (vertices, faces and, when it has them, vertex
    colours; normals computed as mesh() does, area-weighted per vertex) or a ``trimesh.PointCloud`` (vertices and colours)."""
    trimesh = _optional("trimesh", "trimesh")

    from . import mesh, point_cloud

    if isinstance(geometry, trimesh.Trimesh):
        colors = None
        visual: Any = geometry.visual
        if visual is not None and visual.kind == "vertex":
            colors = np.asarray(visual.vertex_colors)  # uint8 RGBA
        return mesh(geometry.vertices, geometry.faces, colors=colors, bounds=bounds)
    if isinstance(geometry, trimesh.PointCloud):
        colors = np.asarray(geometry.colors) if len(geometry.colors) else None
        return point_cloud(geometry.vertices, colors, bounds=bounds)
    raise TypeError(f"from_trimesh needs a trimesh.Trimesh or trimesh.PointCloud, not {type(geometry).__name__}")
