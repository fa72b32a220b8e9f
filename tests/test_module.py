"""The module as Python sees it: import, docstring, signatures, argument conversion."""

import array
import glob
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


def test_the_stub_names_the_same_parameters():
    stub = Path(__file__).resolve().parent.parent / "python" / "_spatial_assembler-stubs" / "__init__.pyi"
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


def repeated(dtype, shape):  # a huge logical array on one element of memory
    return np.lib.stride_tricks.as_strided(np.zeros(1, dtype), shape=shape, strides=(0,) * len(shape))


def test_oversized_files_are_refused_before_any_copy():
    four_gib_of_floats = repeated(np.float32, (2**30 + 1,))
    with pytest.raises(ValueError, match="4 GiB"):
        sa.point_cloud_glb(four_gib_of_floats, b"", *UNIT)
    with pytest.raises(ValueError, match="4 GiB"):
        sa.mesh_glb(four_gib_of_floats, b"", b"", [0] * 6, [1] * 4, 0, 0, [0] * 3, False)
    atoms = 2**32 // 24  # 24 bytes an atom: the first count that no longer fits
    with pytest.raises(ValueError, match="4 GiB"):
        sa.atom_glb(repeated(np.float32, (atoms, 3)), repeated(np.uint16, (atoms,)), *UNIT)
    # Four arrays of 2^62 bytes each: their sum wraps around 64 bits to 0.
    wrapping = repeated(np.float32, (2**60,))
    with pytest.raises(ValueError, match="4 GiB"):
        sa.mesh_glb(wrapping, wrapping, wrapping, [0] * 6, [1] * 4, 0, 0, [0] * 3, False, wrapping)


LIMITED_MEMORY_CALLS = """
import os, resource, sys
import numpy as np
import _spatial_assembler as sa
def repeated(n):
    return np.lib.stride_tricks.as_strided(np.zeros(1, np.float32), shape=(n,), strides=(0,))
soft, hard = resource.getrlimit(resource.RLIMIT_AS)
in_use = int(open("/proc/self/statm").read().split()[0]) * os.sysconf("SC_PAGE_SIZE")
resource.setrlimit(resource.RLIMIT_AS, (in_use + 1000 * 2**20, hard))  # room for 1000 MB more
def outcome(call):
    try:
        call()
        return "ok"
    except ValueError as error:
        return str(error).split()[0]
    except MemoryError:
        return "MemoryError"
UNIT = ([0, 0, 0], [1, 1, 1])
just_under = repeated((2**32 - 28 - 640) // 4)  # with its document the file passes 4 GiB
print(outcome(lambda: sa.point_cloud_glb(just_under, b"", *UNIT)))
big = repeated(2**28)  # 1 GiB if packed
print(outcome(lambda: sa.point_cloud_glb(big, b"", [0, float("nan"), 0], [1, 1, 1])))
print(outcome(lambda: sa.mesh_glb(big, b"", b"", [0] * 6, [1, 1, 1, 1], 0, float("inf"), [0] * 3, False)))
strided = repeated(100 * 2**20)  # 400 MB packed, 400 MB of result: 800 MB in one block each
print(outcome(lambda: sa.point_cloud_glb(strided, b"", *UNIT)))
"""


@pytest.mark.skipif(not sys.platform.startswith("linux"), reason="limits the address space the Linux way")
def test_refusals_come_before_any_input_is_packed(unsanitized):
    run = subprocess.run([sys.executable, "-c", LIMITED_MEMORY_CALLS], capture_output=True, text=True, timeout=120)
    assert run.returncode == 0, run.stderr
    assert run.stdout.split() == ["the", "vmin", "roughness", "ok"]


LOCALE_CALLS = """
import locale, sys
import numpy as np
import _spatial_assembler as sa
locale.setlocale(locale.LC_ALL, "de_DE.UTF-8")
assert locale.localeconv()["decimal_point"] == ",", locale.localeconv()
positions = np.array([[0.25, -1.5, 3.1], [1.0, 2.0, 0.1234567]], np.float32)
bounds = [*positions.min(0).tolist(), *positions.max(0).tolist()]
files = [sa.point_cloud_glb(positions, positions, bounds[:3], bounds[3:]),
         sa.atom_glb(positions, np.array([1, 2], np.uint16), bounds[:3], bounds[3:]),
         sa.mesh_glb(positions, positions, np.array([0, 1, 1], np.uint32), bounds, [0.5, 0.25, 1, 1], 0.125, 0.75,
                     [0.1, 0, 0], True, positions)]
sys.stdout.buffer.write(b"".join(files))
"""


