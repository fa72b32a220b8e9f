// Scenes of the Node face: three.js reads a scene of every kind of part back,
// part by part (names, counts, world transforms, the texture's image); a scene
// of one part writes its function's bytes; random scenes give the Python
// package's bytes and valid files; scene-only bad inputs throw clear errors.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { crc32, deflateSync } from 'node:zlib';

import { numberStream } from '../references/number_stream.mjs';
import { PYTHON, ROOT, assertValid, readGlb, sa } from './helpers.mjs';

// three.js decodes an embedded image with createImageBitmap on a blob: URL, which
// Node lacks: here the "bitmap" is the image's bytes, for the test to compare.
globalThis.self ??= globalThis;
globalThis.createImageBitmap ??= async (blob) => ({ bytes: new Uint8Array(await blob.arrayBuffer()), width: 1, height: 1,
                                                    close() {} });

/** A PNG of 8-bit RGB pixels (rows of width * 3 bytes), written with zlib. */
function png(width, height, pixels) {
  const chunk = (type, data) => {
    const out = Buffer.alloc(12 + data.length);
    out.writeUInt32BE(data.length, 0);
    out.write(type, 4, 'latin1');
    data.copy(out, 8);
    out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
    return out;
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8;  // bits per channel
  header[9] = 2;  // RGB
  const rows = Buffer.alloc(height * (1 + 3 * width));  // each row: filter 0, then its pixels
  for (let y = 0; y < height; y++) Buffer.from(pixels.subarray(y * 3 * width, (y + 1) * 3 * width)).copy(rows, y * (1 + 3 * width) + 1);
  return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]), chunk('IHDR', header),
                        chunk('IDAT', deflateSync(rows)), chunk('IEND', Buffer.alloc(0))]);
}

/** A rotation (from a random unit quaternion), a uniform scale and a translation: 16 numbers, row by row. */
function placement(next) {
  let [x, y, z, w] = [next() - 0.5, next() - 0.5, next() - 0.5, next() - 0.5];
  const length = Math.hypot(x, y, z, w);
  [x, y, z, w] = [x / length, y / length, z / length, w / length];
  const s = 0.25 + next() * 3;
  const r = [[1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)],
             [2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)],
             [2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)]];
  return [...r[0].map((v) => v * s), next() * 20 - 10, ...r[1].map((v) => v * s), next() * 20 - 10,
          ...r[2].map((v) => v * s), next() * 20 - 10, 0, 0, 0, 1];
}

const CUBE = Float64Array.from([0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1, 1, 0, 0, 1, 0, 1, 1, 1, 0, 1, 1, 1]);
const CUBE_FACES = [0, 1, 3, 0, 3, 2, 4, 6, 7, 4, 7, 5, 0, 4, 5, 0, 5, 1, 2, 3, 7, 2, 7, 6, 0, 2, 6, 0, 6, 4, 1, 5, 7, 1, 7, 3];
const CUBE_EDGES = [0, 1, 0, 2, 0, 4, 1, 3, 1, 5, 2, 3, 2, 6, 3, 7, 4, 5, 4, 6, 5, 7, 6, 7];

async function loaded(glb) {
  const { GLTFLoader } = await import('three/examples/jsm/loaders/GLTFLoader.js');
  const gltf = await new GLTFLoader().parseAsync(glb.buffer.slice(glb.byteOffset, glb.byteOffset + glb.length), '');
  gltf.scene.updateMatrixWorld(true);
  return gltf;
}

/** The objects under a part's node that draw something. */
function drawn(object) {
  const found = [];
  object.traverse((child) => { if (child.isMesh || child.isPoints || child.isLine) found.push(child); });
  return found;
}

/** Where three.js puts an object's vertex i in the world (normalised attributes read as what they stand for). */
async function worldVertex(object, i) {
  const { Vector3 } = await import('three');
  return new Vector3().fromBufferAttribute(object.geometry.attributes.position, i).applyMatrix4(object.matrixWorld);
}

