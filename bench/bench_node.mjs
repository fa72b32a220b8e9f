// The Node addon against what a Node program would use instead, side by side in
// one run: @gltf-transform/core (NodeIO.writeBinary) and three.js's GLTFExporter
// for one million points and mesh vertices, and for atoms a plain JavaScript
// implementation of the same Morton ordering (its bytes asserted identical).
// Calls into a reused Buffer ({ into }) against one copy of the file's bytes.
//
//   node bench/bench_node.mjs [--quick]      (after the README's set-up)
import assert from 'node:assert/strict';
import { cpus, loadavg } from 'node:os';

import sa from 'spatial-assembler';

import { numberStream } from '../tests/references/number_stream.mjs';
import { atomsInJavaScript, grid, meshWithGltfTransform, meshWithThree, pointsWithGltfTransform, pointsWithThree }
  from './node_peers.mjs';

const quick = process.argv.includes('--quick');

/**
 * Median wall time in milliseconds over `repeat` calls, after one warm-up call.
 * The median, not the best: a Buffer is fresh memory until the garbage collector
 * frees the last one, so single calls swing between recycled and fresh pages.
 */
async function bestOf(fn, repeat = 7) {
  await fn();
  const times = [];
  for (let i = 0; i < repeat; i++) {
    const start = performance.now();
    await fn();
    times.push(performance.now() - start);
  }
  times.sort((a, b) => a - b);
  return times[Math.floor(times.length / 2)];
}

function table(title, rows, headers) {
  console.log(`\n${title}`);
  const widths = headers.map((h, i) => Math.max(h.length, ...rows.map((r) => String(r[i]).length)));
  for (const row of [headers, ...rows]) console.log(row.map((cell, i) => String(cell).padEnd(widths[i])).join('  '));
}

const ms = (value) => `${value.toFixed(1)} ms`;

/**
 * The medians of two calls measured in alternation, so that both meet the same
 * state of the garbage collector and of the memory it has not yet freed.
 */
async function alternating(first, second, repeat = 9) {
  await first();
  await second();
  const times = [[], []];
  for (let i = 0; i < repeat; i++) {
    for (const [k, fn] of [first, second].entries()) {
      const start = performance.now();
      await fn();
      times[k].push(performance.now() - start);
    }
  }
  return times.map((list) => list.sort((a, b) => a - b)[Math.floor(list.length / 2)]);
}

/** The floor of any writer that returns a new Buffer: one of that size, every byte written. */
const freshBuffer = (size) => () => Buffer.allocUnsafeSlow(size).fill(1);

/** The floor of any writer into a reused Buffer: one copy of the file's bytes into it. */
function oneCopy(size) {
  const source = Buffer.alloc(size, 1);
  const target = Buffer.alloc(size);
  return () => target.set(source);
}

// The goals, each a ratio measured in this run.
const goals = [];
function goal(text, measured, met) {
  goals.push(`${met ? 'met   ' : 'MISSED'}  ${text}: measured ${measured}`);
}

// --- run ----------------------------------------------------------------------

console.log(`${cpus()[0].model}, ${cpus().length} hardware threads, Node ${process.version}; `
            + `load average before the run ${loadavg().map((v) => v.toFixed(2)).join(' ')}`);

