"""encoding="meshopt": every buffer view of the compact file, compressed with
EXT_meshopt_compression. Decoded with PyPI's meshoptimizer, each view must give
the compact file's bytes back, for every kind of part."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import read_glb

meshoptimizer = pytest.importorskip("meshoptimizer")
RNG = np.random.default_rng(21)
EXTENSION = "EXT_meshopt_compression"


def decoded_views(glb):
    """Each buffer view's bytes, decompressed where the extension compressed them."""
    parsed = read_glb(glb)
    views = []
    for view in parsed.document["bufferViews"]:
        packed = view.get("extensions", {}).get(EXTENSION)
        if packed is None:
            views.append(parsed.bin[view.get("byteOffset", 0):view.get("byteOffset", 0) + view["byteLength"]])
            continue
        block = parsed.bin[packed.get("byteOffset", 0):packed.get("byteOffset", 0) + packed["byteLength"]]
        if packed["mode"] == "ATTRIBUTES":
            data = meshoptimizer.decode_vertex_buffer(packed["count"], packed["byteStride"], block)
        else:
            assert packed["mode"] == "INDICES"
            data = meshoptimizer.decode_index_sequence(packed["count"], packed["byteStride"], block)
        views.append(np.asarray(data).tobytes()[:view["byteLength"]])
    return parsed.document, views


def scene_of_every_kind():
    square = np.array([[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]], float)
    grid = np.stack(np.meshgrid(np.arange(60.0), np.arange(60.0)), -1).reshape(-1, 2)
    terrain = np.column_stack([grid[:, 0], np.sin(grid[:, 0] / 5) * np.cos(grid[:, 1] / 7), grid[:, 1]])
    cells = (np.arange(59)[:, None] * 60 + np.arange(59)[None, :]).ravel()
    faces = np.concatenate([np.column_stack([cells, cells + 1, cells + 60]), np.column_stack([cells + 1, cells + 61, cells + 60])])
    atoms = RNG.random((300, 3)) * 15
    return (sa.Scene()
            .points(RNG.normal(size=(5000, 3)), RNG.random((5000, 4)))
            .atoms(atoms, elements=RNG.choice([1, 6, 8], 300), style="ball-and-stick", name="Molecule")
            .mesh(terrain, faces, colors=RNG.random((len(terrain), 3)), name="Terrain")
            .mesh(square, [[0, 1, 2], [0, 2, 3]], uv=[[0, 1], [1, 1], [1, 0], [0, 0]],
                  texture=RNG.integers(0, 256, (8, 8, 3)).astype(np.uint8), name="Textured")
            .lines(square, [[0, 1], [1, 2], [2, 3], [3, 0]], name="Frame"))


@pytest.mark.parametrize("make", [
    lambda encoding: scene_of_every_kind().glb(encoding=encoding),
    lambda encoding: sa.atoms(RNG.random((2000, 3)) * 30, types=RNG.integers(0, 9, 2000), style="spheres",
                              encoding=encoding),
    lambda encoding: sa.trajectory(RNG.random((6, 200, 3)) * 10, elements=[6] * 200, style="spheres", fps=5,
                                   encoding=encoding),
], ids=["scene", "spheres", "trajectory"])
def test_views_decode_to_the_compact_files(validator, make):
    state = RNG.bit_generator.state
    compact = make("compact")
    RNG.bit_generator.state = state
    packed = make("meshopt")
    validator.assert_valid(packed)
    document, views = decoded_views(packed)
    expected = read_glb(compact)
    assert set(document["extensionsRequired"]) == {*expected.document.get("extensionsRequired", []), EXTENSION}
    assert document["buffers"][1]["extensions"][EXTENSION]["fallback"] is True
    assert len(packed) < len(compact)
    for view, mine in zip(expected.document["bufferViews"], views):
        start = view.get("byteOffset", 0)
        assert mine == expected.bin[start:start + view["byteLength"]]
    assert document["accessors"] == expected.document["accessors"]


def test_out_takes_the_compressed_file_and_names_its_size():
    positions = RNG.random((20_000, 3))
    glb = sa.point_cloud(positions, encoding="meshopt")
    out = bytearray(len(glb) + 100)
    assert bytes(sa.point_cloud(positions, encoding="meshopt", out=out)) == glb
    with pytest.raises(ValueError, match=f"needs {len(glb)}"):
        sa.point_cloud(positions, encoding="meshopt", out=bytearray(len(glb) - 1))
