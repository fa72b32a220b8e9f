"""out/index.html: a three.js page that shows each GLB of the demo.

three.js comes from the npm package installed by the set-up; the files the page
needs are copied next to it, so the folder works on its own when served with
`python -m http.server -d out`.
"""

import json
import shutil
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
THREE = ROOT / "node_modules" / "three"
THREE_FILES = [
    "LICENSE",
    "build/three.module.js",
    "build/three.core.js",
    "examples/jsm/loaders/GLTFLoader.js",
    "examples/jsm/controls/OrbitControls.js",
    "examples/jsm/utils/BufferGeometryUtils.js",
    "examples/jsm/utils/SkeletonUtils.js",
]

PAGE = """<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>GLB viewer</title>
<link rel="icon" href="data:,">
<style>
  html, body { margin: 0; height: 100%; background: #0b1020; color: #dde; font: 14px system-ui, sans-serif; overflow: hidden; }
  #bar { position: absolute; top: 8px; left: 8px; display: flex; gap: 6px; align-items: center; }
  #bar button { background: #1c2440; color: #dde; border: 1px solid #3a4670; padding: 4px 10px; cursor: pointer; }
  #bar button.active { background: #3a4670; }
  #status { position: absolute; bottom: 8px; left: 8px; opacity: 0.8; }
  #parts { position: absolute; top: 44px; left: 8px; background: rgba(11, 16, 32, 0.8); padding: 4px 8px; }
  #parts:empty { display: none; }
  #parts label { display: block; cursor: pointer; line-height: 1.6; }
</style>
<script type="importmap">
{ "imports": { "three": "./vendor/three/build/three.module.js", "three/addons/": "./vendor/three/examples/jsm/" } }
</script>
</head>
<body>
<div id="bar"></div>
<div id="parts"></div>
<div id="status">loading…</div>
<script type="module">
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';
import { OrbitControls } from 'three/addons/controls/OrbitControls.js';

const FILES = __FILES__;
const BACKGROUND = 0x0b1020;
const POINT_SIZE = 3;  // pixels, whatever the distance

const params = new URLSearchParams(location.search);
const chosen = FILES.find((f) => f.name === params.get('file')) || FILES[0];
const state = (window.viewerState = { file: chosen.name, status: 'loading', objects: [], parts: [], error: null });

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
if (params.get('ui') === '0') {  // bare canvas, for screenshots
  for (const element of [bar, status, partList]) element.style.display = 'none';
}

const renderer = new THREE.WebGLRenderer({ antialias: false, preserveDrawingBuffer: true });
renderer.setPixelRatio(1);
renderer.setSize(innerWidth, innerHeight);
document.body.prepend(renderer.domElement);
const scene = new THREE.Scene();
scene.background = new THREE.Color(BACKGROUND);
scene.add(new THREE.HemisphereLight(0xffffff, 0x303040, 0.9));
const sun = new THREE.DirectionalLight(0xffffff, 1.5);
sun.position.set(0.5, 1, 0.35);
scene.add(sun);
const camera = new THREE.PerspectiveCamera(45, innerWidth / innerHeight, 0.01, 1e7);
const controls = new OrbitControls(camera, renderer.domElement);
controls.addEventListener('change', render);
addEventListener('resize', () => {
  camera.aspect = innerWidth / innerHeight;
  camera.updateProjectionMatrix();
  renderer.setSize(innerWidth, innerHeight);
  render();
});

function render() { renderer.render(scene, camera); }

function frame(object) {
  const box = new THREE.Box3().setFromObject(object);
  const center = box.getCenter(new THREE.Vector3());
  const radius = box.getSize(new THREE.Vector3()).length() / 2 || 1;
  const distance = radius / Math.sin((camera.fov * Math.PI) / 360) * 0.9;
  camera.position.copy(center).add(new THREE.Vector3(0.55, 0.6, 0.85).normalize().multiplyScalar(distance));
  camera.near = distance / 1000;
  camera.far = distance * 10;
  camera.updateProjectionMatrix();
  controls.target.copy(center);
  controls.update();
}

// The scene's parts (its top-level nodes, by the names the file gives them), each
// with a checkbox that shows or hides it; listed when there are several.
function listParts(gltf) {
  const nodes = gltf.parser.json.nodes || [];
  state.parts = gltf.scene.children.map((object, i) => {
    const index = gltf.parser.associations.get(object)?.nodes;
    return { name: (index !== undefined && nodes[index].name) || object.name || `part ${i + 1}`, visible: true };
  });
  if (state.parts.length < 2) return;
  gltf.scene.children.forEach((object, i) => {
    const label = document.createElement('label');
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.checked = true;
    box.dataset.part = state.parts[i].name;
    box.addEventListener('change', () => {
      object.visible = state.parts[i].visible = box.checked;
      render();
    });
    label.append(box, ' ' + state.parts[i].name);
    partList.appendChild(label);
  });
}

try {
  const gltf = await new GLTFLoader().loadAsync('./' + encodeURIComponent(chosen.name));
  gltf.scene.traverse((object) => {
    if (object.isPoints) {
      object.material = new THREE.PointsMaterial({ size: POINT_SIZE, sizeAttenuation: false, vertexColors: true });
      state.objects.push({ type: 'Points', vertices: object.geometry.attributes.position.count });
    } else if (object.isInstancedMesh) {  // EXT_mesh_gpu_instancing: one mesh drawn many times
      state.objects.push({ type: 'InstancedMesh', name: object.name, instances: object.count,
                           vertices: object.geometry.attributes.position.count });
    } else if (object.isMesh) {
      state.objects.push({ type: 'Mesh', vertices: object.geometry.attributes.position.count,
                           indices: object.geometry.index ? object.geometry.index.count : 0,
                           vertexColors: !!object.geometry.attributes.color });
    } else if (object.isLine) {
      state.objects.push({ type: object.isLineSegments ? 'LineSegments' : 'Line', vertices: object.geometry.attributes.position.count });
    }
  });
  listParts(gltf);
  scene.add(gltf.scene);
  frame(gltf.scene);
  render();
  requestAnimationFrame(() => {
    render();
    state.status = 'ready';
    const counts = state.objects.map((o) => o.instances ? `${o.instances.toLocaleString()} ${o.name}`
                                                      : `${o.type}: ${o.vertices.toLocaleString()} vertices`).join(', ');
    status.textContent = `${chosen.name} (${chosen.kind}): ${counts}. Drag to orbit, wheel to zoom.`;
  });
} catch (failure) {
  state.status = 'error';
  state.error = String(failure && failure.message || failure);
  status.textContent = 'could not load ' + chosen.name + ': ' + state.error;
}
</script>
</body>
</html>
"""


def write_viewer(out: Path, files) -> Path:
    """Writes out/index.html for files [(name, kind), ...] and copies three.js beside it."""
    if not THREE.is_dir():
        raise FileNotFoundError("three.js is missing: run the README's demo command, which installs it")
    for relative in THREE_FILES:
        target = out / "vendor" / "three" / relative
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(THREE / relative, target)
    page = out / "index.html"
    manifest = json.dumps([{"name": name, "kind": kind} for name, kind in files])
    page.write_text(PAGE.replace("__FILES__", manifest))
    return page