function transformed(matrix, points, i) {
  const [x, y, z] = [points[3 * i], points[3 * i + 1], points[3 * i + 2]];
  return [0, 1, 2].map((row) => matrix[4 * row] * x + matrix[4 * row + 1] * y + matrix[4 * row + 2] * z + matrix[4 * row + 3]);
}

function close(actual, expected, tolerance, what) {
  actual.forEach((value, i) => assert.ok(Math.abs(value - expected[i]) <= tolerance, `${what}: ${actual} is not ${expected}`));
}

test('three.js reads a scene of every kind of part back, part by part', async () => {
  const next = numberStream(11);
  const atoms = Float64Array.from({ length: 3 * 40 }, () => next() * 8);
  const cloud = Float32Array.from({ length: 3 * 500 }, () => next() * 30 - 15);
  const path = Float64Array.from({ length: 3 * 25 }, () => next() * 5);
  const image = png(4, 2, Uint8Array.from({ length: 24 }, () => Math.floor(next() * 256)));
  const moves = { Molecule: placement(next), Cloud: placement(next), Box: placement(next), Path: placement(next) };
  const bonds = Array.from({ length: 30 }, (_, i) => [2 * i % 40, (2 * i + 1) % 40]).flat();
  const scene = new sa.Scene()
    .atoms(atoms, { elements: Array.from({ length: 40 }, (_, i) => ['C', 'N', 'O', 'H'][i % 4]), style: 'ball-and-stick',
                    bonds, name: 'Molecule', transform: moves.Molecule })
    .points(cloud, { colors: Float32Array.from({ length: 4 * 500 }, next), name: 'Cloud', transform: moves.Cloud, encoding: 'compact' })
    .mesh(CUBE, CUBE_FACES, { uv: Float32Array.from({ length: 16 }, next), texture: image, name: 'Box', transform: moves.Box })
    .lines(CUBE.map((v) => 3 * v), { segments: CUBE_EDGES, name: 'Cell' })
    .lines(path, { color: [1, 0.5, 0, 1], name: 'Path', transform: moves.Path });
  assert.equal(scene.length, 5);
  assert.deepEqual(scene.parts.map((p) => p.kind), ['atoms', 'points', 'mesh', 'lines', 'lines']);
  const glb = scene.glb();
  await assertValid(glb);
  const gltf = await loaded(glb);
  const parts = Object.fromEntries(gltf.scene.children.map((child) => [child.name, child]));
  assert.deepEqual(gltf.scene.children.map((child) => child.name), ['Molecule', 'Cloud', 'Box', 'Cell', 'Path']);
  for (const [name, matrix] of Object.entries(moves)) {
    const expected = [0, 1, 2, 3].flatMap((column) => [0, 1, 2, 3].map((row) => matrix[4 * row + column]));  // column-major
    close(parts[name].matrixWorld.elements, expected, 1e-12, `${name}'s world matrix`);
  }
  close(parts.Cell.matrixWorld.elements, [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1], 0, 'Cell, not moved');

  const instanced = drawn(parts.Molecule).filter((o) => o.isInstancedMesh);
  const count = (prefix) => instanced.filter((o) => o.name.startsWith(prefix)).reduce((sum, o) => sum + o.count, 0);
  assert.equal(count('Atoms'), 40);
  assert.equal(count('Bonds'), 2 * 30);  // two half-sticks a bond

  const [points] = drawn(parts.Cloud);
  assert.ok(points.isPoints && points.geometry.attributes.position.count === 500 && points.geometry.attributes.color);
  const step = 30 * 6 / 65535;  // a 16-bit step of the cloud's extent, scaled by the transform at most 3.25 times
  for (const i of [0, 123, 499]) close((await worldVertex(points, i)).toArray(), transformed(moves.Cloud, cloud, i), step, 'a point');

  const [box] = drawn(parts.Box);
  assert.ok(box.isMesh && box.geometry.index.count === 36 && box.geometry.attributes.uv);
  assert.deepEqual(Buffer.from(box.material.map.image.bytes), image);  // the texture's image, as embedded
  assert.equal(box.material.map.flipY, false);
  const corners = box.geometry.attributes.position;
  for (let i = 0; i < corners.count; i++) {
    const original = [...Array(8).keys()].find((k) => [0, 1, 2].every((a) => CUBE[3 * k + a] === corners.getComponent(i, a)));
    close((await worldVertex(box, i)).toArray(), transformed(moves.Box, CUBE, original), 1e-5, 'a corner of the box');
  }

  const [cell] = drawn(parts.Cell);
  assert.ok(cell.isLineSegments && cell.geometry.index.count === 24);
  const [strip] = drawn(parts.Path);
  assert.ok(strip.isLine && !strip.isLineSegments && strip.geometry.attributes.position.count === 25);
  assert.deepEqual(strip.material.color.toArray(), [1, 0.5, 0]);
  close((await worldVertex(strip, 7)).toArray(), transformed(moves.Path, path, 7), 1e-5, 'a point of the path');
});

