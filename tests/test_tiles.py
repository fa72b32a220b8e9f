"""Tilesets (spatial_assembler.tiles) read back by an independent reader
(tests/references/tileset_reading.py): every point once, where it was, in its
tile's box; colours and attributes as given; availability that matches the
files; the same bytes from numpy, from Dask and from any partitioning."""

import hashlib
import json
from pathlib import Path

import numpy as np
import pytest

import spatial_assembler as sa
from spatial_assembler.tiles import tiles
from tileset_reading import read_tileset, world_points

BUDGET = 2000


def survey(n: int, offset=(512_345.25, 4_123_456.5, 210.0)) -> tuple[np.ndarray, np.ndarray, dict]:
    """Clustered points at UTM-like magnitudes, random colours, LAS-like attributes and an id."""
    rng = np.random.default_rng(7)
    centres = rng.normal(size=(12, 3)) * [300, 300, 20]
    positions = centres[rng.integers(0, 12, n)] + rng.normal(size=(n, 3)) * [15, 15, 2] + offset
    positions[:50] = positions[0]  # coincident points
    colors = rng.integers(0, 256, (n, 3)).astype(np.uint8)
    attributes = {
        "ident": np.arange(n, dtype=np.int64),
        "intensity": rng.integers(0, 65536, n).astype(np.uint16),
        "classification": rng.integers(0, 19, n).astype(np.uint8),
        "scan_angle": rng.integers(-90, 91, n).astype(np.int8),
        "temperature": rng.normal(size=n).astype(np.float32),
        "gps_time": 3.1e8 + rng.random(n) * 1000,
    }
    return positions, colors, attributes


def digest(folder: Path) -> dict[str, str]:
    return {str(p.relative_to(folder)): hashlib.sha256(p.read_bytes()).hexdigest()
            for p in sorted(folder.rglob("*")) if p.is_file()}


@pytest.fixture(scope="module")
def points():
    return survey(60_000)


@pytest.fixture(scope="module")
def built(points, tmp_path_factory):
    positions, colors, attributes = points
    folders = {}
    for encoding in ("meshopt", "compact"):
        folder = tmp_path_factory.mktemp(encoding)
        record = tiles(folder, positions, colors, attributes=attributes, points_per_tile=BUDGET, encoding=encoding,
                       overwrite=True)
        folders[encoding] = (folder, record)
    return folders


@pytest.mark.parametrize("encoding", ["meshopt", "compact"])
def test_every_point_once_where_it_was(points, built, encoding):
    positions, colors, attributes = points
    folder, record = built[encoding]
    tileset, found = read_tileset(folder)
    assert record.points == len(positions) and record.tiles == len(found)
    assert record.levels == tileset["root"]["implicitTiling"]["availableLevels"] >= 4
    assert record.bytes == sum(p.stat().st_size for p in folder.rglob("*") if p.is_file() and p.name != "tileset.json")
    assert max(len(t.local) for t in found) <= BUDGET
    ids = np.concatenate([t.attributes["ident"] for t in found]).astype(np.int64)
    assert np.array_equal(np.sort(ids), np.arange(len(positions)))  # each point exactly once
    for tile in found:
        rows = tile.attributes["ident"].astype(np.int64)
        step = tile.side / 65535
        # Within half a quantisation step of the input, and inside the tile's box.
        error = np.abs(world_points(tileset, tile.local) - positions[rows])
        assert error.max() <= step / 2 * (1 + 1e-6) + 1e-9
        assert np.all(tile.local >= tile.box_low - step / 2) and np.all(tile.local <= tile.box_low + tile.side + step / 2)
        assert np.array_equal(tile.colors, colors[rows])
        for name in ("intensity", "classification", "scan_angle", "temperature"):
            assert tile.attributes[name].dtype == attributes[name].dtype
            assert np.array_equal(tile.attributes[name], attributes[name][rows])
        gps = attributes["gps_time"]
        expected = np.float32(gps[rows] - gps.min()).astype(np.float64) + gps.min()
        assert np.array_equal(tile.attributes["gps_time"], expected)
        properties = tile.document["extensions"]["EXT_structural_metadata"]["schema"]["classes"]["point"]["properties"]
        assert properties["intensity"]["min"] == attributes["intensity"].min()
        assert properties["gps_time"]["max"] == gps.max()
    # The root is an even sample: one point in each occupied cell of a grid of 8 cells an axis
    # (8^3 <= the budget < 8^4), counted here from the input.
    root = next(t for t in found if t.level == 0)
    half = tileset["root"]["boundingVolume"]["box"][3]
    centre = (positions.max(0) + positions.min(0)) / 2
    cells = np.clip(np.floor((positions - (centre - half)) / (2 * half) * 8), 0, 7).astype(int)
    assert len(root.local) == len(np.unique(cells, axis=0))
    root_cells = np.clip(np.floor((root.local + half) / (2 * half) * 8), 0, 7).astype(int)
    assert len(np.unique(root_cells, axis=0)) == len(root.local)

