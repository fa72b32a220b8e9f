// Calls the declarations must accept, and wrong ones they must refuse: each wrong
// call carries @ts-expect-error, which tsc reports when no error follows it.
import sa = require('spatial-assembler');

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

// The checked functions: plain arrays and any typed array of numbers.
const f: Buffer = sa.pointCloud([0, 0, 0, 1, 1, 1], { colors: new Uint8Array([255, 0, 0]), encoding: 'compact' });
const g: Buffer = sa.atoms(new Float64Array(6), { elements: ['C', 'O'], style: 'ball-and-stick', bonds: [0, 1] });
const h: Promise<Buffer> = sa.promises.mesh(positions, new Int32Array([0, 1, 2]), { baseColor: [1, 0, 0, 1], doubleSided: false });
sa.atoms(positions, { types: new Uint16Array(3), bounds: [[0, 0, 0], [1, 1, 1]], radius: 0.5, instancing: false });

// @ts-expect-error: an unknown style
sa.atoms(positions, { style: 'sticks' });
// @ts-expect-error: an unknown option
sa.pointCloud(positions, { colours: [1, 0, 0] });
// @ts-expect-error: faces are integers
sa.mesh(positions, new Float32Array(3));

export { a, b, c, d, e, f, g, h };

// Bonds and colours.
const found: { pairs: Uint32Array; shifts: Int32Array | undefined } = sa.bonds([0, 0, 0, 1, 0, 0], ['C', 'O'],
                                                                               { cell: [5, 5, 5], pbc: [true, true, false] });
const shades: Float32Array = sa.mapValues(new Float64Array([1, 2, 3]), { colormap: 'turbo', vmin: 0 });
const table: Float32Array = sa.colormap(sa.colormapNames[0]);
const elementColors: Float32Array = sa.elementColors();
// @ts-expect-error: pbc takes booleans
sa.bonds([0, 0, 0], [6], { cell: [5, 5, 5], pbc: [1, 1, 1] });
// @ts-expect-error: elements are required
sa.bonds([0, 0, 0]);
const crystal: Buffer = sa.atoms([0, 0, 0, 1, 1, 1], { elements: ['Si', 'Si'], style: 'ball-and-stick', bonds: true,
                                                       cell: [[2, 0, 0], [0, 2, 0], [0, 0, 2]], pbc: [true, true, false] });
const frames: Buffer = sa.trajectory([[0, 0, 0], [1, 1, 1]], { elements: ['C'], fps: 24 });
void crystal;
void frames;
const scene: sa.Scene = new sa.Scene().mesh(positions, [0, 1, 2], { uv: [0, 0, 1, 0, 0, 1], texture: new Uint8Array(8), name: 'Box' });
const sceneFile: Buffer = scene.lines(positions).glb();
// @ts-expect-error: a texture is the bytes of an image
scene.mesh(positions, [0, 1, 2], { texture: 'image.png' });
export { sceneFile };
