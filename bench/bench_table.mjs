// The Node rows of bench_table.py's one table: the addon's raw and checked
// functions at the sizes given, each against one copy of its file's bytes into
// warm memory and against the writer a Node program would use instead,
// measured interleaved (best of the rounds). One JSON row per line.
//
//   node bench/bench_table.mjs 10 1000 100000      (bench_table.py runs it)
import assert from 'node:assert/strict';

import sa from 'spatial-assembler';

import { numberStream } from '../tests/references/number_stream.mjs';
import { atomsInJavaScript, grid, meshWithGltfTransform, meshWithThree, pointsWithGltfTransform, pointsWithThree }
  from './node_peers.mjs';

const BOX = [[0, 0, 0], [100, 100, 100]];

/** Random points and atoms in a box of side 100, RGBA colours, type ids 0..8, and a terrain grid of about n vertices. */
class Data {
  constructor(n) {
    const next = numberStream(n);
    this.n = n;
    this.positions = Float32Array.from({ length: 3 * n }, () => next() * 100);
    this.colors = Float32Array.from({ length: 4 * n }, next);
    this.types = Uint16Array.from({ length: n }, () => Math.floor(next() * 9));
  }

  get mesh() {
    this.grid ??= grid(Math.max(Math.round(Math.sqrt(this.n)), 2));
    return this.grid;
  }

  get meshOptions() {
    return { ...this.mesh, baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0], doubleSided: false };
  }
}

// face, function, call, peer, peer call, whether the peer writes the very same bytes (asserted)
const CASES = [
  ['node raw', 'pointCloudGlb', (d) => sa.pointCloudGlb(d.positions, d.colors, ...BOX),
    '@gltf-transform/core', (d) => pointsWithGltfTransform(d.positions, d.colors)],
  ['node raw', 'atomGlb', (d) => sa.atomGlb(d.positions, d.types, ...BOX),
    'plain JavaScript ordering', (d) => atomsInJavaScript(d.positions, d.types, ...BOX), true],
  ['node raw', 'meshGlb', (d) => sa.meshGlb(d.meshOptions), '@gltf-transform/core', (d) => meshWithGltfTransform(d.mesh)],
  ['node checked', 'pointCloud', (d) => sa.pointCloud(d.positions, { colors: d.colors }),
    'three.js GLTFExporter', (d) => pointsWithThree(d.positions, d.colors)],
  ['node checked', 'atoms', (d) => sa.atoms(d.positions, { types: d.types }),
    'plain JavaScript ordering', (d) => atomsInJavaScript(d.positions, d.types, ...BOX)],
  ['node checked', 'mesh', (d) => sa.mesh(d.mesh.positions, d.mesh.indices, { normals: d.mesh.normals, colors: d.mesh.colors }),
    'three.js GLTFExporter', (d) => meshWithThree(d.mesh)],
];

/** Rounds of the call and of the floor, and of the peer (slower by far at large sizes), as bench_table.py. */
const roundsFor = (n) => (n <= 100_000 ? [15, 5] : n <= 1_000_000 ? [7, 3] : [3, 1]);

/** Seconds per call of `calls` calls in a row (awaiting those that return a promise). */
async function timed(fn, calls) {
  const start = performance.now();
  for (let i = 0; i < calls; i++) await fn();
  return (performance.now() - start) / calls / 1e3;
}

async function measure(order, [face, name, call, peer, peerCall, sameBytes], d) {
  const glb = call(d);
  if (sameBytes) assert.ok(Buffer.from(await peerCall(d)).equals(glb), `${name}: the peer's bytes differ`);
  const source = new Uint8Array(glb.length).fill(1);
  const target = new Uint8Array(glb.length);
  const floor = () => target.set(source);
  const calls = d.n < 100_000 ? Math.max(1, Math.floor(100_000 / d.n)) : 1;
  const [rounds, peerRounds] = roundsFor(d.n);
  const best = { call: Infinity, floor: Infinity, peer: Infinity };
  floor();
  for (let round = 0; round < rounds; round++) {
    best.call = Math.min(best.call, await timed(() => call(d), calls));
    if (round < peerRounds) best.peer = Math.min(best.peer, await timed(() => peerCall(d), Math.max(1, Math.floor(calls / 100))));
    best.floor = Math.min(best.floor, await timed(floor, calls));
  }
  return { order, face, function: name, size: d.n, bytes: glb.length, time: best.call, floor: best.floor, peer,
           peer_time: best.peer };
}

console.warn = () => {};  // GLTFExporter advises another material for points, once per call
for (const n of process.argv.slice(2).map(Number)) {
  const d = new Data(n);
  for (const [order, nodeCase] of CASES.entries()) console.log(JSON.stringify(await measure(order, nodeCase, d)));
}
