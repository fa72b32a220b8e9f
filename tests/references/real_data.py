"""Real float data for the files of the tests and of the validity benchmark:
random float32 positions (normal distribution) at a given scale, not on a
decimal grid, with bounds that are the data's exact extremes."""

import numpy as np

import _spatial_assembler as sa


def random_files(rng, scale, count):
    """(function name, GLB) pairs of random data at one scale."""
    for _ in range(count):
        n = int(rng.integers(1, 2000))
        positions = (rng.standard_normal((n, 3)) * scale).astype(np.float32)
        vmin, vmax = positions.min(0).tolist(), positions.max(0).tolist()
        colors = rng.random((n, 4), dtype=np.float32)
        yield "point_cloud_glb", sa.point_cloud_glb(positions, colors, vmin, vmax)
        yield "atom_glb", sa.atom_glb(positions, rng.integers(0, 9, n).astype(np.uint16), vmin, vmax)
        normals = rng.standard_normal((n, 3))
        normals = (normals / np.linalg.norm(normals, axis=1, keepdims=True)).astype(np.float32)
        triangles = np.stack([rng.permutation(n)[:3] for _ in range(max(1, n // 3))]) if n >= 3 else None
        if triangles is not None:
            yield "mesh_glb", sa.mesh_glb(positions, normals, triangles.astype(np.uint32), [*vmin, *vmax],
                                          [1, 1, 1, 1], 0.0, 0.5, [0, 0, 0], False)
