// npm's prepack step: the tarball carries its install-time dependencies
// (bundleDependencies), so that it installs with no network at all. In a fresh
// clone they are not in node_modules yet: install them first, from
// package-lock.json and npm's registry, without running any install script.
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('..', import.meta.url));
const { bundleDependencies } = JSON.parse(readFileSync(join(root, 'package.json'), 'utf8'));
const missing = bundleDependencies.filter((name) => !existsSync(join(root, 'node_modules', name, 'package.json')));
if (missing.length > 0) {
  console.error(`spatial-assembler: installing ${missing.join(', ')} to bundle them`);
  const npm = process.platform === 'win32' ? 'npm.cmd' : 'npm';
  execFileSync(npm, ['ci', '--omit=dev', '--ignore-scripts', '--no-audit', '--no-fund', '--loglevel=error'],
               { cwd: root, stdio: ['ignore', 2, 2] });  // npm pack --json owns stdout
}
