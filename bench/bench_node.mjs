// The Node addon against what a Node program would use instead, side by side in
// one run: @gltf-transform/core (NodeIO.writeBinary) and three.js's GLTFExporter
// for one million points and mesh vertices, and for atoms a plain JavaScript
// implementation of the same Morton ordering (its bytes asserted identical).
// Calls into a reused Buffer ({ into }) against one copy of the file's bytes.
//
//   node bench/bench_node.mjs [--quick]      (after the README's set-up)
import assert from 'node:assert/strict';
import { cpus, loadavg } from 'node:os';

import { Document, NodeIO } from '@gltf-transform/core';
import * as THREE from 'three';
import { GLTFExporter } from 'three/examples/jsm/exporters/GLTFExporter.js';

import sa from 'spatial-assembler';

import { numberStream } from '../tests/references/number_stream.mjs';

// GLTFExporter reads its Blob through the browser's FileReader.
globalThis.FileReader ??= class {
  readAsArrayBuffer(blob) {
    blob.arrayBuffer().then((buffer) => { this.result = buffer; this.onloadend?.(); this.onload?.({ target: this }); });
  }
  readAsDataURL(blob) {
    blob.arrayBuffer().then((buffer) => {
      this.result = `data:${blob.type};base64,${Buffer.from(buffer).toString('base64')}`;
      this.onloadend?.();
      this.onload?.({ target: this });
    });
  }
};

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

// --- points -----------------------------------------------------------------

function pointsWithGltfTransform(positions, colors) {
  const document = new Document();
  const buffer = document.createBuffer();
  const position = document.createAccessor().setType('VEC3').setArray(positions).setBuffer(buffer);
  const color = document.createAccessor().setType('VEC4').setArray(colors).setBuffer(buffer);
  const primitive = document.createPrimitive().setMode(0).setAttribute('POSITION', position).setAttribute('COLOR_0', color);
  const mesh = document.createMesh('AtomCloud').addPrimitive(primitive);
  document.createScene().addChild(document.createNode('Atoms').setMesh(mesh));
  return new NodeIO().writeBinary(document);
}

function pointsWithThree(positions, colors) {
  const geometry = new THREE.BufferGeometry();
  geometry.setAttribute('position', new THREE.BufferAttribute(positions, 3));
  geometry.setAttribute('color', new THREE.BufferAttribute(colors, 4));
  const scene = new THREE.Scene();
  scene.add(new THREE.Points(geometry, new THREE.PointsMaterial({ vertexColors: true })));
  console.warn = () => {};  // GLTFExporter advises another material for points, once per call
  return new GLTFExporter().parseAsync(scene, { binary: true });
}

// --- mesh -------------------------------------------------------------------

function grid(side) {
  const next = numberStream(3);
  const count = side * side;
  const positions = new Float32Array(3 * count);
  const normals = new Float32Array(3 * count);
  const colors = new Float32Array(4 * count);
  for (let i = 0; i < count; i++) {
    positions.set([i % side, next(), Math.floor(i / side)], 3 * i);
    normals.set([0, 1, 0], 3 * i);
    colors.set([next(), next(), next(), 1], 4 * i);
  }
  const indices = new Uint32Array(6 * (side - 1) * (side - 1));
  let k = 0;
  for (let r = 0; r < side - 1; r++) {
    for (let c = 0; c < side - 1; c++) {
      const a = r * side + c;
      indices.set([a, a + side, a + 1, a + 1, a + side, a + side + 1], k);
      k += 6;
    }
  }
  return { positions, normals, colors, indices, bounds: [0, 0, 0, side - 1, 1, side - 1] };
}

function meshWithGltfTransform({ positions, normals, colors, indices }) {
  const document = new Document();
  const buffer = document.createBuffer();
  const accessor = (type, array) => document.createAccessor().setType(type).setArray(array).setBuffer(buffer);
  const material = document.createMaterial().setBaseColorFactor([1, 1, 1, 1]).setMetallicFactor(0).setRoughnessFactor(0.85);
  const primitive = document.createPrimitive().setAttribute('POSITION', accessor('VEC3', positions))
    .setAttribute('NORMAL', accessor('VEC3', normals)).setAttribute('COLOR_0', accessor('VEC4', colors))
    .setIndices(accessor('SCALAR', indices)).setMaterial(material);
  document.createScene().addChild(document.createNode('Mesh').setMesh(document.createMesh('MeshGeometry').addPrimitive(primitive)));
  return new NodeIO().writeBinary(document);
}

