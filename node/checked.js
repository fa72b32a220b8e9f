'use strict';
// The checked functions: pointCloud, atoms and mesh, with the Python package's
// meaning. They take what Node programs hold (flat arrays x, y, z, x, y, z, ...
// as plain arrays or any typed array of numbers) and return a file that the
// Khronos validator passes, or throw: a TypeError (ERR_INVALID_ARG_TYPE) for an
// argument of the wrong kind, a RangeError (ERR_OUT_OF_RANGE) for a wrong value,
// each naming the argument. This file reads the arguments (each option once);
// the native core checks every value and writes the file (into options.into,
// when given: its memory is located and checked natively).

const POINT_CLOUD_OPTIONS = ['colors', 'encoding', 'into'];
const ATOM_OPTIONS = ['types', 'elements', 'bounds', 'style', 'radius', 'radii', 'bonds', 'instancing', 'encoding', 'into'];
const MESH_OPTIONS = ['normals', 'colors', 'baseColor', 'metallic', 'roughness', 'emissive', 'doubleSided', 'encoding',
                      'into'];

function withCode(error, code) {
  error.code = code;
  return error;
}

function typeError(message) {
  return withCode(new TypeError(message), 'ERR_INVALID_ARG_TYPE');
}

function rangeError(message) {
  return withCode(new RangeError(message), 'ERR_OUT_OF_RANGE');
}

// Node's "Received ..." of a value.
function received(value) {
  if (value === undefined) return 'Received undefined';
  if (value === null) return 'Received null';
  if (typeof value === 'function') return value.name ? `Received function ${value.name}` : 'Received function';
  if (typeof value === 'object') {
    const name = value.constructor && value.constructor.name;
    return `Received an instance of ${name || 'Object'}`;
  }
  if (typeof value === 'symbol') return 'Received type symbol';
  let text = typeof value === 'bigint' ? `${value}n` : String(value);
  if (typeof value === 'string') text = `'${text.length > 28 ? `${text.slice(0, 25)}...` : text}'`;
  return `Received type ${typeof value} (${text})`;
}

// `The "positions" argument` or `The "options.colors" property`.
function subject(name) {
  return name.startsWith('options.') ? `The "${name}" property` : `The "${name}" argument`;
}

function isTypedArray(value) {
  return ArrayBuffer.isView(value) && !(value instanceof DataView);
}

const INTEGER_ARRAYS = [Int8Array, Uint8Array, Uint8ClampedArray, Int16Array, Uint16Array, Int32Array, Uint32Array,
                        BigInt64Array, BigUint64Array];

// Numbers as the core reads them: a typed array as it is, a plain array as a
// Float64Array (every item must be a number: nothing is coerced).
function numbers(value, name) {
  if (isTypedArray(value)) return value;
  if (!Array.isArray(value)) throw typeError(`${subject(name)} must be an Array or a typed array of numbers. ${received(value)}`);
  const out = new Float64Array(value.length);
  for (let i = 0; i < value.length; i++) {
    const item = value[i];
    if (typeof item !== 'number') throw typeError(`${subject(`${name}[${i}]`)} must be of type number. ${received(item)}`);
    out[i] = item;
  }
  return out;
}

// Indices and ids: an integer typed array, or a plain array of numbers (the core checks they are whole).
function integers(value, name) {
  if (isTypedArray(value) && !INTEGER_ARRAYS.some((kind) => value instanceof kind))
    throw typeError(`${subject(name)} must be integers: an Array or an integer typed array. ${received(value)}`);
  return numbers(value, name);
}

// Colours: floats in [0, 1], or a Uint8Array (or Uint8ClampedArray) of 0 to 255.
function colors(value, name) {
  if (isTypedArray(value) && !(value instanceof Float32Array || value instanceof Float64Array ||
                               value instanceof Uint8Array || value instanceof Uint8ClampedArray))
    throw typeError(`${subject(name)} must be floats in [0, 1] or a Uint8Array of 0 to 255, not ambiguous integers. ${received(value)}`);
  return numbers(value, name);
}

