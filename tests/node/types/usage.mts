// Calls the declarations must accept, and wrong ones they must refuse: each wrong
// call carries @ts-expect-error, which tsc reports when no error follows it.
import * as sa from 'spatial-assembler';
import assembler from 'spatial-assembler';
const viaDefault: Buffer = assembler.atomGlb(new Float32Array(3), new Uint16Array(1), [0, 0, 0], [1, 1, 1]);

const positions = new Float32Array(9);
const bounds: [number, number, number] = [0, 0, 0];
const a: Buffer = sa.pointCloudGlb(positions, new Float32Array(12), bounds, new Float64Array([1, 1, 1]));
const b: Buffer = sa.atomGlb(Buffer.alloc(36), new Uint16Array(3), [0, 0, 0], [1, 1, 1]);
const c: Buffer = sa.meshGlb({ positions, normals: positions, indices: new Uint32Array(3), bounds: [0, 0, 0, 1, 1, 1],
                               baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0],
                               doubleSided: false, colors: null });
const d: Promise<Buffer> = sa.promises.atomGlb(new SharedArrayBuffer(36), new ArrayBuffer(6), [0, 0, 0], [1, 1, 1]);

// @ts-expect-error: a Float64Array of positions is refused
sa.pointCloudGlb(new Float64Array(9), positions, bounds, bounds);
// @ts-expect-error: an Int32Array of indices is refused
sa.meshGlb({ positions, normals: positions, indices: new Int32Array(3), bounds: [0, 0, 0, 1, 1, 1], baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0], doubleSided: false });
// @ts-expect-error: a missing key
sa.meshGlb({ positions, normals: positions, indices: new Uint32Array(3), bounds: [0, 0, 0, 1, 1, 1], baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0] });
// @ts-expect-error: an unknown key
sa.meshGlb({ positions, normals: positions, indices: new Uint32Array(3), bounds: [0, 0, 0, 1, 1, 1], baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0], doubleSided: false, colours: null });
// @ts-expect-error: bounds of strings
sa.atomGlb(positions, new Uint16Array(3), ['0', '0', '0'], [1, 1, 1]);
// @ts-expect-error: the promise form returns a promise
const e: Buffer = sa.promises.pointCloudGlb(positions, positions, bounds, bounds);

const checkedFile: Buffer = sa.pointCloud(new Float64Array(3), { encoding: 'float32' });
const reused = Buffer.alloc(1 << 20);
const intoReused: Buffer = sa.atoms([0, 0, 0], { types: [1], into: reused });
const intoRaw: Buffer = sa.atomGlb(positions, new Uint16Array(3), [0, 0, 0], [1, 1, 1], { into: new ArrayBuffer(4096) });
const freed: number = sa.releaseMemory();
// @ts-expect-error: the promise forms write into memory of their own
sa.promises.mesh([0, 0, 0], [0, 0, 0], { into: reused });
// @ts-expect-error: into takes memory, not a size
sa.pointCloud([0, 0, 0], { into: 4096 });
// @ts-expect-error: encodings are "float32" and "compact"
sa.mesh([0, 0, 0], [0, 0, 0], { encoding: 'float16' });

export { a, b, c, d, e, viaDefault, checkedFile, intoReused, intoRaw, freed };

// Scenes: parts with names and transforms, textures, normals modes.
const scene: sa.Scene = new sa.Scene()
  .atoms(positions, { elements: ['C', 'O', 'N'], style: 'spheres', name: 'Molecule' })
  .mesh(positions, [0, 1, 2], { normals: 'flat', creaseAngle: 45, uv: new Float32Array(6), texture: Buffer.alloc(8),
                                 transform: [[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0], [0, 0, 0, 1]], encoding: 'compact' })
  .lines(positions, { segments: [0, 1, 1, 2], color: [1, 1, 1, 0.5], transform: new Float64Array(16) })
  .points(positions, { colors: [1, 0, 0], name: null });
const parts: number = scene.length + scene.parts.filter((part) => part.kind === 'mesh' && part.name !== null).length;
const sceneFile: Buffer = scene.glb({ encoding: 'compact', into: reused });
const scenePromise: Promise<Buffer> = scene.glbAsync();
scene.save('scene.glb');
// @ts-expect-error: a scene's parts take no memory of their own
scene.points(positions, { into: reused });
// @ts-expect-error: lines take their segments as an option
scene.lines(positions, [0, 1]);
// @ts-expect-error: normals modes are "auto", "smooth" and "flat"
sa.mesh(positions, [0, 1, 2], { normals: 'round' });
// @ts-expect-error: glbAsync writes into memory of its own
scene.glbAsync({ into: reused });

export { scene, parts, sceneFile, scenePromise };
