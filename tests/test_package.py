"""spatial_assembler, the public package: conversions against independent numpy
expectations, exact bounds on real data, elements, normals, adapters, and the
promise that every call returns a valid file or raises ValueError or TypeError."""

import io
import warnings

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_bytes, accessor_values, numbers_beyond_float32, read_glb
from numpy_writers import morton_keys_numpy
from spatial_assembler import _inputs


def floats(glb, accessor, width):
    return np.frombuffer(accessor_bytes(read_glb(glb), accessor), np.float32).reshape(-1, width)


def minmax(glb):
    accessor = read_glb(glb).document["accessors"][0]
    return accessor["min"], accessor["max"]


RNG = np.random.default_rng(10)
POINTS64 = RNG.normal(size=(50, 3)) * 3


@pytest.mark.parametrize("positions", [
    POINTS64, POINTS64.astype(np.float16), (POINTS64 * 100).astype(np.int32), POINTS64.tolist(),
    np.asfortranarray(POINTS64), POINTS64[::-1], (np.abs(POINTS64) * 10).astype(np.uint8),
    POINTS64.astype(">f8"), POINTS64.astype(np.float32)[:, [2, 0, 1]]])
def test_positions_of_any_real_dtype_and_layout_become_float32(positions):
    expected = np.asarray(positions).astype(np.float32)
    glb = sa.point_cloud(positions)
    assert np.array_equal(floats(glb, 0, 3), expected)
    low, high = minmax(glb)  # the exact float32 extremes
    assert np.array_equal(np.float32(low), expected.min(0)) and np.array_equal(np.float32(high), expected.max(0))


def test_arrays_the_core_reads_as_they_are_are_not_copied():
    points = np.zeros((10, 3), np.float32)
    assert _inputs.rows_of(points, "positions") is points
    wide = np.zeros((10, 3), np.float64)
    assert _inputs.rows_of(wide, "positions") is wide  # the core rounds float64 as it writes


def test_colours():
    n = 4
    points = np.arange(12, dtype=np.float32).reshape(n, 3)
    rgb8 = np.array([[255, 0, 0], [0, 128, 0], [0, 0, 255], [10, 20, 30]], np.uint8)
    assert np.allclose(floats(sa.point_cloud(points, rgb8), 1, 3), rgb8 / 255, atol=1e-7)
    assert np.array_equal(floats(sa.point_cloud(points, (0.25, 0.5, 1.0)), 1, 3), np.tile([0.25, 0.5, 1.0], (n, 1)))
    rgba = RNG.random((n, 4))
    assert np.array_equal(floats(sa.point_cloud(points, rgba), 1, 4), rgba.astype(np.float32))
    assert np.allclose(floats(sa.point_cloud(points), 1, 3), 0.8)  # light grey by default
    # A mesh's COLOR_0 is always RGBA: RGB rows are widened with alpha 1.
    faces = [[0, 1, 2], [0, 2, 3]]
    glb = sa.mesh(points, faces, colors=rgb8)
    assert np.allclose(floats(glb, 2, 4), np.concatenate([rgb8 / 255, np.ones((n, 1))], 1), atol=1e-7)
    assert read_glb(glb).document["materials"][0]["pbrMetallicRoughness"]["baseColorFactor"] == [1, 1, 1, 1]
    grey = floats(sa.point_cloud(points, np.array([0.5, 0.5, 0.5, 1.0], np.float16)), 1, 4)
    assert grey.tolist() == [[0.5, 0.5, 0.5, 1.0]] * n  # one RGBA colour of any float width
    one = floats(sa.mesh(points, faces, colors=np.array([255, 0, 51], np.uint8)), 2, 4)
    assert np.allclose(one, [[1, 0, 0.2, 1]] * n)  # one uint8 colour, widened to RGBA


def test_types_elements_and_faces_become_the_native_integers():
    native = pytest.importorskip("_spatial_assembler", reason="the raw module is CPython 3.13's alone")
    points = RNG.random((6, 3))
    types = np.array([0, 1, 2, 9, 65535, 3], np.int64)
    checked = read_glb(sa.atoms(points, types))
    raw = read_glb(native.atom_glb(points.astype(np.float32), types.astype(np.uint16), *minmax(sa.atoms(points, types))))
    # The same file but for the generator, which names the package.
    assert checked.document.pop("asset") == {"version": "2.0", "generator": f"spatial-assembler {sa.__version__}"}
    assert raw.document.pop("asset") == {"version": "2.0", "generator": "Tarn Native"}
    assert (checked.document, checked.bin) == (raw.document, raw.bin)
    by_symbol = sa.atoms(points, elements=["C", "o", "N", "S", "H", "Cl"])
    by_number = sa.atoms(points, elements=np.array([6, 8, 7, 16, 1, 17], np.int8))
    assert by_symbol == by_number  # elements in their own colours: tests/test_atom_colors.py
    assert sa.atoms(points) == sa.atoms(points, np.zeros(6, np.uint16))  # all grey
    for form in (np.array([b"C", b"O", b"N"] * 2), np.array(["c", "O ", "n"] * 2, dtype=object), (6, 8, 7) * 2,
                 np.array(["C", "O", "N"] * 2, dtype="U2"), np.array(["C", "O", "N"] * 2, dtype=">U3")):
        assert sa.atoms(points, elements=form) == sa.atoms(points, elements=[6, 8, 7] * 2), form
    faces = np.array([[0, 1, 2], [3, 4, 5]], np.int64)
    glb = sa.mesh(points, faces)
    assert np.frombuffer(accessor_bytes(read_glb(glb), 2), np.uint32).tolist() == faces.ravel().tolist()


