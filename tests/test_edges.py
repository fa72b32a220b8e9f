"""The package at its edges: magnitudes near the float32 limit in every kind of
part, the caller's memory (out) under every input the package converts, what a
failed call leaves in it, exporters that hand out other memory, the size check
of compact plain spheres, booleans, choices, warnings and integer colours, and
the version that every file names."""

import json
import sys
import warnings
from pathlib import Path

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import FLOAT32_MAX, accessor_values, node_transform, numbers_beyond_float32, read_glb

ROOT = Path(__file__).resolve().parent.parent


def extreme_calls(magnitude):
    """Calls of every kind of part on points that reach `magnitude`: (name, call)."""
    rng = np.random.default_rng(int(np.log10(magnitude)))
    wide = np.array([[magnitude, 0, 0], [-magnitude, 1, 1], [0, magnitude, -magnitude]])  # spans 2 x magnitude
    far = rng.uniform(0.9, 1.0, (50, 3)) * magnitude  # far out, spread a little
    calls = []
    for name, points in (("wide", wide), ("far", far)):
        for encoding in ("float32", "compact"):
            calls.append((f"points {name} {encoding}", lambda p=points, e=encoding: sa.point_cloud(p, encoding=e)))
            calls.append((f"lines {name} {encoding}", lambda p=points, e=encoding: sa.Scene().lines(p).glb(encoding=e)))
            calls.append((f"mesh {name} {encoding}",
                          lambda p=points, e=encoding: sa.mesh(p[:3], [[0, 1, 2]], normals="flat", encoding=e)))
            for style in ("points", "spheres", "ball-and-stick"):
                for instancing in (True, False):
                    bonds = [[0, 1], [1, 2]] if style == "ball-and-stick" else None
                    calls.append((f"atoms {name} {style} instancing={instancing} {encoding}",
                                  lambda p=points, s=style, i=instancing, b=bonds, e=encoding:
                                  sa.atoms(p, types=np.arange(len(p)) % 5, style=s, bonds=b, instancing=i, encoding=e)))
    return calls


@pytest.mark.parametrize("magnitude", [1e38, 3e38, FLOAT32_MAX])
def test_every_number_a_file_holds_is_finite_in_float32_or_the_call_names_the_argument(validator, magnitude):
    """Near the float32 limit, spheres, sticks, quantisation scales and bounds must stay within it: each call
    writes a valid file whose every number (and every position its nodes restore) is a finite float32, or
    raises a ValueError naming positions or bonds."""
    outcomes = {"file": 0, "refused": 0}
    for name, call in extreme_calls(magnitude):
        try:
            glb = call()
        except ValueError as error:
            assert str(error).startswith(("positions", "bonds", "part 0 (lines): positions")), (name, str(error))
            outcomes["refused"] += 1
            continue
        assert numbers_beyond_float32(glb) == [], name
        validator.assert_valid(glb)
        outcomes["file"] += 1
    assert outcomes["file"] >= 20, outcomes  # points, lines, meshes and atoms as points always fit
    # Instanced and plain spheres are refused alike: what they draw reaches as far.
    for style in ("spheres", "ball-and-stick"):
        answers = set()
        for instancing in (True, False):
            try:
                sa.atoms([[magnitude, 0, 0], [-magnitude, 0, 0]], style=style, bonds=[[0, 1]] if style != "spheres" else None,
                         radius=magnitude / 4, instancing=instancing)
                answers.add("file")
            except ValueError as error:
                answers.add(str(error).split(":")[0])
        assert len(answers) == 1, (style, answers)


def test_compact_files_of_the_widest_spans_restore_their_extremes():
    """Positions from -FLT_MAX to FLT_MAX: the compact node's scale is at most FLT_MAX (half the span), and
    the extremes come back within one step (the last integers round toward the centre there, so that no
    reader restores an infinity); one in a million below the limit, within half a step."""
    for limit, steps in ((FLOAT32_MAX, 1), (FLOAT32_MAX * (1 - 1e-6), 0.5)):
        points = np.array([[-limit, -limit, 0], [limit, limit / 3, 1]], np.float32)
        data = sa.point_cloud(points, encoding="compact")
        glb = read_glb(data)
        translation, scale = (np.asarray(value) for value in node_transform(glb.document["nodes"][0]))
        assert numbers_beyond_float32(data) == [] and np.all(scale <= FLOAT32_MAX)
        restored = translation + scale * accessor_values(glb, 0)
        assert np.all(np.abs(restored - points) <= scale / 32767 * steps * (1 + 1e-9)), (restored, points)


