// Calls made again and again, as servers and frame loops make them: the file
// written into the program's memory ({ into }) and returned as a Buffer view of
// it, and the scratch memory kept between calls (releaseMemory()).
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { test } from 'node:test';

import { PACKAGE, assertValid, sa } from './helpers.mjs';
import { numberStream } from '../references/number_stream.mjs';

const next = numberStream(16);
const ATOMS = 3000;
const positions = Float32Array.from({ length: 3 * ATOMS }, () => (next() - 0.5) * 8);
const types = Uint16Array.from({ length: ATOMS }, () => Math.floor(next() * 9));
const faces = Uint32Array.from({ length: 6000 }, () => Math.floor(next() * ATOMS));
const normals = Float32Array.from({ length: 3 * ATOMS }, (_, i) => (i % 3 === 2 ? 1 : 0));
const colors = Float32Array.from({ length: 3 * ATOMS }, () => next());
// The raw functions write the bounds they are given: the exact extremes, so that the files are valid.
const low = [0, 1, 2].map((axis) => Math.min(...positions.filter((_, i) => i % 3 === axis)));
const high = [0, 1, 2].map((axis) => Math.max(...positions.filter((_, i) => i % 3 === axis)));
const MESH = { positions, normals, indices: faces, bounds: [...low, ...high], baseColor: [1, 1, 1, 1],
               metallic: 0, roughness: 0.5, emissive: [0, 0, 0], doubleSided: false };

// Each function with and without its memory.
const CALLS = {
  pointCloud: (into) => sa.pointCloud(positions, { colors: [0.2, 0.4, 0.6], encoding: 'compact', into }),
  atoms: (into) => sa.atoms(positions, { types, style: 'spheres', into }),
  mesh: (into) => sa.mesh(positions, faces, { into }),
  pointCloudGlb: (into) => sa.pointCloudGlb(positions, colors, low, high, into && { into }),
  atomGlb: (into) => sa.atomGlb(positions, types, low, high, into && { into }),
  meshGlb: (into) => sa.meshGlb({ ...MESH, into }),
};

const MEMORY = {
  Buffer: (size) => Buffer.alloc(size, 0xab),
  'Uint8Array at an offset': (size) => new Uint8Array(new ArrayBuffer(size + 40), 40).fill(0xab),
  ArrayBuffer: (size) => new Uint8Array(size).fill(0xab).buffer,
  DataView: (size) => new DataView(new Uint8Array(size + 8).fill(0xab).buffer, 8),
  Float64Array: (size) => new Float64Array(new Uint8Array(Math.ceil(size / 8) * 8).fill(0xab).buffer),
};

for (const [name, call] of Object.entries(CALLS)) {
  test(`${name} writes the same file into the program's memory and leaves the rest alone`, async () => {
    const expected = call(undefined);
    await assertValid(expected);
    for (const [kind, make] of Object.entries(MEMORY)) {
      const memory = make(expected.length + 24);
      const bytes = new Uint8Array(memory.buffer ?? memory, memory.byteOffset ?? 0, memory.byteLength);
      const file = call(memory);
      assert.ok(Buffer.isBuffer(file), kind);
      assert.equal(file.buffer, bytes.buffer, kind);
      assert.equal(file.byteOffset, bytes.byteOffset, kind);
      assert.ok(file.equals(expected), kind);
      assert.ok(bytes.subarray(expected.length).every((byte) => byte === 0xab), `${kind}: bytes past the file changed`);
    }
  });
}

test('memory that cannot take the file is refused before anything is written', () => {
  const size = CALLS.atoms(undefined).length;
  const small = Buffer.alloc(size - 4, 1);
  assert.throws(() => CALLS.atoms(small), {
    name: 'RangeError', code: 'ERR_OUT_OF_RANGE',
    message: `The value of "options.into.byteLength" is out of range. It must be >= ${size} (the size of the file). Received ${size - 4}`,
  });
  assert.ok(small.every((byte) => byte === 1));
  // The file must never overwrite the arrays it is made of.
  const shared = new Float32Array(size);
  shared.set(positions);
  assert.throws(() => sa.atomGlb(shared.subarray(0, 3 * ATOMS), types, low, high, { into: shared.buffer }), {
    name: 'RangeError', message: 'The value of "options.into" is out of range. It must not share memory with "positions", which the file is made of',
  });
  const wide = new Uint32Array(size);
  wide.set(faces);
  assert.throws(() => sa.mesh(positions, wide.subarray(0, faces.length), { into: new Uint8Array(wide.buffer, 64) }),
                { message: /must not share memory with "faces"/ });
  const transferred = Buffer.alloc(size);
  structuredClone(transferred.buffer, { transfer: [transferred.buffer] });
  assert.throws(() => CALLS.atoms(transferred), { name: 'TypeError', message: /into" property is a detached ArrayBuffer/ });
  assert.throws(() => CALLS.atoms(new Uint8Array(new SharedArrayBuffer(size))),
                { name: 'TypeError', message: /must not be shared memory/ });
  assert.throws(() => sa.atomGlb(positions, types, low, high, { into: Buffer.alloc(size), spare: 1 }),
                { name: 'TypeError', message: 'The "options" argument has an unknown key "spare". Its keys are into' });
});

test('the promise forms take no memory of the program to write into', async () => {
  await assert.rejects(sa.promises.atoms(positions, { into: Buffer.alloc(1 << 20) }),
                       { name: 'TypeError', message: /into" property is not taken by the promise forms/ });
  await assert.rejects(sa.promises.meshGlb({ ...MESH, into: Buffer.alloc(1 << 20) }), { name: 'TypeError' });
  assert.ok((await sa.promises.atoms(positions, { into: undefined })).equals(sa.atoms(positions)));
});

test('a program that replaced Buffer.from before loading still gets a view of its memory', () => {
  const script = `
    Buffer.from = () => Buffer.alloc(4);
    const sa = require(${JSON.stringify(`${PACKAGE}/node/index.js`)});
    const into = new ArrayBuffer(1 << 16);
    const file = sa.atomGlb(new Float32Array([0, 0, 0, 1, 1, 1]), new Uint16Array(2), [0, 0, 0], [1, 1, 1], { into });
    const fresh = sa.atomGlb(new Float32Array([0, 0, 0, 1, 1, 1]), new Uint16Array(2), [0, 0, 0], [1, 1, 1]);
    process.stdout.write(JSON.stringify([file.buffer === into, file.length === fresh.length,
                                         fresh.every((byte, i) => file[i] === byte)]));`;
  const run = spawnSync(process.execPath, ['-e', script], { encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  assert.deepEqual(JSON.parse(run.stdout), [true, true, true]);
});

test('scratch memory is kept between calls and handed back by releaseMemory()', () => {
  sa.releaseMemory();
  const many = new Float32Array(3 * 400_000).map((_, i) => (i * 7919) % 1000);
  const first = sa.atomGlb(many, new Uint16Array(400_000), [0, 0, 0], [1000, 1000, 1000]);
  assert.ok(sa.atomGlb(many, new Uint16Array(400_000), [0, 0, 0], [1000, 1000, 1000]).equals(first));
  assert.ok(sa.releaseMemory() >= 2 * 8 * 400_000, 'the sort\'s two arrays of 64-bit entries were kept');
  assert.equal(sa.releaseMemory(), 0);
});