def test_element_table_is_what_a_chemist_expects():
    slots = sa.elements.palette_slots
    palette = {0: "grey", 1: "red", 2: "green", 3: "blue", 4: "yellow", 5: "magenta", 6: "cyan", 7: "light grey"}
    named = {"C": "grey", "O": "red", "N": "blue", "S": "yellow", "H": "light grey", "F": "green", "Cl": "green",
             "Br": "red", "I": "magenta", "P": "magenta", "Na": "magenta", "He": "cyan", "Ar": "cyan",
             "Mg": "green", "Fe": "light grey", "Au": "yellow", "X": "light grey"}
    assert {symbol: palette[int(slot)] for symbol, slot in zip(named, slots(list(named)))} == named
    assert slots(["fe", " Na "]).tolist() == slots([26, 11]).tolist()
    assert len(sa.elements.SYMBOLS) == 119 and sa.elements.SYMBOLS[118] == "Og"
    ase = pytest.importorskip("ase.data")
    assert np.allclose(sa.elements.COVALENT_RADII, ase.covalent_radii, atol=1e-6)  # Cordero et al., as ASE has them
    with pytest.raises(ValueError, match=r"^elements: 'Xx' is not an element symbol \(row 1\)$"):
        sa.elements.atomic_numbers(["C", "Xx"])


def test_normals_computed_area_weighted_or_given_normalised():
    positions = np.array([[0, 0, 0], [2, 0, 0], [0, 2, 0], [0, 1, 0], [0, 0, 1], [5, 5, 5]], np.float32)
    faces = np.array([[0, 1, 2], [0, 3, 4]], np.uint32)  # area 2 facing +z; area 0.5 facing +x
    normals = floats(sa.mesh(positions, faces, normals="smooth"), 1, 3)
    shared = np.array([0.5, 0, 2]) / np.hypot(0.5, 2)  # worked by hand: 2 (0, 0, 1) + 0.5 (1, 0, 0)
    assert np.allclose(normals, [shared, [0, 0, 1], [0, 0, 1], [1, 0, 0], [1, 0, 0], [0, 0, 1]], atol=1e-6)
    given = RNG.normal(size=(6, 3)) * 7
    written = floats(sa.mesh(positions, faces, normals=given), 1, 3)
    assert np.allclose(written, given / np.linalg.norm(given, axis=1, keepdims=True), atol=1e-7)
    assert np.all(np.abs(np.linalg.norm(written.astype(np.float64), axis=1) - 1) < 1e-6)  # unit in float32


def test_files_validate_on_real_float64_data(validator):
    for scale in (1.0, 1e-9, 1e3, 6.02e23):
        rng = np.random.default_rng(int(np.log10(scale)) + 40)
        positions = rng.normal(size=(3000, 3)) * scale
        faces = rng.integers(0, 3000, (500, 3))
        faces = faces[(faces[:, 0] != faces[:, 1]) & (faces[:, 1] != faces[:, 2]) & (faces[:, 0] != faces[:, 2])]
        validator.assert_valid(sa.atoms(positions, rng.integers(0, 9, 3000)), sa.point_cloud(positions, rng.random((3000, 4))),
                               sa.mesh(positions, faces, colors=rng.integers(0, 256, (3000, 3)).astype(np.uint8)))


def test_atom_bounds_order_the_atoms_and_never_enter_the_file(validator):
    """bounds= is the box of the Morton order; the file's bounds are the atoms' own extremes."""
    rng = np.random.default_rng(7)
    positions = rng.uniform(-0.5, 1.5, (5000, 3)).astype(np.float32)  # many outside the box
    box = [[0, 0, 0], [1, 1, 1]]
    glb = sa.atoms(positions, rng.integers(0, 9, 5000), bounds=box)
    validator.assert_valid(glb)
    assert np.array_equal(np.float32(minmax(glb)[0]), positions.min(0))
    written = floats(glb, 0, 3)
    keys = morton_keys_numpy(written, [0, 0, 0], [1, 1, 1])
    assert np.all(np.diff(keys.astype(np.int64)) >= 0)  # in Morton order over the box, edge cells included


