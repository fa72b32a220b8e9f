/// <reference types="node" />
// Types of spatial-assembler, the Node addon: flat typed arrays to one binary
// glTF 2.0 file (GLB). Every function returns the finished file as a Buffer.

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

/** The arguments of meshGlb: one indexed triangle mesh with one metallic-roughness material. */
export interface MeshOptions {
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
 * A point cloud in input order: x, y, z per point, with RGB or RGBA float
 * colours per point. vmin and vmax (three numbers each) go into the POSITION
 * accessor's "min" and "max".
 */
export function pointCloudGlb(positions: Float32Input, colors: Float32Input, vmin: Numbers, vmax: Numbers): Buffer;

/**
 * Atoms ordered along a Morton curve over the box vmin..vmax (1024 cells per
 * axis, stable for atoms in one cell) and coloured by 16-bit type id from a
 * fixed eight-row palette. From 100,000 atoms on, the work runs on all
 * hardware threads; the bytes never depend on the thread count.
 */
export function atomGlb(positions: Float32Input, types: Uint16Input, vmin: Numbers, vmax: Numbers): Buffer;

/** One indexed triangle mesh with one metallic-roughness material. */
export function meshGlb(options: MeshOptions): Buffer;

/**
 * The same functions on the libuv thread pool: the arrays are copied first, so
 * the program may change them at once; bad arguments reject the promise.
 */
export declare const promises: {
  readonly pointCloudGlb: (positions: Float32Input, colors: Float32Input, vmin: Numbers, vmax: Numbers) => Promise<Buffer>;
  readonly atomGlb: (positions: Float32Input, types: Uint16Input, vmin: Numbers, vmax: Numbers) => Promise<Buffer>;
  readonly meshGlb: (options: MeshOptions) => Promise<Buffer>;
};
