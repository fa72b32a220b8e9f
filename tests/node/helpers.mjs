// Shared by the Node tests: the package under test, an independent GLB parse,
// the Khronos validator, and the Python module as the reference for bytes.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

export const ROOT = fileURLToPath(new URL('../..', import.meta.url));
// The package under test: this repository, or the folder that the only
// environment variable of the suite names, SPATIAL_ASSEMBLER_PACKAGE (the
// sanitizer run stages a copy of the package around its instrumented binary).
export const PACKAGE = process.env.SPATIAL_ASSEMBLER_PACKAGE ?? ROOT;
const packageRequire = createRequire(join(PACKAGE, 'package.json'));
export const sa = packageRequire('./node/index.js');
// Whether that binary was built with -fsanitize=address: its own symbols say so.
const binary = packageRequire('node-gyp-build').path(PACKAGE);
export const SANITIZED = existsSync(binary) && readFileSync(binary).includes('__asan_init');
// The native Python module of the README's set-up writes the reference bytes.
export const PYTHON = process.platform === 'win32' ? join(ROOT, '.venv', 'Scripts', 'python.exe')
  : join(ROOT, '.venv', 'bin', 'python');

/** The header, chunks and parsed document of a GLB, checking every structural rule. */
export function readGlb(bytes) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const text = (offset, length) => Buffer.from(bytes.buffer, bytes.byteOffset + offset, length).toString('latin1');
  if (text(0, 4) !== 'glTF' || view.getUint32(4, true) !== 2) throw new Error('not a GLB 2.0');
  if (view.getUint32(8, true) !== bytes.byteLength) throw new Error('length field differs from the size');
  const jsonLength = view.getUint32(12, true);
  if (text(16, 4) !== 'JSON' || jsonLength % 4 !== 0) throw new Error('bad JSON chunk');
  const json = text(20, jsonLength).replace(/ +$/, '');
  const binOffset = 20 + jsonLength;
  const binLength = view.getUint32(binOffset, true);
  if (text(binOffset + 4, 4) !== 'BIN\0' || binOffset + 8 + binLength !== bytes.byteLength) throw new Error('bad BIN chunk');
  const bin = bytes.subarray(binOffset + 8);
  return { json, document: JSON.parse(json), bin };
}

/** The bytes of an accessor's bufferView. */
export function accessorBytes(glb, index) {
  const view = glb.document.bufferViews[glb.document.accessors[index].bufferView];
  return glb.bin.subarray(view.byteOffset ?? 0, (view.byteOffset ?? 0) + view.byteLength);
}

const validator = createRequire(join(ROOT, 'package.json'))('gltf-validator');

/** Fails unless the Khronos validator reports no error and no warning. */
export async function assertValid(bytes) {
  const report = await validator.validateBytes(new Uint8Array(bytes), { maxIssues: 20 });
  const { numErrors, numWarnings, messages } = report.issues;
  if (numErrors || numWarnings) throw new Error(`invalid GLB: ${JSON.stringify(messages)}`);
}

/**
 * The GLBs that the Python module makes of the same calls: calls is a list of
 * { fn: 'point_cloud_glb' | 'atom_glb' | 'mesh_glb', arrays: {name: TypedArray},
 * args: {name: value} }; arrays go to Python as raw bytes.
 */
export function pythonGlbs(calls) {
  const folder = mkdtempSync(join(tmpdir(), 'python-glbs-'));
  try {
    const manifest = calls.map((call, i) => {
      const arrays = {};
      for (const [name, array] of Object.entries(call.arrays)) {
        const path = join(folder, `${i}-${name}.bin`);
        writeFileSync(path, array === null ? Buffer.alloc(0) : Buffer.from(array.buffer, array.byteOffset, array.byteLength));
        arrays[name] = array === null ? null : path;
      }
      return { fn: call.fn, arrays, args: call.args, out: join(folder, `${i}.glb`) };
    });
    // JSON has no NaN or Infinity: they travel as marked strings.
    const numbers = (key, value) => (typeof value === 'number' && !Number.isFinite(value) ? `float:${value}` : value);
    writeFileSync(join(folder, 'manifest.json'), JSON.stringify(manifest, numbers));
    const environment = { ...process.env };
    delete environment.LD_PRELOAD;  // the sanitizer runtime is for node only
    const run = spawnSync(PYTHON, [join(ROOT, 'tests', 'node', 'python_glbs.py'), join(folder, 'manifest.json')],
                          { encoding: 'utf8', env: environment });
    if (run.status !== 0) throw new Error(`the Python reference failed: ${run.stderr}`);
    return manifest.map((entry) => readFileSync(entry.out));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}
