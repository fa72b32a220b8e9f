"""The process's pool of worker threads as the Python faces use it: no thread is
started per call, both native modules share one pool, a child of fork() starts
a pool of its own and writes the same bytes, and the interpreter exits while
the workers wait (or while a daemon thread is in the middle of calls)."""

import hashlib
import multiprocessing
import os
import shutil
import subprocess
import sys
import tempfile
import warnings

import numpy as np
import pytest

import _spatial_assembler as raw
import spatial_assembler as sa

linux_only = pytest.mark.skipif(not sys.platform.startswith("linux"), reason="counts threads the Linux way")

# Every builder of both modules, on 10 rows and on 120,000 (several ranges a
# phase); the raw module's large calls first, then a mark in strace's log, then
# 200 calls of every builder, a large one every 20th.
EVERY_BUILDER = r"""
import os, sys
import numpy as np
import _spatial_assembler as raw
import spatial_assembler as sa

rng = np.random.default_rng(5)

def builders(n):
    positions = rng.random((n, 3), dtype=np.float32)
    types = rng.integers(0, 9, n).astype(np.uint16)
    faces = rng.integers(0, n, (max(n // 2, 1), 3))
    normals = np.tile(np.float32([0, 0, 1]), (n, 1))
    box = positions.min(0).tolist(), positions.max(0).tolist()
    material = ([*box[0], *box[1]], [1, 1, 1, 1], 0.0, 0.5, [0, 0, 0], False)
    raw_calls = [lambda: raw.point_cloud_glb(positions, positions, *box),
                 lambda: raw.atom_glb(positions, types, *box),
                 lambda: raw.mesh_glb(positions, normals, faces.astype(np.uint32).ravel(), *material, None)]
    package_calls = [lambda: sa.point_cloud(positions, positions),
                     lambda: sa.atoms(positions, types),
                     lambda: sa.atoms(positions, types, encoding="compact"),
                     lambda: sa.atoms(positions, types, style="spheres", radius=0.01),
                     lambda: sa.atoms(positions, types, style="ball-and-stick", radius=0.01, bonds=[[0, 1]]),
                     lambda: sa.mesh(positions, faces, colors=positions)]
    return raw_calls, package_calls

(small_raw, small_package), (large_raw, large_package) = builders(10), builders(120_000)
for call in large_raw:
    call()
os.chdir(os.getcwd())  # the mark: from here on, no thread may start
for round in range(200):
    for call in (large_raw + large_package if round % 20 == 0 else small_raw + small_package):
        call()
print("calls done")
"""


@linux_only
def test_no_thread_starts_after_the_first_large_call(missing_tool):
    strace = shutil.which("strace")
    if strace is None:
        missing_tool("strace (Debian's strace) counts the threads a process starts")
    with tempfile.TemporaryDirectory() as folder:
        log = os.path.join(folder, "strace.log")
        # A sanitizer runtime that the suite preloads goes to Python, not to strace.
        preload = os.environ.get("LD_PRELOAD")
        env = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}
        run = subprocess.run([strace, "-f", "-qq", "-e", "trace=clone,clone3,chdir", "-o", log,
                              *(["-E", f"LD_PRELOAD={preload}"] if preload else []), sys.executable, "-c", EVERY_BUILDER],
                             capture_output=True, text=True, timeout=300, env=env)
        if run.returncode != 0 and "calls done" not in run.stdout:
            if "ptrace" in run.stderr or "Operation not permitted" in run.stderr:
                missing_tool(f"strace cannot trace here: {run.stderr.strip()[:200]}")
            raise AssertionError(run.stderr)
        with open(log) as traced:
            lines = traced.read().splitlines()
    mark = next(i for i, line in enumerate(lines) if "chdir(" in line)
    started_before = [line for line in lines[:mark] if "clone" in line]
    started_after = [line for line in lines[mark:] if "clone" in line]
    # The package's calls run on the raw module's pool, and no call starts a thread.
    assert started_after == [], started_after
    if os.cpu_count() > 1:
        assert started_before, "the first large calls started no worker"


def _digests_in_child(positions, types):
    tasks = lambda: len(os.listdir("/proc/self/task"))  # noqa: E731
    before = tasks()
    raw_file = raw.atom_glb(positions, types, [0, 0, 0], [1, 1, 1])
    started = tasks() - before
    package_file = sa.atoms(positions, types)
    return hashlib.sha256(raw_file).hexdigest(), hashlib.sha256(package_file).hexdigest(), started


@linux_only
def test_a_fork_child_starts_its_own_pool_and_writes_the_same_bytes():
    rng = np.random.default_rng(11)
    positions = rng.random((200_000, 3), dtype=np.float32)
    types = rng.integers(0, 9, 200_000).astype(np.uint16)
    expected = (hashlib.sha256(raw.atom_glb(positions, types, [0, 0, 0], [1, 1, 1])).hexdigest(),
                hashlib.sha256(sa.atoms(positions, types)).hexdigest())  # the parent's pool runs
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)  # fork() of a process with threads: what is tested
        with multiprocessing.get_context("fork").Pool(1) as pool:
            raw_digest, package_digest, started = pool.apply(_digests_in_child, (positions, types))
    assert (raw_digest, package_digest) == expected
    # The parent's workers did not come along: the child started as many of its own.
    assert started == os.cpu_count() - 1


EXIT_DURING_CALLS = r"""
import threading
import numpy as np
import _spatial_assembler as raw
positions = np.random.default_rng(2).random((300_000, 3), dtype=np.float32)
types = np.zeros(300_000, np.uint16)
raw.atom_glb(positions, types, [0, 0, 0], [1, 1, 1])

def calls():
    while True:
        raw.atom_glb(positions, types, [0, 0, 0], [1, 1, 1])

threading.Thread(target=calls, daemon=True).start()
raw.atom_glb(positions, types, [0, 0, 0], [1, 1, 1])
"""


def test_the_interpreter_exits_while_workers_wait_or_work():
    for script in (EXIT_DURING_CALLS.split("\ndef calls")[0], EXIT_DURING_CALLS):
        run = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, timeout=60)
        assert run.returncode == 0, run.stderr
