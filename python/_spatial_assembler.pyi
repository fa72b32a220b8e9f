"""Native GLB assembler (shared C++ core with the Node addon)."""

import collections.abc
import typing

def atom_glb(
    positions: collections.abc.Buffer,
    types: collections.abc.Buffer,
    vmin: collections.abc.Sequence,
    vmax: collections.abc.Sequence,
) -> bytes: ...
def point_cloud_glb(
    positions: collections.abc.Buffer,
    colors: collections.abc.Buffer,
    vmin: collections.abc.Sequence,
    vmax: collections.abc.Sequence,
) -> bytes: ...
def mesh_glb(
    positions: collections.abc.Buffer,
    normals: collections.abc.Buffer,
    indices: collections.abc.Buffer,
    bounds: collections.abc.Sequence,
    base_color: collections.abc.Sequence,
    metallic: typing.SupportsFloat | typing.SupportsIndex,
    roughness: typing.SupportsFloat | typing.SupportsIndex,
    emissive: collections.abc.Sequence,
    double_sided: bool,
    colors: object = None,
) -> bytes: ...
