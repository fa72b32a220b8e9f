"""Native GLB assembler (shared C++ core with the Node addon)."""

from collections.abc import Buffer, Sequence
from typing import SupportsFloat, SupportsIndex

_Number = SupportsFloat | SupportsIndex

def atom_glb(
    positions: Buffer,
    types: Buffer,
    vmin: Sequence[_Number],
    vmax: Sequence[_Number],
) -> bytes: ...
def point_cloud_glb(
    positions: Buffer,
    colors: Buffer,
    vmin: Sequence[_Number],
    vmax: Sequence[_Number],
) -> bytes: ...
def mesh_glb(
    positions: Buffer,
    normals: Buffer,
    indices: Buffer,
    bounds: Sequence[_Number],
    base_color: Sequence[_Number],
    metallic: _Number,
    roughness: _Number,
    emissive: Sequence[_Number],
    double_sided: bool,
    colors: Buffer | None = None,
) -> bytes: ...
