"""Scenes of the Python package: a scene of one part is its function's file; parts
of every kind keep their names, transforms and counts, read back with an
independent reader; each part keeps its own encoding; scene-only bad inputs
raise clear errors naming the part. (Node's scenes, three.js reading them and
the bytes of both faces: tests/node/scenes.test.mjs.)"""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import read_glb
from scene_reading import scene_parts

RNG = np.random.default_rng(23)
POINTS = RNG.normal(size=(300, 3)) * 4
CUBE = np.array([[x, y, z] for x in (0, 1) for y in (0, 1) for z in (0, 1)], np.float64)
CUBE_FACES = np.array([[0, 1, 3], [0, 3, 2], [4, 6, 7], [4, 7, 5], [0, 4, 5], [0, 5, 1],
                       [2, 3, 7], [2, 7, 6], [0, 2, 6], [0, 6, 4], [1, 5, 7], [1, 7, 3]])
CUBE_EDGES = np.array([[a, b] for a in range(8) for b in range(a + 1, 8) if bin(a ^ b).count("1") == 1])
TINY_PNG = bytes.fromhex("89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a73000000164944415478da63f8"
                         "cfc0c0f09f819181e1ffffff0c001ef604fd0b317c090000000049454e44ae426082")  # 2 x 2 RGB


def transform(angle, axis, scale, shift):
    """A rotation about an axis, a uniform scale and a translation, as one 4 x 4 matrix."""
    axis = np.asarray(axis, np.float64) / np.linalg.norm(axis)
    k = np.array([[0, -axis[2], axis[1]], [axis[2], 0, -axis[0]], [-axis[1], axis[0], 0]])
    matrix = np.eye(4)
    matrix[:3, :3] = (np.eye(3) + np.sin(angle) * k + (1 - np.cos(angle)) * k @ k) * scale
    matrix[:3, 3] = shift
    return matrix


@pytest.mark.parametrize("encoding", ["float32", "compact"])
def test_a_scene_of_one_part_is_its_functions_file(encoding):
    colors = RNG.random((300, 4))
    uv = RNG.random((8, 2))
    assert sa.Scene().points(POINTS, colors).glb(encoding=encoding) == sa.point_cloud(POINTS, colors, encoding=encoding)
    elements = RNG.choice([1, 6, 7, 8], 300)
    assert sa.Scene().atoms(POINTS, elements=elements, style="spheres").glb(encoding=encoding) == \
        sa.atoms(POINTS, elements=elements, style="spheres", encoding=encoding)
    assert sa.Scene().mesh(CUBE, CUBE_FACES, uv=uv, texture=TINY_PNG, roughness=0.2).glb(encoding=encoding) == \
        sa.mesh(CUBE, CUBE_FACES, uv=uv, texture=TINY_PNG, roughness=0.2, encoding=encoding)
    # A part's own encoding wins over the scene's.
    assert sa.Scene().points(POINTS, encoding=encoding).glb(encoding="float32") == sa.point_cloud(POINTS, encoding=encoding)


def test_parts_of_every_kind_keep_names_transforms_and_counts(validator):
    moves = {"Molecule": transform(0.4, [1, 2, 3], 1.5, [10, 0, -2]), "Cloud": transform(2.0, [0, 0, 1], 0.5, [0, 5, 0]),
             "Box": transform(-1.0, [1, 0, 0], 2.0, [-3, -3, 3]), "Cell": np.eye(4), "Path": transform(0.0, [0, 1, 0], 1.0, [1, 1, 1])}
    bonds = np.array([[i, i + 1] for i in range(0, 20, 2)])
    scene = (sa.Scene()
             .atoms(POINTS[:21], elements=["C", "O", "N"] * 7, style="ball-and-stick", bonds=bonds, name="Molecule",
                    transform=moves["Molecule"])
             .points(POINTS, RNG.random((300, 3)), name="Cloud", transform=moves["Cloud"], encoding="compact")
             .mesh(CUBE, CUBE_FACES, colors=RNG.random((8, 3)), name="Box", transform=moves["Box"])
             .lines(CUBE * 3, CUBE_EDGES, name="Cell", transform=moves["Cell"])
             .lines(POINTS[:50], colors=RNG.random((50, 4)), name="Path", transform=moves["Path"]))
    assert len(scene) == 5 and scene.parts == [("atoms", "Molecule"), ("points", "Cloud"), ("mesh", "Box"),
                                                ("lines", "Cell"), ("lines", "Path")]
    glb = scene.glb()
    validator.assert_valid(glb, scene.glb(encoding="compact"))
    parts = scene_parts(read_glb(glb))
    assert [part.name for part in parts] == list(moves)
    for part in parts:
        assert np.allclose(part.matrix, moves[part.name], atol=1e-12)
    molecule, cloud, box, cell, path = parts
    spheres = [d for d in molecule.drawn if d.name.startswith("Atoms")]
    assert sum(len(d.primitives) for d in spheres) == 3 and all(d.instanced for d in molecule.drawn)
    (points,) = cloud.drawn
    assert points.primitives[0].mode == 0
    assert np.allclose(points.world(), POINTS @ moves["Cloud"][:3, :3].T + moves["Cloud"][:3, 3], atol=1e-3)  # 16-bit
    (mesh,) = box.drawn
    corners = mesh.world()[mesh.primitives[0].indices]
    assert np.allclose(corners, (CUBE @ moves["Box"][:3, :3].T + moves["Box"][:3, 3])[CUBE_FACES.ravel()], atol=1e-5)
    (edges,) = cell.drawn
    assert edges.primitives[0].mode == 1 and np.array_equal(edges.primitives[0].indices, CUBE_EDGES.ravel())
    (strip,) = path.drawn
    assert strip.primitives[0].mode == 3 and strip.primitives[0].indices is None
    assert np.allclose(strip.world(), POINTS[:50] + 1, atol=1e-5)
    assert strip.primitives[0].attributes["COLOR_0"].shape == (50, 4)
    # Identity moves no node: the part's node is the content's own.
    assert "matrix" not in read_glb(glb).document["nodes"][read_glb(glb).document["scenes"][0]["nodes"][3]]


