"""Calls of the spatial_assembler package that a type checker must accept, and
wrong ones it must flag (each with the one ignore comment it needs)."""

from pathlib import Path

import numpy as np

import spatial_assembler as sa

points = np.zeros((4, 3))
glb: bytes = sa.point_cloud(points, (0.5, 0.5, 0.5), encoding="compact")
glb = sa.point_cloud([[0, 0, 0], [1, 1, 1]])
glb = sa.atoms(points, elements=["C", "O", "N", "H"])
glb = sa.atoms(points, np.arange(4), bounds=[0, 0, 0, 1, 1, 1])
glb = sa.mesh(points, [[0, 1, 2]], colors=np.zeros((4, 3), np.uint8), metallic=0.2, double_sided=False)
glb = sa.atoms(points, elements=[6, 8, 7, 1], style="ball-and-stick", bonds=[[0, 3]], radius=0.4, instancing=False)
path: Path = sa.save("out.glb", glb)
view: sa.GlbView = sa.view(glb, height=320)
html: str = view.glb.hex()
version: str = sa.__version__
reused = bytearray(1 << 16)
in_place: memoryview = sa.atoms(points, out=reused)
path = sa.save("out.glb", in_place)
freed: int = sa.release_memory()

sa.atoms(points, None, [0, 0, 0, 1, 1, 1])  # type: ignore[call-overload]  # bounds is keyword-only
sa.mesh(points, [[0, 1, 2]], double_sided="yes")  # type: ignore[call-overload]
sa.save(glb, "out.glb")  # type: ignore[arg-type]
count: int = sa.point_cloud(points)  # type: ignore[assignment]
sa.atoms(points, style="sticks")  # type: ignore[call-overload]
sa.mesh(points, [[0, 1, 2]], encoding="float16")  # type: ignore[call-overload]
sa.point_cloud(points, out=4096)  # type: ignore[call-overload]  # out takes memory, not a size
copied: bytes = sa.mesh(points, [[0, 1, 2]], out=reused)  # type: ignore[assignment]

scene: sa.Scene = sa.Scene().points(points, name="Cloud").lines(points, [[0, 1]], color=(1, 1, 1), transform=np.eye(4))
scene = scene.mesh(points, [[0, 1, 2]], normals="flat", uv=np.zeros((4, 2)), texture=b"\x89PNG", encoding="compact")
glb = scene.glb()
in_scene: memoryview = scene.glb(out=reused)
textured: bytes = sa.from_trimesh(object(), normals="smooth", crease_angle=45.0)
into_trimesh: memoryview = sa.from_trimesh(object(), out=reused)

sa.from_trimesh(object(), encoding="float16")  # type: ignore[call-overload]
sa.Scene().lines(points, name=3)  # type: ignore[arg-type]
copied_scene: bytes = scene.glb(out=reused)  # type: ignore[assignment]
