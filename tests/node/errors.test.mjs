// Every kind of bad argument, as Node reports its own: TypeError with code
// ERR_INVALID_ARG_TYPE, RangeError with code ERR_OUT_OF_RANGE, messages naming
// the argument in its JavaScript spelling. The promise forms reject instead.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { PACKAGE, SANITIZED, sa } from './helpers.mjs';

const P = new Float32Array([0, 0, 0, 1, 1, 1]);
const UNIT = [[0, 0, 0], [1, 1, 1]];
const MESH = { positions: P, normals: P, indices: new Uint32Array([0, 1, 1]), bounds: [0, 0, 0, 1, 1, 1],
               baseColor: [1, 1, 1, 1], metallic: 0, roughness: 0.5, emissive: [0, 0, 0], doubleSided: false };

const typeError = (message) => ({ name: 'TypeError', code: 'ERR_INVALID_ARG_TYPE', message });
const rangeError = (message) => ({ name: 'RangeError', code: 'ERR_OUT_OF_RANGE', message });

function detached() {
  const array = new Float32Array(6);
  structuredClone(array.buffer, { transfer: [array.buffer] });
  return array;
}

const CASES = [
  ['a typed array of another element type', () => ['pointCloudGlb', new Float64Array(6), P, ...UNIT],
   typeError('The "positions" argument must be an instance of Float32Array, Buffer, Uint8Array, ArrayBuffer, '
             + 'SharedArrayBuffer or DataView. Received an instance of Float64Array')],
  ['signed indices', () => ['meshGlb', { ...MESH, indices: new Int32Array(3) }],
   typeError(/^The "options\.indices" property must be an instance of Uint32Array, .* Received an instance of Int32Array$/)],
  ['clamped bytes are not raw bytes', () => ['atomGlb', P, new Uint8ClampedArray(2), ...UNIT],
   typeError(/^The "types" argument must be an instance of Uint16Array, .* Received an instance of Uint8ClampedArray$/)],
  ['a plain array where memory is expected', () => ['pointCloudGlb', [0, 0, 0], P, ...UNIT],
   typeError(/^The "positions" argument must be .* Received an instance of Array$/)],
  ['a missing argument', () => ['atomGlb', P, new Uint16Array(2), [0, 0, 0]],
   typeError('The "vmax" argument must be an Array or a typed array of numbers. Received undefined')],
  ['a detached buffer', () => ['pointCloudGlb', detached(), P, ...UNIT],
   typeError('The "positions" argument is a view of a detached ArrayBuffer')],
  ['a bound that is not a number', () => ['pointCloudGlb', P, P, [0, '1', 0], [1, 1, 1]],
   typeError("The \"vmin[1]\" argument must be of type number. Received type string ('1')")],
  ['a bigint bound', () => ['pointCloudGlb', P, P, new BigInt64Array(3), [1, 1, 1]],
   typeError('The "vmin[0]" argument must be of type number. Received type bigint (0n)')],
  ['too few bounds', () => ['pointCloudGlb', P, P, [0, 0], [1, 1, 1]],
   rangeError('The value of "vmin.length" is out of range. It must be >= 3. Received 2')],
  ['a NaN bound', () => ['atomGlb', P, new Uint16Array(2), [0, 0, 0], [1, NaN, 1]],
   rangeError('The value of "vmax[1]" is out of range. It must be a finite number. Received NaN')],
  ['an infinite colour factor, named in JavaScript', () => ['meshGlb', { ...MESH, baseColor: [1, 1, Infinity, 1] }],
   rangeError('The value of "options.baseColor[2]" is out of range. It must be a finite number. Received Infinity')],
  ['a NaN metallic factor', () => ['meshGlb', { ...MESH, metallic: NaN }],
   rangeError('The value of "options.metallic" is out of range. It must be a finite number. Received NaN')],
  ['a roughness that is a string', () => ['meshGlb', { ...MESH, roughness: '0.5' }],
   typeError("The \"options.roughness\" property must be of type number. Received type string ('0.5')")],
  ['doubleSided that is not a boolean', () => ['meshGlb', { ...MESH, doubleSided: 1 }],
   typeError('The "options.doubleSided" property must be of type boolean. Received type number (1)')],
  ['an unknown key', () => ['meshGlb', { ...MESH, colours: P }],
   typeError(/^The "options" argument has an unknown key "colours"\. Its keys are positions, normals, /)],
  ['a missing key', () => ['meshGlb', { ...MESH, normals: undefined }],
   typeError(/^The "options\.normals" property must be .* Received undefined$/)],
  ['no options object', () => ['meshGlb', null], typeError('The "options" argument must be of type object. Received null')],
  ['fewer type ids than atoms', () => ['atomGlb', P, new Uint16Array(1), ...UNIT],
   rangeError('The "types" argument holds 1 16-bit type ids, but "positions" holds 2 atoms')],
];