function meshWithThree({ positions, normals, colors, indices }) {
  const geometry = new THREE.BufferGeometry();
  geometry.setAttribute('position', new THREE.BufferAttribute(positions, 3));
  geometry.setAttribute('normal', new THREE.BufferAttribute(normals, 3));
  geometry.setAttribute('color', new THREE.BufferAttribute(colors, 4));
  geometry.setIndex(new THREE.BufferAttribute(indices, 1));
  const scene = new THREE.Scene();
  scene.add(new THREE.Mesh(geometry, new THREE.MeshStandardMaterial({ vertexColors: true, roughness: 0.85, metalness: 0 })));
  return new GLTFExporter().parseAsync(scene, { binary: true });
}

// --- atoms in plain JavaScript ------------------------------------------------

const PALETTE = new Float32Array([0.5, 0.5, 0.5, 1, 0.267, 0.267, 0.267, 1, 0.267, 0.267, 0.267, 1, 1, 1, 0.267,
                                  1, 0.267, 1, 0.267, 1, 1, 0.6, 0.6, 0.6]);
const f32 = Math.fround;

function spread(v) {
  v = (v | (v << 16)) & 0x030000ff;
  v = (v | (v << 8)) & 0x0300f00f;
  v = (v | (v << 4)) & 0x030c30c3;
  return (v | (v << 2)) & 0x09249249;
}

/**
 * The atom GLB in plain JavaScript, as a user would write it: Morton keys in
 * float32 arithmetic, then one numeric sort of key and index packed into a
 * double (exact for fewer than 2^23 atoms), then the ordered gather. The bounds
 * are written with six decimals, which is exact for the benchmark's box.
 */
function atomsInJavaScript(positions, types, vmin, vmax) {
  const n = positions.length / 3;
  const scale = [0, 1, 2].map((a) => {
    let extent = f32(vmax[a] - vmin[a]);
    if (!(extent > f32(1e-10))) extent = f32(1e-10);
    return f32(1 / extent);
  });
  const minimum = vmin.map(f32);
  const cell = (p, a) => {
    const f = f32(f32(f32(p - minimum[a]) * scale[a]) * 1023);
    return f > 0 ? (f >= 1023 ? 1023 : Math.trunc(f)) : 0;
  };
  const packed = new Float64Array(n);
  for (let i = 0; i < n; i++) {
    const key = (spread(cell(positions[3 * i], 0)) | (spread(cell(positions[3 * i + 1], 1)) << 1)
                 | (spread(cell(positions[3 * i + 2], 2)) << 2)) >>> 0;
    packed[i] = key * 8388608 + i;
  }
  packed.sort();
  const payload = new Float32Array(6 * n);
  for (let slot = 0; slot < n; slot++) {
    const i = packed[slot] % 8388608;
    payload[3 * slot] = positions[3 * i];
    payload[3 * slot + 1] = positions[3 * i + 1];
    payload[3 * slot + 2] = positions[3 * i + 2];
    const row = Math.min(types[i], 7) * 3;
    payload[3 * n + 3 * slot] = PALETTE[row];
    payload[3 * n + 3 * slot + 1] = PALETTE[row + 1];
    payload[3 * n + 3 * slot + 2] = PALETTE[row + 2];
  }
  const size = 12 * n;
  const bound = (values) => values.map((v) => v.toFixed(6)).join(',');
  const json = '{"asset":{"version":"2.0","generator":"Tarn Native"},"scene":0,"scenes":[{"nodes":[0]}],'
    + '"nodes":[{"mesh":0,"name":"Atoms"}],"meshes":[{"primitives":[{"attributes":{"POSITION":0,"COLOR_0":1},'
    + `"mode":0}],"name":"AtomCloud"}],"accessors":[{"bufferView":0,"componentType":5126,"count":${n},"type":"VEC3",`
    + `"min":[${bound(vmin)}],"max":[${bound(vmax)}]},{"bufferView":1,"componentType":5126,"count":${n},"type":"VEC3"}],`
    + `"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":${size},"target":34962},{"buffer":0,"byteOffset":${size},`
    + `"byteLength":${size},"target":34962}],"buffers":[{"byteLength":${2 * size}}]}`;
  const text = Buffer.from(json.padEnd(Math.ceil(json.length / 4) * 4, ' '));
  const header = Buffer.alloc(20);
  header.write('glTF', 0, 'latin1');
  header.writeUInt32LE(2, 4);
  header.writeUInt32LE(28 + text.length + 2 * size, 8);
  header.writeUInt32LE(text.length, 12);
  header.write('JSON', 16, 'latin1');
  const binHeader = Buffer.alloc(8);
  binHeader.writeUInt32LE(2 * size, 0);
  binHeader.write('BIN\0', 4, 'latin1');
  return Buffer.concat([header, text, binHeader, Buffer.from(payload.buffer)]);
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
