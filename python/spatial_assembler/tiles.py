"""3D Tiles 1.1 point tilesets: an implicit octree of small GLB tiles with
levels of detail, for point clouds of any size (``tiles``).

Arrays held in memory are built on the native core's threads; Dask arrays
(or any, with ``partitions``) are built by Dask's active scheduler, a
``dask.distributed`` Client to a cluster included: points move to partitions
of whole subtrees with Dask's own shuffle, each worker builds and writes its
partitions' tiles with the native core, and the top of the tree and
``tileset.json`` are finished from what the partitions hand back. The files do
not depend on how the input was chunked or partitioned, nor on the workers.
"""

from __future__ import annotations

import math
import importlib
import os
import shutil
import sys
import time
from dataclasses import dataclass
from pathlib import Path
from typing import Any, Literal, Mapping

import numpy as np

from . import _core

TileEncoding = Literal["meshopt", "compact"]

__all__ = ["tiles", "Tileset", "TileEncoding"]

_TYPE_CODES = {np.dtype(t): code for t, code in [
    (np.int8, "i1"), (np.uint8, "u1"), (np.int16, "i2"), (np.uint16, "u2"), (np.int32, "i4"), (np.uint32, "u4"),
    (np.int64, "i8"), (np.uint64, "u8"), (np.float32, "f4"), (np.float64, "f8")]}
_OWN_ENTRIES = ("tileset.json", "tileset.json.partial", "tiles", "subtrees")


@dataclass(frozen=True)
class Tileset:
    """What ``tiles`` wrote: the folder, its points, tiles (GLB files), levels
    of the tree, bytes of tiles and subtree files, and the seconds it took."""
    path: Path
    points: int
    tiles: int
    levels: int
    bytes: int
    seconds: float


def _is_dask(value: Any) -> bool:
    dask = sys.modules.get("dask")
    return dask is not None and bool(dask.is_dask_collection(value))


def _real_dtype(name: str, dtype: np.dtype) -> None:
    if dtype.kind not in "iuf" or dtype.itemsize > 8:
        raise TypeError(f"{name} must hold integers or floats, not {dtype}")


def _row_count(name: str, value: Any, count: int) -> None:
    if value.shape[0] != count:
        raise ValueError(f"{name} must have one row per point ({count}), not {value.shape[0]}")


def _checked_inputs(positions: Any, colors: Any,
                    attributes: Mapping[str, Any] | None) -> tuple[bool, Any, Any, dict[str, Any]]:
    """Shapes, types and names, checked before any value is read."""
    if attributes is not None and not isinstance(attributes, Mapping):
        raise TypeError(f"attributes must be a dict of name -> (n,) array, not {type(attributes).__name__}")
    dask_input = any(_is_dask(v) for v in [positions, colors, *(attributes or {}).values()])
    as_array = (lambda v: v) if dask_input else np.asarray

    def array(name: str, value: Any) -> Any:
        if isinstance(value, np.ma.MaskedArray):
            raise TypeError(f"{name} is a masked array: fill it (or compress it) first")
        if not dask_input or _is_dask(value):
            return as_array(value)
        return np.asarray(value)

    positions = array("positions", positions)
    if positions.ndim != 2 or positions.shape[1] != 3:
        raise ValueError(f"positions must have shape (n, 3), not {tuple(positions.shape)}")
    _real_dtype("positions", positions.dtype)
    count = int(positions.shape[0])
    if count == 0:
        raise ValueError("positions hold nothing: a tileset needs at least one point")
    if colors is not None:
        colors = array("colors", colors)
        if colors.ndim != 2 or colors.shape[1] not in (3, 4):
            raise ValueError(f"colors must have shape (n, 3) or (n, 4), not {tuple(colors.shape)}")
        _row_count("colors", colors, count)
        if colors.dtype.kind != "f" and colors.dtype != np.uint8:
            raise TypeError(f"colors must be floats in [0, 1] or uint8 in 0..255, not {colors.dtype}: "
                            "other integers are ambiguous")
    checked: dict[str, Any] = {}
    if attributes is not None:
        seen: dict[str, str] = {}
        for name, values in attributes.items():
            if not isinstance(name, str) or not name.isascii() or not name.isidentifier():
                raise ValueError(f"attributes: {name!r} is not a name of letters, digits and underscores "
                                 "that starts with a letter or underscore")
            if name.upper() in seen:
                raise ValueError(f"attributes: {name!r} and {seen[name.upper()]!r} would both be _{name.upper()}")
            seen[name.upper()] = name
            values = array(f"attributes[{name!r}]", values)
            if values.ndim != 1:
                raise ValueError(f"attributes[{name!r}] must have shape (n,), not {tuple(values.shape)}")
            _real_dtype(f"attributes[{name!r}]", values.dtype)
            if values.shape[0] != count:
                raise ValueError(f"attributes[{name!r}] must have one value per point ({count}), "
                                 f"not {values.shape[0]}")
            checked[name] = values
    return dask_input, positions, colors, checked


