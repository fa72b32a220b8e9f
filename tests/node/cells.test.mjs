// Crystals from Node: the cell and the bonds across its boundary ({ pairs,
// shifts }) give the Python package's bytes, and bad cells are refused.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { test } from 'node:test';

import { PYTHON, assertValid, sa } from './helpers.mjs';

test('a crystal with its cell and periodic bonds: the Python package\'s bytes', async () => {
  const positions = [0, 0, 0, 1.3575, 1.3575, 1.3575];
  const cell = [[0, 2.715, 2.715], [2.715, 0, 2.715], [2.715, 2.715, 0]];
  const bonds = { pairs: [0, 1, 0, 1, 0, 1, 0, 1], shifts: Int32Array.from([-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0]) };
  const options = { elements: ['Si', 'Si'], style: 'ball-and-stick', bonds, cell, encoding: 'compact' };
  const script = `import sys, spatial_assembler as sa
sys.stdout.buffer.write(sa.atoms([[0, 0, 0], [1.3575, 1.3575, 1.3575]], elements=["Si", "Si"], style="ball-and-stick",
    bonds=([[0, 1]] * 4, [[-1, 0, 0], [0, -1, 0], [0, 0, -1], [0, 0, 0]]), cell=${JSON.stringify(cell)}, encoding="compact"))`;
  const environment = { ...process.env };
  delete environment.LD_PRELOAD;  // the sanitizer runtime is for node only
  const python = spawnSync(PYTHON, ['-c', script], { env: environment });
  assert.equal(python.status, 0, String(python.stderr));
  const glb = sa.atoms(positions, options);
  assert.ok(Buffer.compare(glb, python.stdout) === 0);
  // The same bonds found by the addon itself (from the elements, across the cell's faces, in the same order).
  assert.ok(Buffer.compare(sa.atoms(positions, { ...options, bonds: true }), glb) === 0);
  assert.ok(Buffer.compare(sa.atoms(positions, { ...options, bonds: undefined }), glb) === 0);
  await assertValid(glb);
  assert.throws(() => sa.atoms(positions, { cell: [1, 0, 0, 0, 1, 0, 2, 2, 0] }), /"options\.cell".*non-zero volume/);
  assert.throws(() => sa.atoms(positions, { style: 'ball-and-stick', bonds: { pairs: [0, 1], shifts: [1, 0, 0] } }),
                { code: 'ERR_INVALID_ARG_TYPE', message: /options\.bonds\.shifts.*options\.cell/ });
});

