"""The demo's Node leg: examples/node_demo.mjs, run as examples/demo.py runs it,
writes the same atom file as the Python module."""

import shutil
from pathlib import Path

import numpy as np
import pytest

import _spatial_assembler as sa

ROOT = Path(__file__).resolve().parent.parent


@pytest.mark.source_tree
def test_atoms_through_node_equal_the_python_file(tmp_path, missing_tool):
    if shutil.which("node") is None or not (ROOT / "build" / "Release" / "spatial_assembler.node").exists():
        missing_tool("no Node addon built here")
    from demo import NODE_FILE, atoms_through_node

    rng = np.random.default_rng(4)
    positions = (rng.normal(size=(150_000, 3)) * 7).astype(np.float32)
    types = rng.integers(0, 12, 150_000).astype(np.uint16)
    bounds = (positions.min(0).tolist(), positions.max(0).tolist())
    name, glb, milliseconds = atoms_through_node(tmp_path, positions, types, bounds)
    assert name == NODE_FILE and (tmp_path / NODE_FILE).read_bytes() == glb
    assert glb == sa.atom_glb(positions, types, *bounds) and milliseconds > 0
