// The promise forms: the same Buffers from the libuv thread pool, whatever the
// program does to its arrays meanwhile, with the event loop free, and without
// memory growing when results are dropped.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { numberStream } from '../references/number_stream.mjs';
import { readGlb, sa } from './helpers.mjs';

function cloud(count, stream) {
  const next = numberStream(stream);
  const positions = Float32Array.from({ length: 3 * count }, next);
  const types = Uint16Array.from({ length: count }, () => Math.floor(next() * 9));
  const colors = Float32Array.from({ length: 4 * count }, next);
  return { positions, types, colors };
}

const UNIT = [[0, 0, 0], [1, 1, 1]];

function meshOptions({ positions, colors }) {
  const indices = Uint32Array.from({ length: positions.length }, (_, i) => (i * 7) % (positions.length / 3));
  return { positions, normals: positions, indices, bounds: [0, 0, 0, 1, 1, 1], baseColor: [1, 1, 1, 1], metallic: 0,
           roughness: 1, emissive: [0, 0, 0], doubleSided: false, colors };
}

test('each promise gives the Buffer of the direct call', async () => {
  const data = cloud(150_000, 1);
  const [points, atoms, mesh] = await Promise.all([
    sa.promises.pointCloudGlb(data.positions, data.colors, ...UNIT),
    sa.promises.atomGlb(data.positions, data.types, ...UNIT),
    sa.promises.meshGlb(meshOptions(data)),
  ]);
  assert.ok(Buffer.isBuffer(points) && Buffer.isBuffer(atoms) && Buffer.isBuffer(mesh));
  assert.ok(points.equals(sa.pointCloudGlb(data.positions, data.colors, ...UNIT)));
  assert.ok(atoms.equals(sa.atomGlb(data.positions, data.types, ...UNIT)));
  assert.ok(mesh.equals(sa.meshGlb(meshOptions(data))));
});

test('arrays transferred, resized or overwritten while the work runs do not change the file', async () => {
  const count = 400_000;
  const data = cloud(count, 2);
  const expected = sa.atomGlb(data.positions, data.types, ...UNIT);

  // Transferred away (detached) at once.
  const positions = data.positions.slice();
  const types = data.types.slice();
  const transferred = sa.promises.atomGlb(positions, types, ...UNIT);
  const moved = structuredClone({ positions: positions.buffer, types: types.buffer },
                                { transfer: [positions.buffer, types.buffer] });
  assert.equal(positions.length, 0);
  new Float32Array(moved.positions).fill(NaN);
  assert.ok((await transferred).equals(expected));

  // Shrunk to nothing and overwritten.
  const resizable = new ArrayBuffer(data.positions.byteLength, { maxByteLength: data.positions.byteLength });
  const tracking = new Float32Array(resizable);
  tracking.set(data.positions);
  const resized = sa.promises.atomGlb(tracking, data.types, ...UNIT);
  resizable.resize(0);
  resizable.resize(data.positions.byteLength);
  tracking.fill(-1);
  assert.ok((await resized).equals(expected));

  // Shared memory overwritten while the work runs.
  const shared = new Float32Array(new SharedArrayBuffer(data.positions.byteLength));
  shared.set(data.positions);
  const overwritten = sa.promises.atomGlb(shared, data.types, ...UNIT);
  shared.fill(0.5);
  assert.ok((await overwritten).equals(expected));

  // Mesh options: every array replaced and overwritten.
  const options = meshOptions(data);
  const meshExpected = sa.meshGlb(options);
  const pending = sa.promises.meshGlb(options);
  options.positions.fill(7);
  options.indices.fill(0);
  options.positions = new Float32Array(0);
  assert.ok((await pending).equals(meshExpected));
});

test('the event loop runs while a large call works', async () => {
  const data = cloud(2_000_000, 3);
  let ticks = 0;
  const timer = setInterval(() => { ticks += 1; }, 1);
  const glb = await sa.promises.atomGlb(data.positions, data.types, ...UNIT);
  clearInterval(timer);
  assert.equal(readGlb(glb).document.accessors[0].count, 2_000_000);
  assert.ok(ticks > 0, 'no timer ran while the work ran');
});

test('dropping many large results does not grow memory without bound', async () => {
  const data = cloud(1_000_000, 4);  // 28 MB of GLB a call
  const start = process.memoryUsage().rss;
  for (let round = 0; round < 60; round++) {
    await sa.promises.pointCloudGlb(data.positions, data.colors, ...UNIT);
    sa.pointCloudGlb(data.positions, data.colors, ...UNIT);
  }
  // 120 results of 28 MB each: 3.4 GB if none were ever freed.
  const grown = (process.memoryUsage().rss - start) / 2 ** 20;
  assert.ok(grown < 1024, `resident memory grew by ${grown.toFixed(0)} MiB`);
});
