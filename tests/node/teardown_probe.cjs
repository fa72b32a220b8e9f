// Run by teardown.test.mjs in a child process: a Worker with calls of the addon
// in flight is ended one way or another while the main thread waits, and the
// process must then exit with the status this script chooses (7), or 0 when the
// main thread itself exits at once. Usage: node teardown_probe.cjs <package.json> <mode> <delay ms>
const { Worker } = require('node:worker_threads');

const [entry, mode, delay] = [process.argv[2], process.argv[3], Number(process.argv[4])];
const code = `
const { parentPort, workerData } = require('node:worker_threads');
const sa = require(workerData.entry);
const n = 150000;
const positions = new Float32Array(3 * n).map((_, i) => (i * 0.618) % 1);
const types = new Uint16Array(n);
const mesh = { positions, normals: positions, indices: new Uint32Array(3 * 1000), bounds: [0, 0, 0, 1, 1, 1],
               baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0], doubleSided: false };
parentPort.postMessage('ready');
if (workerData.mode === 'sync') {
  for (;;) { sa.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]); sa.atoms(positions, { style: 'spheres' }); sa.meshGlb(mesh); }
}
for (let i = 0; i < 6; i++) {
  sa.promises.atomGlb(positions, types, [0, 0, 0], [1, 1, 1]);
  sa.promises.atoms(positions, { style: 'spheres', encoding: 'compact' });
  sa.promises.meshGlb(mesh);
  sa.promises.pointCloud(positions);
}
if (workerData.mode === 'exit') process.exit(3);
if (workerData.mode === 'throw') throw new Error('uncaught in the worker');
`;
const worker = new Worker(code, { eval: true, workerData: { entry: require.resolve(entry.replace(/package\.json$/, 'node/index.js')), mode } });
worker.on('error', () => {});  // the uncaught error of the 'throw' mode
worker.on('message', () => {
  if (mode === 'main-exit') setTimeout(() => process.exit(0), delay);
  else if (mode === 'terminate' || mode === 'sync') setTimeout(() => worker.terminate(), delay);
});
worker.on('exit', () => setTimeout(() => process.exit(7), 20));
