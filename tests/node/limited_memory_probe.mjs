// Run by errors.test.mjs in a child process started with a stack limit of 2 GiB,
// so that every new thread asks for a 2 GiB stack, and whose address space the
// test limits (prlimit) to its size plus 300 MB once this has printed that size:
// then a worker thread cannot start, and a GLB of 360 MB cannot be allocated,
// while the JavaScript heap still has room. Prints what each call gave.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const sa = createRequire(process.argv[2])('./node/index.js');
const atoms = 100_000;  // enough for more than one thread
const positions = new Float32Array(3 * atoms).fill(0.5);
const types = new Uint16Array(atoms);
const big = new Float32Array(90_000_000);  // 360 MB of GLB
await sa.promises.pointCloudGlb(new Float32Array(3), new Float32Array(3), [0, 0, 0], [1, 1, 1]);  // the pool's threads start now
process.stdout.write(`${/VmSize:\s+(\d+)/.exec(readFileSync('/proc/self/status', 'utf8'))[1]}\n`);

function outcome(call) {
  try {
    call();
    return 'ok';
  } catch (error) {
    return `${error.name}|${error.code ?? ''}|${error.message}`;
  }
}

process.stdin.once('data', async () => {
  const results = [
    outcome(() => sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1])),
    outcome(() => sa.pointCloudGlb(big, new Uint8Array(0), [0, 0, 0], [1, 1, 1])),
    await sa.promises.pointCloudGlb(big, new Uint8Array(0), [0, 0, 0], [1, 1, 1]).then(() => 'ok', (error) => `${error.name}|${error.code}|${error.message}`),
  ];
  process.stdout.write(`${JSON.stringify(results)}\n`);
  process.exit(0);
});
