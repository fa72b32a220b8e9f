"""out/index.html: a page that shows each file of the demo (GLBs and tilesets)
with the package's own viewer (python/spatial_assembler/_viewer/viewer.mjs,
the one the notebook view bundles).

three.js and 3d-tiles-renderer come from the npm packages installed by the
set-up; the files the page needs are copied next to it, so the folder works on
its own when served with `python -m http.server -d out`.
"""

import json
import re
import shutil
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
THREE = ROOT / "node_modules" / "three"
TILES = ROOT / "node_modules" / "3d-tiles-renderer"
VIEWER = ROOT / "python" / "spatial_assembler" / "_viewer" / "viewer.mjs"
THREE_FILES = [
    "LICENSE",
    "build/three.module.js",
    "build/three.core.js",
    "examples/jsm/loaders/GLTFLoader.js",
    "examples/jsm/controls/OrbitControls.js",
    "examples/jsm/libs/meshopt_decoder.module.js",
    "examples/jsm/utils/BufferGeometryUtils.js",
    "examples/jsm/utils/SkeletonUtils.js",
]
# The entry points of 3d-tiles-renderer that the viewer imports; their chunks are found from their imports.
TILES_ENTRIES = ["build/index.three.js", "build/index.core-plugins.js"]

PAGE = """<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>spatial-assembler viewer</title>
<link rel="icon" href="data:,">
<style>
  html, body { margin: 0; height: 100%; background: #0b1020; color: #dde; font: 14px system-ui, sans-serif; overflow: hidden; }
  #view { position: absolute; inset: 0; }
  #bar { position: absolute; top: 8px; left: 8px; right: 8px; display: flex; flex-wrap: wrap; gap: 6px; align-items: center; }
  #bar button { background: #1c2440; color: #dde; border: 1px solid #3a4670; padding: 4px 10px; cursor: pointer; }
  #bar button.active { background: #3a4670; }
  #status { position: absolute; bottom: 44px; left: 8px; opacity: 0.8; }
  #parts { position: absolute; top: 76px; left: 8px; background: rgba(11, 16, 32, 0.8); padding: 4px 8px; }
  #parts:empty { display: none; }
  #parts label { display: block; cursor: pointer; line-height: 1.6; }
</style>
<script type="importmap">
{ "imports": { "three": "./vendor/three/build/three.module.js",
               "three/examples/jsm/": "./vendor/three/examples/jsm/",
               "three/addons/": "./vendor/three/examples/jsm/",
               "3d-tiles-renderer/three": "./vendor/3d-tiles-renderer/build/index.three.js",
               "3d-tiles-renderer/core/plugins": "./vendor/3d-tiles-renderer/build/index.core-plugins.js" } }
</script>
</head>
<body>
<div id="view"></div>
<div id="bar"></div>
<div id="parts"></div>
<div id="status">loading…</div>
<script type="module">
import { show } from './vendor/viewer.mjs';

const FILES = __FILES__;
const params = new URLSearchParams(location.search);
const chosen = FILES.find((f) => f.name === params.get('file')) || FILES[0];
const ui = params.get('ui') !== '0';  // ui=0: a bare canvas, for screenshots

const bar = document.getElementById('bar');
for (const file of FILES) {
  const button = document.createElement('button');
  button.textContent = file.name;
  button.className = file === chosen ? 'active' : '';
  button.onclick = () => { location.search = '?file=' + encodeURIComponent(file.name); };
  bar.appendChild(button);
}
const status = document.getElementById('status');
const partList = document.getElementById('parts');
if (!ui) for (const element of [bar, status, partList]) element.style.display = 'none';

const view = document.getElementById('view');
const source = chosen.kind === 'tileset' ? { tileset: './' + encodeURIComponent(chosen.name) + '/tileset.json' }
                                         : { url: './' + encodeURIComponent(chosen.name) };
const state = show(view, source, {
  height: null, ui, partList,
  onStatus: (text) => { status.textContent = `${chosen.name} (${chosen.kind}): ${text} Drag to orbit, wheel to zoom.`; },
});
window.viewerState = Object.assign(state, { file: chosen.name });
window.viewerControls = view.viewerControls;
</script>
</body>
</html>
"""


def _tiles_files():
    """The files of 3d-tiles-renderer that the viewer's imports reach, from its entry points."""
    wanted, found = list(TILES_ENTRIES), set()
    while wanted:
        relative = wanted.pop()
        if relative in found:
            continue
        found.add(relative)
        text = (TILES / relative).read_text(encoding="utf-8")
        folder = Path(relative).parent
        wanted += [str(folder / name) for name in re.findall(r"""from\s*["']\./([^"']+)["']""", text)]
    return ["LICENSE", *sorted(found)]


def write_viewer(out: Path, files) -> Path:
    """Writes out/index.html for files [(name, kind), ...] (kind "tileset": a folder with its tileset.json) and
    copies the viewer, three.js and 3d-tiles-renderer beside it."""
    if not THREE.is_dir() or not TILES.is_dir():
        raise FileNotFoundError("three.js or 3d-tiles-renderer is missing: run the README's demo command, "
                                "which installs them")
    copies = [(THREE / relative, out / "vendor" / "three" / relative) for relative in THREE_FILES]
    copies += [(TILES / relative, out / "vendor" / "3d-tiles-renderer" / relative) for relative in _tiles_files()]
    copies.append((VIEWER, out / "vendor" / "viewer.mjs"))
    for source, target in copies:
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, target)
    page = out / "index.html"
    manifest = json.dumps([{"name": name, "kind": kind} for name, kind in files])
    page.write_text(PAGE.replace("__FILES__", manifest))
    return page
