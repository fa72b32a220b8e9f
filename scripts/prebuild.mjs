// Builds the addon for this platform into prebuilds/<platform>-<arch>/, the
// layout node-gyp-build loads from (prebuildify's names): run it on each
// platform before `npm pack` to ship binaries that need no compiler at install.
//
//   node scripts/prebuild.mjs [destination folder, default: the package root]
import { spawnSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('..', import.meta.url));
const destination = process.argv[2] ?? root;
const require = createRequire(join(root, 'package.json'));

const work = mkdtempSync(join(tmpdir(), 'spatial-assembler-prebuild-'));
try {
  const cmakeJs = require.resolve('cmake-js/bin/cmake-js');
  const build = spawnSync(process.execPath, [cmakeJs, 'build', '--directory', root, '--out', join(work, 'build'),
                                             `--CDSPATIAL_ASSEMBLER_NODE_OUTPUT_DIR=${join(work, 'out')}`],
                          { stdio: 'inherit' });
  if (build.status !== 0) process.exit(build.status ?? 1);
  // Linux binaries name their C library, so that musl systems do not take glibc ones.
  const musl = process.platform === 'linux' && existsSync('/etc/alpine-release');
  const libc = process.platform === 'linux' ? (musl ? '.musl' : '.glibc') : '';
  const folder = join(destination, 'prebuilds', `${process.platform}-${process.arch}`);
  mkdirSync(folder, { recursive: true });
  const target = join(folder, `spatial-assembler.napi${libc}.node`);
  copyFileSync(join(work, 'out', 'spatial_assembler.node'), target);
  console.log(`prebuilt ${target}`);
} finally {
  rmSync(work, { recursive: true, force: true });
}