@pytest.mark.parametrize("dtype", ["<i4", "<f2", ">f8", ">i4", "<u2"])
def test_inputs_inside_out_are_refused_also_when_the_package_converts_them(dtype):
    """The file must not be written over what it is made of: an input anywhere inside out (converted by the
    package or not: float16 widened, big-endian swapped) is refused, and out is left as it was."""
    out = np.zeros(1 << 16, np.uint8)
    for start in (1000, len(out) - 3 * 10 * np.dtype(dtype).itemsize):  # in the file's bytes, and past them
        positions = out[start:start + 3 * 10 * np.dtype(dtype).itemsize].view(dtype).reshape(10, 3)
        positions[:] = np.arange(30).reshape(10, 3)
        before = out.copy()
        with pytest.raises(ValueError, match="^out shares memory with positions"):
            sa.point_cloud(positions, out=out)
        assert np.array_equal(out, before)
    colors = out[2000:2000 + 30].reshape(10, 3)  # uint8 colours, read as they are
    with pytest.raises(ValueError, match="^out shares memory with colors"):
        sa.point_cloud(np.zeros((10, 3)), colors, out=out)


def test_a_call_that_fails_while_writing_leaves_no_glb_header():
    """A colour found bad as it is copied stops the write: the memory then holds no GLB (the magic goes
    first, the header comes last). A call refused before writing leaves out as it was."""
    positions = np.random.default_rng(3).random((1000, 3))
    out = bytearray(1 << 16)
    first = bytes(sa.point_cloud(positions, out=out))
    assert out[:4] == b"glTF"
    colors = np.full((1000, 4), 0.5)
    colors[999, 2] = np.nan
    for encoding in ("float32", "compact"):
        with pytest.raises(ValueError, match="row 999, column 2 holds nan"):
            sa.point_cloud(positions, colors, encoding=encoding, out=out)
        assert out[:4] != b"glTF"
        sa.point_cloud(positions, out=out)
    with pytest.raises(ValueError, match="^out holds 64 bytes"):
        sa.point_cloud(positions, out=memoryview(out)[:64])
    assert bytes(out[:len(first)]) == first


def test_from_ase_writes_into_out():
    molecule = pytest.importorskip("ase.build").molecule("CH3CH2OH")
    out = bytearray(1 << 20)
    view = sa.from_ase(molecule, style="ball-and-stick", out=out)
    assert isinstance(view, memoryview) and bytes(view) == sa.from_ase(molecule, style="ball-and-stick")


@pytest.mark.skipif(sys.version_info < (3, 12), reason="a class's own __buffer__ is Python 3.12's")
def test_out_is_exported_once():
    """An exporter that hands out other memory each time it is asked: the file goes into the memory of the
    one export, and the view returned is of that memory."""

    class Exporter:
        def __init__(self):
            self.handed = []

        def __buffer__(self, flags):
            self.handed.append(bytearray(1 << 16))
            return memoryview(self.handed[-1])

    exporter = Exporter()
    positions = np.random.default_rng(4).random((100, 3))
    view = sa.point_cloud(positions, out=exporter)
    expected = sa.point_cloud(positions)
    assert len(exporter.handed) == 1
    assert bytes(view) == expected and bytes(exporter.handed[0][:len(expected)]) == expected


def test_the_size_check_of_compact_plain_spheres_counts_compact_bytes():
    """2.3 million atoms as plain compact spheres make a file of about 3.1 GiB, which fits; as float32 ones,
    4.2 GiB, which does not. A scene's part is checked as it is added, before anything is read."""
    positions = np.zeros((2_300_000, 3))
    sa.Scene().atoms(positions, style="spheres", instancing=False, encoding="compact")
    with pytest.raises(ValueError, match="4 GiB or larger"):
        sa.Scene().atoms(positions, style="spheres", instancing=False, encoding="float32")