test('a scene of one part writes its function\'s file, now and on the thread pool', async (t) => {
  const next = numberStream(12);
  const positions = Float64Array.from({ length: 3 * 300 }, () => next() * 10);
  const faces = Uint32Array.from({ length: 3 * 200 }, (_, i) => (Math.floor(i / 3) + (i % 3)) % 300);
  const image = png(2, 2, Uint8Array.from({ length: 12 }, () => Math.floor(next() * 256)));
  for (const encoding of ['float32', 'compact']) {
    const colors = Float32Array.from({ length: 4 * 300 }, next);
    assert.ok(new sa.Scene().points(positions, { colors }).glb({ encoding }).equals(sa.pointCloud(positions, { colors, encoding })));
    const atoms = { types: Int32Array.from({ length: 300 }, () => Math.floor(next() * 9)), style: 'spheres' };
    assert.ok(new sa.Scene().atoms(positions, atoms).glb({ encoding }).equals(sa.atoms(positions, { ...atoms, encoding })));
    const mesh = { uv: Float32Array.from({ length: 600 }, next), texture: image, normals: 'flat', metallic: 0.5 };
    const scene = new sa.Scene().mesh(positions, faces, mesh);
    assert.ok(scene.glb({ encoding }).equals(sa.mesh(positions, faces, { ...mesh, encoding })));
    assert.ok((await scene.glbAsync({ encoding })).equals(scene.glb({ encoding })));
  }
  const folder = mkdtempSync(join(tmpdir(), 'scene-'));
  t.after(() => rmSync(folder, { recursive: true, force: true }));
  const scene = new sa.Scene().points(positions, { name: 'Cloud' });
  scene.save(join(folder, 'cloud.glb'));
  assert.ok(readFileSync(join(folder, 'cloud.glb')).equals(scene.glb()));
  const into = Buffer.alloc(scene.glb().length + 16, 7);
  const view = scene.glb({ into });
  assert.ok(view.equals(scene.glb()) && view.buffer === into.buffer && into.at(-1) === 7);
});

// A typed array for the manifest: its dtype, its values, and the width of its rows.
function encoded(array, width) {
  const dtype = { Float32Array: 'float32', Float64Array: 'float64', Uint8Array: 'uint8', Int32Array: 'int32',
                  Uint32Array: 'uint32', Uint16Array: 'uint16', Buffer: 'uint8' }[array.constructor.name];
  return { dtype, values: Array.from(array), ...(width ? { width } : {}) };
}

const PYTHON_NAMES = { baseColor: 'base_color', doubleSided: 'double_sided', creaseAngle: 'crease_angle' };
const ROW_WIDTHS = { normals: 3, uv: 2, bonds: 2, segments: 2 };

