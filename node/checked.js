'use strict';
// The checked functions, pointCloud, atoms and mesh, with the Python package's
// meaning, and Scene, many parts in one file. The addon reads every argument
// (each option once) and the native core checks every value: each call returns
// a file that the Khronos validator passes, or throws a TypeError
// (ERR_INVALID_ARG_TYPE) or a RangeError (ERR_OUT_OF_RANGE) naming the argument.

const { writeFileSync } = require('node:fs');

function checkedFunctions(native) {
  const now = native.checked;
  const later = native.checked.promises;
  // A bad argument rejects the promise: the promise form always returns a promise.
  const rejecting = (run) => (...args) => {
    try {
      return run(...args);
    } catch (error) {
      return Promise.reject(error);
    }
  };

  // Parts in one file: points(), atoms(), mesh() and lines() take the options of
  // the functions (but into) plus name and transform (a 4 x 4 matrix, row by row,
  // acting on column vectors), are checked as they are added, and return the
  // scene. glb() writes the file, glbAsync() on the thread pool, save(path) to disk.
  class Scene {
    #parts = [];

    get length() {
      return this.#parts.length;
    }

    // The kind and name of each part, in order.
    get parts() {
      return this.#parts.map(({ kind, options }) => ({ kind, name: options?.name ?? null }));
    }

    #add(kind, positions, faces, options) {
      // The options as they are now, each getter of the program run once (anything
      // but an object goes to the addon as it is, to be refused for what it is).
      const snapshot = options !== null && typeof options === 'object' && !Array.isArray(options) ? { ...options } : options;
      const part = { kind, positions, faces, options: snapshot };
      now.checkPart(part);
      this.#parts.push(part);
      return this;
    }

    points(positions, options) {
      return this.#add('points', positions, undefined, options);
    }

    atoms(positions, options) {
      return this.#add('atoms', positions, undefined, options);
    }

    mesh(positions, faces, options) {
      return this.#add('mesh', positions, faces, options);
    }

    lines(positions, options) {
      return this.#add('lines', positions, undefined, options);
    }

    glb(options) {
      return now.scene(this.#parts, options);
    }

    glbAsync(options) {
      return rejecting(later.scene)(this.#parts, options);
    }

    save(path, options) {
      writeFileSync(path, this.glb(options));
    }
  }

  return {
    pointCloud: now.pointCloud,
    atoms: now.atoms,
    mesh: now.mesh,
    trajectory: now.trajectory,
    Scene,
    promises: Object.freeze({
      pointCloud: rejecting(later.pointCloud),
      atoms: rejecting(later.atoms),
      mesh: rejecting(later.mesh),
      trajectory: rejecting(later.trajectory),
    }),
  };
}

// bonds, colormap, mapValues, elementColors and colormapNames: the addon reads their arguments.
function chemistryFunctions(native) {
  const now = native.checked;
  return {
    bonds: now.bonds,
    colormap: now.colormap,
    mapValues: now.mapValues,
    elementColors: now.elementColors,
    colormapNames: Object.freeze(now.colormapNames()),
  };
}

module.exports = { checkedFunctions, chemistryFunctions };