{
  const n = 1_000_000;
  const next = numberStream(1);
  const positions = Float32Array.from({ length: 3 * n }, next);
  const colors = Float32Array.from({ length: 4 * n }, next);
  const size = sa.pointCloudGlb(positions, colors, [0, 0, 0], [1, 1, 1]).length;
  const [tAddon, tFloor] = await alternating(() => sa.pointCloudGlb(positions, colors, [0, 0, 0], [1, 1, 1]), freshBuffer(size));
  const tPromise = await bestOf(() => sa.promises.pointCloudGlb(positions, colors, [0, 0, 0], [1, 1, 1]));
  // The checked layer: exact extremes computed, every value checked; and its compact file.
  const [tChecked, tRaw] = await alternating(() => sa.pointCloud(positions, { colors }),
                                             () => sa.pointCloudGlb(positions, colors, [0, 0, 0], [1, 1, 1]));
  const tCompact = await bestOf(() => sa.pointCloud(positions, { colors, encoding: 'compact' }));
  const compactSize = sa.pointCloud(positions, { colors, encoding: 'compact' }).length;
  const tTransform = await bestOf(() => pointsWithGltfTransform(positions, colors), 3);
  const tThree = await bestOf(() => pointsWithThree(positions, colors), 3);
  const into = Buffer.alloc(size);
  const [tInto, tCopy] = await alternating(() => sa.pointCloudGlb(positions, colors, [0, 0, 0], [1, 1, 1], { into }),
                                           oneCopy(size), 15);
  goal('pointCloudGlb, 1M points into a reused Buffer, at most 1.5 times one copy of the file\'s bytes',
       `${(tInto / tCopy).toFixed(2)}x (${ms(tInto)} against ${ms(tCopy)})`, tInto <= 1.5 * tCopy);
  table(`pointCloudGlb: ${n.toLocaleString('en')} RGBA points (28 MB)`, [
    ['spatial-assembler pointCloudGlb', ms(tAddon), '1x'],
    ['spatial-assembler pointCloudGlb into a reused Buffer', ms(tInto), `${(tInto / tAddon).toFixed(2)}x`],
    ['one copy of the file\'s bytes into a reused Buffer', ms(tCopy), `${(tCopy / tAddon).toFixed(2)}x`],
    ['spatial-assembler promises.pointCloudGlb', ms(tPromise), `${(tPromise / tAddon).toFixed(1)}x`],
    [`spatial-assembler pointCloud (checked; alternating with pointCloudGlb at ${ms(tRaw)})`, ms(tChecked),
     `${(tChecked / tRaw).toFixed(2)}x`],
    [`spatial-assembler pointCloud, compact (${(compactSize / 1e6).toFixed(0)} MB)`, ms(tCompact), `${(tCompact / tAddon).toFixed(2)}x`],
    ['@gltf-transform/core NodeIO.writeBinary', ms(tTransform), `${(tTransform / tAddon).toFixed(0)}x slower`],
    ['three.js GLTFExporter', ms(tThree), `${(tThree / tAddon).toFixed(0)}x slower`],
    ['one fresh Buffer of the GLB\'s size, filled', ms(tFloor), `${(tFloor / tAddon).toFixed(2)}x`],
  ], ['writer', 'time', 'vs pointCloudGlb']);
}

{
  const mesh = grid(1000);
  const options = { ...mesh, baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.85, emissive: [0, 0, 0], doubleSided: false };
  const [tAddon, tFloor] = await alternating(() => sa.meshGlb(options), freshBuffer(sa.meshGlb(options).length));
  const tPromise = await bestOf(() => sa.promises.meshGlb(options));
  const tTransform = await bestOf(() => meshWithGltfTransform(mesh), 3);
  const tThree = await bestOf(() => meshWithThree(mesh), 3);
  const into = Buffer.alloc(sa.meshGlb(options).length);
  const intoOptions = { ...options, into };
  const [tInto, tCopy] = await alternating(() => sa.meshGlb(intoOptions), oneCopy(into.length), 15);
  goal('meshGlb, 1M vertices into a reused Buffer, at least 30 times faster than NodeIO.writeBinary',
       `${(tTransform / tInto).toFixed(0)}x (${ms(tInto)} against ${ms(tTransform)}; with a fresh Buffer ` +
       `${(tTransform / tAddon).toFixed(0)}x)`, tTransform >= 30 * tInto);
  table('meshGlb: 1,000,000 vertices, 1,996,002 triangles, normals and RGBA colours (64 MB)', [
    ['spatial-assembler meshGlb', ms(tAddon), '1x'],
    ['spatial-assembler meshGlb into a reused Buffer', ms(tInto), `${(tInto / tAddon).toFixed(2)}x`],
    ['one copy of the file\'s bytes into a reused Buffer', ms(tCopy), `${(tCopy / tAddon).toFixed(2)}x`],
    ['spatial-assembler promises.meshGlb', ms(tPromise), `${(tPromise / tAddon).toFixed(1)}x`],
    ['@gltf-transform/core NodeIO.writeBinary', ms(tTransform), `${(tTransform / tAddon).toFixed(0)}x slower`],
    ['three.js GLTFExporter', ms(tThree), `${(tThree / tAddon).toFixed(0)}x slower`],
    ['one fresh Buffer of the GLB\'s size, filled', ms(tFloor), `${(tFloor / tAddon).toFixed(2)}x`],
  ], ['writer', 'time', 'vs meshGlb']);
}

