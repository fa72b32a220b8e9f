"""Calls made again and again, as servers and frame loops make them: the file
written into the caller's buffer (out=), and the scratch memory that the package
keeps between calls and hands back on request."""

import mmap

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import read_glb
from spatial_assembler import _core

RNG = np.random.default_rng(16)
ATOMS = RNG.normal(size=(3000, 3)) * 4
TYPES = RNG.integers(0, 9, 3000)
FACES = RNG.integers(0, 3000, (2000, 3))
COLORS = RNG.random((3000, 4))

CALLS = {
    "points": lambda **out: sa.point_cloud(ATOMS, COLORS, encoding="compact", **out),
    "atoms": lambda **out: sa.atoms(ATOMS, TYPES, style="spheres", **out),
    "mesh": lambda **out: sa.mesh(ATOMS, FACES, colors=(0.2, 0.4, 0.6), **out),
}


@pytest.mark.parametrize("name", CALLS)
@pytest.mark.parametrize("kind", ["bytearray", "uint8 array", "float64 array", "mmap"])
def test_out_holds_the_same_file_and_nothing_else_is_touched(name, kind, validator):
    expected = CALLS[name]()
    room = (len(expected) + 24 + 7) // 8 * 8  # some bytes to spare, a whole number of float64
    spare = room - len(expected)
    target = {"bytearray": lambda: bytearray(b"\xab" * room),
              "uint8 array": lambda: np.full(room, 0xAB, np.uint8),
              "float64 array": lambda: np.frombuffer(b"\xab" * room, np.uint8).copy().view(np.float64),
              "mmap": lambda: mmap.mmap(-1, room)}[kind]()
    if kind == "mmap":
        target.write(b"\xab" * room)
    view = CALLS[name](out=target)
    assert isinstance(view, memoryview) and view.format == "B" and view.nbytes == len(expected)
    assert view.tobytes() == expected
    whole = memoryview(target).cast("B")
    assert whole[: len(expected)].tobytes() == expected and whole[len(expected):].tobytes() == b"\xab" * spare
    assert read_glb(view.tobytes()).json_chunk_length > 0
    validator.assert_valid(view.tobytes())
    del view, whole
    if kind == "mmap":
        target.close()


def test_out_that_cannot_take_the_file_is_refused_before_it_is_written():
    glb = sa.atoms(ATOMS, TYPES)
    small = bytearray(b"\x01" * (len(glb) - 1))
    with pytest.raises(ValueError, match=f"out holds {len(glb) - 1} bytes, but the file needs {len(glb)}"):
        sa.atoms(ATOMS, TYPES, out=small)
    assert small == b"\x01" * (len(glb) - 1)  # untouched
    with pytest.raises(TypeError, match="out must be writable, but this bytes is read-only"):
        sa.atoms(ATOMS, TYPES, out=bytes(len(glb)))
    with pytest.raises(TypeError, match="out must be C-contiguous"):
        sa.atoms(ATOMS, TYPES, out=np.zeros(2 * len(glb), np.uint8)[::2])
    # The file must never overwrite the arrays it is made of.
    positions = np.zeros(len(glb), np.float64)
    positions[: 3 * 3000] = ATOMS.reshape(-1)
    with pytest.raises(ValueError, match="out shares memory with positions"):
        sa.point_cloud(positions[: 3 * 3000].reshape(-1, 3), out=positions)
    faces = np.zeros(len(glb), np.int64)
    faces[:6000] = FACES.reshape(-1)
    with pytest.raises(ValueError, match="out shares memory with faces"):
        sa.mesh(ATOMS, faces[:6000].reshape(-1, 3), out=faces[3000:])


def test_kept_scratch_memory_is_bounded_and_released():
    sa.release_memory()
    big = RNG.normal(size=(400_000, 3)).astype(np.float32)
    first = sa.atoms(big, np.zeros(400_000, np.uint16))
    held = _core.held_memory()
    assert held >= 2 * 8 * 400_000  # the sort's two arrays of 64-bit entries
    for _ in range(3):
        assert sa.atoms(big, np.zeros(400_000, np.uint16)) == first
    assert _core.held_memory() == held  # the same blocks, call after call
    for _ in range(4):  # smaller calls: the large blocks go once four calls did not need them
        sa.atoms(big[:150_000], np.zeros(150_000, np.uint16))
    assert 0 < _core.held_memory() < held
    assert sa.release_memory() > 0 and _core.held_memory() == 0 and sa.release_memory() == 0
