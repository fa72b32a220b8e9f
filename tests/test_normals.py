"""Mesh normals, read back from the files: given ones of any finite length made unit, and the computed
ones of every style against a reading of their rule in numpy (smooth sums, creases, flat faces), with
vertices that many faces share."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_values, read_glb


def mesh_arrays(glb, validator):
    """Positions, normals and faces of a float32 file's one primitive, once the validator passed it."""
    validator.assert_valid(glb)
    parsed = read_glb(glb)
    primitive = parsed.document["meshes"][0]["primitives"][0]
    attributes = primitive["attributes"]
    return (accessor_values(parsed, attributes["POSITION"]), accessor_values(parsed, attributes["NORMAL"]),
            accessor_values(parsed, primitive["indices"]).reshape(-1, 3).astype(np.int64))


def test_given_normals_of_any_finite_length_become_unit(validator):
    positions = np.array([[0, 0, 0], [1, 0, 0], [0, 1, 0], [1, 1, 0], [2, 0, 0]], np.float64)
    faces = [[0, 1, 2], [1, 3, 2], [1, 4, 3]]
    given = np.array([[1e-200, 0, 0], [0, -1e300, 0], [3e-300, 4e-300, 0], [3e200, 0, -4e200],
                      [5e-324, 5e-324, 0]])  # tiny, huge, squares that underflow or overflow, subnormal
    _, written, _ = mesh_arrays(sa.mesh(positions, faces, normals=given), validator)
    expected = [[1, 0, 0], [0, -1, 0], [0.6, 0.8, 0], [0.6, 0, -0.8], [np.sqrt(0.5), np.sqrt(0.5), 0]]
    assert np.allclose(written, expected, atol=1e-7)
    with pytest.raises(ValueError, match=r"^normals must not be zero vectors, but row 1 "):
        sa.mesh(positions, faces, normals=np.concatenate([given[:1], [[0, -0.0, 0]], given[2:]]))
    with pytest.raises(ValueError, match=r"^normals must be finite numbers, but row 3, column 2 holds inf"):
        sa.mesh(positions, faces, normals=np.concatenate([given[:3], [[1e300, 0, np.inf]], given[4:]]))


def creased_reference(positions, faces, cos_crease):
    """Each corner's normal by the rule, in numpy: the area-weighted sum of the faces around its vertex
    that turn from its own face by at most the crease angle (all of them for a degenerate face), and how
    many vertices the split makes (one a distinct set of faces around a vertex)."""
    p = positions.astype(np.float32).astype(np.float64)
    cross = np.cross(p[faces[:, 1]] - p[faces[:, 0]], p[faces[:, 2]] - p[faces[:, 0]])
    length = np.linalg.norm(cross, axis=1)
    unit = cross / np.where(length > 0, length, 1)[:, None]
    around = [np.flatnonzero((faces == v).any(1)) for v in range(len(positions))]
    normals, sets = np.zeros(faces.shape + (3,)), [set() for _ in positions]
    for f, face in enumerate(faces):
        for k, v in enumerate(face):
            chosen = around[v] if length[f] == 0 else around[v][unit[around[v]] @ unit[f] >= cos_crease]
            total = cross[chosen].sum(0)
            normals[f, k] = total / np.linalg.norm(total)
            sets[v].add(tuple(chosen))
    return normals, sum(max(1, len(chosen)) for chosen in sets)


@pytest.mark.parametrize("angle", [30.0, 60.0])
def test_creases_split_vertices_by_the_angles_between_their_faces(validator, angle):
    """A rough heightfield: every corner's normal as the rule gives it, and one vertex for each set of faces
    around a vertex that its corners sum."""
    rng = np.random.default_rng(7)
    side = 12
    u, v = np.meshgrid(np.arange(side, dtype=np.float64), np.arange(side, dtype=np.float64))
    positions = np.stack([u.ravel(), rng.normal(size=side * side) * 0.6, v.ravel()], 1)
    corner = (np.arange(side - 1)[:, None] * side + np.arange(side - 1)[None, :]).ravel()
    faces = np.concatenate([np.stack([corner, corner + side, corner + 1], 1),
                            np.stack([corner + 1, corner + side, corner + side + 1], 1)])
    written_positions, written_normals, written_faces = mesh_arrays(sa.mesh(positions, faces, crease_angle=angle), validator)
    expected, copies = creased_reference(positions, faces, np.cos(np.radians(angle)))
    assert np.allclose(written_positions[written_faces], positions.astype(np.float32)[faces])
    assert np.allclose(written_normals[written_faces], expected, atol=1e-6)
    assert len(written_positions) == copies
    smooth_positions, smooth_normals, _ = mesh_arrays(sa.mesh(positions, faces, normals="smooth"), validator)
    expected, _ = creased_reference(positions, faces, -1.0)
    assert len(smooth_positions) == len(positions)
    assert np.allclose(smooth_normals[faces], expected, atol=1e-6)


