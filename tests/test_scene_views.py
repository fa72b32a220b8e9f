"""Scenes and meshes that keep their look, seen by three.js in headless Chromium:
the demo's scene lists its parts and a part's checkbox hides it (on the demo
page, and in the notebook view of its compact file), the textured planet shows its texture's
colours, and a cube with the default normals shows three flat shades where a
smooth one shades its faces by degrees."""

import json

import numpy as np
import pytest

import spatial_assembler as sa
from srgb import PAGE_BACKGROUND as BACKGROUND, srgb_bytes

pytestmark = pytest.mark.browser

CUBE = np.array([[x, y, z] for x in (0, 1) for y in (0, 1) for z in (0, 1)], np.float64)
CUBE_FACES = np.array([[0, 1, 3], [0, 3, 2], [4, 6, 7], [4, 7, 5], [0, 4, 5], [0, 5, 1],
                       [2, 3, 7], [2, 7, 6], [0, 2, 6], [0, 6, 4], [1, 5, 7], [1, 7, 3]])
# Turned by 30 degrees about the vertical axis, so that the pages' sun lights the three sides the camera sees unalike.
TURNED = np.array([[np.cos(0.52), 0, -np.sin(0.52), 0], [0, 1, 0, 0], [np.sin(0.52), 0, np.cos(0.52), 0], [0, 0, 0, 1]])
DENSITY = [0.05, 0.75, 0.45]  # the demo's isosurface colour (linear)


def notebook_page(glb):
    """The HTML that a notebook shows for the view, in a page that exposes its state."""
    view = sa.view(glb, height=480)
    return ('<!doctype html><html><head><meta charset="utf-8"><link rel="icon" href="data:,"></head>'
            '<body style="margin:0; background:#0b1020">'
            f'<div style="width:800px">{view._repr_html_()}</div>'
            "<script>window.viewerState = document.querySelector('[id^=spatial-assembler-view]').viewerState;</script>"
            "</body></html>")


@pytest.fixture(scope="module")
def reports(tmp_path_factory, check_pages):
    from demo import molecule_scene
    from scenes import PLANET_COLORS, planet_texture, uv_sphere
    from viewer import write_viewer

    folder = tmp_path_factory.mktemp("scene-views")
    scene, _ = molecule_scene()
    positions, faces, uv = uv_sphere()
    files = {"uracil_scene.glb": scene.glb(),
             "textured_planet.glb": sa.mesh(positions, faces, uv=uv, texture=planet_texture(), roughness=0.8),
             "crisp_cube.glb": sa.Scene().mesh(CUBE, CUBE_FACES, roughness=1, transform=TURNED).glb(),
             "smooth_cube.glb": sa.Scene().mesh(CUBE, CUBE_FACES, normals="smooth", roughness=1, transform=TURNED).glb()}
    for name, glb in files.items():
        (folder / name).write_bytes(glb)
    write_viewer(folder, [(name, "scene") for name in files])
    (folder / "notebook.html").write_text(notebook_page(scene.glb(encoding="compact")), encoding="utf-8")
    density = {"colors": srgb_bytes([DENSITY]).tolist(), "tolerance": 25, "hue": True, "background": BACKGROUND}
    expectations = [
        {"file": "uracil_scene.glb", **density, "hide": "Density"},
        {"file": "notebook.glb", "page": "notebook.html", **density, "hide": "Density"},
        # The texture's colours are sRGB already: the image's own bytes.
        {"file": "textured_planet.glb", "colors": PLANET_COLORS[:4].tolist(), "tolerance": 12, "hue": True,
         "background": BACKGROUND},
        {"file": "crisp_cube.glb", "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND},
        {"file": "smooth_cube.glb", "colors": [[0, 0, 0]], "tolerance": 0, "background": BACKGROUND},
    ]
    (folder / "expectations.json").write_text(json.dumps(expectations))
    results = check_pages(folder)
    for result in results.values():
        assert result["state"]["status"] == "ready" and not result["consoleErrors"], result
    return results


@pytest.mark.parametrize("name", ["uracil_scene.glb", "notebook.glb"])
def test_the_scene_lists_its_parts_and_a_checkbox_hides_one(reports, name):
    result = reports[name]
    names = ["Uracil pair", "Density", "Cell"]
    assert [part["name"] for part in result["state"]["parts"]] == names
    kinds = {o["type"] for o in result["state"]["objects"]}
    assert {"InstancedMesh", "Mesh", "LineSegments"} <= kinds
    assert result["hits"][0] > 0.05 * result["foreground"]  # the translucent isosurface's colour
    after = result["hidden"]  # the isosurface's checkbox clicked
    assert after["clicked"] and [p["visible"] for p in after["parts"]] == [True, False, True]
    assert after["changed"] > 0.03
    assert after["hits"][0] < 0.1 * result["hits"][0]  # its colour is gone with it
    assert after["foreground"] > 0.01 * after["pixels"]  # the molecule and the cell stay


def test_a_textured_mesh_shows_its_texture(reports):
    result = reports["textured_planet.glb"]
    assert result["state"]["objects"][0]["type"] == "Mesh"
    assert result["foreground"] > 0.1 * result["pixels"]
    assert result["considered"] > 0.5 * result["foreground"]
    assert result["matched"] > 0.9 * result["considered"]  # the hues of the image under white light
    assert all(hits > 0.02 * result["considered"] for hits in result["hits"]), result["hits"]  # every colour


def test_a_crisp_cube_shows_three_shades_and_a_smooth_one_does_not(reports):
    """The default normals split the cube's corners: each visible side is lit evenly, in a shade of its own.
    Smooth normals shade the sides by degrees."""
    crisp, smooth = reports["crisp_cube.glb"], reports["smooth_cube.glb"]
    shades = crisp["shades"][:3]
    assert sum(count for *_, count in shades) > 0.95 * crisp["foreground"]
    assert all(count > 0.1 * crisp["foreground"] for *_, count in shades)
    for i in range(3):
        for j in range(i + 1, 3):
            assert max(abs(a - b) for a, b in zip(shades[i][:3], shades[j][:3])) >= 32, shades
    assert smooth["foreground"] > 0.5 * crisp["foreground"]
    assert sum(count for *_, count in smooth["shades"][:3]) < 0.6 * smooth["foreground"], smooth["shades"]
