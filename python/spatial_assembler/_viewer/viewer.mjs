// The viewer of spatial-assembler's files: three.js in a <div>, orbit with the mouse.
// It shows a GLB (its parts with checkboxes, its animation with a play button and a
// frame slider, meshopt-compressed buffers decoded) or a 3D Tiles tileset (with
// 3DTilesRendererJS, tiles loaded as the camera comes closer).
// scripts/vendor_viewer.mjs bundles this with three.js and 3d-tiles-renderer from npm
// into viewer.js.gz, which the notebook view embeds in its HTML so that it works
// offline; the demo page (examples/viewer.py) imports this file itself.
import { AnimationMixer, Box3, Color, DirectionalLight, HemisphereLight, LoopRepeat, PerspectiveCamera,
         PointsMaterial, Scene, Sphere, Vector3, WebGLRenderer } from 'three';
import { OrbitControls } from 'three/examples/jsm/controls/OrbitControls.js';
import { GLTFLoader } from 'three/examples/jsm/loaders/GLTFLoader.js';
import { MeshoptDecoder } from 'three/examples/jsm/libs/meshopt_decoder.module.js';
import { TilesRenderer } from '3d-tiles-renderer/three';
import { ImplicitTilingPlugin } from '3d-tiles-renderer/core/plugins';

// The base of the URLs under which a tileset held in memory is served to the renderer: a
// folder, as the renderer takes the part of the tileset's URL before its last '/' as its base.
const MEMORY_BASE = 'https://spatial-assembler.invalid/tileset/';
const PANEL_STYLE = 'position: absolute; padding: 4px 8px; background: rgba(11, 16, 32, 0.8); color: #dde; '
  + 'font: 13px system-ui, sans-serif';

function bytesOf(base64) {
  const text = atob(base64);
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  return bytes.buffer;
}

function gltfLoader(manager) {
  const loader = new GLTFLoader(manager);
  loader.setMeshoptDecoder(MeshoptDecoder);  // EXT_meshopt_compression (and KHR_meshopt_compression)
  return loader;
}

// Serves the files of a tileset held in memory ({ path: base64 }) for the URLs under MEMORY_BASE,
// so that the renderer reads them as if from a server; a path it does not hold is a 404.
class MemoryFilesPlugin {
  constructor(files) {
    this.name = 'SPATIAL_ASSEMBLER_MEMORY_FILES';
    this.files = files;
  }

