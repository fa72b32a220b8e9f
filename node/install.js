'use strict';
// npm's install step: keeps a prebuilt binary that fits this platform
// (prebuilds/<platform>-<arch>/, the node-gyp-build layout), or else builds the
// addon from source with cmake-js, whose Node-API headers come from npm
// (node-api-headers): nothing is downloaded from elsewhere. A source build needs
// CMake and a C++17 compiler; when one is missing, the install says which, and
// how to get it, before anything is built.
const { spawnSync } = require('node:child_process');
const { existsSync, readdirSync } = require('node:fs');
const { join } = require('node:path');

const root = join(__dirname, '..');
const platform = `${process.platform}-${process.arch}`;
// The platforms that the release publishes prebuilt binaries for.
const PUBLISHED = 'Linux x64 and arm64 (glibc), macOS arm64 and x64, Windows x64';

function fittingBinary() {
  try {
    return require('node-gyp-build').path(root);
  } catch {
    return null;
  }
}

function runs(command, args) {
  const run = spawnSync(command, args, { stdio: 'ignore', shell: process.platform === 'win32' });
  return run.status === 0;
}

// What a source build lacks here, each with how to get it.
function missingTools() {
  const missing = [];
  if (!runs(process.env.CMAKE ?? 'cmake', ['--version'])) {
    missing.push('CMake 3.18 or later: `apt install cmake`, `dnf install cmake`, `brew install cmake`, '
                 + '`pip install cmake`, or https://cmake.org/download/');
  }
  const compilers = process.platform === 'win32' ? [] : [process.env.CXX, 'c++', 'g++', 'clang++'].filter(Boolean);
  // On Windows CMake finds Visual Studio's compiler itself; elsewhere one must answer --version.
  if (compilers.length > 0 && !compilers.some((compiler) => runs(compiler, ['--version']))) {
    missing.push('a C++17 compiler: `apt install g++`, `dnf install gcc-c++`, `xcode-select --install` on macOS, '
                 + 'or clang; or set CXX to one');
  }
  return missing;
}

const fromSource = process.argv.includes('--from-source') || process.env.npm_config_build_from_source === 'true';
const found = fromSource ? null : fittingBinary();
if (found) {
  console.log(`spatial-assembler: using ${found}`);
} else {
  const carried = existsSync(join(root, 'prebuilds')) ? readdirSync(join(root, 'prebuilds')) : [];
  const missing = missingTools();
  if (missing.length > 0) {
    console.error(`spatial-assembler: ${fromSource ? 'a build from source was asked for' : `no prebuilt binary fits ${platform}`}`
                  + ` (this package carries ${carried.length ? carried.join(', ') : 'none'}), and building the addon from source`
                  + ` needs what this machine lacks:\n${missing.map((tool) => `  - ${tool}`).join('\n')}\n`
                  + `Install it and run \`npm rebuild spatial-assembler\`. The published package carries prebuilt binaries for ${PUBLISHED}.`);
    process.exit(1);
  }
  console.log(`spatial-assembler: building the addon for ${platform} from source (CMake, C++17)`);
  const cmakeJs = require.resolve('cmake-js/bin/cmake-js');
  const result = spawnSync(process.execPath, [cmakeJs, 'build', '--directory', root, '--out', join(root, 'build', 'cmake-js')],
                           { stdio: 'inherit' });
  process.exitCode = result.status ?? 1;
}
