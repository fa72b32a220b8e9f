// npm's prepack step (npm pack, npm publish): the tarball carries its
// install-time dependencies (bundleDependencies), so that it installs with no
// network at all. In a fresh clone they are not in node_modules yet: they are
// installed first, from package-lock.json and npm's registry, without running
// any install script. A node_modules that lacks part of them stops the packing
// with what to run, rather than packing a tarball that nobody can install.
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('..', import.meta.url));
const npm = process.platform === 'win32' ? 'npm.cmd' : 'npm';
const { bundleDependencies } = JSON.parse(readFileSync(join(root, 'package.json'), 'utf8'));

function stop(why) {
  console.error(`spatial-assembler: cannot pack: ${why}.\n`
                + `Run \`npm ci\` in ${root} (it needs npm's registry once), then pack again. The tarball must carry `
                + `${bundleDependencies.join(', ')} and everything they need, so that it installs offline.`);
  process.exit(1);
}

const missing = bundleDependencies.filter((name) => !existsSync(join(root, 'node_modules', name, 'package.json')));
if (missing.length === bundleDependencies.length) {
  console.error(`spatial-assembler: installing ${missing.join(', ')} (from package-lock.json) to bundle them`);
  // npm pack --json owns stdout: npm's own output goes to stderr.
  const run = spawnSync(npm, ['ci', '--omit=dev', '--ignore-scripts', '--no-audit', '--no-fund', '--loglevel=error'],
                        { cwd: root, stdio: ['ignore', 2, 2], shell: process.platform === 'win32' });
  if (run.status !== 0) stop(`installing ${missing.join(', ')} failed (npm ci exited with ${run.status ?? run.signal})`);
} else if (missing.length > 0) {
  stop(`node_modules holds only part of the bundled dependencies (${missing.join(', ')} missing)`);
}

// Every bundled dependency with all of its own, at the versions of package-lock.json.
try {
  execFileSync(npm, ['ls', '--omit=dev', '--all', '--parseable'], { cwd: root, stdio: ['ignore', 'ignore', 'pipe'],
                                                                   shell: process.platform === 'win32' });
} catch (error) {
  const problems = String(error.stderr ?? '').split('\n').filter((line) => line.includes('ERR') || line.includes('missing'));
  stop(`node_modules does not match package-lock.json${problems.length ? `: ${problems.slice(0, 3).join('; ')}` : ''}`);
}