def test_scenes_write_into_memory_of_their_own():
    scene = sa.Scene().points(POINTS, name="A").mesh(CUBE, CUBE_FACES, name="B", transform=np.diag([1, 2, 3, 1.0]))
    expected = scene.glb()
    out = bytearray(len(expected) + 100)
    view = scene.glb(out=out)
    assert isinstance(view, memoryview) and bytes(view) == expected and out[len(expected):] == bytes(100)
    with pytest.raises(ValueError, match=f"^out holds 100 bytes, but the file needs {len(expected)}"):
        scene.glb(out=bytearray(100))
    with pytest.raises(ValueError, match="^out shares memory with positions"):
        sa.Scene().points(np.frombuffer(out, np.float64, count=30).reshape(10, 3)).glb(out=out)


SKEWED = np.eye(4)
SKEWED[0, 1] = 0.5
PROJECTIVE = np.eye(4)
PROJECTIVE[3, 2] = 1.0


@pytest.mark.parametrize("add, message", [
    (lambda s: s.points(POINTS, transform=np.eye(3)), r"^transform must be a 4 x 4 matrix, not float64 of shape \(3, 3\)$"),
    (lambda s: s.points(POINTS, transform=np.full((4, 4), np.inf)), "^transform must be finite numbers, but row 0, column 0 holds inf$"),
    (lambda s: s.points(POINTS, transform=SKEWED), "^transform must be a rotation, scale and translation: the columns"),
    (lambda s: s.points(POINTS, transform=PROJECTIVE), "^transform must end in the row 0, 0, 0, 1"),
    (lambda s: s.lines(POINTS, [[0, 1, 2]]), r"^segments must have shape \(n, 2\), not \(1, 3\)$"),
    (lambda s: s.lines(POINTS[:1]), "^positions of a line without segments must hold at least 2 points, not 1$"),
    (lambda s: s.lines(POINTS, color=[1, 1, 1, 2]), r"^color must lie in \[0, 1\], not 2.0$"),
    (lambda s: s.mesh(CUBE, CUBE_FACES, texture=TINY_PNG), "^texture needs uv"),
    (lambda s: s.points(POINTS, name=3), "^name must be a str, not int$"),
])
def test_parts_are_refused_as_they_are_added(add, message):
    scene = sa.Scene()
    with pytest.raises(TypeError if "must be a str" in message or "needs" in message else ValueError, match=message):
        add(scene)
    assert len(scene) == 0


@pytest.mark.parametrize("scene, message", [
    (sa.Scene(), "^the scene holds no part: add one with points"),
    (sa.Scene().points(POINTS).lines(CUBE, [[0, 1], [7, 8]], name="Cell"),
     r"^part 1 \('Cell'\): segments must be below 8, but row 1, column 1 holds 8$"),
    (sa.Scene().lines(CUBE, [[0, 1], [-1, 2]]), r"^part 0 \(lines\): segments must not be negative, but row 1, column 0 holds -1$"),
    (sa.Scene().mesh(CUBE, CUBE_FACES, uv=np.zeros((8, 2)), texture=b"GIF89a" + bytes(10), name="Box"),
     r"^part 0 \('Box'\): texture must be the bytes of a PNG or JPEG image"),
    (sa.Scene().points(POINTS).points(np.where(POINTS > 5, np.nan, POINTS), name="Noisy"),
     r"^part 1 \('Noisy'\): positions must be finite numbers, but row \d+, column \d holds nan$"),
])
def test_scene_values_are_refused_naming_the_part(scene, message):
    with pytest.raises(ValueError, match=message):
        scene.glb()
