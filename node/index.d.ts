/// <reference types="node" />
// Types of spatial-assembler, the Node addon: flat arrays to one binary glTF 2.0
// file (GLB). Every function returns the finished file as a Buffer.
//
// pointCloud, atoms and mesh are the checked functions (the Python package's
// meaning): plain arrays or typed arrays of any kind of number, every value
// checked, every file valid; Scene puts many parts into one file. atomGlb,
// pointCloudGlb and meshGlb are the raw ones (the native Python module's
// meaning): typed memory as given.

/**
 * Memory read as raw little-endian values of the element type that a typed
 * array of the expected kind (Float32Array, Uint16Array, Uint32Array) would hold.
 */
export type RawBytes = Buffer | Uint8Array | ArrayBuffer | SharedArrayBuffer | DataView;

/** 32-bit floats: a Float32Array, or raw bytes read as float32. */
export type Float32Input = Float32Array | RawBytes;
/** Unsigned 16-bit integers: a Uint16Array, or raw bytes read as uint16. */
export type Uint16Input = Uint16Array | RawBytes;
/** Unsigned 32-bit integers: a Uint32Array, or raw bytes read as uint32. */
export type Uint32Input = Uint32Array | RawBytes;

/** Numbers in an Array or any typed array of numbers; the first ones needed are read. */
export type Numbers = ArrayLike<number> & (readonly number[] | Float32Array | Float64Array | Int8Array | Uint8Array |
  Uint8ClampedArray | Int16Array | Uint16Array | Int32Array | Uint32Array);

/**
 * Memory for the file: it is written at the start, and the function returns a
 * Buffer view of its bytes there (a Uint8Array where Buffer.from was replaced).
 * Only the functions that return at once take it; the program must not reuse the
 * memory while the previous file is still being sent.
 */
export type OutputMemory = ArrayBuffer | ArrayBufferView;

/** The last argument of pointCloudGlb and atomGlb. */
export interface OutputOptions {
  /** Memory to write the file into (see OutputMemory); absent, undefined or null: a new Buffer. */
  into?: OutputMemory | null;
}

/** The arguments of meshGlb: one indexed triangle mesh with one metallic-roughness material. */
export interface MeshOptions extends OutputOptions {
  /** x, y, z per vertex. */
  positions: Float32Input;
  /** x, y, z per vertex, unit length. */
  normals: Float32Input;
  /** Three vertex indices per triangle. */
  indices: Uint32Input;
  /** Minimum x, y, z, then maximum x, y, z: the POSITION accessor's "min" and "max". */
  bounds: Numbers;
  /** R, G, B, A. */
  baseColor: Numbers;
  metallic: number;
  roughness: number;
  /** R, G, B. */
  emissive: Numbers;
  doubleSided: boolean;
  /** R, G, B, A per vertex (COLOR_0); absent, undefined or null for none. */
  colors?: Float32Input | null;
}

/**
 * Flat numbers (x, y, z, x, y, z, ... for positions): a plain array or any typed array of numbers
 * (64-bit integers beyond 2^53 are rounded once, to the float32 the file holds).
 */
export type NumberArray = readonly number[] | Float32Array | Float64Array | Int8Array | Uint8Array | Uint8ClampedArray |
  Int16Array | Uint16Array | Int32Array | Uint32Array | BigInt64Array | BigUint64Array;

/** Integers (faces, ids, atomic numbers, bonds): a plain array of whole numbers or an integer typed array. */
export type IntegerArray = readonly number[] | Int8Array | Uint8Array | Uint8ClampedArray | Int16Array | Uint16Array |
  Int32Array | Uint32Array | BigInt64Array | BigUint64Array;

/** Colours: floats in [0, 1] (a plain array, Float32Array or Float64Array), or integers of 0 to 255 in an integer typed array. */
export type ColorArray = readonly number[] | Float32Array | Float64Array | Int8Array | Uint8Array | Uint8ClampedArray |
  Int16Array | Uint16Array | Int32Array | Uint32Array | BigInt64Array | BigUint64Array;

