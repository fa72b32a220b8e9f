// The addon's bytes equal the Python module's for the same values: worked
// examples, and random real-float inputs on both sides of the atom builder's
// 100000-atom thread threshold. Every consistent file passes the validator.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { numberStream } from '../references/number_stream.mjs';
import { accessorBytes, assertValid, pythonGlbs, readGlb, sa } from './helpers.mjs';

function floats(count, next, scale = 1) {
  return Float32Array.from({ length: count }, () => (next() * 2 - 1) * scale);
}

function extremes(positions) {
  const min = [Infinity, Infinity, Infinity];
  const max = [-Infinity, -Infinity, -Infinity];
  for (let i = 0; i < positions.length; i++) {
    min[i % 3] = Math.min(min[i % 3], positions[i]);
    max[i % 3] = Math.max(max[i % 3], positions[i]);
  }
  return [min, max];
}

const TRIANGLE = new Float32Array([0, 0, 0, 1, 0, 0, 0, 1, 0]);
const UP = new Float32Array([0, 0, 1, 0, 0, 1, 0, 0, 1]);
const FIRST = new Uint32Array([0, 1, 2]);
const MATERIAL = { bounds: [0, 0, 0, 1, 1, 0], baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0] };

/** A call on both sides: the addon's Buffer and the Python call that should give its bytes. */
function pointCloud(positions, colors, vmin, vmax) {
  return { glb: sa.pointCloudGlb(positions, colors, vmin, vmax),
           python: { fn: 'point_cloud_glb', arrays: { positions, colors }, args: { vmin, vmax } } };
}
function atoms(positions, types, vmin, vmax) {
  return { glb: sa.atomGlb(positions, types, vmin, vmax),
           python: { fn: 'atom_glb', arrays: { positions, types }, args: { vmin, vmax } } };
}
function mesh(options) {
  const { positions, normals, indices, colors = null, bounds, baseColor, metallic, roughness, emissive, doubleSided } = options;
  return { glb: sa.meshGlb(options),
           python: { fn: 'mesh_glb', arrays: { positions, normals, indices, colors },
                     args: { bounds, base_color: baseColor, metallic, roughness, emissive, double_sided: doubleSided } } };
}

function assertSameAsPython(calls) {
  const expected = pythonGlbs(calls.map((call) => call.python));
  calls.forEach((call, i) => assert.ok(Buffer.compare(call.glb, expected[i]) === 0, `call ${i} (${call.python.fn}) differs`));
}

test('worked examples give the documented files, byte for byte as in Python', () => {
  const twoPoints = pointCloud(new Float32Array(6).fill(0.5), new Float32Array(6).fill(0.25), [0, 0, 0], [1, 1, 1]);
  assert.equal(twoPoints.glb.length, 672);
  const threeAtoms = atoms(new Float32Array([1, 0, 0, 0, 0, 0, 0, 1, 0]), new Uint16Array([1, 2, 9]), [0, 0, 0], [1, 1, 1]);
  assert.equal(threeAtoms.glb.length, 696);
  assert.deepEqual(Array.from(new Float32Array(new Uint8Array(accessorBytes(readGlb(threeAtoms.glb), 0)).buffer)),
                   [0, 0, 0, 1, 0, 0, 0, 1, 0]);
  const noAtoms = atoms(new Float32Array(0), new Uint16Array(0), [NaN, 0, 0], [1, 1, 1]);
  assert.equal(noAtoms.glb.toString('hex'), '676c54460200000020000000040000004a534f4e7b7d20200000000042494e00');
  const triangle = mesh({ positions: TRIANGLE, normals: UP, indices: FIRST, ...MATERIAL, doubleSided: false });
  assert.equal(triangle.glb.length, 1056);
  const colored = mesh({ positions: TRIANGLE, normals: UP, indices: FIRST, ...MATERIAL, doubleSided: true,
                         colors: new Float32Array(12).fill(1) });
  assert.equal(colored.glb.length, 1240);
  const trailing = pointCloud(new Float32Array(10), new Float32Array(12), [-1.5, 0, 2], [1, 1, 1]);
  assert.match(readGlb(trailing.glb).json, /"min":\[-1\.500000,0\.000000,2\.000000\]/);
  assertSameAsPython([twoPoints, threeAtoms, noAtoms, triangle, colored, trailing]);
});

test('random real-float inputs give the same bytes as Python, and valid files', async () => {
  const next = numberStream(2026);
  const calls = [];
  for (const [count, scale] of [[1, 1], [1000, 1e-9], [99_999, 1e3], [100_000, 1], [250_001, 7.5]]) {
    const positions = floats(count * 3, next, scale);
    const [vmin, vmax] = extremes(positions);
    const colors = Float32Array.from({ length: count * (count % 2 ? 4 : 3) }, next);
    const types = Uint16Array.from({ length: count }, () => Math.floor(next() * 12));
    calls.push(pointCloud(positions, colors, vmin, vmax), atoms(positions, types, vmin, vmax));
    if (count >= 3) {
      const indices = Uint32Array.from({ length: 3 * Math.floor(count / 3) }, (_, i) => i);
      const normals = Float32Array.from({ length: count * 3 }, (_, i) => (i % 3 === 2 ? 1 : 0));
      calls.push(mesh({ positions, normals, indices, bounds: [...vmin, ...vmax], baseColor: [0.8, 0.1, 0.1, 1],
                        metallic: 0.25, roughness: 0.75, emissive: [0, 0, 0.1], doubleSided: count % 2 === 1,
                        colors: Float32Array.from({ length: count * 4 }, next) }));
    }
  }
  assertSameAsPython(calls);
  for (const call of calls) await assertValid(call.glb);
});

test('raw byte views read the same values as typed arrays, at any offset', () => {
  const positions = Float32Array.from({ length: 30 }, (_, i) => i / 7);
  const types = Uint16Array.from({ length: 10 }, (_, i) => i);
  const expected = sa.atomGlb(positions, types, [0, 0, 0], [5, 5, 5]);
  const bytes = Buffer.from(positions.buffer);
  const shifted = new Uint8Array(bytes.length + 1).fill(0);
  shifted.set(bytes, 1);
  const unaligned = shifted.subarray(1);  // a Uint8Array at an odd offset
  const shared = new SharedArrayBuffer(bytes.length);
  new Uint8Array(shared).set(bytes);
  for (const view of [bytes, new Uint8Array(bytes), positions.buffer, new DataView(positions.buffer), unaligned,
                      new DataView(shifted.buffer, 1), shared]) {
    assert.ok(sa.atomGlb(view, Buffer.from(types.buffer), [0, 0, 0], [5, 5, 5]).equals(expected));
  }
  const typesShared = new SharedArrayBuffer(20);
  new Uint16Array(typesShared).set(types);
  assert.ok(sa.atomGlb(positions, typesShared, [0, 0, 0], [5, 5, 5]).equals(expected));
  // A byte length that is no whole number of elements is cut, as in Python.
  assert.equal(readGlb(sa.pointCloudGlb(new Uint8Array(13), new Uint8Array(0), [0, 0, 0], [0, 0, 0])).document.accessors[0].count, 1);
});
