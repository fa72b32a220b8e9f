"""Calls of the native module that a type checker must accept, and wrong ones it
must flag: each wrong call carries the one ignore comment it needs, and both
checkers run with unneeded ignores reported, so a missed error fails too."""

import numpy as np

import _spatial_assembler as sa

positions = np.zeros((2, 3), np.float32)
glb: bytes = sa.point_cloud_glb(positions, positions, [0, 0, 0], (1.0, 1, np.float32(1)))
glb = sa.atom_glb(b"", bytearray(), vmin=[0, 0, 0], vmax=[1, 1, 1])
glb = sa.mesh_glb(positions, memoryview(positions), b"", [0] * 6, [1.0] * 4, 0.5, 1, [0] * 3, False)
glb = sa.mesh_glb(positions, positions, b"", [0] * 6, [1] * 4, 0.5, 1, [0] * 3, True, colors=positions)

sa.point_cloud_glb([0.0, 1.0, 2.0], positions, [0] * 3, [1] * 3)  # type: ignore[arg-type]
sa.point_cloud_glb(positions, positions, ["a", "b", "c"], [1] * 3)  # type: ignore[list-item]
sa.mesh_glb(positions, positions, b"", [0] * 6, [1] * 4, "x", 1, [0] * 3, False)  # type: ignore[arg-type]
sa.mesh_glb(positions, positions, b"", [0] * 6, [1] * 4, 0, 1, [0] * 3, False, [1.0])  # type: ignore[arg-type]
sa.atom_glb(positions, positions, [0] * 3)  # type: ignore[call-arg]
count: int = sa.atom_glb(positions, b"", [0] * 3, [1] * 3)  # type: ignore[assignment]