/**
 * "float32": float positions and colours (every viewer). "compact": KHR_mesh_quantization:
 * signed 16-bit positions around their centre, restored by the node's transform (error at most
 * half of the extent / 65534 per axis), 8-bit colours and normals, 16-bit indices where they fit.
 * "meshopt": compact, then every buffer view compressed with EXT_meshopt_compression (three.js's
 * MeshoptDecoder, Babylon.js and gltf-transform read it).
 */
export type Encoding = 'float32' | 'compact' | 'meshopt';

export interface PointCloudOptions extends OutputOptions {
  /** RGB or RGBA per point, or one colour for all; light grey when absent. */
  colors?: ColorArray | null;
  /** Default "float32". */
  encoding?: Encoding;
}

export interface AtomOptions extends OutputOptions {
  /** Palette rows 0..65535 per atom (7 and above share one colour); or give elements. */
  types?: IntegerArray | null;
  /** Atomic numbers or element symbols (any letter case) per atom. */
  elements?: IntegerArray | readonly string[] | null;
  /** The box over which the Morton order is taken: six numbers or two triples; the positions' extremes when absent. */
  bounds?: NumberArray | readonly [readonly number[], readonly number[]] | null;
  /** Default "points". "spheres": instanced spheres (EXT_mesh_gpu_instancing); "ball-and-stick": half-size spheres and bonds. */
  style?: 'points' | 'spheres' | 'ball-and-stick';
  /** One radius for all spheres. */
  radius?: number | null;
  /** One radius per atom. */
  radii?: NumberArray | null;
  /**
   * With "ball-and-stick": atom index pairs (a, b, a, b, ...), or { pairs, shifts } as bonds() gives them with a
   * cell (drawn across the boundary as half-sticks pointing at the image); true to find them from the elements
   * (covalent radii plus 0.4 Å), false for none. Left out: found when elements are given.
   */
  bonds?: IntegerArray | { pairs: IntegerArray; shifts?: IntegerArray | null } | boolean | null;
  /** Three lattice vectors (nine numbers, or three rows of three), drawn as the cell's 12 edges. */
  cell?: NumberArray | readonly (readonly number[])[] | null;
  /** The cell's periodic axes for the bonds found: one boolean for all, or three; all by default. */
  pbc?: boolean | readonly [boolean, boolean, boolean] | null;
  /** Default true; false writes spheres and sticks as plain triangles. */
  instancing?: boolean;
  /**
   * Colours of types (elements draw in their own, types in the atom palette otherwise): RGB triples flat, or rows of
   * 3 or 4 numbers (RGBA); every type needs its row. One colour source at a time: palette, colors or values.
   */
  palette?: NumberArray | readonly (readonly number[])[] | null;
  /** One colour per atom (3 or 4 numbers each, flat), or one for all: floats in [0, 1] or integers 0..255 (integer typed arrays). */
  colors?: NumberArray | null;
  /** One number per atom, drawn by cmap between vmin and vmax (the values' extremes by default). */
  values?: NumberArray | null;
  /** One of colormapNames (letter case ignored); default "viridis". */
  cmap?: string | null;
  vmin?: number | null;
  vmax?: number | null;
  /** Default "float32". */
  encoding?: Encoding;
}

/**
 * How a mesh's normals are computed. "auto" (the default): smooth within a surface, split where
 * faces meet at more than creaseAngle degrees; "smooth": one area-weighted normal per vertex;
 * "flat": each face its own normal.
 */
export type NormalsMode = 'auto' | 'smooth' | 'flat';

export interface TriangleMeshOptions extends OutputOptions {
  /** A NormalsMode (default "auto"), or x, y, z per vertex, normalised to unit length. */
  normals?: NormalsMode | NumberArray | null;
  /** Degrees in [0, 180], default 30: where "auto" splits the normals. */
  creaseAngle?: number;
  /** RGB or RGBA per vertex, or one colour for all. */
  colors?: ColorArray | null;
  /** u, v per vertex as glTF counts them (v down from the image's top: 1 - v of OpenGL's). */
  uv?: NumberArray | null;
  /** The bytes of a PNG or JPEG image, shown with uv. */
  texture?: Uint8Array | null;
  /** R, G, B, A in [0, 1]: white with vertex colours or a texture, light grey without; an alpha below 1 is translucent. */
  baseColor?: NumberArray | null;
  /** Default 0. */
  metallic?: number;
  /** Default 0.5. */
  roughness?: number;
  /** Default [0, 0, 0]. */
  emissive?: NumberArray;
  /** Default true: open surfaces show from both sides. */
  doubleSided?: boolean;
  /** Default "float32". */
  encoding?: Encoding;
}

