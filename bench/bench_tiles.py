"""Tilesets: spatial_assembler.tiles against py3dtiles, side by side.

  python bench/bench_tiles.py [--points 4000000] [--dask-points 20000000] [--py3dtiles PATH]

1. End to end from one LAS file (process start and reading included):
   `python -c "sa.tiles(out, **sa.read_las(path))"` against
   `py3dtiles convert --spec-version 1.1 --jobs 2`, alternating (goal: 25x, 3M points/s).
2. In memory: tiles of the points (compact, meshopt) against sa.atoms of the same
   positions (goal: compact within 5x), as points per second.
3. Bytes per point: meshopt against compact (goal: at most 0.7 on clustered points with
   random colours), and against the LAS and LAZ files.
4. Dask: points on a LocalCluster of two workers of 1 GiB each: time, peak memory per worker.
py3dtiles runs from its own virtual environment (--py3dtiles: its py3dtiles command).
"""

from __future__ import annotations

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

import numpy as np

import spatial_assembler as sa


def load() -> str:
    return " ".join(f"{v:.2f}" for v in os.getloadavg())


def clustered(n: int) -> tuple[np.ndarray, np.ndarray, dict[str, np.ndarray]]:
    """A survey-like cloud: ground with buildings and trees, random colours, LAS attributes."""
    rng = np.random.default_rng(7)
    xy = rng.random((n, 2)) * 1000
    centres = rng.random((200, 2)) * 1000
    near = centres[rng.integers(0, 200, n)]
    tall = rng.random(n) < 0.3
    z = np.where(tall, rng.random(n) * 25, rng.normal(size=n) * 0.2 + np.sin(xy[:, 0] / 90) * 4)
    xy = np.where(tall[:, None], near + rng.normal(size=(n, 2)) * 6, xy)
    positions = np.column_stack([xy + [512_000, 4_100_000], z + 200])
    colors = rng.integers(0, 256, (n, 3)).astype(np.uint8)
    attributes = {"intensity": rng.integers(0, 4096, n).astype(np.uint16),
                  "classification": np.where(tall, 5, 2).astype(np.uint8),
                  "gps_time": np.sort(rng.random(n)) * 3600 + 3e8}
    return positions, colors, attributes


def write_las(path: Path, positions: np.ndarray, colors: np.ndarray, attributes: dict[str, np.ndarray]) -> None:
    import laspy
    import pyproj

    header = laspy.LasHeader(point_format=3, version="1.4")
    header.scales = [0.001, 0.001, 0.001]
    header.offsets = [512_000, 4_100_000, 0]
    header.add_crs(pyproj.CRS.from_epsg(32633))
    las = laspy.LasData(header)
    las.x, las.y, las.z = positions.T
    for k, channel in enumerate(("red", "green", "blue")):
        setattr(las, channel, colors[:, k].astype(np.uint16) * 257)
    las.intensity = attributes["intensity"]
    las.classification = attributes["classification"]
    las.gps_time = attributes["gps_time"]
    las.write(path)


def timed(command: list[str]) -> float:
    began = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - began


def folder_bytes(folder: Path) -> int:
    return sum(p.stat().st_size for p in folder.rglob("*") if p.is_file())


def end_to_end(las: Path, work: Path, py3dtiles: str | None, rounds: int, n: int) -> None:
    ours_script = ("import sys, spatial_assembler as sa; "
                   "sa.tiles(sys.argv[2], **sa.read_las(sys.argv[1]), overwrite=True)")
    ours, theirs = [], []
    for _ in range(rounds):
        ours.append(timed([sys.executable, "-c", ours_script, str(las), str(work / "ours")]))
        if py3dtiles:
            shutil.rmtree(work / "theirs", ignore_errors=True)
            theirs.append(timed([py3dtiles, "convert", "--spec-version", "1.1", "--jobs", "2", str(las),
                                 "--out", str(work / "theirs"), "--overwrite"]))
    best = min(ours)
    print(f"| end to end, LAS of {n:,} points | {best:.2f} s ({n / best / 1e6:.1f}M points/s) | ", end="")
    if theirs:
        print(f"py3dtiles {min(theirs):.2f} s | {min(theirs) / best:.1f}x (goal 25x; 3M points/s) |")
    else:
        print("py3dtiles not run | |")


