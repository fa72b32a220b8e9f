"""spatial_assembler, the public package: conversions against independent numpy
expectations, bounds that validate on real data, elements, normals, adapters."""

import io

import numpy as np
import pytest

import _spatial_assembler as native
import spatial_assembler as sa
from glb_reading import accessor_bytes, read_glb
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
    np.asfortranarray(POINTS64), POINTS64[::-1], (np.abs(POINTS64) * 10).astype(np.uint8)])
def test_positions_of_any_real_dtype_become_float32(positions):
    expected = np.asarray(positions).astype(np.float32)
    glb = sa.point_cloud(positions)
    assert np.array_equal(floats(glb, 0, 3), expected)
    low, high = minmax(glb)  # the exact float32 extremes
    assert np.array_equal(np.float32(low), expected.min(0)) and np.array_equal(np.float32(high), expected.max(0))


def test_float32_in_the_right_shape_is_not_copied():
    points = np.zeros((10, 3), np.float32)
    assert _inputs.rows_of(points, "positions", 3) is points
    assert _inputs.rows_of(points[::2], "positions", 3) is not points  # strided: packed


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


def test_types_elements_and_faces_become_the_native_integers():
    points = RNG.random((6, 3))
    types = np.array([0, 1, 2, 9, 65535, 3], np.int64)
    assert sa.atoms(points, types) == native.atom_glb(points.astype(np.float32), types.astype(np.uint16),
                                                      *minmax(sa.atoms(points, types)))
    by_symbol = sa.atoms(points, elements=["C", "o", "N", "S", "H", "Cl"])
    by_number = sa.atoms(points, elements=np.array([6, 8, 7, 16, 1, 17], np.int8))
    expected_ids = np.array([0, 1, 3, 4, 7, 2], np.uint16)  # grey, red, blue, yellow, light grey, green
    assert by_symbol == by_number == sa.atoms(points, expected_ids)
    assert sa.atoms(points) == sa.atoms(points, np.zeros(6, np.uint16))  # all grey
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
    with pytest.raises(ValueError, match=r"^elements: 'Xx' is not an element symbol$"):
        slots(["C", "Xx"])
    with pytest.raises(ValueError, match=r"^elements: 119 is not an atomic number \(0 to 118\)$"):
        slots([6, 119])
    with pytest.raises(TypeError, match="^elements must be atomic numbers"):
        slots([6.0])


def test_vertex_normals_are_area_weighted():
    positions = np.array([[0, 0, 0], [2, 0, 0], [0, 2, 0], [0, 1, 0], [0, 0, 1], [5, 5, 5]], np.float32)
    faces = np.array([[0, 1, 2], [0, 3, 4]], np.uint32)  # area 2 facing +z; area 0.5 facing +x
    normals = floats(sa.mesh(positions, faces), 1, 3)
    shared = np.array([0.5, 0, 2]) / np.hypot(0.5, 2)  # worked by hand: 2 (0, 0, 1) + 0.5 (1, 0, 0)
    assert np.allclose(normals, [shared, [0, 0, 1], [0, 0, 1], [1, 0, 0], [1, 0, 0], [0, 0, 1]], atol=1e-6)
    given = np.tile(np.float32([0, 1, 0]), (6, 1))
    assert np.array_equal(floats(sa.mesh(positions, faces, normals=given), 1, 3), given)


@pytest.mark.parametrize("scale", [1.0, 1e-9, 1e3, 6.02e23])
def test_default_bounds_validate_on_real_float64_data(validator, scale):
    rng = np.random.default_rng(int(np.log10(scale)) + 40)
    positions = rng.normal(size=(3000, 3)) * scale
    positions[rng.random(3000) < 0.01] = np.nan  # NaN is ignored by the bounds
    clean = positions[~np.isnan(positions).any(1)]
    validator.assert_valid(sa.atoms(clean, rng.integers(0, 9, len(clean))), sa.point_cloud(clean, rng.random((len(clean), 4))))
    low, high = minmax(sa.point_cloud(positions))
    assert np.array_equal(np.float32(low), np.nanmin(positions.astype(np.float32), 0))
    assert np.array_equal(np.float32(high), np.nanmax(positions.astype(np.float32), 0))
    faces = rng.integers(0, len(clean), (500, 3))
    validator.assert_valid(sa.mesh(clean, faces[(faces[:, 0] != faces[:, 1]) & (faces[:, 1] != faces[:, 2]) & (faces[:, 0] != faces[:, 2])],
                                   colors=rng.integers(0, 256, (len(clean), 3)).astype(np.uint8)))


def test_given_bounds_are_used_as_given():
    points = np.zeros((2, 3))
    assert minmax(sa.point_cloud(points, bounds=[[-1, -2, -3], [1, 2, 3]])) == ([-1, -2, -3], [1, 2, 3])
    assert minmax(sa.point_cloud(points, bounds=[-1, -2, -3, 1, 2, 3])) == ([-1, -2, -3], [1, 2, 3])