def cube():
    corners = np.array([[x, y, z] for x in (0, 1) for y in (0, 1) for z in (0, 1)], np.float64)
    quads = [[0, 1, 3, 2], [4, 6, 7, 5], [0, 4, 5, 1], [2, 3, 7, 6], [0, 2, 6, 4], [1, 5, 7, 3]]
    return corners, np.array([[a, b, c] for a, b, c, d in quads] + [[a, c, d] for a, b, c, d in quads])


@pytest.mark.parametrize("normals, vertices", [("auto", 24), ("flat", 24), ("smooth", 8)])
def test_a_cube_in_each_style(validator, normals, vertices):
    positions, faces = cube()
    written_positions, written_normals, written_faces = mesh_arrays(sa.mesh(positions, faces, normals=normals), validator)
    assert len(written_positions) == vertices
    if normals == "smooth":  # area-weighted: the corners of more triangles lean towards their face
        assert np.allclose(written_normals[written_faces], creased_reference(positions, faces, -1.0)[0], atol=1e-7)
        return
    p = written_positions[written_faces]
    face_normals = np.cross(p[:, 1] - p[:, 0], p[:, 2] - p[:, 0])
    assert np.allclose(written_normals[written_faces], face_normals[:, None, :], atol=1e-7)  # unit already


def fan(apex, rim):
    """Triangles from an apex (vertex 0) to each step of a closed rim (vertices 1 ..)."""
    count = len(rim)
    steps = np.arange(count)
    return np.concatenate([[apex], rim]), np.stack([np.zeros(count, int), 1 + steps, 1 + (steps + 1) % count], 1)


@pytest.mark.parametrize("normals", ["auto", "flat"])
def test_an_apex_of_a_hundred_thousand_faces(validator, normals):
    """The apex of a cone (and the centre of a flat fan) is shared by every face: split by the edges
    around it, its faces, turning little from one to the next, join into one vertex."""
    angle = np.linspace(0, 2 * np.pi, 100_000, endpoint=False)
    rim = np.stack([np.cos(angle), np.sin(angle), np.zeros_like(angle)], 1)
    for apex, expected in (([0, 0, 1], [0, 0, 1]), ([0, 0, 0], [0, 0, 1])):
        positions, faces = fan(apex, rim)
        written_positions, written_normals, written_faces = mesh_arrays(sa.mesh(positions, faces, normals=normals), validator)
        apex_copies = np.unique(written_faces[:, 0])
        assert len(apex_copies) == 1 and np.allclose(written_normals[apex_copies[0]], expected, atol=1e-6)


@pytest.mark.parametrize("steps", [20, 30])  # 60 corners: by pairs; 90: by edges
def test_a_box_corner_shared_by_three_fans_keeps_three_normals(validator, steps):
    """Three faces of a box meet at a corner, each a fan of triangles whose last edge is the next fan's
    first: the corner splits into three, one normal a face, whether split by pairs of faces or by its
    edges (the edges the fans share are creases)."""
    angle = np.linspace(0, np.pi / 2, steps + 1)[1:-1]
    ends = np.eye(3)  # vertices 1, 2, 3: where the fans meet along the box's edges
    positions, faces = [np.zeros((1, 3)), ends], []
    for a, b in ((0, 1), (1, 2), (2, 0)):
        arc = np.zeros((steps - 1, 3))
        arc[:, a], arc[:, b] = np.cos(angle), np.sin(angle)
        first = sum(len(p) for p in positions)
        rim = [1 + a] + list(range(first, first + steps - 1)) + [1 + b]
        positions.append(arc)
        faces += [[0, rim[i], rim[i + 1]] for i in range(steps)]
    written_positions, written_normals, written_faces = mesh_arrays(sa.mesh(np.concatenate(positions), np.array(faces)), validator)
    copies = np.unique(written_faces[:, 0])
    assert len(copies) == 3
    assert np.allclose(sorted(map(tuple, np.abs(written_normals[copies]))), [(0, 0, 1), (0, 1, 0), (1, 0, 0)])
