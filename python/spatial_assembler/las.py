"""LAS and LAZ point clouds as lazy Dask arrays (``read_las``), ready for
``tiles``: ``sa.tiles(out, **sa.read_las(paths))``. Needs the ``tiles`` extra
(laspy with the lazrs backend, Dask, pyproj)."""

from __future__ import annotations

import importlib
import os
from collections.abc import Iterable
from typing import Any

import numpy as np

__all__ = ["read_las"]

# Per-point attributes taken when the point format has them: (LAS dimension, dtype).
_ATTRIBUTES = (("intensity", np.uint16), ("classification", np.uint8), ("return_number", np.uint8),
               ("gps_time", np.float64))


def _read_chunk(path: str, start: int, count: int, fields: tuple[str, ...], has_rgb: bool) -> dict[str, np.ndarray]:
    laspy: Any = importlib.import_module("laspy")

    with laspy.open(path) as reader:
        reader.seek(start)
        points = reader.read_points(count)
    result = {"positions": np.column_stack([np.asarray(points.x, np.float64), np.asarray(points.y, np.float64),
                                            np.asarray(points.z, np.float64)])}
    if has_rgb:
        wide = np.column_stack([np.asarray(points[c], np.uint32) for c in ("red", "green", "blue")])
        result["colors"] = ((wide * 255 + 32767) // 65535).astype(np.uint8)  # 16-bit channels to 8-bit, rounded
    for name, dtype in _ATTRIBUTES:
        if name in fields:
            result[name] = np.asarray(points[name]).astype(dtype)
    return result


def read_las(paths: str | os.PathLike[str] | Iterable[str | os.PathLike[str]], *,
             chunk_points: int = 2_000_000) -> dict[str, Any]:
    """Reads LAS/LAZ files lazily, in chunks of chunk_points points.

    Returns a dict with ``positions`` ((n, 3) float64, the files' scale and
    offset applied), ``colors`` ((n, 3) uint8 from LAS's 16-bit channels, or
    None when a file has none), ``attributes`` (intensity, classification,
    return_number and gps_time where every file has them) and ``crs`` (the
    files' pyproj CRS, or None), all Dask arrays but the CRS: what ``tiles``
    takes. Files of several CRSs are refused."""
    dask: Any = importlib.import_module("dask")
    da: Any = importlib.import_module("dask.array")
    laspy: Any = importlib.import_module("laspy")

    if isinstance(paths, (str, os.PathLike)):
        paths = [paths]
    paths = [os.fspath(p) for p in paths]
    if not paths:
        raise ValueError("paths name no file")
    if isinstance(chunk_points, bool) or not isinstance(chunk_points, int) or chunk_points < 1:
        raise ValueError(f"chunk_points must be a positive whole number, not {chunk_points!r}")
    headers = []
    for path in paths:
        with laspy.open(path) as reader:
            headers.append(reader.header)
    fields = set.intersection(*({d.name for d in h.point_format.dimensions} for h in headers))
    has_rgb = {"red", "green", "blue"} <= fields
    present = tuple(name for name, _ in _ATTRIBUTES if name in fields)
    crs_list = [h.parse_crs() for h in headers]
    crs = crs_list[0]
    if any((c is None) != (crs is None) or (c is not None and not c.equals(crs)) for c in crs_list):
        raise ValueError("paths: the files are in different coordinate systems")

    columns: dict[str, list[Any]] = {"positions": [], "colors": [], **{name: [] for name in present}}
    read = dask.delayed(_read_chunk, pure=True)
    for path, header in zip(paths, headers):
        total = int(header.point_count)
        for start in range(0, total, chunk_points):
            count = min(chunk_points, total - start)
            chunk = read(path, start, count, present, has_rgb)
            columns["positions"].append(da.from_delayed(chunk["positions"], (count, 3), np.float64))
            if has_rgb:
                columns["colors"].append(da.from_delayed(chunk["colors"], (count, 3), np.uint8))
            for name, dtype in _ATTRIBUTES:
                if name in present:
                    columns[name].append(da.from_delayed(chunk[name], (count,), dtype))
    if not columns["positions"]:
        raise ValueError("paths: the files hold no points")
    return {
        "positions": da.concatenate(columns["positions"]),
        "colors": da.concatenate(columns["colors"]) if has_rgb else None,
        "attributes": {name: da.concatenate(columns[name]) for name in present},
        "crs": crs,
    }
