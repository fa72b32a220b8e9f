'use strict';
// spatial-assembler for Node: flat arrays to one binary glTF 2.0 file (GLB), on
// the same C++ core as the Python package.
//
//   pointCloud, atoms, mesh               the checked functions: what you hold, checked, every
//                                         file valid (the Python package's meaning)
//   Scene                                 many parts (points, atoms, meshes, lines) in one file
//   trajectory                            the frames of a simulation, played as an animation
//   atomGlb, pointCloudGlb, meshGlb       the raw functions: typed memory as given (the native
//                                         Python module's meaning), byte for byte its files
//   promises.*                            each of them on the libuv thread pool
//   releaseMemory()                       frees the scratch memory kept between calls
//   bonds, colormap, mapValues,           bonds of atoms (also across periodic cells), colour maps,
//   elementColors, colormapNames          element colours: the Python package's functions
//
// The functions that return at once take { into: buffer }: the file is written
// at the start of that memory and a Buffer view of it is returned, so that a
// server or a frame loop reuses one Buffer.
//
// The native binding is a prebuilt binary from prebuilds/ when one fits this
// platform, else the one built from source at install time (build/Release).
const { join } = require('node:path');
const { types } = require('node:util');

const { checkedFunctions, chemistryFunctions } = require('./checked.js');

function loadNative() {
  try {
    return require('node-gyp-build')(join(__dirname, '..'));
  } catch (error) {
    if (!/No native build was found/.test(String(error?.message))) throw error;
    throw new Error(`spatial-assembler: no binary of the addon for ${process.platform}-${process.arch} is installed `
                    + `(Node-API 8). The install step takes a prebuilt one or builds one from source: it did not run `
                    + `(npm's --ignore-scripts) or it failed. Run \`npm rebuild spatial-assembler\`; a build from source `
                    + 'needs CMake and a C++17 compiler.', { cause: error });
  }
}

const native = loadNative();

// Node-API cannot read a bare SharedArrayBuffer before Node 24; a byte view of it
// is read the same way, as raw little-endian values.
function byteViewOf(value) {
  return types.isSharedArrayBuffer(value) ? new Uint8Array(value) : value;
}

const ARRAY_OPTIONS = ['positions', 'normals', 'indices', 'colors'];

// The mesh options with shared buffers as byte views, each property read once
// (a getter of the program runs once).
function withByteViews(options) {
  if (options === null || typeof options !== 'object') return options;  // the addon refuses it
  let copy = null;
  for (const key of ARRAY_OPTIONS) {
    if (!Object.hasOwn(options, key)) continue;
    copy ??= Object.defineProperties({}, Object.getOwnPropertyDescriptors(options));
    const value = options[key];
    Object.defineProperty(copy, key, { value: byteViewOf(value), enumerable: true });
  }
  return copy ?? options;
}

const checked = checkedFunctions(native);
const chemistry = chemistryFunctions(native);

function atomGlb(positions, types, vmin, vmax, options) {
  return native.atomGlb(byteViewOf(positions), byteViewOf(types), vmin, vmax, options);
}

function pointCloudGlb(positions, colors, vmin, vmax, options) {
  return native.pointCloudGlb(byteViewOf(positions), byteViewOf(colors), vmin, vmax, options);
}

function meshGlb(options) {
  return native.meshGlb(withByteViews(options));
}

function rejectingThrows(run) {
  return (...args) => {
    try {
      return run(...args);
    } catch (error) {
      return Promise.reject(error);
    }
  };
}

// The same work on the libuv thread pool. The arrays are copied before the
// promise is returned, so the program may change them at once; every bad
// argument rejects the promise.
const promises = Object.freeze({
  pointCloud: checked.promises.pointCloud,
  atoms: checked.promises.atoms,
  mesh: checked.promises.mesh,
  trajectory: checked.promises.trajectory,
  atomGlb: rejectingThrows((positions, types, vmin, vmax, options) =>
    native.promises.atomGlb(byteViewOf(positions), byteViewOf(types), vmin, vmax, options)),
  pointCloudGlb: rejectingThrows((positions, colors, vmin, vmax, options) =>
    native.promises.pointCloudGlb(byteViewOf(positions), byteViewOf(colors), vmin, vmax, options)),
  meshGlb: rejectingThrows((options) => native.promises.meshGlb(withByteViews(options))),
});

module.exports = {
  pointCloud: checked.pointCloud,
  atoms: checked.atoms,
  mesh: checked.mesh,
  trajectory: checked.trajectory,
  Scene: checked.Scene,
  atomGlb,
  pointCloudGlb,
  meshGlb,
  promises,
  releaseMemory: native.releaseMemory,
  bonds: chemistry.bonds,
  colormap: chemistry.colormap,
  mapValues: chemistry.mapValues,
  elementColors: chemistry.elementColors,
  colormapNames: chemistry.colormapNames,
};
