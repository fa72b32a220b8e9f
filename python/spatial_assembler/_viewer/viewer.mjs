// The notebook view of a GLB: three.js in a <div>, orbit with the mouse.
// scripts/vendor_viewer.mjs bundles this with three.js from npm into viewer.js.gz,
// which GlbView embeds in its HTML so that it works offline.
import { Box3, Color, DirectionalLight, HemisphereLight, PerspectiveCamera, PointsMaterial, Scene, Vector3,
         WebGLRenderer } from 'three';
import { OrbitControls } from 'three/examples/jsm/controls/OrbitControls.js';
import { GLTFLoader } from 'three/examples/jsm/loaders/GLTFLoader.js';

function bytesOf(base64) {
  const text = atob(base64);
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  return bytes.buffer;
}

// The scene's parts (its top-level nodes, by the names the file gives them) in
// state.parts, and when there are several, a list over the view with a checkbox
// each that shows or hides the part.
function listParts(container, gltf, state, render) {
  const nodes = gltf.parser.json.nodes || [];
  state.parts = gltf.scene.children.map((object, i) => {
    const index = gltf.parser.associations.get(object)?.nodes;
    return { name: (index !== undefined && nodes[index].name) || object.name || `part ${i + 1}`, visible: true };
  });
  if (state.parts.length < 2) return;
  const list = document.createElement('div');
  list.style.cssText = 'position: absolute; top: 8px; left: 8px; max-height: calc(100% - 16px); overflow: auto; '
    + 'padding: 4px 8px; background: rgba(11, 16, 32, 0.8); color: #dde; font: 13px system-ui, sans-serif';
  gltf.scene.children.forEach((object, i) => {
    const label = document.createElement('label');
    label.style.cssText = 'display: block; cursor: pointer; line-height: 1.6';
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.checked = true;
    box.dataset.part = state.parts[i].name;
    box.addEventListener('change', () => {
      object.visible = state.parts[i].visible = box.checked;
      render();
    });
    label.append(box, ' ' + state.parts[i].name);
    list.appendChild(label);
  });
  container.appendChild(list);
}

/**
 * Shows the GLB (base64) in container. container.viewerState tells how it went:
 * { status: 'loading' | 'ready' | 'error', objects: [{ type, vertices }], parts: [{ name, visible }], error }.
 */
export function show(container, base64, { background = 0x0b1020, pointSize = 3, height = 480 } = {}) {
  const state = { status: 'loading', objects: [], parts: [], error: null };
  container.viewerState = state;
  if (getComputedStyle(container).position === 'static') container.style.position = 'relative';  // for the part list
  const width = container.clientWidth || 640;
  // No multisampling: points keep their exact colours up to their edges.
  const renderer = new WebGLRenderer({ antialias: false, preserveDrawingBuffer: true });
  renderer.setPixelRatio(1);
  renderer.setSize(width, height);
  container.appendChild(renderer.domElement);

  const scene = new Scene();
  scene.background = new Color(background);
  scene.add(new HemisphereLight(0xffffff, 0x303040, 0.9));
  const sun = new DirectionalLight(0xffffff, 1.5);
  sun.position.set(0.5, 1, 0.35);
  scene.add(sun);
  const camera = new PerspectiveCamera(45, width / height, 0.01, 1e7);
  const controls = new OrbitControls(camera, renderer.domElement);
  const render = () => renderer.render(scene, camera);
  controls.addEventListener('change', render);

  new GLTFLoader().parse(bytesOf(base64), '', (gltf) => {
    gltf.scene.traverse((object) => {
      if (object.isPoints) {
        // A fixed size in pixels, so that a cloud of any extent shows.
        object.material = new PointsMaterial({ size: pointSize, sizeAttenuation: false, vertexColors: true });
        state.objects.push({ type: 'Points', vertices: object.geometry.attributes.position.count });
      } else if (object.isInstancedMesh) {  // spheres and sticks: EXT_mesh_gpu_instancing
        state.objects.push({ type: 'InstancedMesh', name: object.name, instances: object.count });
      } else if (object.isMesh) {
        state.objects.push({ type: 'Mesh', vertices: object.geometry.attributes.position.count });
      } else if (object.isLine) {
        state.objects.push({ type: object.isLineSegments ? 'LineSegments' : 'Line', vertices: object.geometry.attributes.position.count });
      }
    });
    listParts(container, gltf, state, render);
    scene.add(gltf.scene);
    const box = new Box3().setFromObject(gltf.scene);
    const center = box.getCenter(new Vector3());
    const radius = box.getSize(new Vector3()).length() / 2 || 1;
    const distance = (radius / Math.sin((camera.fov * Math.PI) / 360)) * 0.9;
    camera.position.copy(center).add(new Vector3(0.55, 0.6, 0.85).normalize().multiplyScalar(distance));
    camera.near = distance / 1000;
    camera.far = distance * 10;
    camera.updateProjectionMatrix();
    controls.target.copy(center);
    controls.update();
    render();
    state.status = 'ready';
  }, (failure) => {
    state.status = 'error';
    state.error = String((failure && failure.message) || failure);
    container.textContent = `could not show the GLB: ${state.error}`;
  });
  return state;
}