// How many numbers each colour row holds: 3 (RGB) or 4 (RGBA), one row for each
// of `rows` points or vertices, or one colour for all.
function colorComponents(values, rows, name) {
  if (values === undefined) return 0;
  const length = values.length;
  if (length === 3 * rows || length === 3) return 3;
  if (length === 4 * rows || length === 4) return 4;
  throw rangeError(`The value of "${name}.length" is out of range. It must be 3 or 4 numbers for each of the ${rows} ` +
                   `points or vertices (${3 * rows} or ${4 * rows}), or one colour of 3 or 4. Received ${length}`);
}

// Elements: atomic numbers (as integers), or element symbols.
function elements(value, name, native) {
  if (Array.isArray(value) && value.length > 0 && typeof value[0] === 'string') return native.checked.atomicNumbers(value);
  return integers(value, name);
}

// Six numbers, or two triples.
function bounds(value, name) {
  const flat = Array.isArray(value) && value.length === 2 && Array.isArray(value[0]) && Array.isArray(value[1])
    ? [...value[0], ...value[1]] : value;
  const values = numbers(flat, name);
  if (values.length !== 6)
    throw rangeError(`The value of "${name}.length" is out of range. It must be 6 numbers (or two triples). Received ${values.length}`);
  return values;
}

function number(value, name) {
  if (typeof value !== 'number') throw typeError(`${subject(name)} must be of type number. ${received(value)}`);
  return value;
}

function boolean(value, name) {
  if (typeof value !== 'boolean') throw typeError(`${subject(name)} must be of type boolean. ${received(value)}`);
  return value;
}

function string(value, name) {
  if (typeof value !== 'string') throw typeError(`${subject(name)} must be of type string. ${received(value)}`);
  return value;
}

// The options object read once, property by property: each getter runs once.
function readOptions(options, keys) {
  if (options === undefined) return {};
  if (options === null || typeof options !== 'object' || Array.isArray(options))
    throw typeError(`The "options" argument must be of type object. ${received(options)}`);
  for (const key of Object.keys(options)) {
    if (!keys.includes(key))
      throw typeError(`The "options" argument has an unknown key "${key}". Its keys are ${keys.join(', ')}`);
  }
  const read = {};
  for (const key of keys) read[key] = options[key];
  return read;
}

function absent(value) {
  return value === undefined || value === null;
}

function pointCloudArguments(native, positions, options) {
  const o = readOptions(options, POINT_CLOUD_OPTIONS);
  const points = numbers(positions, 'positions');
  const rows = absent(o.colors) ? undefined : colors(o.colors, 'options.colors');
  return [points, rows, colorComponents(rows, Math.floor(points.length / 3), 'options.colors'),
          absent(o.encoding) ? 'float32' : string(o.encoding, 'options.encoding'), o.into];
}

function atomArguments(native, positions, options) {
  const o = readOptions(options, ATOM_OPTIONS);
  return [numbers(positions, 'positions'),
          absent(o.types) ? undefined : integers(o.types, 'options.types'),
          absent(o.elements) ? undefined : elements(o.elements, 'options.elements', native),
          absent(o.bounds) ? undefined : bounds(o.bounds, 'options.bounds'),
          absent(o.style) ? 'points' : string(o.style, 'options.style'),
          absent(o.radius) ? undefined : number(o.radius, 'options.radius'),
          absent(o.radii) ? undefined : numbers(o.radii, 'options.radii'),
          absent(o.bonds) ? undefined : integers(o.bonds, 'options.bonds'),
          absent(o.instancing) ? true : boolean(o.instancing, 'options.instancing'),
          absent(o.encoding) ? 'float32' : string(o.encoding, 'options.encoding'), o.into];
}

function meshArguments(native, positions, faces, options) {
  const o = readOptions(options, MESH_OPTIONS);
  const vertices = numbers(positions, 'positions');
  const rows = absent(o.colors) ? undefined : colors(o.colors, 'options.colors');
  return [vertices, integers(faces, 'faces'),
          absent(o.normals) ? undefined : numbers(o.normals, 'options.normals'),
          rows, colorComponents(rows, Math.floor(vertices.length / 3), 'options.colors'),
          absent(o.baseColor) ? undefined : numbers(o.baseColor, 'options.baseColor'),
          absent(o.metallic) ? 0 : number(o.metallic, 'options.metallic'),
          absent(o.roughness) ? 0.5 : number(o.roughness, 'options.roughness'),
          absent(o.emissive) ? [0, 0, 0] : numbers(o.emissive, 'options.emissive'),
          absent(o.doubleSided) ? true : boolean(o.doubleSided, 'options.doubleSided'),
          absent(o.encoding) ? 'float32' : string(o.encoding, 'options.encoding'), o.into];
}