for (const [title, make, expected] of CASES) {
  test(`${title}: thrown, and rejected by the promise form`, async () => {
    const [name, ...args] = make();
    assert.throws(() => sa[name](...args), expected);
    const [, ...again] = make();
    let promise;
    assert.doesNotThrow(() => { promise = sa.promises[name](...again); });
    await assert.rejects(promise, expected);
  });
}

test('a GLB of 4 GiB or more is refused before anything large is copied or allocated', async () => {
  const huge = new Float32Array(2 ** 30 + 16);  // 4 GiB of untouched zero pages
  const expected = rangeError(/^the GLB would be 4 GiB or larger \(binary payload of 42949673\d\d bytes/);
  assert.throws(() => sa.pointCloudGlb(huge, new Uint8Array(0), ...UNIT), expected);
  await assert.rejects(sa.promises.meshGlb({ ...MESH, positions: huge, normals: new Float32Array(0) }), expected);
  const atoms = Math.floor(2 ** 32 / 24);  // 24 bytes an atom: the first count that no longer fits
  assert.throws(() => sa.atomGlb(huge.subarray(0, 3 * atoms), new Uint16Array(atoms), ...UNIT), rangeError(/4 GiB/));
});

test('a value that is not a number is never coerced, and a getter\'s own error propagates', () => {
  assert.throws(() => sa.pointCloudGlb(P, P, [0, { valueOf: () => 1 }, 0], [1, 1, 1]), { code: 'ERR_INVALID_ARG_TYPE' });
  const trap = [0, 0, 0];
  Object.defineProperty(trap, 1, { get() { throw new SyntaxError('from the getter'); } });
  assert.throws(() => sa.pointCloudGlb(P, P, trap, [1, 1, 1]), { name: 'SyntaxError', message: 'from the getter' });
});


test('a thread that cannot start is no error, memory that runs out is one, neither a crash',
     { skip: SANITIZED ? 'address-space limits are meaningless beside the sanitizer' : process.platform !== 'linux' && 'Linux only' },
     async () => {
       const { spawn, execFileSync } = await import('node:child_process');
       const child = spawn('prlimit', ['--stack=2147483648', process.execPath,
                                       new URL('./limited_memory_probe.mjs', import.meta.url).pathname, `${PACKAGE}/package.json`],
                           { stdio: ['pipe', 'pipe', 'inherit'], env: { ...process.env, LD_PRELOAD: '' } });
       let output = '';
       child.stdout.on('data', (chunk) => {
         output += chunk;
         if (output.split('\n').length === 2 && !child.limited) {
           child.limited = true;
           const size = Number(output.trim()) * 1024 + 300 * 2 ** 20;
           execFileSync('prlimit', ['--pid', String(child.pid), `--as=${size}`]);
           child.stdin.write('go\n');
         }
       });
       const code = await new Promise((resolve) => child.on('exit', resolve));
       assert.equal(code, 0, `the child ended with ${code}: ${output}`);
       const outcomes = JSON.parse(output.split('\n')[1]);
       const thread = 'ok';  // the pool's worker could not start: the calling thread did the work
       const outOfMemory = 'Error|ERR_MEMORY_ALLOCATION_FAILED|Out of memory: the GLB or the memory to build it could not be allocated';
       assert.deepEqual(outcomes, [thread, outOfMemory, outOfMemory]);
     });

test('what the messages say was received, in Node\'s words', () => {
  const message = (value) => {
    try {
      sa.pointCloudGlb(value, P, ...UNIT);
    } catch (error) {
      return error.message.split('. ').pop();
    }
    return 'no error';
  };
  assert.equal(message(undefined), 'Received undefined');
  assert.equal(message(null), 'Received null');
  assert.equal(message(function positions() {}), 'Received function positions');
  assert.equal(message(Symbol('s')), 'Received type symbol');
  assert.equal(message('x'.repeat(40)), `Received type string ('${'x'.repeat(25)}...')`);
  assert.equal(message(12.5), 'Received type number (12.5)');
  assert.equal(message(Object.create(null)), 'Received an instance of Object');
  assert.equal(message(new (class Cloud {})()), 'Received an instance of Cloud');
});

test('colors absent as undefined, null or an empty buffer give one file; views of types at an offset read right', () => {
  const without = sa.meshGlb(MESH);
  for (const colors of [undefined, null, new Float32Array(0), new ArrayBuffer(3)]) {
    assert.ok(sa.meshGlb({ ...MESH, colors }).equals(without));
  }
  const types = new Uint16Array([3, 4]);
  const padded = new Uint8Array(7);
  padded.set(new Uint8Array(types.buffer), 3);
  assert.ok(sa.atomGlb(P, new DataView(padded.buffer, 3, 4), ...UNIT).equals(sa.atomGlb(P, types, ...UNIT)));
});

test('a getter that throws rejects the promise with its own error', async () => {
  const options = { ...MESH };
  Object.defineProperty(options, 'roughness', { enumerable: true, get() { throw new EvalError('from the getter'); } });
  await assert.rejects(sa.promises.meshGlb(options), { name: 'EvalError', message: 'from the getter' });
});
