// The shared table of bad inputs (tests/bad_inputs.json), against the checked
// Node functions: each one throws the error kind it names (the promise form
// rejects with it), naming the argument in its JavaScript spelling and the row.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { ROOT, sa } from './helpers.mjs';

const { cases } = JSON.parse(readFileSync(join(ROOT, 'tests', 'bad_inputs.json'), 'utf8'));
const NUMBERS = { NaN, Infinity, '-Infinity': -Infinity };
const TYPED = { uint8: Uint8Array, int32: Int32Array, float32: Float32Array, float64: Float64Array,
                int64: BigInt64Array, uint64: BigUint64Array };
const EXPECTED = { value: { name: 'RangeError', code: 'ERR_OUT_OF_RANGE' }, type: { name: 'TypeError', code: 'ERR_INVALID_ARG_TYPE' } };

function decoded(value) {
  if (value && typeof value === 'object' && 'buffer' in value) return Buffer.alloc(value.buffer);
  if (value && typeof value === 'object' && !Array.isArray(value)) {
    const Typed = TYPED[value.array];  // 64-bit integers come as strings, read exactly
    return Typed.from(value.values.map(Typed === BigInt64Array || Typed === BigUint64Array ? BigInt : decoded));
  }
  if (Array.isArray(value)) return value.map(decoded);
  return typeof value === 'string' && value in NUMBERS ? NUMBERS[value] : value;
}

// Rows become flat arrays, as Node programs hold them; one colour of three or four stays as it is.
const flat = (value) => (Array.isArray(value) && Array.isArray(value[0]) ? value.flat() : value);
// Python's out is Node's into.
const camel = (name) => (name === 'out' ? 'into' : name.replace(/_(.)/g, (_, letter) => letter.toUpperCase()));

function callOf(entry, forms) {
  const positions = flat(decoded(entry.positions));
  const options = Object.fromEntries(Object.entries(entry.options ?? {}).map(([name, value]) => [camel(name), flat(decoded(value))]));
  if (entry.function === 'points') return () => forms.pointCloud(positions, options);
  if (entry.function === 'atoms') return () => forms.atoms(positions, options);
  return () => forms.mesh(positions, flat(decoded(entry.faces)), options);
}

function matches(entry) {
  return (error) => {
    assert.equal(error.name, EXPECTED[entry.error].name, error.message);
    assert.equal(error.code, EXPECTED[entry.error].code, error.message);
    assert.ok(error.message.includes(camel(entry.argument)), error.message);
    if (entry.row !== undefined) assert.ok(error.message.includes(`row ${entry.row}`), error.message);
    assert.ok(error.message.includes(entry.message ?? ''), error.message);
    return true;
  };
}

for (const entry of cases) {
  // The promise forms take no memory to write into, whatever it holds.
  const promised = 'out' in (entry.options ?? {}) ? { error: 'type', argument: 'into' } : entry;
  test(`${entry.case}: thrown, and rejected by the promise form`, async () => {
    assert.throws(callOf(entry, sa), matches(entry));
    let promise;
    assert.doesNotThrow(() => { promise = callOf(entry, sa.promises)(); });
    await assert.rejects(promise, matches(promised));
  });
}