def test_geometric_errors_halve_and_the_root_sits_at_the_centre(points, built):
    positions, _, _ = points
    tileset, _ = read_tileset(built["compact"][0])
    half = tileset["root"]["boundingVolume"]["box"][3]
    assert half == pytest.approx((positions.max(0) - positions.min(0)).max() / 2)
    transform = np.array(tileset["root"]["transform"]).reshape(4, 4).T
    assert np.allclose(transform[:3, 3], (positions.max(0) + positions.min(0)) / 2)
    assert tileset["geometricError"] > tileset["root"]["geometricError"] > 0


def test_tiles_pass_the_validator(built, validator):
    for encoding in ("meshopt", "compact"):
        files = sorted((built[encoding][0] / "tiles").rglob("*.glb"))
        sample = files[:: max(1, len(files) // 8)]
        for path in sample:
            report = validator.report(path.read_bytes())
            assert report["errors"] == 0 and report["warnings"] == 0, report["messages"]
            unknown = {m["message"].split("'")[1] for m in report["messages"] if m["code"] == "UNSUPPORTED_EXTENSION"}
            # The validator reads neither of these: the reader above decodes and checks them instead.
            assert unknown <= {"EXT_meshopt_compression", "EXT_structural_metadata"}


def test_meshopt_is_smaller_and_colourless_clouds(built, tmp_path):
    assert built["meshopt"][1].bytes < 0.8 * built["compact"][1].bytes
    positions = np.random.default_rng(7).random((3000, 3))
    record = tiles(tmp_path, positions, points_per_tile=500)
    _, found = read_tileset(tmp_path)
    assert record.points == 3000 and all(t.colors is None and not t.attributes for t in found)


def test_one_point_and_coincident_points(tmp_path):
    record = tiles(tmp_path / "one", np.array([[1.5, -2.0, 3.0]]))
    tileset, found = read_tileset(tmp_path / "one")
    assert record.points == 1 and len(found) == 1
    assert np.allclose(world_points(tileset, found[0].local), [[1.5, -2.0, 3.0]])
    same = np.full((5000, 3), 7.0)
    record = tiles(tmp_path / "same", same, points_per_tile=64)
    _, found = read_tileset(tmp_path / "same")
    assert sum(len(t.local) for t in found) == 5000


def test_same_bytes_from_dask_and_any_partitioning(points, built, tmp_path):
    da = pytest.importorskip("dask.array")
    positions, colors, attributes = points
    expected = digest(built["meshopt"][0])
    tiles(tmp_path / "parts", positions, colors, attributes=attributes, points_per_tile=BUDGET, partitions=7)
    assert digest(tmp_path / "parts") == expected
    # Arrays at an odd byte offset, as unpickled partitions can arrive.
    odd = np.frombuffer(bytearray(positions.nbytes + 1), positions.dtype, positions.size, offset=1).reshape(positions.shape)
    odd[...] = positions
    tiles(tmp_path / "odd", odd, colors, attributes=attributes, points_per_tile=BUDGET, partitions=2)
    assert digest(tmp_path / "odd") == expected
    chunked = {k: da.from_array(v, chunks=9_000) for k, v in attributes.items()}
    tiles(tmp_path / "dask", da.from_array(positions, chunks=(13_000, 3)), da.from_array(colors, chunks=(13_000, 3)),
          attributes=chunked, points_per_tile=BUDGET, partitions=3)
    assert digest(tmp_path / "dask") == expected


def test_a_local_cluster_of_two_workers(points, built, tmp_path):
    distributed = pytest.importorskip("distributed")
    da = pytest.importorskip("dask.array")
    positions, colors, attributes = points
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, memory_limit="1GiB", processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster):
        for chunk in (8_000, 25_000):
            folder = tmp_path / str(chunk)
            record = tiles(folder, da.from_array(positions, chunks=(chunk, 3)), da.from_array(colors, chunks=(chunk, 3)),
                           attributes={k: da.from_array(v, chunks=chunk) for k, v in attributes.items()},
                           points_per_tile=BUDGET)
            assert record.points == len(positions)
            assert digest(folder) == digest(built["meshopt"][0])


def test_an_interrupted_build_leaves_no_tileset_json(points, tmp_path):
    da = pytest.importorskip("dask.array")
    positions, _, _ = points
    folder = tmp_path / "out"
    tiles(folder, positions[:1000])
    reads = []

    def fail_in_the_build(block, block_info=None):
        # The build reads each chunk three times: extremes, slot counts, then the shuffle into partitions.
        if block_info[0]["chunk-location"][0] == 3:
            reads.append(1)
            if len(reads) == 3:
                raise RuntimeError("the disk went away")
        return block

    flaky = da.from_array(positions, chunks=(10_000, 3)).map_blocks(fail_in_the_build, dtype=positions.dtype)
    with pytest.raises(RuntimeError, match="disk went away"):
        tiles(folder, flaky, points_per_tile=BUDGET, partitions=4, overwrite=True)
    assert not (folder / "tileset.json").exists()  # the old one went first; the new one never came
    # A failure while values are checked leaves the folder as it was.
    tiles(folder, positions[:1000], overwrite=True)
    reads[:] = [1, 1]
    with pytest.raises(RuntimeError, match="disk went away"):
        tiles(folder, flaky, partitions=4, overwrite=True)
    assert (folder / "tileset.json").exists()


def test_crs_places_the_cloud_on_the_globe(tmp_path):
    pyproj = pytest.importorskip("pyproj")
    positions = survey(5000)[0]
    tiles(tmp_path, positions, crs=32633)
    tileset, found = read_tileset(tmp_path)
    local = np.concatenate([t.local for t in found])
    ours = world_points(tileset, local)
    projected = local + (positions.max(0) + positions.min(0)) / 2
    theirs = np.column_stack(pyproj.Transformer.from_crs(32633, 4978, always_xy=True).transform(*projected.T))
    # A local east-north-up frame at the centre: exact there, and within a few metres over the
    # cloud's kilometre (UTM's scale factor and grid convergence bend its axes slightly).
    centre = np.argmin(np.linalg.norm(local, axis=1))
    assert np.linalg.norm(ours[centre] - theirs[centre]) < 0.01 + np.linalg.norm(local[centre]) * 1e-3
    assert np.abs(ours - theirs).max() < 5.0
    rotation = np.array(tileset["root"]["transform"]).reshape(4, 4).T[:3, :3]
    assert np.allclose(rotation.T @ rotation, np.eye(3))


BAD = [
    ({"positions": np.array([[0.0, np.nan, 1.0]] * 3)}, ValueError, "positions must be finite"),
    ({"positions": np.zeros((3, 2))}, ValueError, r"positions must have shape \(n, 3\)"),
    ({"positions": np.zeros((0, 3))}, ValueError, "positions hold nothing"),
    ({"positions": np.zeros((3, 3), complex)}, TypeError, "positions must hold integers or floats"),
    ({"colors": np.zeros((2, 3), np.uint8)}, ValueError, r"colors must have one row per point \(3\)"),
    ({"colors": np.full((3, 3), 2.0)}, ValueError, r"colors must lie in \[0, 1\]"),
    ({"colors": np.zeros((3, 3), np.int32)}, TypeError, "colors must be floats in"),
    ({"attributes": {"a": np.zeros(2)}}, ValueError, r"attributes\['a'\] must have one value per point \(3\)"),
    ({"attributes": {"not-a-name": np.zeros(3)}}, ValueError, "'not-a-name' is not a name"),
    ({"attributes": {"a": np.zeros(3), "A": np.zeros(3)}}, ValueError, "would both be _A"),
    ({"attributes": {"a": np.array([0, np.inf, 1])}}, ValueError, r"attributes\['a'\] must be finite"),
    ({"attributes": {"a": np.zeros(3, bool)}}, TypeError, r"attributes\['a'\] must hold integers or floats"),
    ({"attributes": [np.zeros(3)]}, TypeError, "attributes must be a dict"),
    ({"points_per_tile": 10}, ValueError, "points_per_tile must be a whole number from 64"),
    ({"encoding": "draco"}, ValueError, "encoding must be 'meshopt' or 'compact'"),
    ({"crs": 4326}, ValueError, "crs must be a projected system"),
]


@pytest.mark.parametrize("change, error, message", BAD)
def test_bad_input_is_refused_before_anything_is_written(tmp_path, change, error, message):
    arguments = {"positions": np.arange(9.0).reshape(3, 3), "colors": None, **change}
    folder = tmp_path / "out"
    with pytest.raises(error, match=message):
        tiles(folder, **arguments)
    assert not folder.exists()


def test_a_folder_in_use_is_refused(tmp_path):
    (tmp_path / "notes.txt").write_text("mine")
    with pytest.raises(ValueError, match="is not empty: pass overwrite=True"):
        tiles(tmp_path, np.zeros((3, 3)))
    tiles(tmp_path, np.zeros((3, 3)), overwrite=True)
    assert (tmp_path / "notes.txt").read_text() == "mine" and (tmp_path / "tileset.json").exists()
    assert sa.tiles is tiles