def test_booleans_are_booleans_and_choices_name_their_values():
    points = np.eye(3)
    for value in ("no", "false", 0, 1.0):
        with pytest.raises(TypeError, match="^instancing must be True or False"):
            sa.atoms(points, style="spheres", instancing=value)
        with pytest.raises(TypeError, match="^double_sided must be True or False"):
            sa.mesh(points, [[0, 1, 2]], double_sided=value)
    assert sa.atoms(points, style="spheres", instancing=np.False_) == sa.atoms(points, style="spheres", instancing=False)
    with pytest.raises(TypeError, match=r"^style must be 'points', 'spheres' or 'ball-and-stick', not 3$"):
        sa.atoms(points, style=3)
    with pytest.raises(TypeError, match=r"^encoding must be 'float32', 'compact' or 'meshopt', not b'compact'$"):
        sa.atoms(points, encoding=b"compact")
    # None leaves an option out, as null and undefined do in Node.
    assert sa.atoms(points, style=None, encoding=None) == sa.atoms(points)


def test_warnings_where_a_call_draws_other_than_meant():
    points = np.eye(3)
    with pytest.warns(UserWarning, match="without bonds and without elements draw no sticks"):
        sa.atoms(points, style="ball-and-stick")
    with pytest.warns(UserWarning, match="given as whole numbers are read as 8-bit"):
        glb = sa.point_cloud(points, [1, 0, 0])
    assert glb == sa.point_cloud(points, np.array([1, 0, 0], np.uint8))  # (1/255, 0, 0), as warned
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        sa.atoms(points, style="ball-and-stick", bonds=np.zeros((0, 2), int))  # no bonds, said so
        sa.point_cloud(points, np.array([1, 0, 0]))  # an array's dtype is deliberate
        sa.point_cloud(points, [1.0, 0, 0])
        sa.point_cloud(points, [0, 0, 0])  # black either way


def test_integer_colours_are_8_bit_in_lists_and_arrays_of_any_width():
    points = np.eye(3)
    rows = [[255, 0, 0], [0, 128, 0], [0, 0, 255]]
    expected = sa.point_cloud(points, np.array(rows, np.uint8))
    for colors in (rows, np.array(rows, np.int64), np.array(rows, np.uint16), np.array(rows, ">i4")):
        assert sa.point_cloud(points, colors) == expected
    with pytest.raises(ValueError, match=r"^colors given as integers must lie in 0..255, but row 1, column 1 holds 300$"):
        sa.point_cloud(points, [[255, 0, 0], [0, 300, 0], [0, 0, 255]])


def test_integers_beyond_2_to_the_53_are_named_exactly():
    points = np.eye(3)
    with pytest.raises(ValueError, match=r"^types must be below 65536, but row 2 holds 18446744073709551615$"):
        sa.atoms(points, types=np.array([0, 1, 2**64 - 1], np.uint64))
    with pytest.raises(ValueError, match=r"^faces must be below 3, but row 0, column 2 holds 9007199254740993$"):
        sa.mesh(points, np.array([[0, 1, 2**53 + 1]], np.int64))
    with pytest.raises(ValueError, match=r"^colors given as integers must lie in 0..255, but row 0, column 0 holds 9007199254740993$"):
        sa.point_cloud(points, np.array([2**53 + 1, 0, 0], np.uint64))


@pytest.mark.source_tree
def test_every_file_names_the_version_of_both_packages():
    import tomllib

    version = tomllib.loads((ROOT / "pyproject.toml").read_text())["project"]["version"]
    assert json.loads((ROOT / "package.json").read_text())["version"] == version
    assert sa._core.generator == f"spatial-assembler {version}"
    assert read_glb(sa.point_cloud(np.eye(3))).document["asset"]["generator"] == f"spatial-assembler {version}"