/** Where a part of a Scene stands, and its name. */
export interface PartOptions {
  /** The name of the part's node (what viewers list); the kind's own name when absent. */
  name?: string | null;
  /**
   * A 4 x 4 matrix acting on column vectors [x, y, z, 1]: 16 numbers row by row, or four rows of four.
   * A rotation, scale and translation (glTF's nodes hold no shear).
   */
  transform?: NumberArray | readonly (readonly number[])[] | null;
  /** This part's encoding; the scene's when absent. */
  encoding?: Encoding;
}

/** The options of a Scene's lines. */
export interface LineOptions extends PartOptions {
  /** Point index pairs (a, b, a, b, ...), one segment each; without them one line through every point in order. */
  segments?: IntegerArray | null;
  /** RGB or RGBA per point, or one colour for all. */
  colors?: ColorArray | null;
  /** R, G, B, A in [0, 1] of every line without colors: dark grey when absent. */
  color?: NumberArray | null;
}

/**
 * Many parts in one file: points, atoms, meshes and lines, each with its own node (named, and
 * placed by its transform), planned into one document and written in one pass. Each method takes
 * the options of its function (but into) and PartOptions, checks the part as it is added (values
 * are checked when the file is written, the error naming the part) and returns the scene. The
 * arrays are read when the file is written.
 */
export class Scene {
  constructor();
  /** The number of parts. */
  readonly length: number;
  /** The kind and name of each part, in order. */
  readonly parts: ReadonlyArray<{ readonly kind: 'points' | 'atoms' | 'mesh' | 'lines'; readonly name: string | null }>;
  points(positions: NumberArray, options?: Omit<PointCloudOptions, 'into' | 'encoding'> & PartOptions): this;
  atoms(positions: NumberArray, options?: Omit<AtomOptions, 'into' | 'encoding'> & PartOptions): this;
  mesh(positions: NumberArray, faces: IntegerArray, options?: Omit<TriangleMeshOptions, 'into' | 'encoding'> & PartOptions): this;
  lines(positions: NumberArray, options?: LineOptions): this;
  /** The file; encoding applies to the parts that name none. */
  glb(options?: { encoding?: Encoding; into?: OutputMemory | null }): Buffer;
  /** The file, written on the libuv thread pool (the arrays are copied first). */
  glbAsync(options?: { encoding?: Encoding }): Promise<Buffer>;
  /** Writes the file to path. */
  save(path: string, options?: { encoding?: Encoding }): void;
}

/** A point cloud in input order, with the exact extremes of its positions as its bounds. */
export function pointCloud(positions: NumberArray, options?: PointCloudOptions): Buffer;

/** Atoms in Morton order, coloured by palette row, as points or spheres. */
export function atoms(positions: NumberArray, options?: AtomOptions): Buffer;

/** One indexed triangle mesh (three vertex indices per face) with one metallic-roughness material. */
export function mesh(positions: NumberArray, faces: IntegerArray, options?: TriangleMeshOptions): Buffer;

/** The options of atoms(), the same for every frame, and the frames a second. */
export interface TrajectoryOptions extends AtomOptions {
  /** Frames a second (10 by default): frame k is shown from k / fps for 1 / fps. */
  fps?: number;
}

/**
 * The frames of a trajectory in one file (one Array or typed array of x, y, z
 * per frame, each with the same atoms), played as an animation: frame k under
 * a node "Frame k" whose scale a STEP animation switches on at time k / fps.
 */
export function trajectory(frames: readonly NumberArray[], options?: TrajectoryOptions): Buffer;

/**
 * A point cloud in input order: x, y, z per point, with RGB or RGBA float
 * colours per point. vmin and vmax (three numbers each) go into the POSITION
 * accessor's "min" and "max".
 */
export function pointCloudGlb(positions: Float32Input, colors: Float32Input, vmin: Numbers, vmax: Numbers,
                              options?: OutputOptions): Buffer;