/** A random scene of random parts: the Node Scene, and the same for Python. */
function randomScene(next, index, image) {
  const pick = (choices) => choices[Math.floor(next() * choices.length)];
  const scene = new sa.Scene();
  const python = [];
  const partCount = 1 + Math.floor(next() * 4);
  for (let p = 0; p < partCount; p++) {
    const kind = p === 0 ? ['points', 'atoms', 'mesh', 'lines'][index % 4] : pick(['points', 'atoms', 'mesh', 'lines']);
    const n = 3 + Math.floor(next() * (next() < 0.15 ? 5000 : 150));
    const scale = 10 ** (next() * 6 - 3);
    const positions = (next() < 0.5 ? Float64Array : Float32Array).from({ length: 3 * n }, () => (next() - 0.5) * scale);
    const options = {};
    if (next() < 0.6) options.name = `${kind} ${p}`;
    if (next() < 0.6) options.transform = placement(next);
    if (next() < 0.3) options.encoding = pick(['float32', 'compact']);
    const colors = () => (next() < 0.5 ? Float32Array.from({ length: 4 * n }, next)
      : Uint8Array.from({ length: 3 * n }, () => Math.floor(next() * 256)));
    let faces;
    if (kind === 'points') {
      if (next() < 0.7) options.colors = colors();
    } else if (kind === 'atoms') {
      if (next() < 0.5) options.types = Int32Array.from({ length: n }, () => Math.floor(next() * 10));
      else options.elements = Uint8Array.from({ length: n }, () => 1 + Math.floor(next() * 30));
      options.style = pick(['points', 'spheres', 'ball-and-stick']);
      if (options.style === 'ball-and-stick') options.bonds = Uint32Array.from({ length: 2 * Math.floor(n / 2) }, (_, i) => i);
      if (options.style !== 'points' && next() < 0.3) options.radius = scale / 20;
      if (options.style !== 'points' && next() < 0.2) options.instancing = false;
    } else if (kind === 'mesh') {
      faces = new Uint32Array(3 * n);  // triangles of three consecutive vertices from random starts
      for (let f = 0; f < n; f++) {
        const start = Math.floor(next() * n);
        faces.set([start, (start + 1) % n, (start + 2) % n], 3 * f);
      }
      const normals = next();
      if (normals < 0.2) options.normals = Float64Array.from({ length: 3 * n }, () => next() - 0.5);
      else options.normals = pick(['auto', 'smooth', 'flat']);
      if (next() < 0.3) options.creaseAngle = next() * 180;
      if (next() < 0.4) options.colors = colors();
      if (next() < 0.4) {
        options.uv = Float32Array.from({ length: 2 * n }, next);
        options.texture = image;
      }
      if (next() < 0.4) options.baseColor = [next(), next(), next(), next() < 0.5 ? 1 : next()];
      options.metallic = next();
      options.doubleSided = next() < 0.5;
    } else {
      if (next() < 0.6) options.segments = Uint32Array.from({ length: 2 * n }, () => Math.floor(next() * n));
      if (next() < 0.4) options.colors = colors();
      else if (next() < 0.5) options.color = [next(), next(), next(), 1];
    }
    if (kind === 'mesh') scene.mesh(positions, faces, options);
    else scene[kind](positions, options);
    const pythonOptions = {};
    for (const [name, value] of Object.entries(options)) {
      const width = name === 'colors' ? value.length / n : ROW_WIDTHS[name];
      pythonOptions[PYTHON_NAMES[name] ?? name] = ArrayBuffer.isView(value) ? encoded(value, width) : value;
    }
    python.push({ kind, positions: encoded(positions, 3), ...(faces ? { faces: encoded(faces, 3) } : {}), options: pythonOptions });
  }
  return { scene, python };
}

