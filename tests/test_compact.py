"""Compact files (KHR_mesh_quantization), read back independently: positions
within half a quantisation step of the input (signed 16-bit steps around the
centre: 65534 across the extent), colours within 1/255, normals in their
directions, 16-bit indices that name the same triangles."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_values, node_transform, read_glb


def world_positions(glb, node_index, accessor_index):
    """A quantised POSITION accessor through its node's transform, in float64."""
    translation, scale = node_transform(glb.document["nodes"][node_index])
    return np.asarray(translation) + np.asarray(scale) * accessor_values(glb, accessor_index)


def half_step(glb, node_index, extent):
    """Half a step of a compact node: its scale over 32767, halved; checked to be no coarser than the
    extent allows (65534 steps across it, the centre a float32)."""
    scale = np.asarray(node_transform(glb.document["nodes"][node_index])[1])
    assert np.all(scale <= np.maximum(extent / 2 * (1 + 1e-6), 1)), (scale, extent)
    return scale / 32767 / 2 * (1 + 1e-9)


def test_points_within_half_a_step_colours_within_a_level(validator):
    rng = np.random.default_rng(11)
    positions = (rng.normal(size=(20_000, 3)) * [100, 1, 0.001] + [5e3, -2, 0]).astype(np.float32)
    positions[7] = [5e3, 3, 0]  # a flat stretch of no consequence
    colors = rng.random((20_000, 4))
    glb = sa.point_cloud(positions, colors, encoding="compact")
    validator.assert_valid(glb)
    parsed = read_glb(glb)
    assert parsed.document["extensionsRequired"] == ["KHR_mesh_quantization"]
    decoded = world_positions(parsed, 0, 0)
    extent = positions.max(0).astype(np.float64) - positions.min(0)
    assert np.all(np.abs(decoded - positions) <= half_step(parsed, 0, extent)), "more than half a step on an axis"
    accessor = parsed.document["accessors"][0]
    assert accessor["componentType"] == 5122 and accessor["min"] == [-32767] * 3 and accessor["max"] == [32767] * 3
    assert np.all(np.abs(accessor_values(parsed, 1) - colors) <= 1 / 255 / 2 + 1e-9)
    float_size = len(sa.point_cloud(positions, colors))
    assert len(glb) < 0.45 * float_size


def test_atoms_keep_their_order_and_palette(validator):
    rng = np.random.default_rng(12)
    positions = rng.random((5_000, 3)) * 40
    types = rng.integers(0, 9, 5_000)
    compact, plain = read_glb(sa.atoms(positions, types, encoding="compact")), read_glb(sa.atoms(positions, types))
    validator.assert_valid(sa.atoms(positions, types, encoding="compact"))
    ordered = accessor_values(plain, 0)  # the float32 file's Morton order
    assert np.all(np.abs(world_positions(compact, 0, 0) - ordered) <= half_step(compact, 0, np.ptp(ordered, axis=0)))
    assert np.all(np.abs(accessor_values(compact, 1) - accessor_values(plain, 1)) <= 1 / 255 / 2 + 1e-7)


def grid_mesh(rows, columns, by_family=False):
    """A bumpy grid of rows x columns vertices, two triangles a square, square by square in row order; or
    by triangle family: every square's lower-left triangle, then every upper-right one."""
    u, v = np.meshgrid(np.arange(columns, dtype=np.float64), np.arange(rows, dtype=np.float64))
    positions = np.stack([u.ravel(), np.sin(u.ravel() / 7) * np.cos(v.ravel() / 5) * 3, v.ravel()], 1)
    corner = (np.arange(rows - 1)[:, None] * columns + np.arange(columns - 1)[None, :]).ravel()
    faces = np.concatenate([np.stack([corner, corner + columns, corner + 1], 1),
                            np.stack([corner + 1, corner + columns, corner + columns + 1], 1)]).reshape(2, -1, 3)
    return positions, (faces if by_family else faces.transpose(1, 0, 2)).reshape(-1, 3)


def read_primitives(glb):
    """Each primitive of the file's one mesh as a viewer loads it, on its own: its vertices' positions
    through the node's transform, normals and colours, and its triangles as rows of its vertices."""
    parsed = read_glb(glb)
    translation, scale = node_transform(parsed.document["nodes"][0])
    for primitive in parsed.document["meshes"][0]["primitives"]:
        attributes = primitive["attributes"]
        yield (np.asarray(translation) + np.asarray(scale) * accessor_values(parsed, attributes["POSITION"]),
               accessor_values(parsed, attributes["NORMAL"]), accessor_values(parsed, attributes["COLOR_0"]),
               accessor_values(parsed, primitive["indices"]).reshape(-1, 3).astype(np.int64),
               parsed.document["accessors"][primitive["indices"]]["componentType"])