def _check_extremes(name: str, low: np.ndarray, high: np.ndarray) -> None:
    if not (np.all(np.isfinite(low)) and np.all(np.isfinite(high))):
        raise ValueError(f"{name} must be finite numbers, but hold NaN or an infinity")


def _color_bytes(colors: np.ndarray) -> np.ndarray:
    if colors.dtype == np.uint8:
        return np.ascontiguousarray(colors)
    return np.ascontiguousarray(np.rint(np.asarray(colors, np.float64) * 255).astype(np.uint8))


def _attribute_array(values: np.ndarray) -> np.ndarray:
    values = np.asarray(values)
    return np.ascontiguousarray(values, dtype=values.dtype.newbyteorder("="))


def _prepare_folder(out: str | os.PathLike[str], overwrite: bool) -> Path:
    folder = Path(out)
    if folder.exists() and not folder.is_dir():
        raise ValueError(f"out must be a folder, but {folder} is a file")
    if folder.is_dir() and any(folder.iterdir()):
        if not overwrite:
            raise ValueError(f"out: {folder} is not empty: pass overwrite=True to replace the tileset in it")
    return folder


def _clear_folder(folder: Path) -> None:
    """Removes a previous tileset's own entries, tileset.json first."""
    for entry in _OWN_ENTRIES:
        path = folder / entry
        if path.is_dir():
            shutil.rmtree(path)
        elif path.exists():
            path.unlink()
    folder.mkdir(parents=True, exist_ok=True)


def _root_transform(crs: Any, center: tuple[float, float, float]) -> tuple[float, ...]:
    """Column-major 4x4: local east-north-up at the centre, in ECEF (metres)."""
    from pyproj import CRS, Transformer

    source = CRS.from_user_input(crs)
    if not source.is_projected:
        raise ValueError(f"crs must be a projected system in metres (such as a UTM zone), not {source.name}")
    to_geodetic = Transformer.from_crs(source, source.geodetic_crs, always_xy=True)
    lon, lat, _ = to_geodetic.transform(*center)
    to_ecef = Transformer.from_crs(source, CRS.from_epsg(4978), always_xy=True)
    origin = np.array(to_ecef.transform(*center))
    lon, lat = math.radians(lon), math.radians(lat)
    east = (-math.sin(lon), math.cos(lon), 0.0)
    north = (-math.sin(lat) * math.cos(lon), -math.sin(lat) * math.sin(lon), math.cos(lat))
    up = (math.cos(lat) * math.cos(lon), math.cos(lat) * math.sin(lon), math.sin(lat))
    return (*east, 0.0, *north, 0.0, *up, 0.0, *origin.tolist(), 1.0)


