"""Trajectories: the frames of a simulation in one file, played by the viewer.

Each frame is drawn as spatial_assembler.atoms draws atoms (any style, any
encoding: compact files quantise each frame on its own), under a node "Frame k"
whose scale a STEP animation switches on from k / fps for 1 / fps seconds. So
every viewer that plays glTF animations (three.js, Babylon.js, Blender) shows
frame k at time k / fps, and one that plays none shows the first frame.

A node per frame works for every style, where morph targets would not: the
spheres of EXT_mesh_gpu_instancing have no per-instance animation, and each
frame keeps its own Morton order. Its price is that a file holds every frame in
full, so the 4 GiB of one GLB bound frames x atoms (about 170M atom positions
as points, 350M compact).
"""

from __future__ import annotations

from collections.abc import Buffer, Sequence
from typing import overload

import numpy as np
import numpy.typing as npt

from . import _core
from ._inputs import Bonds, Encoding, Style, array_of, floats_of
from .scene import atoms_options


def frames_of(frames: object) -> np.ndarray:
    """Frames as one (F, n, 3) array the core reads: a 3-d array as it is, or a
    sequence of (n, 3) arrays stacked (they must hold the same atoms)."""
    if isinstance(frames, np.ndarray) or not isinstance(frames, Sequence):
        array = array_of(frames, "frames")
    else:
        shapes = {np.shape(frame) for frame in frames}
        if len(shapes) > 1:
            counts = [np.shape(frame)[0] if np.ndim(frame) else 0 for frame in frames]
            different = next(k for k, count in enumerate(counts) if count != counts[0])
            raise ValueError(f"frames must hold the same atoms: frame {different} has {counts[different]}, "
                             f"the first {counts[0]}")
        array = array_of(frames, "frames")
    if array.ndim != 3 or array.shape[2] != 3:
        raise ValueError(f"frames must have shape (frames, atoms, 3), not {array.shape}")
    if array.shape[0] == 0:
        raise ValueError("frames hold no frame: a trajectory needs at least one")
    return floats_of(array, "frames")


@overload
def trajectory(frames: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
               bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
               radii: npt.ArrayLike | None = None, bonds: Bonds = None, cell: npt.ArrayLike | None = None,
          pbc: bool | npt.ArrayLike | None = None,
          palette: npt.ArrayLike | None = None,
          colors: npt.ArrayLike | None = None,
          values: npt.ArrayLike | None = None, cmap: object = None, vmin: float | None = None, vmax: float | None = None,
          instancing: bool = True,
               fps: float = 10.0, encoding: Encoding = "float32", out: None = None) -> bytes: ...
@overload
def trajectory(frames: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
               bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
               radii: npt.ArrayLike | None = None, bonds: Bonds = None, cell: npt.ArrayLike | None = None,
          pbc: bool | npt.ArrayLike | None = None,
          palette: npt.ArrayLike | None = None,
          colors: npt.ArrayLike | None = None,
          values: npt.ArrayLike | None = None, cmap: object = None, vmin: float | None = None, vmax: float | None = None,
          instancing: bool = True,
               fps: float = 10.0, encoding: Encoding = "float32", out: Buffer) -> memoryview: ...
def trajectory(frames: npt.ArrayLike, types: npt.ArrayLike | None = None, *, elements: npt.ArrayLike | None = None,
               bounds: npt.ArrayLike | None = None, style: Style = "points", radius: float | None = None,
               radii: npt.ArrayLike | None = None, bonds: Bonds = None, cell: npt.ArrayLike | None = None,
          pbc: bool | npt.ArrayLike | None = None,
          palette: npt.ArrayLike | None = None,
          colors: npt.ArrayLike | None = None,
          values: npt.ArrayLike | None = None, cmap: object = None, vmin: float | None = None, vmax: float | None = None,
          instancing: bool = True,
               fps: float = 10.0, encoding: Encoding = "float32", out: Buffer | None = None) -> bytes | memoryview:
    """The frames of a trajectory in one file, frame k shown at time k / fps.

    frames: (F, n, 3) positions, or a sequence of F (n, 3) arrays. The other
    options are those of spatial_assembler.atoms, the same for every frame
    (types, elements, radii and bonds describe the atoms of every frame);
    bounds, when given, is the Morton box of every frame, else each frame's own
    extremes. Frames are written in parallel; a file of 4 GiB or more is
    refused before anything is written."""
    stack = frames_of(frames)
    common = atoms_options(stack[0], types, elements=elements, bounds=bounds, style=style, radius=radius, radii=radii,
                           bonds=bonds, instancing=instancing, cell=cell, pbc=pbc, palette=palette, colors=colors, values=values, cmap=cmap, vmin=vmin, vmax=vmax)
    # The caller's memory, for the out= rule: the array given, or the frames as stacked from a sequence.
    origin = frames if isinstance(frames, np.ndarray) and not frames.dtype.hasobject else stack
    parts = [("atoms", {**common, "positions": frame, "origins": {**common["origins"], "positions": origin}})
             for frame in stack]
    if not isinstance(fps, (int, float, np.integer, np.floating)) or isinstance(fps, bool):
        raise TypeError(f"fps must be a number, not {type(fps).__name__}")
    duration = 1.0 / float(fps) if fps != 0 else float("inf")
    result: bytes | memoryview = _core.glb(parts, encoding, out, True, duration)
    return result
