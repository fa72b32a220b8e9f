// The addon in worker threads: every environment loads its own instance (with
// its own Buffer allocator), several run at once, and ending a worker frees it.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { Worker } from 'node:worker_threads';

import { numberStream } from '../references/number_stream.mjs';
import { PACKAGE, sa } from './helpers.mjs';

const WORKER = `
  const { parentPort, workerData } = require('node:worker_threads');
  const sa = require(workerData.entry);
  parentPort.on('message', async ({ positions, types }) => {
    const direct = sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]);
    const promised = await sa.promises.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]);
    parentPort.postMessage({ same: direct.equals(promised), glb: direct }, [direct.buffer]);
  });
`;

function startWorker() {
  return new Worker(WORKER, { eval: true, workerData: { entry: `${PACKAGE}/node/index.js` } });
}

function ask(worker, message) {
  return new Promise((resolve, reject) => {
    worker.once('message', resolve);
    worker.once('error', reject);
    worker.postMessage(message);
  });
}

test('workers build the same files as the main thread, at the same time', async () => {
  const next = numberStream(9);
  const count = 120_000;  // enough for the atom builder's own threads
  const positions = Float32Array.from({ length: 3 * count }, next);
  const types = Uint16Array.from({ length: count }, () => Math.floor(next() * 9));
  const expected = sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]);
  const workers = [startWorker(), startWorker(), startWorker()];
  try {
    const answers = await Promise.all(workers.map((worker) => ask(worker, { positions, types })));
    for (const { same, glb } of answers) {
      assert.ok(same);
      assert.ok(Buffer.from(glb).equals(expected));
    }
  } finally {
    await Promise.all(workers.map((worker) => worker.terminate()));
  }
  // A worker ended while its own calls may still run is torn down without harm.
  const late = startWorker();
  late.postMessage({ positions, types });
  await late.terminate();
  assert.ok(sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]).equals(expected));
});