def test_an_md_frame_drifting_out_of_its_cell(validator):
    """An ASE frame whose atoms moved beyond the cell, with the cell as the box: a valid file."""
    build = pytest.importorskip("ase.build")
    frame = build.bulk("Cu", "fcc", a=3.6, cubic=True).repeat((6, 6, 6))
    frame.positions += np.random.default_rng(3).normal(scale=0.1, size=frame.positions.shape)  # thermal motion
    frame.positions[:20] += 0.19  # past the cell's faces
    cell = [[0, 0, 0], np.diag(frame.cell).tolist()]
    for style in ("points", "spheres"):
        validator.assert_valid(sa.from_ase(frame, bounds=cell, style=style))


def test_adapters_round_trip_through_trimesh(validator):
    trimesh = pytest.importorskip("trimesh")
    from ase.build import molecule

    ethanol = molecule("CH3CH2OH")
    scene = trimesh.load(io.BytesIO(sa.from_ase(ethanol, style="points")), file_type="glb")
    (cloud,) = scene.geometry.values()
    assert sorted(map(tuple, np.asarray(cloud.vertices, np.float32))) == sorted(map(tuple, ethanol.positions.astype(np.float32)))

    sphere = trimesh.creation.icosphere(subdivisions=2)
    sphere.visual.vertex_colors = (np.abs(sphere.vertices) * 255).astype(np.uint8)
    (back,) = trimesh.load(io.BytesIO(sa.from_trimesh(sphere)), file_type="glb", process=False).geometry.values()
    assert np.array_equal(back.vertices, sphere.vertices.astype(np.float32)) and np.array_equal(back.faces, sphere.faces)
    normals = floats(sa.from_trimesh(sphere), 1, 3)
    assert np.all(np.sum(normals * sphere.vertices, axis=1) > 0.99)  # unit length, pointing outwards

    points = trimesh.PointCloud(RNG.random((20, 3)), colors=RNG.integers(0, 256, (20, 4)).astype(np.uint8))
    (cloud,) = trimesh.load(io.BytesIO(sa.from_trimesh(points)), file_type="glb").geometry.values()
    assert np.array_equal(cloud.vertices, points.vertices.astype(np.float32))
    with pytest.raises(TypeError, match="^from_trimesh needs a trimesh.Trimesh, .* or trimesh.Scene, not list$"):
        sa.from_trimesh([])
    with pytest.raises(TypeError, match="^from_ase needs an ase.Atoms or a list of them, not list$"):
        sa.from_ase([])


def test_masked_arrays_are_refused():
    masked = np.ma.masked_invalid(np.array([[0, 0, 0], [np.nan, 1, 1], [1, 2, 3]]))
    with pytest.raises(TypeError, match="^positions is a masked array: fill it"):
        sa.point_cloud(masked)
    with pytest.raises(TypeError, match="^colors is a masked array"):
        sa.point_cloud(np.zeros((1, 3)), np.ma.masked_array([0.5, 0.5, 0.5]))


def test_save_and_view(tmp_path):
    glb = sa.point_cloud([[0, 0, 0], [1, 1, 1]])
    assert sa.save(tmp_path / "a.glb", glb).read_bytes() == glb
    view = sa.view(glb, height=300)
    assert view.save(tmp_path / "b.glb").read_bytes() == glb
    page = view._repr_html_()
    assert 'height: 300px' in page and "SpatialAssemblerViewer.show(" in page and "</script>" not in page[:-10]
    with pytest.raises(ValueError, match="^GlbView needs the bytes of a GLB"):
        sa.view(b"not a glb")


P = np.zeros((3, 3))