/**
 * Atoms ordered along a Morton curve over the box vmin..vmax (1024 cells per
 * axis, stable for atoms in one cell) and coloured by 16-bit type id from a
 * fixed eight-row palette. From 100,000 atoms on, the work runs on all
 * hardware threads; the bytes never depend on the thread count.
 */
export function atomGlb(positions: Float32Input, types: Uint16Input, vmin: Numbers, vmax: Numbers,
                        options?: OutputOptions): Buffer;

/** One indexed triangle mesh with one metallic-roughness material. */
export function meshGlb(options: MeshOptions): Buffer;

/** Frees the scratch memory that the calls of this thread keep between them; returns the bytes freed. */
export function releaseMemory(): number;

export interface BondOptions {
  /**
   * The lattice that the atoms repeat over: three lattice vectors (three triples, or nine numbers row by row),
   * or three box lengths. With it, the result holds the cell shift of each bond.
   */
  cell?: NumberArray | readonly [readonly number[], readonly number[], readonly number[]] | null;
  /** Which axes repeat: one boolean or three; all of them when absent with a cell. */
  pbc?: boolean | readonly [boolean, boolean, boolean] | null;
  /** Added to the sum of two covalent radii (ångström) under which atoms are bonded. Default 0.4. */
  tolerance?: number;
}

export interface Bonds {
  /** Atom index pairs i, j, i, j, ... (i <= j), sorted by i, then j, then shift. */
  pairs: Uint32Array;
  /**
   * With a cell: the cell shift S of each bond (x, y, z, x, y, z, ...): bond k joins atom i to the
   * image of atom j at positions[j] + S . cell. An atom bonded to an image of its own (i == j) has
   * S with its first non-zero component positive. Undefined without a cell.
   */
  shifts: Int32Array | undefined;
}

/**
 * The bonded atoms: closer than the sum of their covalent radii (Cordero et al. 2008) plus the
 * tolerance, also across the faces of a periodic cell. elements: atomic numbers or element
 * symbols, one per atom. The Python package's bonds(), with the same results.
 */
export function bonds(positions: NumberArray, elements: IntegerArray | readonly string[], options?: BondOptions): Bonds;

export interface MapOptions {
  /** One of colormapNames (letter case ignored). Default "viridis". */
  colormap?: string;
  /** The value given the first colour; the values' smallest when absent. */
  vmin?: number | null;
  /** The value given the last colour; the values' largest when absent. */
  vmax?: number | null;
}

/** R, G, B in [0, 1] for each value on a colour map, as matplotlib maps them (values outside vmin..vmax clamped). */
export function mapValues(values: NumberArray, options?: MapOptions): Float32Array;

/** The 256 colours of a colour map, R, G, B each in [0, 1]. */
export function colormap(name: string): Float32Array;

/** The names of the colour maps: matplotlib's viridis, magma, inferno, plasma, cividis, turbo, coolwarm, RdBu. */
export const colormapNames: readonly string[];

/** R, G, B in [0, 1] for each atomic number 0 to 118: Jmol's colours, as ASE publishes them. */
export function elementColors(): Float32Array;

/**
 * The same functions on the libuv thread pool: the arrays are copied first, so
 * the program may change them at once; bad arguments reject the promise. They
 * write into new memory of their own: `into` is refused.
 */
export declare const promises: {
  readonly pointCloud: (positions: NumberArray, options?: Omit<PointCloudOptions, 'into'>) => Promise<Buffer>;
  readonly atoms: (positions: NumberArray, options?: Omit<AtomOptions, 'into'>) => Promise<Buffer>;
  readonly mesh: (positions: NumberArray, faces: IntegerArray, options?: Omit<TriangleMeshOptions, 'into'>) => Promise<Buffer>;
  readonly trajectory: (frames: readonly NumberArray[], options?: Omit<TrajectoryOptions, 'into'>) => Promise<Buffer>;
  readonly pointCloudGlb: (positions: Float32Input, colors: Float32Input, vmin: Numbers, vmax: Numbers) => Promise<Buffer>;
  readonly atomGlb: (positions: Float32Input, types: Uint16Input, vmin: Numbers, vmax: Numbers) => Promise<Buffer>;
  readonly meshGlb: (options: Omit<MeshOptions, 'into'>) => Promise<Buffer>;
};
