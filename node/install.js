'use strict';
// npm's install step: keeps a prebuilt binary that fits this platform
// (prebuilds/<platform>-<arch>/, the node-gyp-build layout), or else builds the
// addon from source with cmake-js, whose Node-API headers come from npm
// (node-api-headers): nothing is downloaded from elsewhere. A source build needs
// CMake and a C++17 compiler.
const { spawnSync } = require('node:child_process');
const { join } = require('node:path');

const root = join(__dirname, '..');

function fittingBinary() {
  try {
    return require('node-gyp-build').path(root);
  } catch {
    return null;
  }
}

const fromSource = process.argv.includes('--from-source') || process.env.npm_config_build_from_source === 'true';
const found = fromSource ? null : fittingBinary();
if (found) {
  console.log(`spatial-assembler: using ${found}`);
} else {
  const cmakeJs = require.resolve('cmake-js/bin/cmake-js');
  const result = spawnSync(process.execPath, [cmakeJs, 'build', '--directory', root, '--out', join(root, 'build', 'cmake-js')],
                           { stdio: 'inherit' });
  process.exitCode = result.status ?? 1;
}