def test_documents_do_not_depend_on_the_process_locale(tmp_path, missing_tool):
    # A comma-decimal locale made without root: printf would write 0,500000 under it.
    made = shutil.which("localedef") and subprocess.run(
        ["localedef", "-i", "de_DE", "-f", "UTF-8", str(tmp_path / "de_DE.UTF-8")], capture_output=True, text=True)
    if not (tmp_path / "de_DE.UTF-8").is_dir():
        missing_tool(f"localedef could not make de_DE.UTF-8 (Debian's locales package): {made and made.stderr}")
    environment = {**os.environ, "LOCPATH": str(tmp_path)}
    german = subprocess.run([sys.executable, "-c", LOCALE_CALLS], capture_output=True, env=environment, timeout=60)
    assert german.returncode == 0, german.stderr.decode()
    plain = subprocess.run([sys.executable, "-c", LOCALE_CALLS.replace('"de_DE.UTF-8"', '"C"').replace(
        '== ","', '== "."')], capture_output=True, timeout=60)
    assert german.stdout == plain.stdout
    assert b'"min":[0.250000,-1.500000,0.1234567]' in german.stdout and b'"metallicFactor":0.1250' in german.stdout


class Raising:
    """A value whose own conversions raise the given exception."""

    def __init__(self, exception):
        self.exception = exception

    def __float__(self):
        raise self.exception

    def __bool__(self):
        raise self.exception


@pytest.mark.parametrize("exception", [KeyboardInterrupt, SystemExit, MemoryError, RecursionError("deep")])
def test_exceptions_of_a_values_own_conversion_propagate(exception):
    expected = exception if isinstance(exception, type) else type(exception)
    with pytest.raises(expected):
        sa.point_cloud_glb(P, P, [0, Raising(exception), 0], [1, 1, 1])
    mesh = dict(positions=P, normals=P, indices=b"", bounds=[0] * 6, base_color=[1] * 4, metallic=0, roughness=0,
                emissive=[0] * 3, double_sided=False)
    for name in ("metallic", "roughness", "double_sided", "emissive"):
        value = [Raising(exception)] * 3 if name == "emissive" else Raising(exception)
        with pytest.raises(expected):
            sa.mesh_glb(**{**mesh, name: value})


def test_values_that_are_not_numbers_keep_their_errors():
    with pytest.raises(RuntimeError) as caught:
        sa.point_cloud_glb(P, P, [0, Raising(TypeError("no")), 0], [1, 1, 1])
    assert str(caught.value) == "Unable to cast Python instance of type <class 'test_module.Raising'>" + CAST_ERROR_END
    mesh = (P, P, b"", [0] * 6, [1] * 4)
    with pytest.raises(TypeError, match="incompatible function arguments"):
        sa.mesh_glb(*mesh, Raising(ValueError("no")), 0, [0] * 3, False)
    with pytest.raises(TypeError, match="incompatible function arguments"):
        sa.mesh_glb(*mesh, 0, 0, [0] * 3, np.array([True, False]))  # ambiguous truth value
    # What the binding library's conversions accept is still accepted.
    assert sa.mesh_glb(*mesh, np.float32(1), True, [0] * 3, np.bool_(True)) == sa.mesh_glb(*mesh, 1.0, 1, [0] * 3, 1)
    assert sa.mesh_glb(*mesh, 0, 0, [0] * 3, None) == sa.mesh_glb(*mesh, 0, 0, [0] * 3, False)


def test_buffers_of_python_objects_are_refused():
    objects = np.array([[1.0, 2.0, 3.0]], dtype=object)
    with pytest.raises(TypeError, match=r"^positions holds Python objects \(buffer format 'O'\)"):
        sa.point_cloud_glb(objects, P, *UNIT)
    with pytest.raises(TypeError, match="^types holds Python objects"):
        sa.atom_glb(P, np.array([1, 2], dtype=object), *UNIT)
    record = np.zeros(2, dtype=[("x", "f4"), ("tag", "O")])
    with pytest.raises(TypeError, match="^colors holds Python objects"):
        sa.mesh_glb(P, P, b"", [0] * 6, [1] * 4, 0, 0, [0] * 3, False, record)
    # A field merely named with an O is fine.
    named = np.zeros(2, dtype=[("O", "f4"), ("Oy", "f4"), ("z", "f4")])
    assert sa.point_cloud_glb(named, named, *UNIT) == sa.point_cloud_glb(named.tobytes(), named.tobytes(), *UNIT)
