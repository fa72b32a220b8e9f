// A Node process never dies of the addon: a Worker that ends while calls of the
// addon are in flight (terminated, calling process.exit, throwing) or while one
// runs synchronously ends alone, and the process exits with its own status; a
// program that replaced Buffer.allocUnsafeSlow gets a right file or an error.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { test } from 'node:test';

import { PACKAGE, SANITIZED, sa } from './helpers.mjs';

const PROBE = new URL('./teardown_probe.cjs', import.meta.url).pathname;
const RUNS = SANITIZED ? 3 : 8;

function exitStatuses(mode) {
  const statuses = [];
  for (let run = 0; run < RUNS; run++) {
    const delay = [1, 5, 20, 60][run % 4];  // early and late in the calls' work
    const child = spawnSync(process.execPath, [PROBE, `${PACKAGE}/package.json`, mode, String(delay)],
                            { encoding: 'utf8', timeout: 120_000 });
    statuses.push(child.status === null ? `signal ${child.signal}` : child.status);
    if (child.status !== (mode === 'main-exit' ? 0 : 7)) statuses.push(child.stderr.slice(0, 400));
  }
  return statuses;
}

for (const mode of ['terminate', 'exit', 'throw', 'sync', 'main-exit']) {
  test(`a Worker ended (${mode}) with calls in flight leaves the process its own exit status`, () => {
    assert.deepEqual(exitStatuses(mode), new Array(RUNS).fill(mode === 'main-exit' ? 0 : 7));
  });
}

// Replaces Buffer.allocUnsafeSlow before the package is loaded, then prints the
// hex of an atomGlb call's file, or the name of the error it threw.
const REPLACED = `
const real = Buffer.allocUnsafeSlow;
let victim = null;
const replacements = {
  small: () => real(16),
  shared: (n) => Buffer.from(new SharedArrayBuffer(n)),
  transfer: (n) => { structuredClone(victim.buffer, { transfer: [victim.buffer] }); return real(n); },
  alias: (n) => Buffer.from(victim.buffer, 0, n),
  throwing: () => { throw new TypeError('not today'); },
};
Buffer.allocUnsafeSlow = replacements[process.argv[2]];
const sa = require(process.argv[1]);
victim = new Float32Array(new ArrayBuffer(1 << 20), 0, 3000);  // room behind it to alias
victim.set(new Float32Array(3000).map((_, i) => (i * 0.618) % 1));
try {
  process.stdout.write(sa.atomGlb(victim, new Uint16Array(1000), [0, 0, 0], [1, 1, 1]).toString('hex'));
} catch (error) {
  process.stdout.write(error.name);
}
`;

test('a replaced Buffer.allocUnsafeSlow never makes the addon write where it should not', () => {
  const positions = new Float32Array(3000).map((_, i) => (i * 0.618) % 1);
  const expected = sa.atomGlb(positions, new Uint16Array(1000), [0, 0, 0], [1, 1, 1]).toString('hex');
  const outcome = (name) => {
    const child = spawnSync(process.execPath, ['-e', REPLACED, `${PACKAGE}/node/index.js`, name], { encoding: 'utf8' });
    assert.equal(child.status, 0, child.stderr);
    return child.stdout;
  };
  // Too small, or shared memory: not written into; Node-API makes the Buffer instead.
  assert.equal(outcome('small'), expected);
  assert.equal(outcome('shared'), expected);
  assert.equal(outcome('transfer'), 'TypeError');  // the input was transferred away while the call ran
  assert.equal(outcome('alias'), 'TypeError');     // the result would overwrite the input
  assert.equal(outcome('throwing'), 'Error');      // an allocation that failed
});