/** The Python package's files for the same scenes. */
function pythonScenes(entries) {
  const folder = mkdtempSync(join(tmpdir(), 'scene-glbs-'));
  try {
    const manifest = entries.map((entry, i) => ({ ...entry, out: join(folder, `${i}.glb`) }));
    writeFileSync(join(folder, 'manifest.json'), JSON.stringify(manifest));
    const environment = { ...process.env };
    delete environment.LD_PRELOAD;  // the sanitizer runtime is for node only
    const run = spawnSync(PYTHON, [join(ROOT, 'tests', 'node', 'scene_glbs.py'), join(folder, 'manifest.json')],
                          { encoding: 'utf8', env: environment });
    if (run.status !== 0) throw new Error(`the Python package failed: ${run.stderr}`);
    return manifest.map((entry) => readFileSync(entry.out));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

test('random scenes of every kind of part: the Python package\'s bytes, and valid files', async () => {
  const next = numberStream(2027);
  const image = png(3, 2, Uint8Array.from({ length: 18 }, () => Math.floor(next() * 256)));
  const made = [];
  for (let i = 0; i < 24; i++) {
    const { scene, python } = randomScene(next, i, image);
    const encoding = next() < 0.5 ? 'float32' : 'compact';
    made.push({ glb: scene.glb({ encoding }), python: { parts: python, encoding } });
  }
  const expected = pythonScenes(made.map((entry) => entry.python));
  made.forEach((entry, i) => assert.ok(entry.glb.equals(expected[i]), `scene ${i} differs from Python's`));
  const kinds = new Set(made.flatMap((entry) => entry.python.parts.map((part) => part.kind)));
  assert.equal(kinds.size, 4);
  for (const entry of made) await assertValid(entry.glb);
  // Parts named and moved as asked: the document's scene nodes.
  const document = readGlb(made[1].glb).document;
  const named = made[1].python.parts.map((part) => part.options.name ?? null);
  document.scenes[0].nodes.forEach((node, i) => { if (named[i]) assert.equal(document.nodes[node].name, named[i]); });
});

test('scene-only bad inputs throw clear errors, naming the part where the file finds them', () => {
  const P = [0, 0, 0, 1, 0, 0, 0, 1, 0];
  const range = (message) => ({ name: 'RangeError', code: 'ERR_OUT_OF_RANGE', message });
  const type = (message) => ({ name: 'TypeError', code: 'ERR_INVALID_ARG_TYPE', message });
  const skewed = [1, 0.5, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
  const projective = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1];
  const nan = [NaN, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
  const cases = [
    [() => new sa.Scene().points(P, { transform: [[1, 0, 0], [0, 1, 0], [0, 0, 1]] }), range(/"options\.transform\.length".* must be 16/)],
    [() => new sa.Scene().points(P, { transform: nan }), range(/"options\.transform".* finite numbers\. Received NaN at row 0, column 0/)],
    [() => new sa.Scene().points(P, { transform: skewed }), range(/"options\.transform".* right angles/)],
    [() => new sa.Scene().points(P, { transform: projective }), range(/"options\.transform".* row 0, 0, 0, 1/)],
    [() => new sa.Scene().points(P, { transform: 'identity' }), type(/"options\.transform"/)],
    [() => new sa.Scene().lines(P, { segments: [0, 1, 2] }), range(/"options\.segments\.length".* multiple of 2/)],
    [() => new sa.Scene().lines([0, 0, 0]), range(/"positions\.length".* at least 2 points/)],
    [() => new sa.Scene().points(P, { color: [1, 0, 0] }), type(/unknown key "color"/)],
    [() => new sa.Scene().points(P, { name: 3 }), type(/"options\.name"/)],
    [() => new sa.Scene().mesh(P, [0, 1, 2], { texture: png(1, 1, new Uint8Array(3)) }), type(/"options\.texture" property needs "options\.uv"/)],
    [() => new sa.Scene().glb(), range(/"parts\.length".* add a part/)],
    [() => new sa.Scene().points(P).lines(P, { segments: [0, 1, 1, 3], name: 'Cell' }).glb(),
     range(/^part 1 \('Cell'\): The value of "options\.segments" is out of range\. It must be < 3\. Received 3 at row 1, column 1$/)],
    [() => new sa.Scene().mesh(P, [0, 1, 2], { uv: [0, 0, 1, 0, 0, 1], texture: Buffer.from('GIF89a0000') }).glb(),
     range(/^part 0 \(mesh\): The value of "options\.texture" is out of range\. It must be the bytes of a PNG or JPEG image$/)],
    [() => new sa.Scene().points(P).glb({ encoding: 'float16' }), range(/"options\.encoding"/)],
  ];
  for (const [call, expected] of cases) assert.throws(call, expected);
  const scene = new sa.Scene();
  assert.throws(() => scene.points(P, { transform: skewed }));
  assert.equal(scene.length, 0);  // a refused part is not added
});
