// three.js, gltf-transform and Babylon.js on the files of scripts/consumers/run:
// the largest error of the positions each draws, per axis over the axis'
// extent, or the number of spheres drawn.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const folder = process.argv[2];
const require = createRequire(join(folder, 'package.json'));
const load = (name) => import(pathToFileURL(require.resolve(name)).href);
const { Vector3 } = (await load('three')).default;  // its CommonJS build: only the vector arithmetic
const { GLTFLoader } = await load('three/examples/jsm/loaders/GLTFLoader.js');
const { NodeIO } = await load('@gltf-transform/core');
const { ALL_EXTENSIONS } = await load('@gltf-transform/extensions');
const { quantize, meshopt, dequantize } = await load('@gltf-transform/functions');
const { MeshoptEncoder, MeshoptDecoder } = await load('meshoptimizer');
global.XMLHttpRequest = class {};  // Babylon's file tools look for it; loading from memory never uses it
const BABYLON = require('babylonjs');
const LOADERS = require('babylonjs-loaders');
if (!BABYLON.SceneLoader.IsPluginForExtensionAvailable('.glb')) BABYLON.SceneLoader.RegisterPlugin(new LOADERS.GLTFFileLoader());

const originals = JSON.parse(readFileSync(join(folder, 'originals.json'), 'utf8'));
await MeshoptEncoder.ready;
await MeshoptDecoder.ready;
const io = new NodeIO().registerExtensions(ALL_EXTENSIONS)
  .registerDependencies({ 'meshopt.encoder': MeshoptEncoder, 'meshopt.decoder': MeshoptDecoder });

function error(world, original) {
  if (world.length !== original.length) return `${world.length} positions of ${original.length}`;
  return [0, 1, 2].map((axis) => {
    const a = world.map((p) => p[axis]).sort((x, y) => x - y);
    const b = original.map((p) => p[axis]).sort((x, y) => x - y);
    let worst = 0;
    for (let i = 0; i < a.length; i++) worst = Math.max(worst, Math.abs(a[i] - b[i]));
    return (worst / (b[b.length - 1] - b[0])).toExponential(1);
  }).join(' ');
}

async function three(bytes, kind) {
  const loader = new GLTFLoader().setMeshoptDecoder(MeshoptDecoder);
  const gltf = await loader.parseAsync(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength), '');
  gltf.scene.updateMatrixWorld(true);
  const world = [];
  let spheres = 0;
  const v = new Vector3();
  gltf.scene.traverse((o) => {
    if (!o.geometry) return;
    spheres += o.isInstancedMesh ? o.count : 1;
    const p = o.geometry.attributes.position;
    for (let i = 0; i < p.count; i++) world.push(v.fromBufferAttribute(p, i).applyMatrix4(o.matrixWorld).toArray());
  });
  return kind === 'spheres' ? `${spheres} spheres drawn of 300` : error(world, originals[kind]);
}

async function babylon(bytes, kind, engine) {
  const scene = new BABYLON.Scene(engine);
  try {
    const { meshes } = await BABYLON.SceneLoader.ImportMeshAsync('', '', bytes, scene, null, '.glb');
    const world = [];
    let spheres = 0;
    for (const mesh of meshes) {
      const p = mesh.getVerticesData?.(BABYLON.VertexBuffer.PositionKind);
      if (!p) continue;
      spheres += mesh.thinInstanceCount || 1;
      const m = mesh.computeWorldMatrix(true);
      for (let i = 0; i < p.length; i += 3) {
        const w = BABYLON.Vector3.TransformCoordinates(new BABYLON.Vector3(p[i], p[i + 1], p[i + 2]), m);
        world.push([-w.x, w.y, w.z]);  // the loader's root node turns the right-handed file into Babylon's left-handed space
      }
    }
    return kind === 'spheres' ? `${spheres} spheres drawn of 300` : error(world, originals[kind]);
  } finally {
    scene.dispose();
  }
}

const rewrite = (transform) => async (bytes) => {
  const document = await io.readBinary(bytes);
  if (transform) await document.transform(transform);
  return io.writeBinary(document);
};
const readers = [
  ['three.js', (bytes, kind) => three(bytes, kind)],
  ['gltf-transform read, written', async (bytes, kind) => three(await rewrite()(bytes), kind)],
  ['gltf-transform quantize()', async (bytes, kind) => three(await rewrite(quantize())(bytes), kind)],
  ['gltf-transform meshopt()', async (bytes, kind) => three(await rewrite(meshopt({ encoder: MeshoptEncoder }))(bytes), kind)],
  ['gltf-transform dequantize()', async (bytes, kind) => three(await rewrite(dequantize())(bytes), kind)],
];
BABYLON.Logger.LogLevels = BABYLON.Logger.NoneLogLevel;
const engine = new BABYLON.NullEngine();
readers.push([`Babylon.js ${BABYLON.Engine.Version}`, (bytes, kind) => babylon(bytes, kind, engine)]);

const quiet = console.log;
console.warn = console.info = console.debug = () => {};  // the transforms' and Babylon's own notes
for (const encoding of ['float32', 'compact']) {
  for (const kind of ['points', 'atoms', 'mesh', 'lines', 'spheres']) {
    const bytes = new Uint8Array(readFileSync(join(folder, `${encoding}_${kind}.glb`)));
    for (const [name, read] of readers) {
      let text;
      try { text = await read(bytes, kind); } catch (failure) { text = `fails: ${String(failure.message).slice(0, 120)}`; }
      quiet(`${encoding.padEnd(8)} ${kind.padEnd(8)} ${name.padEnd(30)} ${text}`);
    }
  }
}
