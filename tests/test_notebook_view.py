"""The notebook view of spatial_assembler in a real browser: the HTML that a
notebook shows (GlbView._repr_html_) loaded in headless Chromium, offline, with
the vendored three.js; the scene loads and shows the atoms' palette colours."""

import json
import os
import shutil
import subprocess
from pathlib import Path

import numpy as np
import pytest

import spatial_assembler as sa
from numpy_writers import ATOM_PALETTE
from srgb import PAGE_BACKGROUND as BACKGROUND, srgb_bytes

ROOT = Path(__file__).resolve().parent.parent


def show_in_a_page(folder, glb, check_pages, **expectation):
    """The report of the page that a notebook shows for sa.view(glb)."""
    view = sa.view(glb, height=480)
    (folder / "notebook.html").write_text(
        '<!doctype html><html><head><meta charset="utf-8"><link rel="icon" href="data:,"></head><body style="margin:0; background:#0b1020">'
        f'<div style="width:800px">{view._repr_html_()}</div>'
        "<script>window.viewerState = document.querySelector('[id^=spatial-assembler-view]').viewerState;</script>"
        "</body></html>", encoding="utf-8")
    expectation = {"file": "notebook.glb", "page": "notebook.html", "background": BACKGROUND, **expectation}
    (folder / "expectations.json").write_text(json.dumps([expectation]))
    result = check_pages(folder)["notebook.glb"]
    assert result["state"]["status"] == "ready" and not result["consoleErrors"], result
    return result


@pytest.mark.browser
def test_the_view_loads_the_scene_and_shows_its_colours(tmp_path, check_pages):
    rng = np.random.default_rng(5)
    positions = rng.normal(size=(20_000, 3))
    types = rng.choice([1, 3, 4], 20_000)  # red, blue, yellow
    result = show_in_a_page(tmp_path, sa.atoms(positions, types), check_pages, tolerance=6,
                            colors=srgb_bytes(ATOM_PALETTE[[1, 3, 4]]).tolist())
    assert result["state"]["objects"] == [{"type": "Points", "vertices": 20_000}]
    assert result["foreground"] > 0.05 * result["pixels"]
    assert result["matched"] > 0.97 * result["foreground"]
    assert all(hits > 0 for hits in result["hits"]), result["hits"]


@pytest.mark.browser
def test_the_view_shows_compact_instanced_spheres(tmp_path, check_pages):
    rng = np.random.default_rng(6)
    positions = rng.normal(size=(3_000, 3))
    types = rng.choice([1, 3], 3_000)  # red, blue
    result = show_in_a_page(tmp_path, sa.atoms(positions, types, style="spheres", encoding="compact"), check_pages,
                            tolerance=20, hue=True, colors=srgb_bytes(ATOM_PALETTE[[1, 3]]).tolist())
    assert sorted(o["instances"] for o in result["state"]["objects"]) == sorted(np.bincount(types)[[1, 3]].tolist())
    assert result["foreground"] > 0.05 * result["pixels"] and result["matched"] > 0.9 * result["considered"]
    assert all(hits > 0 for hits in result["hits"]), result["hits"]


@pytest.mark.source_tree
def test_the_vendored_viewer_is_the_bundle_of_npms_three(tmp_path):
    """viewer.js.gz must be what scripts/vendor_viewer.mjs makes from the three.js that
    package-lock.json pins: rebuilt here, it must come out byte for byte the same."""
    run = subprocess.run([shutil.which("node") or "node", str(ROOT / "scripts" / "vendor_viewer.mjs"), str(tmp_path)],
                         capture_output=True, text=True, cwd=ROOT, env={k: v for k, v in os.environ.items() if k != "LD_PRELOAD"})
    assert run.returncode == 0, run.stderr
    shipped = ROOT / "python" / "spatial_assembler" / "_viewer"
    for name in ("viewer.js.gz", "THREE_LICENSE", "THREE_VERSION"):
        assert (tmp_path / name).read_bytes() == (shipped / name).read_bytes(), f"{name} is stale: run the script"
    installed = Path(sa.__file__).parent / "_viewer"
    assert (installed / "viewer.js.gz").read_bytes() == (shipped / "viewer.js.gz").read_bytes()
    assert "MIT License" in (installed / "THREE_LICENSE").read_text()
