// bonds, mapValues, colormap and elementColors against the Python package's
// results for the same numbers (which tests/test_bonds.py and test_colors.py
// hold against ASE and matplotlib), and the errors of bad arguments.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

import { numberStream } from '../references/number_stream.mjs';
import { PYTHON, ROOT, sa } from './helpers.mjs';

const next = numberStream(7);
const ELEMENTS = [1, 6, 7, 8, 16, 29, 78];

// count atoms scattered over spread times the cell (rows of lattice vectors), some outside it.
function randomAtoms(count, cell, spread) {
  const positions = [];
  const elements = [];
  for (let i = 0; i < count; i++) {
    const f = [0, 1, 2].map(() => next() * spread - (spread - 1) / 2);
    for (let axis = 0; axis < 3; axis++) positions.push(f[0] * cell[axis] + f[1] * cell[3 + axis] + f[2] * cell[6 + axis]);
    elements.push(ELEMENTS[Math.floor(next() * ELEMENTS.length)]);
  }
  return { positions, elements };
}

const CASES = [
  { name: 'a molecule', cell: [14, 0, 0, 0, 14, 0, 0, 0, 14], count: 200, options: {} },
  { name: 'an orthogonal cell', cell: [9, 0, 0, 0, 10, 0, 0, 0, 11], count: 150, options: { cell: [9, 0, 0, 0, 10, 0, 0, 0, 11] } },
  { name: 'a triclinic slab', cell: [9, 0, 0, 3, 8, 0, -3, 3, 12], count: 150,
    options: { cell: [[9, 0, 0], [3, 8, 0], [-3, 3, 12]], pbc: [true, true, false], tolerance: 0.6 } },
  { name: 'a small cell', cell: [2.3, 0, 0, 0.5, 2.6, 0, 0, 0.4, 2.4], count: 3,
    options: { cell: [2.3, 0, 0, 0.5, 2.6, 0, 0, 0.4, 2.4], pbc: true } },
  { name: 'box lengths', cell: [6, 0, 0, 0, 7, 0, 0, 0, 8], count: 60, options: { cell: [6, 7, 8] } },
];