@pytest.mark.filterwarnings("ignore:Setting the shape on a NumPy array:DeprecationWarning")  # within trimesh
def test_adapters_round_trip_through_trimesh():
    trimesh = pytest.importorskip("trimesh")
    from ase.build import molecule

    ethanol = molecule("CH3CH2OH")
    scene = trimesh.load(io.BytesIO(sa.from_ase(ethanol)), file_type="glb")
    (cloud,) = scene.geometry.values()
    assert sorted(map(tuple, np.asarray(cloud.vertices, np.float32))) == sorted(map(tuple, ethanol.positions.astype(np.float32)))

    sphere = trimesh.creation.icosphere(subdivisions=2)
    sphere.visual.vertex_colors = (np.abs(sphere.vertices) * 255).astype(np.uint8)
    (back,) = trimesh.load(io.BytesIO(sa.from_trimesh(sphere)), file_type="glb", process=False).geometry.values()
    assert np.array_equal(back.vertices, sphere.vertices.astype(np.float32)) and np.array_equal(back.faces, sphere.faces)
    normals = np.frombuffer(accessor_bytes(read_glb(sa.from_trimesh(sphere)), 1), np.float32).reshape(-1, 3)
    assert np.allclose(np.linalg.norm(normals, axis=1), 1, atol=1e-6)  # unit length, pointing outwards
    assert np.all(np.sum(normals * sphere.vertices, axis=1) > 0.99)

    points = trimesh.PointCloud(RNG.random((20, 3)), colors=RNG.integers(0, 256, (20, 4)).astype(np.uint8))
    (cloud,) = trimesh.load(io.BytesIO(sa.from_trimesh(points)), file_type="glb").geometry.values()
    assert np.array_equal(cloud.vertices, points.vertices.astype(np.float32))
    with pytest.raises(TypeError, match="^from_trimesh needs a trimesh.Trimesh or trimesh.PointCloud, not Scene$"):
        sa.from_trimesh(trimesh.Scene())
    with pytest.raises(TypeError, match="^from_ase needs an ase.Atoms, not list$"):
        sa.from_ase([])


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
    (lambda: sa.point_cloud(np.zeros((0, 3))), ValueError, "^positions hold nothing: a GLB needs at least one point$"),
    (lambda: sa.point_cloud([[1, 2], [3]]), ValueError, "^positions could not be read as an array"),
    (lambda: sa.point_cloud(np.zeros((2, 3), complex)), TypeError, "^positions must hold real numbers, not complex128$"),
    (lambda: sa.point_cloud([[1e39, 0, 0]]), ValueError, r"^positions hold values beyond the float32 range, such as 1e\+39$"),
    (lambda: sa.point_cloud([[np.inf, 0, 0]]), ValueError, "^positions hold infinite values, or a column of NaN only"),
    (lambda: sa.point_cloud(P, np.zeros((2, 3))), ValueError, r"^colors must have shape \(3, 3\) or \(3, 4\), one row per point"),
    (lambda: sa.point_cloud(P, [[255.0, 0, 0]] * 3), ValueError, r"^colors must lie in \[0, 1\] as floats \(or be uint8 in 0\.\.255\); found values from 0\.0 to 255\.0$"),
    (lambda: sa.point_cloud(P, (1, 0, 0)), TypeError, "^colors must be floats in .0, 1. or uint8 in 0..255, not int64: other integers are ambiguous$"),
    (lambda: sa.point_cloud(P, bounds=[0, 1]), ValueError, "^bounds must be six numbers"),
    (lambda: sa.point_cloud(P, bounds=[0, 0, 0, 1, np.nan, 1]), ValueError, "^bounds must be finite numbers$"),
    (lambda: sa.atoms(P, [1, 2]), ValueError, r"^types must have shape \(3,\), not \(2,\)$"),
    (lambda: sa.atoms(P, [1, 2, -1]), ValueError, "^types must not be negative, but holds -1$"),
    (lambda: sa.atoms(P, [1, 2, 70000]), ValueError, "^types must be below 65536, but holds 70000$"),
    (lambda: sa.atoms(P, [1.0, 2.0, 3.0]), TypeError, "^types must be integers, not float64$"),
    (lambda: sa.atoms(P, [1, 2, 3], elements=["C"] * 3), TypeError, "^give types or elements, not both$"),
    (lambda: sa.atoms(P, elements=["C"]), ValueError, r"^elements must have shape \(3,\), one per atom, not \(1,\)$"),
    (lambda: sa.mesh(P, [[0, 1, 3]]), ValueError, "^faces must be below 3, but holds 3$"),
    (lambda: sa.mesh(P, [[0, 1, -2]]), ValueError, "^faces must not be negative, but holds -2$"),
    (lambda: sa.mesh(P, [0, 1, 2]), ValueError, r"^faces must have shape \(n, 3\), not \(3,\)$"),
    (lambda: sa.mesh(P, np.zeros((0, 3), int)), ValueError, "^faces hold no triangle: a mesh needs at least one$"),
    (lambda: sa.mesh(P, [[0, 1, 2]], normals=np.zeros((2, 3))), ValueError, r"^normals must have shape \(3, 3\), one per vertex"),
    (lambda: sa.mesh(P, [[0, 1, 2]], metallic=1.5), ValueError, r"^metallic must lie in \[0, 1\], not 1\.5$"),
    (lambda: sa.mesh(P, [[0, 1, 2]], base_color=[1, 1, 1]), ValueError, r"^base_color must be 4 numbers in \[0, 1\]"),
])
def test_every_error_names_the_argument(call, error, message):
    with pytest.raises(error, match=message):
        call()