def in_memory(positions, colors, attributes, work: Path, rounds: int) -> dict[str, int]:
    n = len(positions)
    times: dict[str, list[float]] = {"atoms": [], "compact": [], "meshopt": []}
    sizes = {}
    for _ in range(rounds):  # alternating
        began = time.perf_counter()
        sa.atoms(positions)
        times["atoms"].append(time.perf_counter() - began)
        for encoding in ("compact", "meshopt"):
            record = sa.tiles(work / encoding, positions, colors, points_per_tile=65536, encoding=encoding,
                              overwrite=True)
            times[encoding].append(record.seconds)
            sizes[encoding] = record.bytes
    atoms = min(times["atoms"])
    for encoding in ("compact", "meshopt"):
        best = min(times[encoding])
        print(f"| in memory, {n:,} points, {encoding} | {best * 1e3:.0f} ms ({n / best / 1e6:.1f}M points/s) | "
              f"sa.atoms {atoms * 1e3:.0f} ms | {best / atoms:.1f}x the atoms (goal: compact within 5x) |")
    return sizes


def dask_build(n: int, work: Path) -> None:
    import dask.array as da
    import distributed
    import psutil

    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, memory_limit="1GiB",
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        chunk = 1_000_000

        def block(index: int) -> np.ndarray:
            return clustered(chunk)[0] + index * 0.001  # made on the workers: nothing large leaves the driver

        parts = [da.from_delayed(__import__("dask").delayed(block)(i), (chunk, 3), np.float64)
                 for i in range(n // chunk)]
        positions = da.concatenate(parts)
        peaks: dict[str, int] = {}
        running = True

        def sample() -> None:
            while running:
                for worker, rss in client.run(lambda: psutil.Process().memory_info().rss).items():
                    peaks[worker] = max(peaks.get(worker, 0), rss)
                time.sleep(0.5)

        sampler = threading.Thread(target=sample)
        sampler.start()
        try:
            record = sa.tiles(work / "dask", positions, points_per_tile=65536, overwrite=True)
        finally:
            running = False
            sampler.join()
        peak = max(peaks.values()) / 2**20
        print(f"| Dask LocalCluster, 2 workers of 1 GiB, {n:,} points | {record.seconds:.1f} s "
              f"({n / record.seconds / 1e6:.2f}M points/s) | peak worker memory {peak:.0f} MiB | |")


def main() -> None:
    parser = argparse.ArgumentParser()
    parser.add_argument("--points", type=int, default=4_000_000)
    parser.add_argument("--dask-points", type=int, default=20_000_000)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--py3dtiles", default=shutil.which("py3dtiles"))
    arguments = parser.parse_args()
    print(f"load average at start: {load()}")
    positions, colors, attributes = clustered(arguments.points)
    with tempfile.TemporaryDirectory() as directory:
        work = Path(directory)
        print("| Case | spatial-assembler | Alternative | Ratio |")
        print("|---|---|---|---|")
        sizes = in_memory(positions, colors, attributes, work, arguments.rounds)
        write_las(work / "survey.las", positions, colors, attributes)
        import laspy

        laspy.read(work / "survey.las").write(work / "survey.laz")
        n = len(positions)
        with_attributes = sa.tiles(work / "attributes", positions, colors, attributes=attributes, overwrite=True).bytes
        print(f"| bytes per point, clustered, random colours | meshopt {sizes['meshopt'] / n:.2f}, "
              f"compact {sizes['compact'] / n:.2f} | LAS {(work / 'survey.las').stat().st_size / n:.2f}, "
              f"LAZ {(work / 'survey.laz').stat().st_size / n:.2f} | meshopt / compact "
              f"{sizes['meshopt'] / sizes['compact']:.2f} (goal at most 0.7) |")
        print(f"| bytes per point with intensity, class, GPS time (meshopt) | {with_attributes / n:.2f} | | |")
        end_to_end(work / "survey.las", work, arguments.py3dtiles, arguments.rounds, n)
        if arguments.dask_points:
            dask_build(arguments.dask_points, work)
    print(f"load average at end: {load()}")


if __name__ == "__main__":
    main()
