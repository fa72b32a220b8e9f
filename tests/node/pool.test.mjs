// The process's one pool of worker threads under every Node face at once: calls
// that return at once on the main thread, promises on libuv's threads and
// Workers with calls and promises of their own, all in flight together, write
// the bytes of the same call made alone.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { test } from 'node:test';
import { Worker } from 'node:worker_threads';

import { numberStream } from '../references/number_stream.mjs';
import { PACKAGE, sa } from './helpers.mjs';

const WORKER = `
  const { parentPort, workerData } = require('node:worker_threads');
  const sa = require(workerData.entry);
  const { positions, types, raw, checked } = workerData;
  (async () => {
    const files = [];
    for (let round = 0; round < 3; round++) {
      const promised = [sa.promises.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]), sa.promises.atoms(positions, { types })];
      files.push([sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]), raw], [sa.atoms(positions, { types }), checked]);
      const [promisedRaw, promisedChecked] = await Promise.all(promised);
      files.push([promisedRaw, raw], [promisedChecked, checked]);
    }
    parentPort.postMessage(files.every(([file, expected]) => file.equals(Buffer.from(expected))));
  })();
`;

test('calls, promises and Workers in flight together write the bytes of a call made alone', async () => {
  const next = numberStream(21);
  const count = 150_000;  // several ranges a phase
  const positions = Float32Array.from({ length: 3 * count }, next);
  const types = Uint16Array.from({ length: count }, () => Math.floor(next() * 9));
  const raw = sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]);
  const checked = sa.atoms(positions, { types });
  const workers = Array.from({ length: 3 }, () => new Worker(WORKER, {
    eval: true, workerData: { entry: `${PACKAGE}/node/index.js`, positions, types, raw, checked },
  }));
  const answers = workers.map((worker) => new Promise((resolve, reject) => {
    worker.once('message', resolve);
    worker.once('error', reject);
  }));
  try {
    const promised = [];
    for (let round = 0; round < 4; round++) {
      promised.push(sa.promises.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]), sa.promises.atoms(positions, { types }));
      assert.ok(sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]).equals(raw));
      assert.ok(sa.atoms(positions, { types }).equals(checked));
    }
    const files = await Promise.all(promised);
    files.forEach((file, i) => assert.ok(file.equals(i % 2 === 0 ? raw : checked), `promise ${i}`));
    assert.deepEqual(await Promise.all(answers), [true, true, true]);
  } finally {
    await Promise.all(workers.map((worker) => worker.terminate()));
  }
});

// The pool's workers run the addon's code until the process ends: the addon must
// stay loaded when the only environment that loaded it, a Worker, ends (Node
// then lets go of it), or a worker that wakes runs unmapped code.
const ONLY_A_WORKER_LOADS = `
const { Worker } = require('node:worker_threads');
const { readFileSync } = require('node:fs');
const worker = new Worker(\`
  const sa = require(\${JSON.stringify(process.argv[1])});
  const n = 150000;
  sa.atomGlb(new Float32Array(3 * n).map((_, i) => (i * 0.618) % 1), new Uint16Array(n), [0, 0, 0], [1, 1, 1]);
\`, { eval: true });
worker.on('exit', () => setTimeout(() => {
  process.stdout.write(readFileSync('/proc/self/maps', 'utf8').includes('spatial_assembler') ? 'loaded' : 'unloaded');
}, 50));
`;

test('the addon stays loaded once its workers run, also after the Worker that loaded it ends',
  { skip: process.platform !== 'linux' && 'reads /proc/self/maps' }, () => {
    const child = spawnSync(process.execPath, ['-e', ONLY_A_WORKER_LOADS, `${PACKAGE}/node/index.js`], { encoding: 'utf8' });
    assert.equal(child.status, 0, child.stderr);
    assert.equal(child.stdout, 'loaded');
  });