def test_adapters_name_the_extra_they_need(monkeypatch):
    for module, adapter in (("ase", sa.from_ase), ("trimesh", sa.from_trimesh)):
        monkeypatch.setitem(__import__("sys").modules, module, None)  # as if not installed
        with pytest.raises(ImportError, match=rf"^this adapter needs {module}: pip install 'spatial-assembler\[{module}\]'$"):
            adapter(object())


def test_elements_in_every_form_a_library_hands_over():
    slots = sa.elements.palette_slots
    expected = slots(["C", "O", "N"]).tolist()
    for form in (np.array([b"C", b"O", b"N"]), np.array(["c", "O ", "n"], dtype=object), np.array([6, 8, 7], np.uint8),
                 (6, 8, 7), np.array(["C", "O", "N"], dtype="U2")):
        assert slots(form).tolist() == expected, form
    with pytest.raises(ValueError, match=r"^elements must be one atomic number or symbol per atom, shape \(n,\), not \(1, 3\)$"):
        slots([["C", "O", "N"]])


def test_colours_in_every_accepted_form():
    points = np.zeros((3, 3))
    grey = floats(sa.point_cloud(points, np.array([0.5, 0.5, 0.5, 1.0], np.float16)), 1, 4)
    assert grey.tolist() == [[0.5, 0.5, 0.5, 1.0]] * 3  # one RGBA colour of any float width
    one = floats(sa.mesh(points, [[0, 1, 2]], colors=np.array([255, 0, 51], np.uint8)), 2, 4)
    assert np.allclose(one, [[1, 0, 0.2, 1]] * 3)  # one uint8 colour, widened to RGBA
    rows = np.array([[0, 0, 0, 0], [255, 255, 255, 255], [1, 2, 3, 4]], np.uint8)
    assert np.allclose(floats(sa.mesh(points, [[0, 1, 2]], colors=rows), 2, 4), rows / 255, atol=1e-7)
    with pytest.raises(ValueError, match=r"^colors must lie in \[0, 1\]"):
        sa.point_cloud(points, (0.5, float("nan"), 0.5))  # NaN is outside [0, 1] too


def test_computed_normals_have_unit_length_where_faces_are_degenerate(validator):
    positions = np.array([[0, 0, 0], [1, 0, 0], [0, 1, 0], [2, 2, 2], [5, 5, 5]], np.float32)
    faces = [[0, 1, 2], [3, 3, 4], [0, 0, 1]]  # one real triangle, two of zero area; vertex 4 only in a degenerate one
    normals = floats(sa.mesh(positions, faces), 1, 3)
    assert np.allclose(np.linalg.norm(normals, axis=1), 1)
    assert normals.tolist() == [[0, 0, 1]] * 5
    trimesh = pytest.importorskip("trimesh")
    sphere = trimesh.creation.icosphere(subdivisions=3, radius=2.5)
    validator.assert_valid(sa.mesh(sphere.vertices, sphere.faces), sa.mesh(sphere.vertices, sphere.faces, colors=(0.1, 0.5, 0.9)))


def test_integer_inputs_of_every_width():
    positions = np.arange(12, dtype=np.int16).reshape(4, 3)
    faces = np.array([[0, 1, 2], [1, 2, 3]], np.uint64)
    glb = sa.mesh(positions, faces, bounds=np.array([0, 0, 0, 9, 10, 11], np.int64))
    assert np.frombuffer(accessor_bytes(read_glb(glb), 2), np.uint32).tolist() == [0, 1, 2, 1, 2, 3]
    assert minmax(glb) == ([0, 0, 0], [9, 10, 11])
    assert np.array_equal(floats(sa.atoms(positions, np.array([1, 2, 3, 4], np.uint64)), 1, 3)[0],
                          floats(sa.atoms(positions, [1, 2, 3, 4]), 1, 3)[0])
    with pytest.raises(ValueError, match=r"^faces must be below 4, but holds 4$"):
        sa.mesh(positions, np.array([[0, 1, 4]], np.uint64))


def test_views_in_one_notebook_are_apart():
    glb = sa.point_cloud([[0, 0, 0], [1, 2, 3]])
    first, second = sa.GlbView(glb, background="#ffffff")._repr_html_(), sa.view(glb)._repr_html_()
    ids = [page.split('id="', 1)[1].split('"', 1)[0] for page in (first, second)]
    assert ids[0] != ids[1] and all(i.startswith("spatial-assembler-view-") for i in ids)
    assert '"background": 16777215' in first and '"background": 725024' in second  # 0xffffff, 0x0b1020
    assert "if (!window.SpatialAssemblerViewer)" in first  # the viewer defines itself once per page
    assert repr(sa.view(glb)) == f"<GlbView of a {len(glb):,}-byte GLB>"
