"""mesh_glb: both documents, the colour rules, the argument order of its errors, validity."""

import numpy as np
import pytest

import _spatial_assembler as sa
from glb_reading import accessor_bytes, read_glb
from numpy_writers import mesh_glb_numpy

TRIANGLE = np.array([[0, 0, 0], [1, 0, 0], [0, 1, 0]], np.float32)
UP = np.array([[0, 0, 1]] * 3, np.float32)
FIRST = np.array([0, 1, 2], np.uint32)
MATERIAL = dict(bounds=[0, 0, 0, 1, 1, 0], base_color=[1, 1, 1, 1], metallic=0, roughness=0.5, emissive=[0, 0, 0])


def triangle(double_sided=False, **extra):
    return sa.mesh_glb(TRIANGLE, UP, FIRST, **MATERIAL, double_sided=double_sided, **extra)


def test_one_triangle_without_colours():
    data = triangle()
    glb = read_glb(data)
    assert (len(data), len(glb.json_text), glb.json_chunk_length) == (1056, 943, 944)
    document = glb.document
    assert [a["count"] for a in document["accessors"]] == [3, 3, 3]
    assert [(v["byteOffset"], v["byteLength"], v["target"]) for v in document["bufferViews"]] == [
        (0, 36, 34962), (36, 36, 34962), (72, 12, 34963)]
    assert document["buffers"] == [{"byteLength": 84}]
    assert document["meshes"][0]["primitives"][0] == {
        "attributes": {"POSITION": 0, "NORMAL": 1}, "indices": 2, "material": 0, "mode": 4}
    for text in ('"baseColorFactor":[1.0000,1.0000,1.0000,1.0000]', '"metallicFactor":0.0000',
                 '"roughnessFactor":0.5000', '"doubleSided":false', '"max":[1.000000,1.000000,0.000000]'):
        assert text in glb.json_text
    assert glb.bin == TRIANGLE.tobytes() + UP.tobytes() + FIRST.tobytes()


def test_one_triangle_with_colours():
    colors = np.array([[1, 0, 0, 1], [0, 1, 0, 1], [0, 0, 1, 1]], np.float32)
    data = triangle(double_sided=True, colors=colors)
    glb = read_glb(data)
    assert (len(data), len(glb.json_text), glb.json_chunk_length) == (1240, 1078, 1080)
    document = glb.document
    assert document["accessors"][2] == {"bufferView": 2, "componentType": 5126, "count": 3, "type": "VEC4"}
    assert [(v["byteOffset"], v["byteLength"]) for v in document["bufferViews"]] == [
        (0, 36), (36, 36), (72, 48), (120, 12)]
    assert document["buffers"] == [{"byteLength": 132}] and document["materials"][0]["doubleSided"] is True
    assert accessor_bytes(glb, 2) == colors.tobytes() and accessor_bytes(glb, 3) == FIRST.tobytes()


def test_rgb_colours_are_still_declared_vec4():
    glb = read_glb(triangle(colors=np.ones((3, 3), np.float32)))
    assert glb.document["accessors"][2]["type"] == "VEC4" and glb.document["accessors"][2]["count"] == 3
    assert [(v["byteOffset"], v["byteLength"]) for v in glb.document["bufferViews"]][2:] == [(72, 36), (108, 12)]
    assert glb.document["buffers"] == [{"byteLength": 120}]


def test_absent_colours():
    without = triangle()
    assert triangle(colors=None) == without
    assert triangle(colors=b"") == without  # empty buffer
    assert triangle(colors=b"\1\2\3") == without  # fewer than 4 bytes: no whole float
    assert "COLOR_0" not in read_glb(without).json_text


def test_no_indices_and_counts_that_disagree():
    glb = read_glb(sa.mesh_glb(TRIANGLE, UP[:2], b"", **MATERIAL, double_sided=False, colors=np.ones(5, np.float32)))
    document = glb.document
    assert [a["count"] for a in document["accessors"]] == [3, 3, 3, 0]  # vertex counts come from the positions
    assert [(v["byteOffset"], v["byteLength"]) for v in document["bufferViews"]] == [(0, 36), (36, 24), (60, 20), (80, 0)]


def test_factors_are_printed_with_four_decimals():
    glb = read_glb(sa.mesh_glb(TRIANGLE, UP, FIRST, [-2.5, 0, 0, 1, 1, 0], (0.123456, 1, 1, 0.5), 1, 0.123456,
                               [0.00005, 0, 1], True))
    for text in ('"roughnessFactor":0.1235', '"metallicFactor":1.0000', '"min":[-2.500000,0.000000,0.000000]',
                 '"baseColorFactor":[0.1235,1.0000,1.0000,0.5000]', '"emissiveFactor":[%.4f,0.0000,1.0000]' % 0.00005):
        assert text in glb.json_text