def tiles(out: str | os.PathLike[str], positions: Any, colors: Any = None, *,
          attributes: Mapping[str, Any] | None = None, points_per_tile: int = 65536,
          encoding: TileEncoding = "meshopt", crs: Any = None, overwrite: bool = False,
          partitions: int | None = None, progress: bool | None = None) -> Tileset:
    """Writes a 3D Tiles 1.1 tileset of points into the folder ``out``.

    positions: (n, 3) numbers, z up (numpy, a numpy memory map, or Dask).
    colors: (n, 3) or (n, 4) floats in [0, 1] or uint8. attributes: name ->
    (n,) integers or floats, written as ``_NAME`` vertex attributes with
    EXT_structural_metadata. points_per_tile: the most points a tile holds.
    encoding: "meshopt" (EXT_meshopt_compression) or "compact". crs: the
    positions' projected system (a pyproj CRS or an EPSG code), which places
    the tileset on the globe. partitions: build in this many Dask partitions
    (default: Dask input is partitioned, numpy input is built in memory).
    progress: show Dask's progress (default: for partitioned builds).

    Returns a Tileset record. tileset.json is written last: a build that fails
    leaves none. A non-empty ``out`` is refused unless ``overwrite``.
    """
    started = time.perf_counter()
    if encoding not in ("meshopt", "compact"):
        raise ValueError(f"encoding must be 'meshopt' or 'compact', not {encoding!r}")
    if isinstance(points_per_tile, bool) or not isinstance(points_per_tile, (int, np.integer)) \
            or not 64 <= points_per_tile <= 2**31:
        raise ValueError(f"points_per_tile must be a whole number from 64 to 2**31, not {points_per_tile!r}")
    if partitions is not None and (isinstance(partitions, bool) or not isinstance(partitions, int) or partitions < 1):
        raise ValueError(f"partitions must be a positive whole number, not {partitions!r}")
    dask_input, positions, colors, attributes = _checked_inputs(positions, colors, attributes)
    folder = _prepare_folder(out, overwrite)
    if dask_input and partitions is None and not _distributed_client() and _fits_memory(positions, colors, attributes):
        dask: Any = importlib.import_module("dask")

        positions, colors, *values = dask.compute(positions, colors, *attributes.values())
        attributes = dict(zip(attributes, values))
        dask_input = False
    if dask_input or partitions is not None:
        totals = _build_partitioned(folder, positions, colors, attributes, int(points_per_tile), encoding == "meshopt",
                                    crs, partitions, progress)
    else:
        totals = _build_in_memory(folder, positions, colors, attributes, int(points_per_tile), encoding == "meshopt",
                                  crs)
    return Tileset(folder, int(totals["points"]), int(totals["tiles"]), int(totals["deepest_level"]) + 1,
                   int(totals["bytes"]), time.perf_counter() - started)


def _prepare_build(folder: Path, low: np.ndarray, high: np.ndarray, points_per_tile: int, meshopt: bool,
                   crs: Any) -> dict[str, Any]:
    """The layout of the build, once every value was checked; the folder cleared."""
    layout = _core.tiles_layout(low.tolist(), high.tolist(), points_per_tile, meshopt)
    if crs is not None:
        layout["transform"] = _root_transform(crs, layout["center"])
    _clear_folder(folder)
    return layout


def _build_in_memory(folder: Path, positions: np.ndarray, colors: np.ndarray | None,
                     attributes: dict[str, np.ndarray], points_per_tile: int, meshopt: bool,
                     crs: Any) -> dict[str, Any]:
    positions = np.ascontiguousarray(positions, dtype=np.float64)
    low, high = positions.min(axis=0), positions.max(axis=0)
    _check_extremes("positions", low, high)
    if colors is not None and colors.dtype.kind == "f":
        c_low, c_high = float(colors.min()), float(colors.max())
        if not (0 <= c_low and c_high <= 1):  # NaN fails too
            raise ValueError(f"colors must lie in [0, 1] as floats (or be uint8 in 0..255), not {c_low}..{c_high}")
    columns = []
    for name, values in attributes.items():
        values = _attribute_array(values)
        a_low, a_high = values.min(), values.max()
        _check_extremes(f"attributes[{name!r}]", np.asarray(a_low), np.asarray(a_high))
        columns.append((name, values, _TYPE_CODES[values.dtype], float(a_low), float(a_high)))
    color_bytes = _color_bytes(colors) if colors is not None else None
    layout = _prepare_build(folder, low, high, points_per_tile, meshopt, crs)
    return _core.tiles_build(str(folder), layout, positions, color_bytes, columns)


# ---------------------------------------------------------------------------
# Partitioned builds on Dask.

_POINTS_PER_PARTITION = 1_000_000


def _distributed_client() -> bool:
    distributed = sys.modules.get("distributed")
    if distributed is None:
        return False
    try:
        distributed.get_client()
    except ValueError:
        return False
    return True


def _fits_memory(*arrays: Any) -> bool:
    total = 0
    for array in arrays:
        if isinstance(array, dict):
            total += sum(int(v.nbytes) for v in array.values())
        elif array is not None:
            total += int(array.nbytes)
    try:
        memory = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES")
    except (ValueError, OSError, AttributeError):
        return False
    return total * 4 < memory


