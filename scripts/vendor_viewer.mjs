// Bundles the notebook viewer (python/spatial_assembler/_viewer/viewer.mjs) with
// three.js and 3d-tiles-renderer from npm (the versions package-lock.json pins)
// into one minified script that the Python package ships gzipped (viewer.js.gz,
// a quarter of its size) and embeds in its HTML, so that a notebook shows GLBs
// and tilesets offline. three.js is MIT-licensed, 3d-tiles-renderer
// Apache-2.0-licensed: their licence texts go beside the bundle as
// THREE_LICENSE and TILES_LICENSE (the versions in THREE_VERSION and
// TILES_VERSION), and their notices stay in it.
//
//   node scripts/vendor_viewer.mjs [output folder, default: the package's _viewer]
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';

import { build } from 'esbuild';

const root = fileURLToPath(new URL('..', import.meta.url));
const folder = join(root, 'python', 'spatial_assembler', '_viewer');
const out = process.argv[2] ?? folder;
const three = join(createRequire(join(root, 'package.json')).resolve('three'), '..', '..');
const version = JSON.parse(readFileSync(join(three, 'package.json'), 'utf8')).version;
const tiles = join(root, 'node_modules', '3d-tiles-renderer');
const tilesVersion = JSON.parse(readFileSync(join(tiles, 'package.json'), 'utf8')).version;

const { outputFiles: [bundle] } = await build({
  entryPoints: [join(folder, 'viewer.mjs')],
  outfile: 'viewer.js',
  write: false,
  bundle: true,
  minify: true,
  format: 'iife',
  globalName: 'SpatialAssemblerViewer',
  target: 'es2020',
  legalComments: 'eof',
  banner: { js: `// three.js ${version} (MIT licence, THREE_LICENSE) and 3d-tiles-renderer ${tilesVersion} (Apache-2.0 licence, `
                + 'TILES_LICENSE) with the notebook viewer of spatial-assembler; made by scripts/vendor_viewer.mjs' },
  logLevel: 'warning',
});
mkdirSync(out, { recursive: true });
// Deterministic: gzip's header carries no time here, so the file is the same on every run.
writeFileSync(join(out, 'viewer.js.gz'), gzipSync(bundle.contents, { level: 9 }));
copyFileSync(join(three, 'LICENSE'), join(out, 'THREE_LICENSE'));
writeFileSync(join(out, 'THREE_VERSION'), `${version}\n`);
copyFileSync(join(tiles, 'LICENSE'), join(out, 'TILES_LICENSE'));
writeFileSync(join(out, 'TILES_VERSION'), `${tilesVersion}\n`);
