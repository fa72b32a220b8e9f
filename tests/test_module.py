"""The module as Python sees it: import, docstring, signatures, argument conversion."""

import array
import glob
import importlib
import inspect
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

import numpy as np
import pytest

import _spatial_assembler as sa
from glb_reading import read_glb

DOC = "Native GLB assembler (shared C++ core with the Node addon)."
CAST_ERROR_END = " to C++ type '?' (#define PYBIND11_DETAILED_ERROR_MESSAGES or compile in debug mode for details)"


def test_module_attributes_and_signatures():
    assert sa.__doc__ == DOC
    assert {"atom_glb", "point_cloud_glb", "mesh_glb"} <= set(vars(sa))
    assert sa.point_cloud_glb.__doc__.strip() == (
        "point_cloud_glb(positions: collections.abc.Buffer, colors: collections.abc.Buffer, "
        "vmin: collections.abc.Sequence, vmax: collections.abc.Sequence) -> bytes"
    )
    assert sa.atom_glb.__doc__.startswith("atom_glb(positions: collections.abc.Buffer, types: collections.abc.Buffer,")
    assert sa.mesh_glb.__doc__.strip().endswith(
        "metallic: typing.SupportsFloat | typing.SupportsIndex, roughness: typing.SupportsFloat | typing.SupportsIndex, "
        "emissive: collections.abc.Sequence, double_sided: bool, colors: object = None) -> bytes"
    )


def test_version_gate_refuses_other_interpreters(tmp_path):
    root = os.environ.get("PYENV_ROOT", os.path.expanduser("~/.pyenv"))
    newest_first = sorted(glob.glob(f"{root}/versions/3.*/bin/python3"),
                          key=lambda p: [int(n) for n in re.findall(r"\d+", p.split("/versions/")[1])[:3]], reverse=True)
    others = [p for p in newest_first if re.search(r"/versions/3\.(?!13\.)\d+\.\d+/", p)][:2]
    if not others:
        pytest.skip("no CPython other than 3.13 on this machine to try the version gate with")
    shutil.copyfile(sa.__file__, tmp_path / "_spatial_assembler.so")  # a name any version may load
    # Lazy binding: symbols an older interpreter lacks are not resolved before the gate runs.
    script = (f"import os, sys; sys.path.insert(0, {str(tmp_path)!r}); sys.setdlopenflags(os.RTLD_LAZY); print(sys.version, end='|')\n"
              "try:\n    import _spatial_assembler\nexcept ImportError as e:\n    print(e)")
    for python in others:
        version, message = subprocess.run([python, "-c", script], capture_output=True, text=True, timeout=60).stdout.split("|")
        assert message == ("Python version mismatch: module was compiled for Python 3.13, but the interpreter "
                           f"version is incompatible: {version}.\n"), python


def test_second_import_is_served_from_the_cache():
    first = sys.modules.pop("_spatial_assembler")
    try:
        again = importlib.import_module("_spatial_assembler")
        assert again is first and again.point_cloud_glb is first.point_cloud_glb
    finally:
        sys.modules["_spatial_assembler"] = first


def test_the_stub_names_the_same_parameters():
    stub = Path(sa.__file__).with_name("_spatial_assembler.pyi")
    namespace = {}
    exec(compile(stub.read_text(), str(stub), "exec"), namespace)
    for name in ("atom_glb", "point_cloud_glb", "mesh_glb"):
        doc_names = [part.split(":")[0].strip() for part in getattr(sa, name).__doc__.split("(", 1)[1].split(")")[0].split(",")]
        assert list(inspect.signature(namespace[name]).parameters) == doc_names


UNIT = ([0, 0, 0], [1, 1, 1])
P = np.zeros((2, 3), np.float32)


@pytest.mark.parametrize("call", [
        lambda: sa.point_cloud_glb(P, P, [0, 0, 0]),  # missing argument
        lambda: sa.point_cloud_glb(P, P, [0, 0, 0], [1, 1, 1], extra=1),  # unknown keyword
        lambda: sa.point_cloud_glb(P, P, [0, 0, 0], [1, 1, 1], 5),  # one too many
        lambda: sa.point_cloud_glb([0.0] * 6, P, *UNIT),  # a list is not a buffer
        lambda: sa.point_cloud_glb(P, P, 3, [1, 1, 1]),  # not a sequence
        lambda: sa.atom_glb(P, "ab", *UNIT),  # str is no buffer
        lambda: sa.mesh_glb(P, P, P, [0] * 6, [1] * 4, "x", 0.5, [0] * 3, False)])
def test_wrong_argument_kinds_raise_type_error(call):
    with pytest.raises(TypeError):
        call()


class Numbers:
    """A sequence that fails loudly when an item beyond the first three is read."""

    def __init__(self, *values, length=None):
        self.values, self.length = values, len(values) if length is None else length

    def __len__(self):
        return self.length

    def __getitem__(self, index):
        if index >= 3:
            raise AssertionError("item beyond the first three was read")
        return self.values[index]


def test_sequences_are_read_as_their_first_numbers():
    base = sa.point_cloud_glb(P, P, [0.0, 0.0, 0.0], [1.0, 2.0, 3.0])
    assert sa.point_cloud_glb(P, P, (0, 0, 0), (1, 2, 3)) == base  # ints give the same doubles
    assert sa.point_cloud_glb(P, P, [0, 0, 0, 99], Numbers(1, 2, 3, length=10)) == base
    assert sa.point_cloud_glb(P, P, np.zeros(3), np.array([1, 2, 3], np.int8)) == base

    class Indexable:
        def __index__(self):
            return 2

    assert sa.point_cloud_glb(P, P, [0, 0, 0], [1, Indexable(), 3]) == base


