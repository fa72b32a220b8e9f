'use strict';
// spatial-assembler for Node: flat typed arrays to one binary glTF 2.0 file (GLB),
// on the same C++ core as the Python module, byte for byte.
//
// The native binding is a prebuilt binary from prebuilds/ when one fits this
// platform, else the one built from source at install time (build/Release).
const { join } = require('node:path');
const { types } = require('node:util');

const native = require('node-gyp-build')(join(__dirname, '..'));

// Node-API cannot read a bare SharedArrayBuffer before Node 24; a byte view of it
// is read the same way, as raw little-endian values.
function byteViewOf(value) {
  return types.isSharedArrayBuffer(value) ? new Uint8Array(value) : value;
}

const ARRAY_OPTIONS = ['positions', 'normals', 'indices', 'colors'];

function withByteViews(options) {
  if (options === null || typeof options !== 'object') return options;  // the addon refuses it
  let copy = null;
  for (const key of ARRAY_OPTIONS) {
    if (Object.hasOwn(options, key) && types.isSharedArrayBuffer(options[key])) {
      copy ??= { ...options };
      copy[key] = new Uint8Array(options[key]);
    }
  }
  return copy ?? options;
}

function pointCloudGlb(positions, colors, vmin, vmax) {
  return native.pointCloudGlb(byteViewOf(positions), byteViewOf(colors), vmin, vmax);
}

function atomGlb(positions, types, vmin, vmax) {
  return native.atomGlb(byteViewOf(positions), byteViewOf(types), vmin, vmax);
}

function meshGlb(options) {
  return native.meshGlb(withByteViews(options));
}

// The same work on the libuv thread pool. The arrays are copied before the
// promise is returned, so the program may change them at once.
const promises = Object.freeze({
  pointCloudGlb(positions, colors, vmin, vmax) {
    return native.promises.pointCloudGlb(byteViewOf(positions), byteViewOf(colors), vmin, vmax);
  },
  atomGlb(positions, types, vmin, vmax) {
    return native.promises.atomGlb(byteViewOf(positions), byteViewOf(types), vmin, vmax);
  },
  meshGlb(options) {
    return native.promises.meshGlb(withByteViews(options));
  },
});

module.exports = { pointCloudGlb, atomGlb, meshGlb, promises };
