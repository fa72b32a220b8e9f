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


def grid_mesh(rows, columns):
    """A bumpy grid of rows x columns vertices, two triangles a square, in row order."""
    u, v = np.meshgrid(np.arange(columns, dtype=np.float64), np.arange(rows, dtype=np.float64))
    positions = np.stack([u.ravel(), np.sin(u.ravel() / 7) * np.cos(v.ravel() / 5) * 3, v.ravel()], 1)
    corner = (np.arange(rows - 1)[:, None] * columns + np.arange(columns - 1)[None, :]).ravel()
    faces = np.concatenate([np.stack([corner, corner + columns, corner + 1], 1),
                            np.stack([corner + 1, corner + columns, corner + columns + 1], 1)]).reshape(2, -1, 3)
    return positions, faces.transpose(1, 0, 2).reshape(-1, 3)


@pytest.mark.parametrize("rows, columns", [(40, 50), (300, 400)])  # one primitive; a vertex count past 16 bits
def test_meshes_keep_their_triangles_and_normals(validator, rows, columns):
    positions, faces = grid_mesh(rows, columns)
    colors = np.random.default_rng(13).integers(0, 256, (len(positions), 3)).astype(np.uint8)
    compact = sa.mesh(positions, faces, colors=colors, encoding="compact")
    plain = sa.mesh(positions, faces, colors=colors)
    validator.assert_valid(compact)
    parsed, reference = read_glb(compact), read_glb(plain)
    primitives = parsed.document["meshes"][0]["primitives"]
    triangles = []
    for primitive in primitives:
        position = parsed.document["accessors"][primitive["attributes"]["POSITION"]]
        first = position.get("byteOffset", 0) // 8
        indices = parsed.document["accessors"][primitive["indices"]]
        assert indices["componentType"] == 5123  # 16-bit, relative to the window of the primitive
        triangles.append(accessor_values(parsed, primitive["indices"]).reshape(-1, 3).astype(np.int64) + first)
        decoded = world_positions(parsed, 0, primitive["attributes"]["POSITION"])
        largest = np.ptp(positions.astype(np.float32), axis=0).max()  # one scale for all axes, as normals need
        assert np.all(np.abs(decoded - positions[first:first + len(decoded)].astype(np.float32))
                      <= half_step(parsed, 0, np.full(3, largest)))
        normals = accessor_values(parsed, primitive["attributes"]["NORMAL"])
        float_normals = accessor_values(reference, 1)[first:first + len(normals)]
        assert np.all(np.einsum("ij,ij->i", normals / np.linalg.norm(normals, axis=1, keepdims=True), float_normals) > 0.9995)
        assert np.allclose(accessor_values(parsed, primitive["attributes"]["COLOR_0"])[:, :3],
                           colors[first:first + len(normals)] / 255)
    assert np.array_equal(np.concatenate(triangles), faces)
    assert len(primitives) == (1 if rows * columns < 65536 else 2)
    assert len(compact) < 0.55 * len(plain)


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