def test_sequence_errors():
    with pytest.raises(ValueError, match="^sequence too short$"):
        sa.point_cloud_glb(P, P, [0, 0], [1, 1, 1])
    with pytest.raises(ValueError, match="^sequence too short$"):
        sa.point_cloud_glb(P, P, [0, 0, 0], "")
    with pytest.raises(RuntimeError) as caught:
        sa.point_cloud_glb(P, P, [0, 0, "a"], [1, 1, 1])
    message = str(caught.value)
    assert message.startswith("Unable to cast Python instance of type ") and message.endswith(CAST_ERROR_END)

    class BrokenLength(Numbers):
        def __len__(self):
            raise KeyError("no length")

    with pytest.raises(KeyError, match="no length"):
        sa.point_cloud_glb(P, P, BrokenLength(0, 0, 0), [1, 1, 1])


def test_every_buffer_kind_counts_its_bytes():
    values = np.arange(12, dtype=np.float32)
    raw = values.tobytes()
    expected = sa.point_cloud_glb(raw, raw, *UNIT)
    for buffer in (bytearray(raw), memoryview(raw), memoryview(raw).cast("B", (48,)), array.array("f", values.tolist()),
                   values.reshape(4, 3), values.reshape(2, 2, 3), np.frombuffer(raw, np.uint8),
                   np.frombuffer(raw, np.float64), np.frombuffer(raw, np.int16).reshape(2, 12)):
        assert sa.point_cloud_glb(buffer, buffer, *UNIT) == expected
    # A buffer of another float width is not converted: its bytes are taken as float32.
    doubles = np.arange(6, dtype=np.float64)
    glb = read_glb(sa.point_cloud_glb(doubles, doubles, *UNIT))
    assert glb.document["accessors"][0]["count"] == 4
    assert glb.bin == doubles.tobytes() * 2


def test_non_contiguous_buffers_are_read_in_logical_order():
    grid = np.arange(60, dtype=np.float32).reshape(10, 6)
    for view in (grid[:, :3], grid[::2], grid[::-1], np.asfortranarray(grid), grid.T, grid[::-3, ::-2]):
        packed = np.ascontiguousarray(view)
        assert sa.point_cloud_glb(view, view, *UNIT) == sa.point_cloud_glb(packed, packed, *UNIT)
        assert sa.atom_glb(view, view, *UNIT) == sa.atom_glb(packed, packed, *UNIT)
    # Memory outside a strided view is never read: the array ends right after the view.
    strided = np.arange(7, dtype=np.float32)[::2]
    assert read_glb(sa.point_cloud_glb(strided, b"", *UNIT)).bin[:16] == strided.tobytes()


def test_misaligned_buffers_are_read_correctly():
    raw = bytearray(b"\x00" + np.arange(9, dtype=np.float32).tobytes())
    misaligned = memoryview(raw)[1:]
    assert sa.point_cloud_glb(misaligned, misaligned, *UNIT) == sa.point_cloud_glb(bytes(misaligned), bytes(misaligned), *UNIT)


def test_exporter_errors_propagate():
    class Refusing:
        def __buffer__(self, flags):
            raise BufferError("not today")

    with pytest.raises(BufferError, match="not today"):
        sa.point_cloud_glb(Refusing(), P, *UNIT)
    # Suboffsets (indirect buffers) are not asked for, so such exporters refuse the request.


def test_views_are_released_on_every_path():
    positions = bytearray(np.zeros(9, np.float32).tobytes())
    sa.point_cloud_glb(positions, positions, *UNIT)
    with pytest.raises(ValueError):
        sa.point_cloud_glb(positions, positions, [0], [1, 1, 1])
    with pytest.raises(ValueError):
        sa.atom_glb(positions, b"", *UNIT)
    with pytest.raises(TypeError):
        sa.mesh_glb(positions, positions, positions, [0] * 6, [1] * 4, 0, 0, [0] * 3, False, [1.0])
    with pytest.raises(ValueError):
        sa.mesh_glb(positions, positions, positions, [0] * 6, [1] * 4, 0, 0, [0] * 2, False, positions)
    positions.extend(b"1234")  # raises BufferError if any view were still exported


def test_oversized_files_are_refused_before_any_copy():
    def repeated(dtype, shape):  # a huge logical array on one element of memory
        return np.lib.stride_tricks.as_strided(np.zeros(1, dtype), shape=shape, strides=(0,) * len(shape))

    four_gib_of_floats = repeated(np.float32, (2**30 + 1,))
    with pytest.raises(ValueError, match="4 GiB"):
        sa.point_cloud_glb(four_gib_of_floats, b"", *UNIT)
    with pytest.raises(ValueError, match="4 GiB"):
        sa.mesh_glb(four_gib_of_floats, b"", b"", [0] * 6, [1] * 4, 0, 0, [0] * 3, False)
    atoms = 2**32 // 24  # 24 bytes an atom: the first count that no longer fits
    with pytest.raises(ValueError, match="4 GiB"):
        sa.atom_glb(repeated(np.float32, (atoms, 3)), repeated(np.uint16, (atoms,)), *UNIT)