def _frame_of(positions: np.ndarray, colors: np.ndarray | None, values: list[np.ndarray], first_id: int,
              layout: dict[str, Any], cuts: np.ndarray) -> Any:
    """One input chunk as a DataFrame: coordinates, colour bytes, attributes, id and partition number."""
    pd: Any = importlib.import_module("pandas")

    positions = np.ascontiguousarray(positions, dtype=np.float64)
    columns: dict[str, Any] = {"x": positions[:, 0], "y": positions[:, 1], "z": positions[:, 2]}
    if colors is not None:
        color_bytes = _color_bytes(colors)
        for k in range(color_bytes.shape[1]):
            columns[f"c{k}"] = color_bytes[:, k]
    for k, value in enumerate(values):
        columns[f"a{k}"] = _attribute_array(value)
    columns["id"] = np.arange(first_id, first_id + len(positions), dtype=np.uint64)
    slots = _core.tiles_slots(positions, layout)
    columns["part"] = np.searchsorted(cuts, slots, side="right").astype(np.int64) - 1
    return pd.DataFrame(columns)


def _build_part(frame: Any, folder: str, layout: dict[str, Any], slot_begin: int, slot_end: int,
                color_width: int, attribute_info: list[tuple[str, str, float, float]]) -> dict[str, Any]:
    """A task: one partition's tiles and subtrees, written; what it hands up, returned."""
    positions = np.ascontiguousarray(frame[["x", "y", "z"]].to_numpy(np.float64))
    colors = None
    if color_width:
        colors = np.ascontiguousarray(frame[[f"c{k}" for k in range(color_width)]].to_numpy(np.uint8))
    columns = [(name, np.ascontiguousarray(frame[f"a{k}"].to_numpy()), code, low, high)
               for k, (name, code, low, high) in enumerate(attribute_info)]
    ids = np.ascontiguousarray(frame["id"].to_numpy(np.uint64))
    return _core.tiles_partition(folder, layout, positions, colors, columns, ids, slot_begin, slot_end, 1)


