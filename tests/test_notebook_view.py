"""The notebook view of spatial_assembler in a real browser: the HTML that a
notebook shows (GlbView._repr_html_, TilesetView._repr_html_) loaded in headless
Chromium, offline, with the vendored three.js and 3d-tiles-renderer; the scene
loads and shows the atoms' palette colours, a trajectory plays, a tileset's tiles
load from the page's memory."""

import base64
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
from tileset_reading import shows_deeper_tiles

ROOT = Path(__file__).resolve().parent.parent


def write_page(folder, name, view):
    """A page of a notebook's output cell for the view, as notebook.html would hold it."""
    (folder / name).write_text(
        '<!doctype html><html><head><meta charset="utf-8"><link rel="icon" href="data:,"></head><body style="margin:0; background:#0b1020">'
        f'<div style="width:800px">{view._repr_html_()}</div>'
        "<script>const view = document.querySelector('[id^=spatial-assembler-view]');\n"
        "window.viewerState = view.viewerState; window.viewerControls = view.viewerControls;</script>"
        "</body></html>", encoding="utf-8")


def show_in_pages(folder, check_pages, views):
    """The reports of the pages that a notebook shows for each view, {name: (view, expectation)}."""
    expectations = []
    for name, (view, expectation) in views.items():
        write_page(folder, f"{name}.html", view)
        expectations.append({"file": name, "page": f"{name}.html", "background": BACKGROUND, "colors": [[0, 0, 0]],
                             "tolerance": 0, **expectation})
    (folder / "expectations.json").write_text(json.dumps(expectations))
    results = check_pages(folder)
    for name in views:
        assert results[name]["state"]["status"] == "ready" and not results[name]["consoleErrors"], results[name]
    return results


def show_in_a_page(folder, glb, check_pages, **expectation):
    """The report of the page that a notebook shows for sa.view(glb)."""
    return show_in_pages(folder, check_pages, {"notebook.glb": (sa.view(glb, height=480), expectation)})["notebook.glb"]


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


@pytest.mark.browser
def test_the_view_plays_a_trajectory_and_shows_a_tileset_from_memory(tmp_path, check_pages):
    """A tileset's files served to the renderer from the page itself: tiles load, and more as the camera comes
    closer; a trajectory's frames show by the slider's time and play."""
    rng = np.random.default_rng(7)
    start = rng.normal(size=(400, 3)) * 4
    frames = start + np.linspace(0, 6, 12)[:, None, None] * np.array([1.0, 0, 0])  # a drift along x
    trajectory = sa.trajectory(frames, elements=rng.choice(["Cu", "O"], 400), style="spheres", fps=4)
    positions = np.column_stack([rng.uniform(-50, 50, (200_000, 2)), rng.normal(0, 2, 200_000)])
    tileset = sa.tiles(tmp_path / "cloud", positions, rng.random((200_000, 3)), points_per_tile=1024)
    (tmp_path / "pages").mkdir()
    results = show_in_pages(tmp_path / "pages", check_pages, {
        "trajectory": (sa.view(trajectory), {"frames": [0, 11]}),
        "tileset": (sa.view(tmp_path / "cloud"), {"zoom": 0.4}),
    })
    played = results["trajectory"]
    assert [s["frame"] for s in played["frames"]["states"]] == [0, 11] and played["frames"]["states"][0]["frames"] == 12
    assert played["frames"]["states"][1]["time"] == pytest.approx(11.5 / 4)
    assert played["frames"]["difference"] > 0.01 and played["played"]["playing"] is True
    shown = results["tileset"]
    before, after = shown["zoomed"]["before"], shown["zoomed"]["after"]
    assert shown["foreground"] > 0.01 * shown["pixels"] and 0 < before["points"] < tileset.points
    assert after["points"] > before["points"] and shows_deeper_tiles(before, after) and after["failed"] == 0


def test_a_tileset_view_embeds_within_its_limit(tmp_path):
    """The view refuses a folder beyond its size limit, names what it is not, and embeds every file of the folder."""
    rng = np.random.default_rng(8)
    tileset = sa.tiles(tmp_path / "small", rng.normal(size=(5_000, 3)), points_per_tile=512)
    files = sorted(p for p in (tmp_path / "small").rglob("*") if p.is_file())
    size = sum(p.stat().st_size for p in files)
    assert size >= tileset.bytes > 0
    view = sa.view(tmp_path / "small" / "tileset.json")
    assert isinstance(view, sa.notebook.TilesetView) and len(view.paths) == len(files) and view.bytes == size
    page = view._repr_html_()
    call = page[page.rindex("SpatialAssemblerViewer.show("):]
    embedded = json.loads(call[call.index("), ") + 3:call.rindex(', {"height"')].replace("<\\/", "</"))
    assert embedded["tileset"] == "tileset.json"
    assert {name: base64.b64decode(data) for name, data in embedded["files"].items()} == \
        {p.relative_to(tmp_path / "small").as_posix(): p.read_bytes() for p in files}
    with pytest.raises(ValueError, match=f"{size:,} bytes of files, more than the {size - 1:,}"):
        sa.notebook.TilesetView(tmp_path / "small", max_bytes=size - 1)
    with pytest.raises(ValueError, match="not a tileset"):
        sa.view(tmp_path)  # a folder without tileset.json
    glb = sa.atoms(rng.normal(size=(10, 3)))
    sa.save(tmp_path / "atoms.glb", glb)
    assert sa.view(tmp_path / "atoms.glb").glb == glb


@pytest.mark.source_tree
def test_the_vendored_viewer_is_the_bundle_of_npms_three(tmp_path):
    """viewer.js.gz must be what scripts/vendor_viewer.mjs makes from the three.js that
    package-lock.json pins: rebuilt here, it must come out byte for byte the same."""
    run = subprocess.run([shutil.which("node") or "node", str(ROOT / "scripts" / "vendor_viewer.mjs"), str(tmp_path)],
                         capture_output=True, text=True, cwd=ROOT, env={k: v for k, v in os.environ.items() if k != "LD_PRELOAD"})
    assert run.returncode == 0, run.stderr
    shipped = ROOT / "python" / "spatial_assembler" / "_viewer"
    for name in ("viewer.js.gz", "THREE_LICENSE", "THREE_VERSION", "TILES_LICENSE", "TILES_VERSION"):
        assert (tmp_path / name).read_bytes() == (shipped / name).read_bytes(), f"{name} is stale: run the script"
    installed = Path(sa.__file__).parent / "_viewer"
    assert (installed / "viewer.js.gz").read_bytes() == (shipped / "viewer.js.gz").read_bytes()
    assert "MIT License" in (installed / "THREE_LICENSE").read_text()
    assert "Apache License" in (installed / "TILES_LICENSE").read_text()
