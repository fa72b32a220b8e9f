"""read_las: LAS and LAZ files (written here by laspy) as lazy Dask arrays,
and the tileset they make."""

import hashlib

import numpy as np
import pytest

import spatial_assembler as sa

laspy = pytest.importorskip("laspy")
pyproj = pytest.importorskip("pyproj")


@pytest.fixture(scope="module")
def survey(tmp_path_factory):
    rng = np.random.default_rng(7)
    n = 30_000
    header = laspy.LasHeader(point_format=3, version="1.4")
    header.scales = [0.001, 0.001, 0.001]
    header.offsets = [500_000, 4_100_000, 0]
    header.add_crs(pyproj.CRS.from_epsg(32633))
    las = laspy.LasData(header)
    las.x = 500_000 + rng.random(n) * 800
    las.y = 4_100_000 + rng.random(n) * 800
    las.z = rng.random(n) * 30
    for channel in ("red", "green", "blue"):
        setattr(las, channel, rng.integers(0, 65536, n))
    las.intensity = rng.integers(0, 65536, n)
    las.classification = rng.integers(0, 19, n)
    las.return_number = rng.integers(1, 6, n)
    las.gps_time = 3e8 + rng.random(n) * 1000
    folder = tmp_path_factory.mktemp("las")
    las.write(folder / "survey.las")
    las.write(folder / "survey.laz")
    return folder, las


def test_values_as_laspy_reads_them(survey):
    folder, las = survey
    read = sa.read_las([folder / "survey.laz", folder / "survey.las"], chunk_points=7_000)
    assert read["crs"].to_epsg() == 32633
    positions = read["positions"].compute()
    expected = np.column_stack([las.x, las.y, las.z])
    assert positions.dtype == np.float64 and np.array_equal(positions, np.concatenate([expected, expected]))
    red = np.asarray(las.red, np.float64)
    assert np.array_equal(read["colors"][:len(red), 0].compute(), np.rint(red * 255 / 65535).astype(np.uint8))
    attributes = {k: v.compute() for k, v in read["attributes"].items()}
    assert set(attributes) == {"intensity", "classification", "return_number", "gps_time"}
    assert np.array_equal(attributes["gps_time"][len(red):], np.asarray(las.gps_time))
    assert np.array_equal(attributes["return_number"][:len(red)], np.asarray(las.return_number))


def test_a_survey_becomes_a_tileset_on_the_globe(survey, tmp_path):
    folder, las = survey
    digests = []
    for name in ("survey.las", "survey.laz"):
        out = tmp_path / name
        record = sa.tiles(out, **sa.read_las(folder / name, chunk_points=10_000), points_per_tile=4096)
        assert record.points == len(las.x)
        digests.append({p.name: hashlib.sha256(p.read_bytes()).hexdigest() for p in out.rglob("*") if p.is_file()})
    assert digests[0] == digests[1]
    transform = np.array(__import__("json").loads((tmp_path / "survey.las" / "tileset.json").read_text())
                         ["root"]["transform"]).reshape(4, 4).T
    assert 6.3e6 < np.linalg.norm(transform[:3, 3]) < 6.4e6  # on the Earth's surface


def test_bad_paths(tmp_path):
    with pytest.raises(ValueError, match="paths name no file"):
        sa.read_las([])
    with pytest.raises(FileNotFoundError):
        sa.read_las(tmp_path / "missing.laz")