@pytest.mark.parametrize("rows, columns, by_family", [(40, 50, False), (300, 400, False), (300, 300, True)])
def test_large_compact_meshes_keep_their_triangles_and_few_repeated_vertices(validator, rows, columns, by_family):
    """A mesh of more than 65,535 vertices is drawn over windows of them; a viewer holds every primitive's
    vertices apart, so few may be repeated, whatever the order of the faces."""
    positions, faces = grid_mesh(rows, columns, by_family)
    colors = np.random.default_rng(13).integers(0, 256, (len(positions), 3)).astype(np.uint8)
    compact = sa.mesh(positions, faces, colors=colors, normals="smooth", encoding="compact")
    validator.assert_valid(compact)
    float_normals = accessor_values(read_glb(sa.mesh(positions, faces, colors=colors, normals="smooth")), 1)
    step = half_step(read_glb(compact), 0, np.full(3, np.ptp(positions.astype(np.float32), axis=0).max()))
    held, triangles = 0, []
    for decoded, normals, vertex_colors, corners, index_type in read_primitives(compact):
        assert index_type == 5123  # 16-bit
        held += len(decoded)
        # The grid's vertices lie at whole x and z: the input vertex each decoded one stands for.
        vertex = np.rint(decoded[:, 2]).astype(np.int64) * columns + np.rint(decoded[:, 0]).astype(np.int64)
        assert np.all(np.abs(decoded - positions[vertex].astype(np.float32)) <= step)
        assert np.all(np.einsum("ij,ij->i", normals / np.linalg.norm(normals, axis=1, keepdims=True),
                                float_normals[vertex]) > 0.9995)
        assert np.allclose(vertex_colors[:, :3], colors[vertex] / 255)
        triangles.append(vertex[corners])
    assert held <= 1.01 * len(positions), f"{held:,} vertices held for {len(positions):,}"
    assert np.array_equal(np.unique(np.concatenate(triangles), axis=0), np.unique(faces, axis=0))
    assert len(np.concatenate(triangles)) == len(faces)


def test_creased_vertices_follow_their_windows(validator):
    """Vertices split at creases, then placed in windows: every corner keeps the normal the float32 file
    gives it, found by the triangle's vertices."""
    positions, faces = grid_mesh(260, 260, by_family=True)
    positions[:, 1] = np.abs(positions[:, 0] % 40 - 20)  # ridges and valleys at right angles
    compact = sa.mesh(positions, faces, encoding="compact", colors=[0.2, 0.4, 0.6])
    validator.assert_valid(compact)
    plain = read_glb(sa.mesh(positions, faces))
    primitive = plain.document["meshes"][0]["primitives"][0]
    plain_positions = accessor_values(plain, primitive["attributes"]["POSITION"])
    plain_normals = accessor_values(plain, primitive["attributes"]["NORMAL"])
    plain_faces = accessor_values(plain, primitive["indices"]).reshape(-1, 3).astype(np.int64)
    assert len(plain_positions) > len(positions)  # split at the ridges
    def triangle_codes(corner_positions):  # a triangle by its three grid vertices, in corner order
        vertex = np.rint(corner_positions[..., 2]).astype(np.int64) * 260 + np.rint(corner_positions[..., 0]).astype(np.int64)
        return (vertex[:, 0] * 260**2 + vertex[:, 1]) * 260**2 + vertex[:, 2]

    plain_codes = triangle_codes(plain_positions[plain_faces])
    order = np.argsort(plain_codes)
    held = 0
    for decoded, normals, _, corners, _ in read_primitives(compact):
        held += len(decoded)
        codes = triangle_codes(decoded[corners])
        match = order[np.minimum(np.searchsorted(plain_codes[order], codes), len(order) - 1)]
        assert np.array_equal(plain_codes[match], codes)  # the float32 file's triangles, corner for corner
        unit = normals[corners] / np.linalg.norm(normals[corners], axis=2, keepdims=True)
        assert np.all(np.einsum("ijk,ijk->ij", unit, plain_normals[plain_faces[match]]) > 0.9995)
    assert held <= 1.01 * len(plain_positions)


def test_atoms_as_compact_sticks(validator):
    pytest.importorskip("ase")
    from ase.build import molecule

    benzene = molecule("C6H6")
    compact = read_glb(sa.from_ase(benzene, style="ball-and-stick", encoding="compact"))
    plain = read_glb(sa.from_ase(benzene, style="ball-and-stick"))
    validator.assert_valid(sa.from_ase(benzene, style="ball-and-stick", encoding="compact"))
    for node, reference in zip(compact.document["nodes"], plain.document["nodes"]):
        instances = node.get("extensions", {}).get("EXT_mesh_gpu_instancing", {}).get("attributes", {})
        if "ROTATION" in instances:
            rotations = accessor_values(compact, instances["ROTATION"])
            assert compact.document["accessors"][instances["ROTATION"]]["componentType"] == 5122
            expected = accessor_values(plain, reference["extensions"]["EXT_mesh_gpu_instancing"]["attributes"]["ROTATION"])
            assert np.allclose(rotations, expected, atol=1 / 32767)
        if "TRANSLATION" in instances:  # the extension allows only floats for translations
            assert compact.document["accessors"][instances["TRANSLATION"]]["componentType"] == 5126


def test_a_bad_colour_deep_in_a_large_compact_file_is_named_by_its_row():
    """Large compact files convert their rows on several threads: the error still names the row in the whole array."""
    colors = np.full((300_000, 4), 0.5, np.float32)
    colors[250_001, 2] = 1.5
    with pytest.raises(ValueError, match="row 250001, column 2 holds 1.5"):
        sa.point_cloud(np.zeros((300_000, 3)), colors, encoding="compact")