  fetchData(url) {
    if (!url.startsWith(MEMORY_BASE)) return null;
    const path = decodeURIComponent(url.slice(MEMORY_BASE.length).split(/[?#]/)[0]).replace(/\/{2,}/g, '/');
    const base64 = this.files[path];
    return Promise.resolve(base64 === undefined ? new Response(null, { status: 404, statusText: 'not in the view' })
                                                : new Response(bytesOf(base64)));
  }
}

function pointMaterial(object, pointSize) {
  // A fixed size in pixels, so that a cloud of any extent shows.
  const old = object.material;
  object.material = new PointsMaterial({ size: pointSize, sizeAttenuation: false,
                                         vertexColors: !!object.geometry.attributes.color,
                                         color: object.geometry.attributes.color ? 0xffffff : old.color });
  old.dispose();
}

// The box of what is drawn: objects under a node of zero scale (the frames a trajectory hides) are left out.
function drawnBox(root) {
  root.updateMatrixWorld(true);
  const box = new Box3();
  const part = new Box3();
  root.traverse((object) => {
    if (!object.geometry || object.matrixWorld.determinant() === 0) return;
    if (object.isInstancedMesh) {
      object.computeBoundingBox();
      part.copy(object.boundingBox);
    } else {
      object.geometry.computeBoundingBox();
      part.copy(object.geometry.boundingBox);
    }
    box.union(part.applyMatrix4(object.matrixWorld));
  });
  return box;
}

// The scene's parts (its top-level nodes, by the names the file gives them) in
// state.parts, and when there are several, a checkbox each that shows or hides the part.
function listParts(list, gltf, state, render) {
  const nodes = gltf.parser.json.nodes || [];
  state.parts = gltf.scene.children.map((object, i) => {
    const index = gltf.parser.associations.get(object)?.nodes;
    return { name: (index !== undefined && nodes[index].name) || object.name || `part ${i + 1}`, visible: true };
  });
  if (state.parts.length < 2 || gltf.animations.length) return;  // a trajectory's frames are not parts
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
}

// The times at which a clip's frames begin: every key time of its tracks but the
// clip's end. A trajectory's frame k begins at k / fps.
function frameTimes(clip) {
  const times = new Set();
  for (const track of clip.tracks) for (const t of track.times) times.add(t);
  const sorted = [...times].sort((a, b) => a - b);
  return sorted.length > 1 ? sorted.filter((t) => t < clip.duration) : [0];
}

/**
 * Shows a file in container and returns container.viewerState, which tells how it went:
 * { status: 'loading' | 'ready' | 'error', objects: [{ type, vertices }], parts: [{ name, visible }], error,
 *   animation: null | { playing, time, frame, frames, duration },
 *   tiles: null | { loaded, visible, points, deepest, levels (visible tiles per level), loading, failed } }.
 * source: the GLB as base64 or as { url }, or a tileset as { tileset: url } or { tileset: path, files: { path: base64 } }.
 * container.viewerControls: { play(), pause(), setTime(seconds), setFrame(k), zoom(factor) }.
 * options: height in pixels, or null to fill the container and follow the window's size; ui: false hides the
 * panels (they still work); partList: an element for the parts' checkboxes; onStatus(text).
 */
export function show(container, source, { background = 0x0b1020, pointSize = 3, height = 480, ui = true,
                                          partList = null, onStatus = () => {} } = {}) {
  const state = { status: 'loading', objects: [], parts: [], error: null, animation: null, tiles: null };
  container.viewerState = state;
  if (getComputedStyle(container).position === 'static') container.style.position = 'relative';  // for the panels
  const size = () => [container.clientWidth || innerWidth || 640, height ?? (container.clientHeight || innerHeight)];
  let [width, tall] = size();
  // No multisampling: points keep their exact colours up to their edges.
  const renderer = new WebGLRenderer({ antialias: false, preserveDrawingBuffer: true });
  renderer.setPixelRatio(1);
  renderer.setSize(width, tall);
  container.prepend(renderer.domElement);

  const scene = new Scene();
  scene.background = new Color(background);
  scene.add(new HemisphereLight(0xffffff, 0x303040, 0.9));
  const sun = new DirectionalLight(0xffffff, 1.5);
  sun.position.set(0.5, 1, 0.35);
  scene.add(sun);
  const camera = new PerspectiveCamera(45, width / tall, 0.01, 1e7);
  const controls = new OrbitControls(camera, renderer.domElement);

  // Frames are drawn while something moves (an animation plays, tiles load), else on demand.
  let tiles = null, mixer = null, clock = 0, settling = 0;
  const render = () => renderer.render(scene, camera);
  const loop = (now) => {
    const seconds = clock ? (now - clock) / 1000 : 0;
    clock = now;
    if (mixer && state.animation.playing) {
      mixer.update(seconds);
      noteTime();
    }
    if (tiles) {
      camera.updateMatrixWorld();
      tiles.update();
      noteTiles();
    }
    render();
    const busy = (state.animation && state.animation.playing) || (tiles && (tiles.isLoading || --settling > 0));
    if (!busy) {
      renderer.setAnimationLoop(null);
      clock = 0;
    }
  };
  const wake = () => {
    settling = 30;  // tiles settle over a few updates after the camera moved
    renderer.setAnimationLoop(loop);
  };
  controls.addEventListener('change', () => (tiles || mixer ? wake() : render()));
  if (height === null) {
    addEventListener('resize', () => {
      [width, tall] = size();
      camera.aspect = width / tall;
      camera.updateProjectionMatrix();
      renderer.setSize(width, tall);
      wake();
      render();
    });
  }

  const panel = (css) => {
    const element = document.createElement('div');
    element.style.cssText = PANEL_STYLE + '; ' + css + (ui ? '' : '; display: none');
    container.appendChild(element);
    return element;
  };

  function frame(center, radius) {
    const distance = (radius / Math.sin((camera.fov * Math.PI) / 360)) * 0.9;
    camera.position.copy(center).add(new Vector3(0.55, 0.6, 0.85).normalize().multiplyScalar(distance));
    camera.near = distance / 1000;
    camera.far = distance * 10;
    camera.updateProjectionMatrix();
    controls.target.copy(center);
    controls.update();
  }

  function fail(failure) {
    state.status = 'error';
    state.error = String((failure && failure.message) || failure);
    renderer.setAnimationLoop(null);
    onStatus(`could not show the file: ${state.error}`);
    const message = panel('bottom: 8px; left: 8px; display: block');
    message.textContent = `could not show the file: ${state.error}`;
  }

  // The play button, the frame slider and the time of an animation.
  let noteTime = () => {};
  function animate(gltf) {
    const clip = gltf.animations[0];
    const times = frameTimes(clip);
    mixer = new AnimationMixer(gltf.scene);
    const action = mixer.clipAction(clip);
    action.setLoop(LoopRepeat, Infinity);
    action.play();
    mixer.setTime(0);
    state.animation = { playing: false, time: 0, frame: 0, frames: times.length, duration: clip.duration };
    const bar = panel('bottom: 8px; left: 8px; right: 8px; display: flex; gap: 8px; align-items: center');
    const button = document.createElement('button');
    button.dataset.control = 'play';
    button.style.cssText = 'min-width: 4em; background: #1c2440; color: #dde; border: 1px solid #3a4670; cursor: pointer';
    const slider = document.createElement('input');
    slider.type = 'range';
    slider.min = 0;
    slider.max = times.length - 1;
    slider.step = 1;
    slider.value = 0;
    slider.dataset.control = 'frame';
    slider.style.flex = '1';
    const label = document.createElement('span');
    bar.append(button, slider, label);
    noteTime = () => {
      const time = mixer.time % clip.duration;
      let k = 0;
      while (k + 1 < times.length && times[k + 1] <= time) k++;
      Object.assign(state.animation, { time, frame: k });
      slider.value = k;
      button.textContent = state.animation.playing ? 'pause' : 'play';
      label.textContent = `frame ${k + 1} / ${times.length}, ${time.toFixed(2)} s`;
    };
    const setTime = (seconds) => {
      mixer.setTime(seconds);
      noteTime();
      render();
    };
    // The middle of frame k, safe from rounding at its edges.
    const setFrame = (k) => {
      const index = Math.max(0, Math.min(times.length - 1, Math.round(k)));
      setTime((times[index] + (times[index + 1] ?? clip.duration)) / 2);
    };
    const play = () => {
      state.animation.playing = true;
      noteTime();
      wake();
    };
    const pause = () => {
      state.animation.playing = false;
      noteTime();
    };
    button.addEventListener('click', () => (state.animation.playing ? pause() : play()));
    slider.addEventListener('input', () => {
      pause();
      setFrame(Number(slider.value));
    });
    Object.assign(container.viewerControls, { play, pause, setTime, setFrame });
    noteTime();
  }

  function describe(object) {
    if (object.isPoints) {
      pointMaterial(object, pointSize);
      state.objects.push({ type: 'Points', vertices: object.geometry.attributes.position.count });
    } else if (object.isInstancedMesh) {  // spheres and sticks: EXT_mesh_gpu_instancing
      state.objects.push({ type: 'InstancedMesh', name: object.name, instances: object.count,
                           vertices: object.geometry.attributes.position.count });
    } else if (object.isMesh) {
      state.objects.push({ type: 'Mesh', vertices: object.geometry.attributes.position.count,
                           indices: object.geometry.index ? object.geometry.index.count : 0,
                           vertexColors: !!object.geometry.attributes.color });
    } else if (object.isLine) {
      state.objects.push({ type: object.isLineSegments ? 'LineSegments' : 'Line',
                           vertices: object.geometry.attributes.position.count });
    }
  }

  function showGlb(gltf) {
    gltf.scene.traverse(describe);
    listParts(partList || panel('top: 8px; left: 8px; max-height: calc(100% - 16px); overflow: auto'), gltf, state, render);
    scene.add(gltf.scene);
    if (gltf.animations.length) animate(gltf);
    const box = drawnBox(gltf.scene);
    frame(box.getCenter(new Vector3()), box.getSize(new Vector3()).length() / 2 || 1);
    render();
    requestAnimationFrame(() => {
      render();
      state.status = 'ready';
      const counts = state.objects.map((o) => (o.instances ? `${o.instances.toLocaleString()} ${o.name}`
                                                           : `${o.type}: ${o.vertices.toLocaleString()} vertices`));
      const shown = counts.length > 6 ? [...counts.slice(0, 6), `${counts.length - 6} more`] : counts;
      onStatus(`${shown.join(', ')}${state.animation ? `, ${state.animation.frames} frames` : ''}.`);
    });
  }

  // Tilesets: points at a fixed size in pixels, z up turned to three.js's y up, and the renderer's counters.
  let noteTiles = () => {};
  function showTileset(url, files) {
    tiles = new TilesRenderer(files ? MEMORY_BASE + url : url);
    if (files) tiles.registerPlugin(new MemoryFilesPlugin(files));
    tiles.registerPlugin(new ImplicitTilingPlugin());
    tiles.manager.addHandler(/\.(gltf|glb)$/i, gltfLoader(tiles.manager));
    // A tile's geometric error is about the spacing of its points: refined where the gaps would show
    // at the size that points are drawn.
    tiles.errorTarget = 2 * pointSize;
    tiles.setCamera(camera);
    tiles.setResolutionFromRenderer(camera, renderer);
    tiles.group.rotation.x = -Math.PI / 2;
    scene.add(tiles.group);
    state.tiles = { loaded: 0, visible: 0, points: 0, deepest: 0, levels: [], loading: 0, failed: 0 };
    tiles.addEventListener('load-model', ({ scene: model }) => {
      model.traverse((object) => { if (object.isPoints) pointMaterial(object, pointSize); });
      wake();
    });
    tiles.addEventListener('load-error', ({ tile, error }) => { if (!tile) fail(error); });  // the tileset.json
    tiles.addEventListener('load-root-tileset', () => {
      const sphere = new Sphere();
      if (!tiles.getBoundingSphere(sphere)) return;
      tiles.group.updateMatrixWorld(true);
      sphere.applyMatrix4(tiles.group.matrixWorld);
      frame(sphere.center, sphere.radius || 1);
      wake();
    });
    noteTiles = () => {
      let points = 0;
      const levels = [];  // visible tiles per level of the tree
      for (const tile of tiles.visibleTiles) {
        tile.engineData?.scene?.traverse((object) => {
          if (object.isPoints) points += object.geometry.attributes.position.count;
        });
        const level = tile.implicitTilingData?.level ?? tile.internal?.depth ?? 0;
        while (levels.length <= level) levels.push(0);
        levels[level]++;
      }
      const { stats } = tiles;
      const deepest = Math.max(0, levels.length - 1);
      Object.assign(state.tiles, { loaded: stats.loaded, visible: tiles.visibleTiles.size, points, deepest, levels,
                                   loading: stats.queued + stats.downloading + stats.parsing, failed: stats.failed });
      if (state.status === 'loading' && !tiles.isLoading && stats.failed > 0) {
        fail(`${stats.failed} of the tileset's files failed to load`);
      } else if (state.status === 'loading' && stats.loaded > 0 && !tiles.isLoading && tiles.visibleTiles.size > 0) {
        state.status = 'ready';
      }
      if (state.status === 'ready') {
        onStatus(`tileset: ${state.tiles.visible} tiles shown (${points.toLocaleString()} points), `
                 + `${stats.loaded} loaded, down to level ${deepest}.`);
      }
    };
    wake();
  }

  container.viewerControls = {
    // Moves the camera towards (factor < 1) or away from the point it orbits.
    zoom: (factor) => {
      camera.position.sub(controls.target).multiplyScalar(factor).add(controls.target);
      controls.update();  // its change event draws the view again
    },
  };
  try {
    if (typeof source === 'string') {
      gltfLoader().parse(bytesOf(source), '', showGlb, fail);
    } else if (source.tileset) {
      showTileset(source.tileset, source.files);
    } else {
      gltfLoader().loadAsync(source.url).then(showGlb, fail);
    }
  } catch (failure) {
    fail(failure);
  }
  return state;
}