function pythonResults(calls) {
  const folder = mkdtempSync(join(tmpdir(), 'python-chemistry-'));
  try {
    writeFileSync(join(folder, 'calls.json'), JSON.stringify(calls));
    const environment = { ...process.env };
    delete environment.LD_PRELOAD;  // the sanitizer runtime is for node only
    const run = spawnSync(PYTHON, [join(ROOT, 'tests', 'node', 'python_chemistry.py'), join(folder, 'calls.json'),
                                   join(folder, 'results.json')], { encoding: 'utf8', env: environment });
    if (run.status !== 0) throw new Error(`the Python reference failed: ${run.stderr}`);
    return JSON.parse(readFileSync(join(folder, 'results.json'), 'utf8'));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

const bondCalls = CASES.map(({ cell, count, options }) => {
  const { positions, elements } = randomAtoms(count, cell, 1.5);
  return { function: 'bonds', positions, elements, options };
});
const values = Array.from({ length: 300 }, () => (next() - 0.3) * 10);
const mapCalls = [['viridis', undefined, undefined], ['turbo', -2, 4], ['RdBu', 1, 1], ['coolwarm', 0, 10]]
  .map(([colormap, vmin, vmax]) => ({ function: 'map_values', values, colormap, vmin: vmin ?? null, vmax: vmax ?? null }));
const reference = pythonResults([...bondCalls, ...mapCalls]);

test('bonds are the Python package\'s, pairs and cell shifts', () => {
  CASES.forEach((entry, k) => {
    const call = bondCalls[k];
    const found = sa.bonds(new Float64Array(call.positions), call.elements, entry.options);
    assert.ok(found.pairs instanceof Uint32Array, entry.name);
    assert.deepEqual(Array.from(found.pairs), reference.results[k].pairs, entry.name);
    if (entry.options.cell === undefined) {
      assert.equal(found.shifts, undefined);
    } else {
      assert.ok(found.shifts instanceof Int32Array);
      assert.deepEqual(Array.from(found.shifts), reference.results[k].shifts, entry.name);
    }
    assert.ok(found.pairs.length > 0, entry.name);
  });
  // Symbols, float32 positions and a plain array give the same bonds.
  const { positions, elements } = bondCalls[0];
  const symbols = elements.map((z) => ({ 1: 'H', 6: 'c', 7: 'N', 8: 'O', 16: 'S', 29: 'Cu', 78: 'Pt' })[z]);
  assert.deepEqual(sa.bonds(positions, symbols).pairs, sa.bonds(positions, new Uint8Array(elements)).pairs);
  assert.deepEqual(sa.bonds(new Float32Array(positions), elements).pairs,
                   sa.bonds(Array.from(new Float32Array(positions)), elements).pairs);
  assert.equal(sa.bonds([], []).pairs.length, 0);
});

test('colours are the Python package\'s', () => {
  mapCalls.forEach((call, k) => {
    const colors = sa.mapValues(new Float64Array(call.values), { colormap: call.colormap, vmin: call.vmin, vmax: call.vmax });
    assert.ok(colors instanceof Float32Array);
    assert.deepEqual(Array.from(colors), reference.results[bondCalls.length + k].colors, call.colormap);
  });
  assert.deepEqual(Array.from(sa.elementColors()), reference.element_colors);
  assert.deepEqual([...sa.colormapNames], Object.keys(reference.colormaps));
  for (const name of sa.colormapNames) assert.deepEqual(Array.from(sa.colormap(name)), reference.colormaps[name]);
  assert.deepEqual(sa.colormap('rdbu'), sa.colormap('RdBu'));
});

function throwsNaming(call, name, code, words) {
  assert.throws(call, (error) => {
    assert.equal(error.code, code, error.message);
    assert.ok(error.message.includes(words), error.message);
    assert.ok(!error.message.includes('options.elements') && !error.message.includes('options.values'), error.message);
    return true;
  });
}

test('bad arguments name themselves', () => {
  const three = [0, 0, 0, 1, 0, 0, 0, 1, 0];
  const range = 'ERR_OUT_OF_RANGE';
  const type = 'ERR_INVALID_ARG_TYPE';
  throwsNaming(() => sa.bonds([0, 0, 0, 0, NaN, 0], [6, 6]), 'positions', range, '"positions" is out of range. It must hold finite numbers. Received NaN at row 1, column 1');
  throwsNaming(() => sa.bonds(three, [6, 8]), 'elements', range, '"elements.length" is out of range');
  throwsNaming(() => sa.bonds(three, [6, 8, 119]), 'elements', range, '"elements" is out of range. It must hold atomic numbers 0 to 118. Received 119 at row 2');
  throwsNaming(() => sa.bonds(three, ['C', 'Xx', 'H']), 'elements', range, '"elements[1]" is out of range');
  throwsNaming(() => sa.bonds(three, [6, 8, 1], { cell: [1, 0, 0, 2, 0, 0, 0, 0, 1] }), 'cell', range, '"options.cell" is out of range. It must be a lattice of non-zero volume');
  throwsNaming(() => sa.bonds(three, [6, 8, 1], { cell: [1, 2] }), 'cell', range, '"options.cell.length"');
  throwsNaming(() => sa.bonds(three, [6, 8, 1], { cell: [5, 5, 5], pbc: [true, 1, true] }), 'pbc', type, '"options.pbc[1]" property must be of type boolean');
  throwsNaming(() => sa.bonds(three, [6, 8, 1], { pbc: true }), 'pbc', range, '"options.pbc" property needs "options.cell"');
  throwsNaming(() => sa.bonds(three, [6, 8, 1], { tolerance: -1 }), 'tolerance', range, '"options.tolerance" is out of range. It must be >= 0. Received -1');
  throwsNaming(() => sa.bonds(three, [6, 8, 1], { cutoff: 2 }), 'options', type, 'unknown key "cutoff"');
  const dense = Array.from({ length: 6000 }, () => next());  // 2000 atoms in a cube of 1 Å: nanometres, say
  throwsNaming(() => sa.bonds(dense, new Uint8Array(2000).fill(6)), 'positions', range, 'positions lie so densely');
  throwsNaming(() => sa.colormap('jet'), 'name', range, '"name" is out of range. It must be one of \'viridis\'');
  throwsNaming(() => sa.colormap(3), 'name', type, '"name" argument must be of type string');
  throwsNaming(() => sa.mapValues([1, NaN]), 'values', range, '"values" is out of range. It must hold finite numbers. Received NaN at row 1');
  throwsNaming(() => sa.mapValues([1, 2], { colormap: 'virdis' }), 'colormap', range, '"options.colormap" is out of range');
  throwsNaming(() => sa.mapValues([1, 2], { vmin: 3, vmax: 1 }), 'vmin', range, '"options.vmin" is out of range. It must be <= options.vmax');
});