// The checked functions over the addon's native half, now and as promises.
function checkedFunctions(native) {
  const now = native.checked;
  const later = native.checked.promises;
  const rejecting = (read, run) => (...args) => {
    let read_;
    try {
      read_ = read(native, ...args);
    } catch (error) {
      return Promise.reject(error);
    }
    return run(...read_);
  };
  return {
    pointCloud: (positions, options) => now.pointCloud(...pointCloudArguments(native, positions, options)),
    atoms: (positions, options) => now.atoms(...atomArguments(native, positions, options)),
    mesh: (positions, faces, options) => now.mesh(...meshArguments(native, positions, faces, options)),
    promises: Object.freeze({
      pointCloud: rejecting(pointCloudArguments, later.pointCloud),
      atoms: rejecting(atomArguments, later.atoms),
      mesh: rejecting(meshArguments, later.mesh),
    }),
  };
}

const BOND_OPTIONS = ['cell', 'pbc', 'tolerance'];
const MAP_OPTIONS = ['colormap', 'vmin', 'vmax'];

// A lattice: three triples (one lattice vector each) or nine numbers, row by row; or three box lengths.
function cell(value, name) {
  const flat = Array.isArray(value) && value.length === 3 && value.every(Array.isArray) ? value.flat() : value;
  const values = numbers(flat, name);
  if (values.length === 3) return [values[0], 0, 0, 0, values[1], 0, 0, 0, values[2]];
  if (values.length !== 9)
    throw rangeError(`The value of "${name}.length" is out of range. It must be 9 numbers (three lattice vectors) or 3 (a box's lengths). Received ${values.length}`);
  return values;
}

// One boolean for all three axes, or three.
function pbc(value, name) {
  if (typeof value === 'boolean') return [value, value, value];
  if (!Array.isArray(value) || value.length !== 3)
    throw typeError(`${subject(name)} must be a boolean or an Array of three booleans. ${received(value)}`);
  return value.map((item, axis) => boolean(item, `${name}[${axis}]`));
}

// Atomic numbers, or symbols turned into them (the error names the argument).
function bondElements(value, native) {
  if (!(Array.isArray(value) && value.length > 0 && typeof value[0] === 'string')) return integers(value, 'elements');
  try {
    return native.checked.atomicNumbers(value);
  } catch (error) {
    error.message = error.message.replaceAll('"options.elements', '"elements');
    throw error;
  }
}

// bonds, colormap, mapValues, elementColors and colormapNames over the addon's native half.
function chemistryFunctions(native) {
  const now = native.checked;
  return {
    bonds(positions, elements, options) {
      const o = readOptions(options, BOND_OPTIONS);
      const points = numbers(positions, 'positions');
      const numbers_ = bondElements(elements, native);
      const lattice = absent(o.cell) ? undefined : cell(o.cell, 'options.cell');
      const periodic = absent(o.pbc) ? undefined : pbc(o.pbc, 'options.pbc');
      if (lattice === undefined && periodic !== undefined && periodic.some(Boolean))
        throw rangeError('The "options.pbc" property needs "options.cell": give the lattice vectors that repeat');
      const tolerance = absent(o.tolerance) ? 0.4 : number(o.tolerance, 'options.tolerance');
      return now.bonds(points, numbers_, lattice, periodic ?? [true, true, true], tolerance);
    },
    colormap(name) {
      return now.colormap(string(name, 'name'));
    },
    mapValues(values, options) {
      const o = readOptions(options, MAP_OPTIONS);
      return now.mapValues(numbers(values, 'values'),
                           absent(o.colormap) ? 'viridis' : string(o.colormap, 'options.colormap'),
                           absent(o.vmin) ? undefined : number(o.vmin, 'options.vmin'),
                           absent(o.vmax) ? undefined : number(o.vmax, 'options.vmax'));
    },
    elementColors: () => now.elementColors(),
    colormapNames: Object.freeze(now.colormapNames()),
  };
}

module.exports = { checkedFunctions, chemistryFunctions };