def _build_partitioned(folder: Path, positions: Any, colors: Any, attributes: dict[str, Any], points_per_tile: int,
                       meshopt: bool, crs: Any, partitions: int | None, progress: bool | None) -> dict[str, Any]:
    dask: Any = importlib.import_module("dask")
    da: Any = importlib.import_module("dask.array")
    dd: Any = importlib.import_module("dask.dataframe")

    positions = da.asarray(positions)
    if positions.numblocks[0] == 1 and partitions is not None and len(positions) > partitions:
        positions = positions.rechunk({0: -(-len(positions) // partitions)})
    positions = positions.rechunk({1: 3})
    rows = positions.chunks[0]
    if colors is not None:
        colors = da.asarray(colors).rechunk((rows, -1))
    values = [da.asarray(v).rechunk((rows,)) for v in attributes.values()]
    count = int(positions.shape[0])

    # The extremes, which also find NaN and infinities before anything is written.
    wanted = [positions.min(axis=0), positions.max(axis=0)]
    if colors is not None and colors.dtype.kind == "f":
        wanted += [colors.min(), colors.max()]
    for v in values:
        wanted += [v.min(), v.max()]
    found = list(dask.compute(*wanted))
    low, high = np.asarray(found.pop(0)), np.asarray(found.pop(0))
    _check_extremes("positions", low, high)
    if colors is not None and colors.dtype.kind == "f":
        c_low, c_high = float(found.pop(0)), float(found.pop(0))
        if not (0 <= c_low and c_high <= 1):
            raise ValueError(f"colors must lie in [0, 1] as floats (or be uint8 in 0..255), not {c_low}..{c_high}")
    attribute_info = []
    for (name, v) in zip(attributes, values):
        a_low, a_high = found.pop(0), found.pop(0)
        _check_extremes(f"attributes[{name!r}]", np.asarray(a_low), np.asarray(a_high))
        native = v.dtype.newbyteorder("=")
        attribute_info.append((name, _TYPE_CODES[native], float(a_low), float(a_high)))
    layout = _prepare_build(folder, low, high, points_per_tile, meshopt, crs)

    # Points per slot, and partitions of whole slots of about equal counts.
    slot_total = 1 << (3 * int(layout["subtree_levels"]))

    def histogram(block: np.ndarray) -> np.ndarray:
        slots = _core.tiles_slots(np.ascontiguousarray(block, dtype=np.float64), layout)
        return np.bincount(slots.astype(np.int64), minlength=slot_total)[None, :]

    per_slot = positions.map_blocks(histogram, chunks=((1,) * positions.numblocks[0], (slot_total,)),
                                    dtype=np.int64).sum(axis=0).compute()
    wanted_parts = partitions or max(1, -(-count // _POINTS_PER_PARTITION))
    cumulative = np.cumsum(per_slot)
    cuts = np.unique(np.concatenate([[0], np.searchsorted(cumulative, count * np.arange(1, wanted_parts) / wanted_parts,
                                                          side="right")]))
    cuts = cuts[cuts < slot_total]
    bounds = np.append(cuts, slot_total)

    # Chunks as DataFrames, moved to their partitions by Dask's shuffle.
    offsets = np.concatenate([[0], np.cumsum(rows)[:-1]])
    color_blocks = colors.to_delayed().ravel() if colors is not None else [None] * len(rows)
    value_blocks = [v.to_delayed().ravel() for v in values]
    frame = dask.delayed(_frame_of)
    parts = [frame(p, color_blocks[i], [b[i] for b in value_blocks], int(offsets[i]), layout, cuts)
             for i, p in enumerate(positions.to_delayed().ravel())]
    meta = _frame_of(np.zeros((0, 3)), None if colors is None else np.zeros((0, colors.shape[1]), np.uint8),
                     [np.zeros(0, np.dtype(code)) for _, code, _, _ in attribute_info], 0, layout, cuts)
    frames = dd.from_delayed(parts, meta=meta, verify_meta=False)
    # Range partitioning on the partition number: output partition i holds partition i's points.
    moved = frames.set_index("part", divisions=[*range(len(cuts)), len(cuts) - 1])
    color_width = 0 if colors is None else int(colors.shape[1])
    build = dask.delayed(_build_part_group)
    tasks = [build(part, str(folder), layout, bounds, color_width, attribute_info) for part in moved.to_delayed()]
    if progress is None:
        progress = sys.stderr.isatty()
    results = _compute_with_progress(tasks, progress)

    pieces = [entry for result in results for entry in result]
    return _finish(folder, layout, pieces, color_width, attribute_info)


def _build_part_group(frame: Any, folder: str, layout: dict[str, Any], bounds: np.ndarray, color_width: int,
                      attribute_info: list[tuple[str, str, float, float]]) -> list[tuple[int, dict[str, Any]]]:
    """The partition (or partitions) that the shuffle put into one frame, each built apart."""
    return [(int(part), _build_part(group, folder, layout, int(bounds[part]), int(bounds[part + 1]), color_width,
                                    attribute_info))
            for part, group in frame.groupby(level=0, sort=True)]


def _compute_with_progress(tasks: list[Any], progress: bool) -> list[Any]:
    dask: Any = importlib.import_module("dask")

    if not progress:
        return list(dask.compute(*tasks))
    if _distributed_client():
        distributed: Any = importlib.import_module("distributed")

        client = distributed.get_client()
        futures = client.compute(tasks)
        distributed.progress(futures)
        return list(client.gather(futures))
    ProgressBar: Any = importlib.import_module("dask.diagnostics").ProgressBar

    with ProgressBar():
        return list(dask.compute(*tasks))


def _finish(folder: Path, layout: dict[str, Any], results: list[tuple[int, dict[str, Any]]], color_width: int,
            attribute_info: list[tuple[str, str, float, float]]) -> dict[str, Any]:
    """The top of the tree and tileset.json, from what the partitions handed up, in slot order."""
    ordered: list[dict[str, Any]] = [r for _, r in sorted(results, key=lambda entry: entry[0])]
    totals: dict[str, int] = {"points": 0, "tiles": 0, "bytes": 0, "deepest_level": 0}
    for r in ordered:
        for key in ("points", "tiles", "bytes"):
            totals[key] += r["totals"][key]
        totals["deepest_level"] = max(totals["deepest_level"], r["totals"]["deepest_level"])

    def joined(key: str, sub: str | None = None, width: int = 0, dtype: Any = None) -> np.ndarray:
        arrays = [(r[key][sub] if sub else r[key]) for r in ordered]
        if not arrays:
            return np.zeros((0, width) if width else 0, dtype)
        return np.ascontiguousarray(np.concatenate(arrays))

    positions = joined("positions", width=3, dtype=np.float64)
    colors = joined("colors", width=color_width, dtype=np.uint8) if color_width else None
    columns = [(name, np.ascontiguousarray(np.concatenate([r["attributes"][k] for r in ordered])), code, low, high)
               for k, (name, code, low, high) in enumerate(attribute_info)]
    ids = joined("ids", dtype=np.uint64)
    pieces = {key: joined("pieces", key) for key in ("level", "index", "sample", "local_count", "count")}
    upper = {key: joined("upper", key) for key in ("level", "index")}
    return _core.tiles_finish(str(folder), layout, positions, colors, columns, ids, pieces, upper, dict(totals))
