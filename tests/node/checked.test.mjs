// The checked functions: the same bytes as the Python package for the same
// numbers (random real inputs, every option), arguments read once, promises that
// always reject rather than throw, and spheres that three.js loads as instances.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

import { numberStream } from '../references/number_stream.mjs';
import { PYTHON, ROOT, assertValid, sa } from './helpers.mjs';

// A typed array for the manifest: its dtype, its values (64-bit integers as exact
// decimal strings), and the width of its rows.
function encoded(array, width) {
  const dtype = { Float32Array: 'float32', Float64Array: 'float64', Uint8Array: 'uint8', Int32Array: 'int32',
                  Uint32Array: 'uint32', Uint16Array: 'uint16', BigInt64Array: 'int64',
                  BigUint64Array: 'uint64' }[array.constructor.name];
  return { dtype, values: Array.from(array, (value) => (typeof value === 'bigint' ? String(value) : value)),
           ...(width ? { width } : {}) };
}

const PYTHON_NAMES = { baseColor: 'base_color', doubleSided: 'double_sided' };

/** The Python package's files for the same calls. */
function packageGlbs(calls) {
  const folder = mkdtempSync(join(tmpdir(), 'package-glbs-'));
  try {
    const manifest = calls.map((call, i) => ({ ...call.python, out: join(folder, `${i}.glb`) }));
    writeFileSync(join(folder, 'manifest.json'), JSON.stringify(manifest));
    const environment = { ...process.env };
    delete environment.LD_PRELOAD;  // the sanitizer runtime is for node only
    const run = spawnSync(PYTHON, [join(ROOT, 'tests', 'node', 'package_glbs.py'), join(folder, 'manifest.json')],
                          { encoding: 'utf8', env: environment });
    if (run.status !== 0) throw new Error(`the Python package failed: ${run.stderr}`);
    return manifest.map((entry) => readFileSync(entry.out));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

function call(fn, positions, faces, options) {
  const python = { function: fn, positions: encoded(positions, 3), options: {} };
  if (faces) python.faces = encoded(faces, 3);
  for (const [name, value] of Object.entries(options)) {
    const width = { colors: options.colors?.length === positions.length / 3 * 4 ? 4 : 3, normals: 3, bonds: 2, palette: 3 }[name];
    python.options[PYTHON_NAMES[name] ?? name] = ArrayBuffer.isView(value) ? encoded(value, width) : value;
  }
  const glb = fn === 'points' ? sa.pointCloud(positions, options) : fn === 'atoms' ? sa.atoms(positions, options)
    : sa.mesh(positions, faces, options);
  return { glb, python, fn };
}

test('the checked functions give the Python package\'s bytes, and valid files', async () => {
  const next = numberStream(77);
  const calls = [];
  for (const [count, scale] of [[1, 1], [500, 1e-6], [3_000, 40], [120_000, 1]]) {
    const positions = Float64Array.from({ length: 3 * count }, () => (next() * 2 - 1) * scale);
    const single = new Float32Array(positions);
    const rgba = Float32Array.from({ length: 4 * count }, next);
    const bytes = Uint8Array.from({ length: 3 * count }, () => Math.floor(next() * 256));
    const types = Int32Array.from({ length: count }, () => Math.floor(next() * 12));
    for (const encoding of ['float32', 'compact', 'meshopt']) {
      calls.push(call('points', positions, null, { colors: rgba, encoding }));
      calls.push(call('points', single, null, { colors: bytes, encoding }));
      calls.push(call('atoms', single, null, { types, encoding }));
      if (count <= 3_000) {
        const bonds = Uint32Array.from({ length: 2 * Math.floor(count / 2) }, (_, i) => i);
        calls.push(call('atoms', positions, null, { types, style: 'ball-and-stick', bonds, radius: scale / 50, encoding }));
        calls.push(call('atoms', single, null, { elements: Uint8Array.from(types, (t) => t + 1), style: 'spheres',
                                                 instancing: count > 500, encoding }));
        // Colours of types, of each atom (3,000 distinct ones go per instance), and of values on a map.
        const palette = Float32Array.from({ length: 36 }, next);
        calls.push(call('atoms', single, null, { types, palette, style: 'spheres', encoding }));
        calls.push(call('atoms', positions, null, { colors: bytes, style: 'ball-and-stick', radius: scale / 50, encoding,
                                                    bonds: new Uint32Array(count > 1 ? [0, count - 1] : []) }));
        calls.push(call('atoms', single, null, { values: positions.subarray(0, count), cmap: 'plasma', vmax: 2 * scale, encoding }));
      }
      if (count >= 3) {
        const faces = Uint32Array.from({ length: 3 * (count - 2) }, (_, i) => Math.floor(i / 3) + (i % 3));
        calls.push(call('mesh', positions, faces, { colors: bytes, metallic: 0.25, doubleSided: false, encoding }));
        calls.push(call('mesh', single, faces, { normals: positions, baseColor: new Float64Array([1, 0.5, 0, 1]), encoding }));
      }
    }
  }
  const expected = packageGlbs(calls);
  calls.forEach((entry, i) => assert.ok(entry.glb.equals(expected[i]), `call ${i} (${entry.fn}) differs from Python`));
  for (const entry of calls) await assertValid(entry.glb);
});

test('64-bit integer positions beyond 2^53 and magnitudes near the float32 limit give Python\'s bytes', async () => {
  // Each integer is rounded once, by the core, to the float32 that the file holds.
  const next = numberStream(53);
  const big = BigInt64Array.from({ length: 3 * 400 }, () => 2n ** 60n + BigInt(Math.floor(next() * 2 ** 40)) * 4097n);
  const faces = Uint32Array.from({ length: 3 * 398 }, (_, i) => Math.floor(i / 3) + (i % 3));
  const extreme = Float64Array.from({ length: 3 * 400 }, () => (next() * 2 - 1) * 3.4e38);
  const calls = [];
  for (const encoding of ['float32', 'compact']) {
    calls.push(call('points', big, null, { encoding }), call('atoms', big, null, { style: 'spheres', radius: 1e15, encoding }),
               call('mesh', big, faces, { encoding }), call('points', extreme, null, { encoding }),
               call('atoms', extreme, null, { encoding }), call('mesh', extreme, faces, { normals: 'flat', encoding }));
  }
  const expected = packageGlbs(calls);
  calls.forEach((entry, i) => assert.ok(entry.glb.equals(expected[i]), `call ${i} (${entry.fn}) differs from Python`));
  for (const entry of calls) await assertValid(entry.glb);
});

test('plain arrays, two triples and element symbols read as their typed forms', () => {
  const positions = [0, 0, 0, 1, 2, 3, -1, 0.5, 2];
  const typed = new Float64Array(positions);
  assert.ok(sa.atoms(positions, { elements: ['C', 'o', 'N'], bounds: [[-1, 0, 0], [1, 2, 3]] })
    .equals(sa.atoms(typed, { elements: new Uint8Array([6, 8, 7]), bounds: new Float64Array([-1, 0, 0, 1, 2, 3]) })));
  assert.ok(sa.pointCloud(positions, { colors: [1, 0, 0] }).equals(sa.pointCloud(typed, { colors: new Float32Array([1, 0, 0]) })));
  assert.ok(sa.mesh(positions, [0, 1, 2]).equals(sa.mesh(typed, new Int32Array([0, 1, 2]))));
});

test('options are read once each, and every bad argument rejects the promise', async () => {
  let reads = 0;
  const options = {};
  for (const key of ['colors', 'encoding']) {
    Object.defineProperty(options, key, { enumerable: true, get() { reads += 1; return key === 'colors' ? [1, 0, 0] : 'compact'; } });
  }
  await sa.promises.pointCloud([0, 0, 0, 1, 1, 1], options);
  assert.equal(reads, 2);
  const throwing = { get normals() { throw new SyntaxError('from the getter'); } };
  let promise;
  assert.doesNotThrow(() => { promise = sa.promises.mesh([0, 0, 0, 1, 0, 0, 0, 1, 0], [0, 1, 2], throwing); });
  await assert.rejects(promise, { name: 'SyntaxError', message: 'from the getter' });
  for (const key of ['positions', 'normals', 'indices', 'colors']) {
    const raw = { positions: new Float32Array(9), normals: new Float32Array(9), indices: new Uint32Array(3), bounds: [0, 0, 0, 1, 1, 1],
                  baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0], doubleSided: false };
    let count = 0;
    Object.defineProperty(raw, key, { enumerable: true, get() { count += 1; throw new EvalError(key); } });
    assert.doesNotThrow(() => { promise = sa.promises.meshGlb(raw); });
    await assert.rejects(promise, { name: 'EvalError', message: key });
    assert.equal(count, 1, `the ${key} getter ran ${count} times`);
  }
  await assert.rejects(sa.promises.atoms(null), { code: 'ERR_INVALID_ARG_TYPE' });
  await assert.rejects(sa.promises.atoms([0, 0, 0], { colours: 1 }), { code: 'ERR_INVALID_ARG_TYPE', message: /unknown key "colours"/ });
  await assert.rejects(sa.promises.pointCloud([0, '1', 0]), { code: 'ERR_INVALID_ARG_TYPE', message: /"positions\[1\]"/ });
});

test('three.js loads spheres as one InstancedMesh per colour, with every atom', async () => {
  const { GLTFLoader } = await import('three/examples/jsm/loaders/GLTFLoader.js');
  const next = numberStream(5);
  const count = 2_000;
  const positions = Float32Array.from({ length: 3 * count }, () => next() * 20);
  const types = Uint16Array.from({ length: count }, () => Math.floor(next() * 5));
  const bonds = Uint32Array.from({ length: 200 }, (_, i) => (i % 2 ? i - 1 : i + 1));  // 100 bonds
  const glb = sa.atoms(positions, { types, style: 'ball-and-stick', bonds });
  const gltf = await new GLTFLoader().parseAsync(glb.buffer.slice(glb.byteOffset, glb.byteOffset + glb.length), '');
  const instanced = [];
  gltf.scene.traverse((object) => { if (object.isInstancedMesh) instanced.push(object); });
  const spheres = instanced.filter((mesh) => mesh.name.startsWith('Atoms'));
  const sticks = instanced.filter((mesh) => mesh.name.startsWith('Bonds'));
  const perType = [0, 1, 2, 3, 4].map((t) => types.filter((v) => v === t).length);
  assert.deepEqual(spheres.map((mesh) => mesh.count).sort((a, b) => a - b), perType.sort((a, b) => a - b));
  assert.equal(sticks.reduce((sum, mesh) => sum + mesh.count, 0), 200);  // two halves a bond
});

test('three.js draws every atom in its colour: a material per colour, or instanceColor per atom', async () => {
  const { GLTFLoader } = await import('three/examples/jsm/loaders/GLTFLoader.js');
  const next = numberStream(11);
  for (const count of [60, 900]) {  // 60 atoms of 60 colours: a mesh each; 900: one mesh with _COLOR_0
    const positions = Float32Array.from({ length: 3 * count }, () => next() * 50);
    const colors = Uint8Array.from({ length: 3 * count }, () => Math.floor(next() * 256));
    const glb = sa.atoms(positions, { colors, style: 'spheres', radius: 0.1 });
    await assertValid(glb);
    const gltf = await new GLTFLoader().parseAsync(glb.buffer.slice(glb.byteOffset, glb.byteOffset + glb.length), '');
    const drawn = new Map();
    gltf.scene.traverse((mesh) => {
      if (!mesh.isInstancedMesh) return;
      const matrix = mesh.instanceMatrix.array;
      for (let i = 0; i < mesh.count; i++) {
        const base = mesh.material.color;
        const tint = mesh.instanceColor ? Array.from(mesh.instanceColor.array.subarray(3 * i, 3 * i + 3)) : [1, 1, 1];
        drawn.set([12, 13, 14].map((k) => matrix[16 * i + k]).join(), [base.r * tint[0], base.g * tint[1], base.b * tint[2]]);
      }
    });
    assert.equal(drawn.size, count);
    for (let i = 0; i < count; i++) {
      const colour = drawn.get(Array.from(positions.subarray(3 * i, 3 * i + 3)).join());
      for (let c = 0; c < 3; c++) assert.ok(Math.abs(colour[c] - colors[3 * i + c] / 255) <= 1 / 255, `atom ${i}`);
    }
  }
});