@pytest.mark.parametrize("call, error, message", [
    (lambda: sa.point_cloud(np.zeros(3)), ValueError, r"^positions must have shape \(n, 3\), not \(3,\)$"),
    (lambda: sa.point_cloud([[1, 2], [3]]), ValueError, "^positions could not be read as an array"),
    (lambda: sa.point_cloud(np.zeros((2, 3), complex)), TypeError, "^positions must hold real numbers, not complex128$"),
    (lambda: sa.point_cloud(P, np.zeros((2, 5))), ValueError, r"^colors must have shape \(n, 3\) or \(n, 4\)"),
    (lambda: sa.point_cloud(P, (1, 0, 0j)), TypeError, "^colors must be floats in .0, 1. or integers in 0..255, not complex128$"),
    (lambda: sa.atoms(P, [1, 2]), ValueError, r"^types must have one row per atom \(3\), not 2$"),
    (lambda: sa.atoms(P, [1.0, 2.0, 3.0]), TypeError, "^types must be integers, not float64$"),
    (lambda: sa.atoms(P, elements=["C"]), ValueError, r"^elements must have one row per atom \(3\), not 1$"),
    (lambda: sa.atoms(P, elements=[["C", "O", "N"]]), ValueError, r"^elements must be one atomic number or symbol per atom"),
    (lambda: sa.mesh(P, [0, 1, 2]), ValueError, r"^faces must have shape \(n, 3\), not \(3,\)$"),
    (lambda: sa.mesh(P, [[0, 1, 2]], base_color=[1, 1, 1]), ValueError, r"^base_color must be 4 numbers in \[0, 1\]"),
    (lambda: sa.point_cloud(P, bounds=[0, 0, 0, 1, 1, 1]), TypeError, "unexpected keyword argument 'bounds'"),
    (lambda: sa.atoms(P, bounds=[0, "1", 0, 1, 1, 1]), TypeError, "^bounds must be real numbers, not <U"),  # as in Node
    (lambda: sa.mesh(P, [[0, 1, 2]], metallic="0.5"), TypeError, "^metallic must be a number, not str$"),
])
def test_python_only_errors_name_the_argument(call, error, message):
    with pytest.raises(error, match=message):
        call()


def test_adapters_name_the_extra_they_need(monkeypatch):
    for module, adapter in (("ase", sa.from_ase), ("trimesh", sa.from_trimesh)):
        monkeypatch.setitem(__import__("sys").modules, module, None)  # as if not installed
        with pytest.raises(ImportError, match=rf"^this adapter needs {module}: pip install {module}$"):
            adapter(object())


def random_call(rng):
    """One call as a careless program might make it: real data at any magnitude up to
    the float32 limit, sometimes NaN or values out of range, empty arrays, shapes that
    agree or not, every option."""
    n = int(rng.integers(1, 400))
    scale = rng.choice([10 ** rng.uniform(-6, 6), 1e38, 3e38]) if rng.random() < 0.3 else 10 ** rng.uniform(-6, 6)
    positions = np.clip(rng.normal(size=(n, 3)) * scale, -3.4e38, 3.4e38)
    empty = rng.random() < 0.1  # an option given as an empty array
    if rng.random() < 0.2:
        positions[rng.integers(0, n)] = np.nan
    encoding = rng.choice(["float32", "compact"])
    kind = rng.integers(0, 3)
    if kind == 0:
        colors = None if rng.random() < 0.3 else rng.uniform(-0.05, 1.05, (n + int(rng.random() < 0.1), int(rng.choice([3, 4]))))
        colors = np.zeros((0, 3)) if empty else colors
        return lambda: sa.point_cloud(positions.astype(rng.choice(["f4", "f8"])), colors, encoding=encoding)
    if kind == 1:
        style = rng.choice(["points", "spheres", "ball-and-stick"])
        bonds = rng.integers(0, n + int(rng.random() < 0.1), (int(rng.integers(0, 50)), 2)) if style == "ball-and-stick" else None
        types = rng.integers(-1 if rng.random() < 0.05 else 0, 12, 0 if empty else n)
        bounds = None if rng.random() < 0.5 else np.sort(rng.normal(size=(2, 3)) * 5, axis=0)
        return lambda: sa.atoms(positions, types, bounds=bounds, style=style, bonds=bonds, encoding=encoding,
                                instancing=bool(rng.random() < 0.8))
    faces = rng.integers(0, n + int(rng.random() < 0.1), (int(rng.integers(1, 300)), 3))
    normals = rng.normal(size=(0 if empty else n, 3)) if rng.random() < 0.5 or empty else None
    return lambda: sa.mesh(positions, faces, normals=normals, colors=rng.random((n, 3)) if rng.random() < 0.5 else None,
                           metallic=float(rng.uniform(-0.1, 1.1)), encoding=encoding)


def test_random_calls_give_valid_files_or_clear_errors(validator):
    """The promise of the package, tried on a few hundred careless calls."""
    rng = np.random.default_rng(2026)
    outcomes = {"file": 0, "error": 0}
    for _ in range(300):
        call = random_call(rng)
        try:
            with warnings.catch_warnings():
                warnings.simplefilter("error")
                glb = call()
        except (ValueError, TypeError) as error:
            assert str(error), "an error without a message"
            outcomes["error"] += 1
            continue
        validator.assert_valid(glb)
        assert numbers_beyond_float32(glb) == []
        outcomes["file"] += 1
    assert outcomes["file"] > 100 and outcomes["error"] > 30, outcomes