{
  // The checked mesh (every value checked, normals given or computed) against meshGlb, both into a reused Buffer.
  const mesh = grid(1000);
  const raw = { ...mesh, baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.85, emissive: [0, 0, 0], doubleSided: false };
  const into = Buffer.alloc(5 * sa.meshGlb(raw).length);  // room for the split vertices of the flat style
  const rawInto = { ...raw, into };
  const rows = [];
  for (const [label, options, most] of [
    ['given normals, colours', { normals: mesh.normals }, 1.5],
    ['normals \'smooth\' (area-weighted), colours', { normals: 'smooth' }, 3],
    ['normals \'auto\' (split at 30-degree creases), colours', { normals: 'auto' }, null],
    ['normals \'flat\', colours', { normals: 'flat' }, null],
    ['given normals, colours, compact', { normals: mesh.normals, encoding: 'compact' }, null],
  ]) {
    const checked = () => sa.mesh(mesh.positions, mesh.indices, { ...options, colors: mesh.colors, into });
    const size = checked().length;
    const [tChecked, tRaw] = await alternating(checked, () => sa.meshGlb(rawInto), 7);
    const ratio = `${(tChecked / tRaw).toFixed(2)}x`;
    rows.push([`spatial-assembler mesh, ${label} (${(size / 1e6).toFixed(0)} MB)`, ms(tChecked), `${ratio} (meshGlb ${ms(tRaw)})`]);
    if (most !== null) {
      goal(`mesh, ${label}, into a reused Buffer, at most ${most} times meshGlb into one`,
           `${ratio} (${ms(tChecked)} against ${ms(tRaw)})`, tChecked <= most * tRaw);
    }
  }
  table('mesh, checked, into a reused Buffer, each in alternation with meshGlb into one: the same 1,000,000 vertices',
        rows, ['call', 'time', 'vs meshGlb']);
}

{
  const rows = [];
  for (const n of quick ? [1_000_000] : [1_000_000, 4_000_000]) {
    const next = numberStream(n);
    const positions = Float32Array.from({ length: 3 * n }, () => next() * 100);
    const types = Uint16Array.from({ length: n }, () => Math.floor(next() * 9));
    const box = [[0, 0, 0], [100, 100, 100]];
    assert.ok(sa.atomGlb(positions, types, ...box).equals(atomsInJavaScript(positions, types, ...box)), 'outputs differ');
    const tAddon = await bestOf(() => sa.atomGlb(positions, types, ...box));
    const tPromise = await bestOf(() => sa.promises.atomGlb(positions, types, ...box));
    const tPlain = await bestOf(() => atomsInJavaScript(positions, types, ...box), 3);
    rows.push([n.toLocaleString('en'), ms(tAddon), ms(tPromise), ms(tPlain), `${(tPlain / tAddon).toFixed(1)}x`]);
  }
  table('atomGlb vs the same ordering in plain JavaScript (identical bytes)', rows,
        ['atoms', 'atomGlb', 'promises.atomGlb', 'plain JavaScript', 'speed-up']);
}

console.log(`\nGoals (load average now ${loadavg().map((v) => v.toFixed(2)).join(' ')}):`);
for (const line of goals) console.log(`  ${line}`);
