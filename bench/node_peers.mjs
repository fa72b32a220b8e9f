// The writers a Node program would use instead of the addon, shared by the
// benchmarks: @gltf-transform/core (NodeIO.writeBinary), three.js's
// GLTFExporter, and the atoms' Morton ordering in plain JavaScript (the addon's
// bytes); and the terrain grid that the mesh benchmarks write.
import { Document, NodeIO } from '@gltf-transform/core';
import * as THREE from 'three';
import { GLTFExporter } from 'three/examples/jsm/exporters/GLTFExporter.js';

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

// --- points -----------------------------------------------------------------

export function pointsWithGltfTransform(positions, colors) {
  const document = new Document();
  const buffer = document.createBuffer();
  const position = document.createAccessor().setType('VEC3').setArray(positions).setBuffer(buffer);
  const color = document.createAccessor().setType('VEC4').setArray(colors).setBuffer(buffer);
  const primitive = document.createPrimitive().setMode(0).setAttribute('POSITION', position).setAttribute('COLOR_0', color);
  const mesh = document.createMesh('AtomCloud').addPrimitive(primitive);
  document.createScene().addChild(document.createNode('Atoms').setMesh(mesh));
  return new NodeIO().writeBinary(document);
}

export function pointsWithThree(positions, colors) {
  const geometry = new THREE.BufferGeometry();
  geometry.setAttribute('position', new THREE.BufferAttribute(positions, 3));
  geometry.setAttribute('color', new THREE.BufferAttribute(colors, 4));
  const scene = new THREE.Scene();
  scene.add(new THREE.Points(geometry, new THREE.PointsMaterial({ vertexColors: true })));
  console.warn = () => {};  // GLTFExporter advises another material for points, once per call
  return new GLTFExporter().parseAsync(scene, { binary: true });
}

// --- mesh -------------------------------------------------------------------

export function grid(side) {
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

export function meshWithGltfTransform({ positions, normals, colors, indices }) {
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

export function meshWithThree({ positions, normals, colors, indices }) {
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
export function atomsInJavaScript(positions, types, vmin, vmax) {
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
