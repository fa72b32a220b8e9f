// The demo's atoms once more, through the Node addon: reads raw float32
// positions, uint16 type ids and the bounds that examples/demo.py wrote, and
// writes the GLB that spatial-assembler's promise form makes of them.
//
//   node examples/node_demo.mjs <positions.f32> <types.u16> <bounds.json> <out.glb>
import { readFile, writeFile } from 'node:fs/promises';

import { promises as assembler } from 'spatial-assembler';

const [positionsPath, typesPath, boundsPath, outPath] = process.argv.slice(2);
const positions = new Float32Array((await readFile(positionsPath)).buffer.slice(0));
const types = new Uint16Array((await readFile(typesPath)).buffer.slice(0));
const { vmin, vmax } = JSON.parse(await readFile(boundsPath, 'utf8'));
const start = performance.now();
const glb = await assembler.atomGlb(positions, types, vmin, vmax);
const milliseconds = performance.now() - start;
await writeFile(outPath, glb);
process.stdout.write(JSON.stringify({ bytes: glb.length, milliseconds }) + '\n');