def test_keyword_call_and_numpy_reference():
    rng = np.random.default_rng(5)
    positions = rng.random((50, 3), dtype=np.float32)
    normals = rng.random((50, 3), dtype=np.float32)
    indices = rng.integers(0, 50, 60).astype(np.uint32)
    colors = rng.random((50, 4), dtype=np.float32)
    arguments = dict(bounds=(0, 0, 0, 1, 1, 1, 9), base_color=[0.2, 0.4, 0.6, 1.0, 7], metallic=0.25, roughness=0.75,
                     emissive=(0.1, 0.0, 0.0), double_sided=True)
    data = sa.mesh_glb(colors=colors, indices=indices, normals=normals, positions=positions, **arguments)
    assert data == sa.mesh_glb(positions, normals, indices, *arguments.values(), colors)
    assert data == mesh_glb_numpy(positions, normals, indices, colors=colors, **arguments)
    assert sa.mesh_glb(positions, normals, indices, **arguments) == mesh_glb_numpy(positions, normals, indices, **arguments)


def test_errors_come_in_argument_order():
    too_short = dict(bounds=[0] * 5, base_color=[1] * 3, metallic=0, roughness=0, emissive=[0] * 2, double_sided=False)
    with pytest.raises(TypeError, match="^Object of type 'list' is not an instance of 'buffer'$"):
        sa.mesh_glb(TRIANGLE, UP, FIRST, **too_short, colors=[1.0, 0.0, 0.0, 1.0])
    with pytest.raises(ValueError, match="^sequence too short$"):  # bounds first, base_color too short as well
        sa.mesh_glb(TRIANGLE, UP, FIRST, **too_short)
    with pytest.raises(ValueError, match="^sequence too short$"):
        sa.mesh_glb(TRIANGLE, UP, FIRST, **{**too_short, "bounds": [0] * 6, "base_color": [1] * 4})
    with pytest.raises(TypeError):
        sa.mesh_glb(TRIANGLE, UP, [0, 1, 2], **MATERIAL, double_sided=False)  # indices must be a buffer
    with pytest.raises(TypeError):
        sa.mesh_glb(TRIANGLE, UP, FIRST, **{**MATERIAL, "metallic": None}, double_sided=False)


@pytest.mark.parametrize("name, value", [
    ("bounds", [0, 0, float("nan"), 1, 1, 1]), ("base_color", [1, 1, float("inf"), 1]),
    ("metallic", float("nan")), ("roughness", -float("inf")), ("emissive", [0, float("nan"), 0])])
def test_non_finite_factors_are_refused_by_name(name, value):
    with pytest.raises(ValueError, match=f"^{name} "):
        sa.mesh_glb(TRIANGLE, UP, FIRST, **{**MATERIAL, name: value}, double_sided=False)


def sphere(rows, columns):
    """A UV sphere with unit normals, on a grid whose bounds print exactly."""
    theta = np.linspace(0, np.pi, rows)[:, None]
    phi = np.linspace(0, 2 * np.pi, columns, endpoint=False)[None, :]
    normals = np.stack([np.sin(theta) * np.cos(phi), np.sin(theta) * np.sin(phi), np.cos(theta) + 0 * phi], -1)
    normals = normals.reshape(-1, 3).astype(np.float32)
    normals /= np.linalg.norm(normals, axis=1, keepdims=True)
    positions = (normals * 2).astype(np.float32)
    r, c = np.meshgrid(np.arange(rows - 1), np.arange(columns), indexing="ij")
    a, b = r * columns + c, r * columns + (c + 1) % columns
    quads = np.stack([a, a + columns, b, b, a + columns, b + columns], -1).reshape(-1, 3)
    quads = quads[(quads[:, 0] != quads[:, 1]) & (quads[:, 1] != quads[:, 2]) & (quads[:, 0] != quads[:, 2])]
    return positions, normals, quads.astype(np.uint32)


def test_valid_meshes(validator):
    positions, normals, indices = sphere(24, 32)
    # Coordinates with six decimals: the printed bounds then equal the data exactly.
    positions = np.array(["%.6f" % v for v in positions.ravel()], np.float64).astype(np.float32).reshape(-1, 3)
    bounds = [*positions.min(0).tolist(), *positions.max(0).tolist()]
    colors = np.concatenate([(normals + 1) / 2, np.ones((len(normals), 1), np.float32)], 1).astype(np.float32)
    for extra in ({}, {"colors": colors}):
        data = sa.mesh_glb(positions, normals, indices, bounds, [0.8, 0.8, 0.8, 1], 0.1, 0.6, [0, 0, 0], False,
                           **extra)
        validator.assert_valid(data)
