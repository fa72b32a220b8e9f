"""atom_glb: Morton order against an independent numpy computation, palette, edge cases."""

import struct

import numpy as np
import pytest

import _spatial_assembler as sa
from glb_reading import accessor_bytes, read_glb
from numpy_writers import ATOM_PALETTE, atom_glb_numpy, morton_keys_numpy

UNIT = ([0, 0, 0], [1, 1, 1])
RGB = {0.267: 0x3E88B439, 0.6: 0x3F19999A, 0.5: 0x3F000000, 1.0: 0x3F800000}


def decoded(data):
    glb = read_glb(data)
    n = glb.document["accessors"][0]["count"]
    positions = np.frombuffer(accessor_bytes(glb, 0), np.float32).reshape(n, 3)
    colors = np.frombuffer(accessor_bytes(glb, 1), np.float32).reshape(n, 3)
    return glb, positions, colors


def test_reference_keys_match_the_documented_cells():
    points = np.array([[0.5, 0.25, 0.75], [0, 0, 0], [1, 0, 0], [0, 1, 0], [0, 0, 1], [1, 1, 1]], np.float32)
    assert morton_keys_numpy(points, *UNIT).tolist() == [
        0x21FFFFFF, 0, 0x09249249, 0x12492492, 0x24924924, 0x3FFFFFFF]


def test_no_atoms_give_the_32_byte_file():
    expected = bytes.fromhex("676c54460200000020000000040000004a534f4e7b7d20200000000042494e00")
    assert sa.atom_glb(b"", b"", *UNIT) == expected
    assert sa.atom_glb(b"\0" * 11, b"", [float("nan")] * 3, [1, 1, 1]) == expected  # bounds unused


def test_three_documented_atoms():
    positions = np.array([[1, 0, 0], [0, 0, 0], [0, 1, 0]], np.float32)
    data = sa.atom_glb(positions, np.array([1, 2, 9], np.uint16), *UNIT)
    glb, out_positions, out_colors = decoded(data)
    assert len(data) == 696 and len(glb.json_text) == 595 and glb.json_chunk_length == 596
    assert out_positions.tolist() == [[0, 0, 0], [1, 0, 0], [0, 1, 0]]
    assert out_colors.view(np.uint32).tolist() == [
        [RGB[0.267], RGB[1.0], RGB[0.267]], [RGB[1.0], RGB[0.267], RGB[0.267]], [RGB[0.6]] * 3]
    document = glb.document
    assert [a["count"] for a in document["accessors"]] == [3, 3]
    assert [a["type"] for a in document["accessors"]] == ["VEC3", "VEC3"]
    assert document["bufferViews"][1] == {"buffer": 0, "byteOffset": 36, "byteLength": 36, "target": 34962}
    assert document["buffers"] == [{"byteLength": 72}]
    assert document["nodes"] == [{"mesh": 0, "name": "Atoms"}] and document["meshes"][0]["name"] == "AtomCloud"


def test_palette_rows_by_type_id():
    n = 12
    positions = np.zeros((n, 3), np.float32)  # one cell: the output keeps input order
    types = np.array([0, 1, 2, 3, 4, 5, 6, 7, 8, 65535, 300, 3], np.uint16)
    _, _, colors = decoded(sa.atom_glb(positions, types, *UNIT))
    assert np.array_equal(colors.view(np.uint32), ATOM_PALETTE[np.minimum(types, 7)].view(np.uint32))


def awkward_atoms(rng, n):
    """Duplicates, NaN, atoms outside the box and on its faces."""
    positions = rng.uniform(-0.2, 1.2, (n, 3)).astype(np.float32)
    positions[rng.random(n) < 0.3] = positions[0]  # many atoms in one place
    positions[rng.random(n) < 0.01, 1] = np.nan
    positions[rng.random(n) < 0.01, 2] = 1.0
    types = rng.integers(0, 12, n).astype(np.uint16)
    return positions, types


@pytest.mark.parametrize(
    "vmin, vmax",
    [
        ([0, 0, 0], [1, 1, 1]),
        ([0, 5, 0], [41, 5, 1]),  # flat y; x = 41 reaches cell 1022 only
        ([1, 1, 1], [0, 0, 0]),  # inverted
        ([-1e300, 0, -1.5], [1e300, 1, 2]),  # infinite float extent: scale 0 on x
        ([0.25, -3.0, 1e-12], [0.2500001, 7.0, 2e-12]),  # tiny extents
    ],
)
def test_order_matches_numpy_reference(vmin, vmax):
    rng = np.random.default_rng(abs(hash(str(vmin))) % 2**32)
    positions, types = awkward_atoms(rng, 5000)
    data = sa.atom_glb(positions, types, vmin, vmax)
    assert data == atom_glb_numpy(positions, types, vmin, vmax)
    # Independently of the writer: a stable argsort of the reference keys.
    order = np.argsort(morton_keys_numpy(positions, vmin, vmax), kind="stable")
    _, out_positions, _ = decoded(data)
    assert np.array_equal(out_positions.view(np.uint32), positions[order].view(np.uint32))  # bit for bit, NaN too


