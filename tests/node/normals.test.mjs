// Given normals of any finite length, through Node's checked mesh: made unit
// length as the Python package makes them (a plain Array and a Float64Array
// alike), so that a tiny or a huge normal is no error.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { assertValid, readGlb, sa } from './helpers.mjs';

const POSITIONS = [0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0];
const FACES = [0, 1, 2, 1, 3, 2];
// Tiny, huge, squares that underflow, squares that overflow.
const GIVEN = [1e-200, 0, 0, 0, -1e300, 0, 3e-300, 4e-300, 0, 3e200, 0, -4e200];
const UNIT = [1, 0, 0, 0, -1, 0, 0.6, 0.8, 0, 0.6, 0, -0.8];

test('normals of any finite length become unit, from a plain Array or a Float64Array', async () => {
  for (const normals of [GIVEN, Float64Array.from(GIVEN)]) {
    const glb = sa.mesh(POSITIONS, FACES, { normals });
    await assertValid(glb);
    const { document, bin } = readGlb(glb);
    const view = document.bufferViews[document.accessors[document.meshes[0].primitives[0].attributes.NORMAL].bufferView];
    const written = new Float32Array(bin.buffer.slice(bin.byteOffset + (view.byteOffset ?? 0),
                                                      bin.byteOffset + (view.byteOffset ?? 0) + view.byteLength));
    written.forEach((value, i) => assert.ok(Math.abs(value - UNIT[i]) < 1e-7, `${i}: ${value}`));
  }
  assert.throws(() => sa.mesh(POSITIONS, FACES, { normals: [...GIVEN.slice(0, 9), 0, 0, -0] }),
                { name: 'RangeError', message: /"options\.normals".*row 3/ });
});
