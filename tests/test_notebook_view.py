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
from test_viewer import BACKGROUND, CHROMIUM, srgb_bytes

ROOT = Path(__file__).resolve().parent.parent

pytestmark = [
    pytest.mark.skipif(not Path(CHROMIUM).exists() and os.environ.get("SPATIAL_ASSEMBLER_FULL_TEST") != "1",
                       reason=f"no Chromium at {CHROMIUM}"),
    pytest.mark.skipif(bool(os.environ.get("SPATIAL_ASSEMBLER_EXPECT_SANITIZED")),
                       reason="the browser test checks the view, not memory safety: it runs in the plain pass"),
]


def test_the_view_loads_the_scene_and_shows_its_colours(tmp_path):
    rng = np.random.default_rng(5)
    positions = rng.normal(size=(20_000, 3))
    types = rng.choice([1, 3, 4], 20_000)  # red, blue, yellow
    view = sa.view(sa.atoms(positions, types), height=480)
    (tmp_path / "notebook.html").write_text(
        '<!doctype html><html><head><meta charset="utf-8"><link rel="icon" href="data:,"></head><body style="margin:0; background:#0b1020">'
        f'<div style="width:800px">{view._repr_html_()}</div>'
        "<script>window.viewerState = document.querySelector('[id^=spatial-assembler-view]').viewerState;</script>"
        "</body></html>", encoding="utf-8")
    expectations = [{"file": "notebook.glb", "page": "notebook.html", "tolerance": 6, "background": BACKGROUND,
                     "colors": srgb_bytes(ATOM_PALETTE[[1, 3, 4]]).tolist()}]
    (tmp_path / "expectations.json").write_text(json.dumps(expectations))
    run = subprocess.run([shutil.which("node") or "node", str(ROOT / "tests" / "browser" / "check_viewer.mjs"),
                          str(tmp_path), str(tmp_path / "expectations.json"),
                          *([os.environ["SPATIAL_ASSEMBLER_SCREENSHOTS"]] if os.environ.get("SPATIAL_ASSEMBLER_SCREENSHOTS") else [])],
                         capture_output=True, text=True,
                         cwd=ROOT, timeout=600, env={k: v for k, v in os.environ.items() if k != "LD_PRELOAD"})
    assert run.returncode == 0, run.stderr
    result = json.loads(run.stdout)
    assert result["state"]["status"] == "ready" and not result["consoleErrors"], result
    assert result["state"]["objects"] == [{"type": "Points", "vertices": 20_000}]
    assert result["foreground"] > 0.05 * result["pixels"]
    assert result["matched"] > 0.97 * result["foreground"]
    assert all(hits > 0 for hits in result["hits"]), result["hits"]


def test_the_view_shows_compact_instanced_spheres(tmp_path):
    rng = np.random.default_rng(6)
    positions = rng.normal(size=(3_000, 3))
    types = rng.choice([1, 3], 3_000)  # red, blue
    view = sa.view(sa.atoms(positions, types, style="spheres", encoding="compact"), height=480)
    (tmp_path / "notebook.html").write_text(
        '<!doctype html><html><head><meta charset="utf-8"><link rel="icon" href="data:,"></head><body style="margin:0; background:#0b1020">'
        f'<div style="width:800px">{view._repr_html_()}</div>'
        "<script>window.viewerState = document.querySelector('[id^=spatial-assembler-view]').viewerState;</script>"
        "</body></html>", encoding="utf-8")
    expectations = [{"file": "notebook.glb", "page": "notebook.html", "tolerance": 20, "hue": True, "background": BACKGROUND,
                     "colors": srgb_bytes(ATOM_PALETTE[[1, 3]]).tolist()}]
    (tmp_path / "expectations.json").write_text(json.dumps(expectations))
    run = subprocess.run([shutil.which("node") or "node", str(ROOT / "tests" / "browser" / "check_viewer.mjs"),
                          str(tmp_path), str(tmp_path / "expectations.json")], capture_output=True, text=True,
                         cwd=ROOT, timeout=600, env={k: v for k, v in os.environ.items() if k != "LD_PRELOAD"})
    assert run.returncode == 0, run.stderr
    result = json.loads(run.stdout)
    assert result["state"]["status"] == "ready" and not result["consoleErrors"], result
    assert sorted(o["instances"] for o in result["state"]["objects"]) == sorted(np.bincount(types)[[1, 3]].tolist())
    assert result["foreground"] > 0.05 * result["pixels"] and result["matched"] > 0.9 * result["considered"]
    assert all(hits > 0 for hits in result["hits"]), result["hits"]


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
