// The checked and raw functions at their edges, as the Python package's
// tests/test_edges.py tries them: inputs inside the memory the file goes into
// (also at an odd offset, which the raw functions copy), what a call that fails
// while writing leaves there, the warning for sticks without bonds, the size
// check of compact plain spheres, and the version every file names.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { ROOT, readGlb, sa } from './helpers.mjs';

test('an input inside into is refused, also one at an odd offset that the raw functions copy first', () => {
  const into = new ArrayBuffer(1 << 16);
  const bytes = new Uint8Array(into);
  const positions = new Float32Array([0, 0, 0, 1, 1, 1]);
  for (const offset of [1001, (1 << 16) - 25]) {  // within the file's bytes, and past them
    const inside = new Uint8Array(into, offset, 24);
    inside.set(new Uint8Array(positions.buffer));
    const before = bytes.slice();
    assert.throws(() => sa.pointCloudGlb(inside, new Float32Array(0), [0, 0, 0], [1, 1, 1], { into }),
                  { name: 'RangeError', message: /must not share memory with "positions"/ });
    assert.throws(() => sa.atomGlb(positions, new Uint8Array(into, offset, 4), [0, 0, 0], [1, 1, 1], { into }),
                  { name: 'RangeError', message: /must not share memory with "types"/ });
    assert.throws(() => sa.pointCloud(new Float64Array(into, 8 * 200, 6), { into }),
                  { name: 'RangeError', message: /must not share memory with "positions"/ });
    assert.deepEqual(bytes, before);
  }
});

test('a call that fails while writing leaves no GLB header in into; one refused before, into as it was', () => {
  const positions = Float64Array.from({ length: 3000 }, (_, i) => Math.sin(i));
  const into = Buffer.alloc(1 << 16);
  const first = Buffer.from(sa.pointCloud(positions, { into }));
  const colors = new Float32Array(4000).fill(0.5);
  colors[3998] = NaN;  // row 999, column 2: found as the colours are copied
  for (const encoding of ['float32', 'compact']) {
    assert.throws(() => sa.pointCloud(positions, { colors, encoding, into }), { message: /at row 999, column 2/ });
    assert.notEqual(into.toString('latin1', 0, 4), 'glTF');
    sa.pointCloud(positions, { into });
  }
  assert.throws(() => sa.pointCloud(positions, { into: into.subarray(0, 64) }), { message: /byteLength/ });
  assert.ok(into.subarray(0, first.length).equals(first));
});

test('sticks without bonds are drawn nowhere: a warning says how to get them', async () => {
  const warnings = [];
  const listen = (warning) => warnings.push(warning);
  process.on('warning', listen);
  try {
    sa.atoms([0, 0, 0, 1, 1, 1], { style: 'ball-and-stick' });
    new sa.Scene().atoms([0, 0, 0], { style: 'ball-and-stick' });
    sa.atoms([0, 0, 0, 1, 1, 1], { style: 'ball-and-stick', bonds: [] });  // none, said so
    sa.atoms([0, 0, 0, 1, 1, 1], { style: 'ball-and-stick', elements: ['C', 'C'] });  // found: nothing to say
    await new Promise((resolve) => setImmediate(resolve));  // warnings arrive on the next turn
  } finally {
    process.off('warning', listen);
  }
  assert.equal(warnings.length, 2);
  for (const warning of warnings) {
    assert.equal(warning.name, 'UserWarning');
    assert.match(warning.message, /without bonds and without elements draw no sticks/);
  }
});

test('the size check of compact plain spheres counts compact bytes', () => {
  // 2.3 million atoms: about 3.1 GiB as compact triangles, which fits; 4.2 GiB as float32 ones.
  const positions = new Float32Array(3 * 2_300_000);
  new sa.Scene().atoms(positions, { style: 'spheres', instancing: false, encoding: 'compact' });
  assert.throws(() => new sa.Scene().atoms(positions, { style: 'spheres', instancing: false }), { message: /4 GiB or larger/ });
});

test('every file names the version of package.json, which is pyproject.toml\'s', () => {
  const { version } = JSON.parse(readFileSync(join(ROOT, 'package.json'), 'utf8'));
  assert.match(readFileSync(join(ROOT, 'pyproject.toml'), 'utf8'), new RegExp(`^version = "${version}"$`, 'm'));
  assert.equal(readGlb(sa.pointCloud([0, 0, 0])).document.asset.generator, `spatial-assembler ${version}`);
});
