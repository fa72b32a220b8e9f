"""point_cloud_glb and the container around it, checked by an independent parse."""

import numpy as np
import pytest

import _spatial_assembler as sa
from glb_reading import accessor_bytes, read_glb
from numpy_writers import format_bound, point_cloud_glb_numpy

UNIT = ([0, 0, 0], [1, 1, 1])


def expected_document(n, vmin, vmax, color_type, position_bytes, color_bytes):
    """The point-cloud document written out by hand, for comparison as parsed JSON."""
    return {
        "asset": {"version": "2.0", "generator": "Tarn Native"},
        "scene": 0,
        "scenes": [{"nodes": [0]}],
        "nodes": [{"mesh": 0, "name": "Atoms"}],
        "meshes": [{"primitives": [{"attributes": {"POSITION": 0, "COLOR_0": 1}, "mode": 0}], "name": "AtomCloud"}],
        "accessors": [
            {"bufferView": 0, "componentType": 5126, "count": n, "type": "VEC3", "min": vmin, "max": vmax},
            {"bufferView": 1, "componentType": 5126, "count": n, "type": color_type},
        ],
        "bufferViews": [
            {"buffer": 0, "byteOffset": 0, "byteLength": position_bytes, "target": 34962},
            {"buffer": 0, "byteOffset": position_bytes, "byteLength": color_bytes, "target": 34962},
        ],
        "buffers": [{"byteLength": position_bytes + color_bytes}],
    }


@pytest.mark.parametrize(
    "position_floats, color_floats, vmin, size, json_length, color_type",
    [
        (6, 6, [0, 0, 0], 672, 595, "VEC3"),  # two RGB points
        (6, 8, [0, 0, 0], 680, 595, "VEC4"),  # two RGBA points
        (0, 0, [0, 0, 0], 620, 591, "VEC4"),  # nothing: 0 colours is 4 per point
        (10, 12, [-1.5, 0, 2], None, None, "VEC4"),  # a trailing float makes no point
        (9, 8, [0, 0, 0], None, None, "VEC3"),  # RGB minus one float
    ],
)
def test_documented_point_clouds(position_floats, color_floats, vmin, size, json_length, color_type):
    positions = np.arange(position_floats, dtype=np.float32)
    colors = np.linspace(0, 1, color_floats, dtype=np.float32)
    vmax = [0, 0, 0] if position_floats == 0 else [1, 1, 1]
    data = sa.point_cloud_glb(positions, colors, vmin, vmax)
    glb = read_glb(data)
    if size is not None:
        assert (len(data), len(glb.json_text)) == (size, json_length)
    n = position_floats // 3
    assert glb.document == expected_document(n, vmin, vmax, color_type, 4 * position_floats, 4 * color_floats)
    assert glb.bin == positions.tobytes() + colors.tobytes()  # every byte, trailing floats included
    assert glb.bin_chunk_length == 4 * (position_floats + color_floats)
    if vmin[0] == -1.5:
        assert '"min":[-1.500000,0.000000,2.000000]' in glb.json_text


def test_random_point_clouds_match_a_numpy_writer(validator):
    rng = np.random.default_rng(7)
    for n in (1, 2, 3, 17, 1000, 65537):
        channels = 4 if n % 2 else 3
        # Coordinates on a 1/64 grid print exactly with six decimals, so bounds match the data.
        positions = (rng.integers(-4096, 4096, (n, 3)) / 64).astype(np.float32)
        colors = rng.random((n, channels), dtype=np.float32)
        vmin, vmax = positions.min(0).tolist(), positions.max(0).tolist()
        data = sa.point_cloud_glb(positions, colors, vmin, vmax)
        assert data == point_cloud_glb_numpy(positions, colors, vmin, vmax)
        glb = read_glb(data)
        assert np.array_equal(np.frombuffer(accessor_bytes(glb, 0), np.float32).reshape(n, 3), positions)
        assert glb.document["accessors"][1]["type"] == f"VEC{channels}"
        assert sa.point_cloud_glb(vmax=vmax, vmin=vmin, colors=colors, positions=positions) == data
        validator.assert_valid(data)


def test_bounds_are_printed_not_checked():
    glb = read_glb(sa.point_cloud_glb(np.ones(3, np.float32), np.ones(3, np.float32), [5, 5, 5], [-1, -1, -1]))
    assert glb.document["accessors"][0]["min"] == [5, 5, 5]
    assert '"min":[5.000000,5.000000,5.000000],"max":[-1.000000,-1.000000,-1.000000]' in glb.json_text


@pytest.mark.parametrize("value, text", [
    (0.5, "0.500000"), (-1.5, "-1.500000"), (0, "0.000000"), (0.1, "0.100000"),  # six decimals read back right
    (16777217.0, "16777217.000000"),  # the same float32 (16777216) as its six-decimal text
    (0.1234565, "0.1234565"), (1 / 3, "0.33333334"), (-4e-7, "-4e-07"), (1e-9, "1e-09"), (2.5e-7, "2.5e-07"),
    (1e-40, "1e-40"), (-1e-45, "-1e-45"),  # float32 subnormals
    (1e20, "100000000000000000000.000000"), (123456792.0, "123456792.000000"),
    (1e300, "%.6f" % 1e300),  # beyond the float range: as given
])
def test_bounds_name_the_callers_float32(value, text):
    glb = read_glb(sa.point_cloud_glb(b"", b"", [value, 0, 0], [0, 0, value]))
    assert f'"min":[{text},0.000000,0.000000],"max":[0.000000,0.000000,{text}]' in glb.json_text


def test_bound_text_reads_back_as_the_same_float32():
    rng = np.random.default_rng(11)
    values = np.concatenate([rng.standard_normal(2000) * 10.0 ** rng.integers(-12, 12, 2000), [np.float32(0.7)],
                             rng.random(499).astype(np.float32).astype(np.float64)])
    for chunk in values[: len(values) // 3 * 3].reshape(-1, 3):
        glb = read_glb(sa.point_cloud_glb(b"", b"", chunk.tolist(), [0, 0, 0]))
        start = glb.json_text.index('"min":[') + 7
        texts = glb.json_text[start : glb.json_text.index("]", start)].split(",")
        assert texts == [format_bound(v) for v in chunk]
        assert [np.float32(float(t)) for t in texts] == [np.float32(v) for v in chunk]


@pytest.mark.parametrize("bad", [float("nan"), float("inf"), -float("inf")])
def test_non_finite_bounds_are_refused_by_name(bad):
    with pytest.raises(ValueError, match="^vmin "):
        sa.point_cloud_glb(b"", b"", [0, bad, 0], [1, 1, 1])
    with pytest.raises(ValueError, match="^vmax "):
        sa.point_cloud_glb(b"", b"", [0, 0, 0], [1, 1, bad])


def test_huge_bounds_give_the_whole_document():
    huge = [1e300, -1e300, 1.7976931348623157e308]
    positions = np.zeros(3, np.float32)
    data = sa.point_cloud_glb(positions, positions, huge, huge)
    glb = read_glb(data)
    assert len(glb.json_text) > 2047  # beyond the fixed buffer: formatted again, whole
    assert glb.document["accessors"][0]["min"] == huge and glb.document["buffers"] == [{"byteLength": 24}]
    assert ",".join("%.6f" % v for v in huge) in glb.json_text
    assert data == point_cloud_glb_numpy(positions, positions, huge, huge)