def test_cells_at_the_edges_of_the_box():
    x = np.array([41, 40.99, -0.5, 50, np.nan, 0], np.float32)
    positions = np.stack([x, np.zeros(6, np.float32), np.zeros(6, np.float32)], axis=1)
    keys = morton_keys_numpy(positions, [0, 0, 0], [41, 1, 1])
    assert [sum((k >> 3 * b & 1) << b for b in range(10)) for k in keys.tolist()] == [1022, 1022, 0, 1023, 0, 0]
    data = sa.atom_glb(positions, np.zeros(6, np.uint16), [0, 0, 0], [41, 1, 1])
    _, out_positions, _ = decoded(data)
    order = np.argsort(keys, kind="stable")
    assert np.array_equal(out_positions.view(np.uint32), positions[order].view(np.uint32))


@pytest.mark.parametrize("n", [99_999, 100_000, 300_001])
def test_both_sides_of_the_thread_threshold(n):
    rng = np.random.default_rng(n)
    positions, types = awkward_atoms(rng, n)
    assert sa.atom_glb(positions, types, *UNIT) == atom_glb_numpy(positions, types, *UNIT)


def test_types_buffer_rules():
    positions = np.arange(15, dtype=np.float32).reshape(5, 3) / 16
    with pytest.raises(ValueError, match="types holds 4 16-bit type ids, but positions holds 5 atoms"):
        sa.atom_glb(positions, np.zeros(4, np.uint16), *UNIT)
    with pytest.raises(ValueError):
        sa.atom_glb(positions, b"\0" * 9, *UNIT)  # 4.5 ids
    longer = np.arange(9, dtype=np.uint16)
    assert sa.atom_glb(positions, longer, *UNIT) == sa.atom_glb(positions, longer[:5], *UNIT)
    # Ids of another item size are read as 16-bit units: element i // 2 for even i, 0 for odd i.
    wide = np.array([1, 2, 3, 4, 5], np.int32)
    as_units = np.array([1, 0, 2, 0, 3], np.uint16)
    assert sa.atom_glb(positions, wide, *UNIT) == sa.atom_glb(positions, as_units, *UNIT)
    # 13 bytes of positions make one atom.
    one = decoded(sa.atom_glb(positions.tobytes()[:13], b"\1\0", *UNIT))[1]
    assert one.tolist() == [positions[0].tolist()]


@pytest.mark.parametrize("bad", [float("nan"), float("inf")])
def test_non_finite_bounds_are_refused_when_there_are_atoms(bad):
    with pytest.raises(ValueError, match="^vmax "):
        sa.atom_glb(np.zeros(3, np.float32), np.zeros(1, np.uint16), [0, 0, 0], [1, bad, 1])


def test_valid_atom_clouds(validator):
    rng = np.random.default_rng(3)
    for n in (1, 7, 1000, 120_000):
        positions = (rng.integers(-640, 640, (n, 3)) / 64).astype(np.float32)
        types = rng.integers(0, 10, n).astype(np.uint16)
        data = sa.atom_glb(positions, types, positions.min(0).tolist(), positions.max(0).tolist())
        glb, out_positions, _ = decoded(data)
        assert len(data) == 28 + glb.json_chunk_length + 24 * n
        assert sorted(map(tuple, out_positions.tolist())) == sorted(map(tuple, positions.tolist()))
        validator.assert_valid(data)


LIMITED_CALL = """
import errno, os, resource, sys
import numpy as np
import _spatial_assembler as sa
positions = np.random.default_rng(0).random((100_000, 3), dtype=np.float32)
types = np.zeros(100_000, np.uint16)
soft, hard = resource.getrlimit(resource.RLIMIT_AS)
in_use = int(open("/proc/self/statm").read().split()[0]) * os.sysconf("SC_PAGE_SIZE")
resource.setrlimit(resource.RLIMIT_AS, (in_use + int(sys.argv[1]) * 2**20, hard))
try:
    sa.atom_glb(positions, types, [0, 0, 0], [1, 1, 1])
    outcome = "ok"
except RuntimeError as error:
    outcome = "thread" if str(error) == os.strerror(errno.EAGAIN) else "other: " + str(error)
except MemoryError:
    outcome = "memory"
resource.setrlimit(resource.RLIMIT_AS, (soft, hard))
again = sa.atom_glb(positions, types, [0, 0, 0], [1, 1, 1])  # everything was released and joined
print(outcome, len(again))
"""


@pytest.mark.skipif(not __import__("sys").platform.startswith("linux"), reason="limits the address space the Linux way")
def test_refused_memory_becomes_a_python_error_and_threads_are_optional(unsanitized):
    import subprocess
    import sys

    expected = sa.atom_glb(np.zeros((100_000, 3), np.float32), np.zeros(100_000, np.uint16), *UNIT)
    outcomes = []
    for megabytes in (4, 10, 17, 64):  # from no room for a thread stack to room for everything
        run = subprocess.run([sys.executable, "-c", LIMITED_CALL, str(megabytes)], capture_output=True, text=True,
                             timeout=120)
        assert run.returncode == 0, run.stderr
        outcome, size = run.stdout.split()
        assert size == str(len(expected)), run.stdout
        outcomes.append(outcome)
    # Workers that cannot start leave the calling thread to do the work: never an error.
    assert set(outcomes) <= {"ok", "memory"} and outcomes[-1] == "ok", outcomes
