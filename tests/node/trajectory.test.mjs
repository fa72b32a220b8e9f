// Trajectories: three.js's AnimationMixer at time k / fps draws frame k (points
// and instanced spheres), the Python package writes the same bytes, and bad
// frames are refused naming the frame.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

import { numberStream } from '../references/number_stream.mjs';
import { PYTHON, ROOT, assertValid, sa } from './helpers.mjs';

const FRAMES = 6;
const ATOMS = 40;
const FPS = 12;

function framesOf(next) {
  return Array.from({ length: FRAMES }, (_, k) => Float32Array.from({ length: 3 * ATOMS }, () => next() * 10 + k));
}

// The world positions that the visible meshes of a scene draw at this moment, as sorted "x,y,z" texts.
async function drawnAt(three, scene, mixer, time) {
  mixer.setTime(time);
  scene.updateMatrixWorld(true);
  const points = [];
  const at = new three.Vector3();
  const instance = new three.Matrix4();
  scene.traverse((object) => {
    if (!object.isMesh && !object.isPoints) return;
    // A frame's node switched off: its world matrix is all zero (three.js decomposes that as no scale at all).
    if (new three.Vector3().setFromMatrixColumn(object.matrixWorld, 0).lengthSq() === 0) return;
    if (object.isInstancedMesh) {
      for (let i = 0; i < object.count; i++) {
        object.getMatrixAt(i, instance);
        at.setFromMatrixPosition(instance).applyMatrix4(object.matrixWorld);
        points.push(at.toArray().map((v) => v.toFixed(3)).join(','));
      }
      return;
    }
    const positions = object.geometry.attributes.position;
    for (let i = 0; i < positions.count; i++) {
      at.fromBufferAttribute(positions, i).applyMatrix4(object.matrixWorld);
      points.push(at.toArray().map((v) => v.toFixed(3)).join(','));
    }
  });
  return points.sort();
}

const rows = (frame) => Array.from({ length: ATOMS }, (_, i) => Array.from(frame.subarray(3 * i, 3 * i + 3), (v) => v.toFixed(3)).join(',')).sort();

for (const style of ['points', 'spheres']) {
  test(`three.js plays a trajectory of ${style} frame by frame`, async () => {
    const three = await import('three');
    const { GLTFLoader } = await import('three/examples/jsm/loaders/GLTFLoader.js');
    const frames = framesOf(numberStream(3));
    const glb = sa.trajectory(frames, { style, radius: style === 'points' ? undefined : 0.1, fps: FPS });
    await assertValid(glb);
    const gltf = await new GLTFLoader().parseAsync(glb.buffer.slice(glb.byteOffset, glb.byteOffset + glb.length), '');
    const mixer = new three.AnimationMixer(gltf.scene);
    mixer.clipAction(gltf.animations[0]).play();
    for (let k = 0; k < FRAMES; k++) {
      const drawn = await drawnAt(three, gltf.scene, mixer, (k + 0.5) / FPS);
      assert.deepEqual(drawn, rows(frames[k]), `frame ${k}`);
    }
  });
}

test('the Python package writes the same trajectory, and bad frames are refused naming the frame', async () => {
  const frames = framesOf(numberStream(8));
  const elements = Array.from({ length: ATOMS }, (_, i) => ['C', 'N', 'O', 'H'][i % 4]);
  const bonds = Uint32Array.from([0, 1, 1, 2, 2, 3]);
  const options = { elements, style: 'ball-and-stick', bonds, encoding: 'compact', fps: FPS };
  const folder = mkdtempSync(join(tmpdir(), 'trajectory-'));
  try {
    const stacked = new Float32Array(FRAMES * 3 * ATOMS);
    frames.forEach((frame, k) => stacked.set(frame, k * 3 * ATOMS));
    writeFileSync(join(folder, 'frames.bin'), stacked);
    const script = `import numpy as np, spatial_assembler as sa, sys
frames = np.fromfile(sys.argv[1], np.float32).reshape(${FRAMES}, ${ATOMS}, 3)
sys.stdout.buffer.write(sa.trajectory(frames, elements=${JSON.stringify(elements)}, style="ball-and-stick",
                                      bonds=[[0, 1], [1, 2], [2, 3]], encoding="compact", fps=${FPS}))`;
    const environment = { ...process.env };
    delete environment.LD_PRELOAD;  // the sanitizer runtime is for node only
    const python = spawnSync(PYTHON, ['-c', script, join(folder, 'frames.bin')], { env: environment, maxBuffer: 1 << 26 });
    assert.equal(python.status, 0, String(python.stderr));
    assert.ok(Buffer.compare(sa.trajectory(frames, options), python.stdout) === 0);
    assert.ok(Buffer.compare(await sa.promises.trajectory(frames, options), python.stdout) === 0);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
  const broken = frames.map((frame) => frame.slice());
  broken[4][7] = NaN;
  assert.throws(() => sa.trajectory(broken), (error) => error.code === 'ERR_OUT_OF_RANGE' &&
    /^frame 4: The value of "positions" is out of range.*row 2, column 1/.test(error.message));
  assert.throws(() => sa.trajectory([frames[0], frames[1].subarray(3)]), /^RangeError: frame 1: .*same atoms/);
  assert.throws(() => sa.trajectory(frames, { fps: 0 }), /options\.fps/);
  assert.throws(() => sa.trajectory([]), /frames\.length/);
  await assert.rejects(sa.promises.trajectory(frames, { fps: 'fast' }), { code: 'ERR_INVALID_ARG_TYPE' });
});
