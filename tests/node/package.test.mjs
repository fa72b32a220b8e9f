// The npm package as users get it: packed by scripts/artifacts (as the release
// workflow packs it) in a fresh clone, then `npm install` of the tarball into an
// empty project with npm's --offline and an empty cache: the tarball carries its
// install-time dependencies (bundleDependencies: node-gyp-build, and cmake-js
// with npm's Node-API headers for a source build), so it needs no network at
// all. Used from CommonJS and from ES modules.
// Without prebuilds the install builds the addon from source; with a prebuild
// for this platform in prebuilds/, it loads that and compiles nothing. Where it
// can do neither, or never ran, the messages say what to install and run.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, test } from 'node:test';

import { ROOT, SANITIZED, sa } from './helpers.mjs';

const SKIP = (SANITIZED && 'the package is checked in the plain pass')
  || (process.platform === 'win32' && 'scripts/artifacts is a bash script: the release workflow packs on Linux');
const work = mkdtempSync(join(tmpdir(), 'spatial-assembler-package-'));
after(() => rmSync(work, { recursive: true, force: true }));
const environment = { ...process.env, LD_PRELOAD: '', npm_config_audit: 'false', npm_config_fund: 'false',
                      npm_config_update_notifier: 'false' };

function npm(args, cwd, output = 'both') {
  const run = spawnSync('npm', args, { cwd, encoding: 'utf8', env: environment });
  assert.equal(run.status, 0, `npm ${args.join(' ')}:\n${run.stdout}\n${run.stderr}`);
  return output === 'stdout' ? run.stdout : run.stdout + run.stderr;
}

// scripts/artifacts of a checkout: its last line names what it made.
function artifacts(checkout, ...args) {
  const run = spawnSync(join(checkout, 'scripts', 'artifacts'), args, { encoding: 'utf8', env: environment });
  assert.equal(run.status, 0, `scripts/artifacts ${args.join(' ')}:\n${run.stdout}\n${run.stderr}`);
  return run.stdout.trim().split('\n').pop();
}

function installInto(name, tarball, extra = []) {
  const project = join(work, name);
  mkdirSync(project);
  writeFileSync(join(project, 'package.json'), JSON.stringify({ name, private: true }));
  const log = npm(['install', '--offline', '--foreground-scripts', '--cache', join(work, `cache-${name}`), ...extra, tarball],
                  project);
  return { project, log, installed: join(project, 'node_modules', 'spatial-assembler') };
}

const POSITIONS = '[0.5, 0.25, 0.75, 0, 0, 0, 1, 1, 1]';
const CALL = `atomGlb(new Float32Array(${POSITIONS}), new Uint16Array([1, 2, 3]), [0, 0, 0], [1, 1, 1])`;

function usedFromBothModuleSystems(project) {
  const fromCommonJs = execFileSync(process.execPath, ['-e', `
    const sa = require('spatial-assembler');
    process.stdout.write(sa.${CALL}.toString('hex'));`], { cwd: project, env: environment, encoding: 'utf8' });
  const fromEsm = execFileSync(process.execPath, ['--input-type=module', '-e', `
    import * as sa from 'spatial-assembler';
    import assembler from 'spatial-assembler';
    const glb = await sa.promises.${CALL};
    if (!glb.equals(assembler.${CALL})) throw new Error('the default export differs');
    process.stdout.write(glb.toString('hex'));`], { cwd: project, env: environment, encoding: 'utf8' });
  const expected = sa.atomGlb(new Float32Array(JSON.parse(POSITIONS)), new Uint16Array([1, 2, 3]), [0, 0, 0], [1, 1, 1]);
  assert.equal(fromCommonJs, expected.toString('hex'));
  assert.equal(fromEsm, expected.toString('hex'));
}

// The repository's files as a fresh clone has them: no node_modules, no build.
function freshCopy(name = 'fresh-clone') {
  const copy = join(work, name);
  const listed = execFileSync('git', ['ls-files', '--cached', '--others', '--exclude-standard', '-z'], { cwd: ROOT, encoding: 'utf8' })
    .split('\0').filter((file) => file && existsSync(join(ROOT, file)));
  for (const file of listed) cpSync(join(ROOT, file), join(copy, file));
  return copy;
}

const fresh = SKIP ? null : freshCopy();
let freshTarball = null;

test('the tarball packed in a fresh clone installs offline, builds from source and works from CommonJS and ESM',
     { skip: SKIP }, () => {
  const tarball = artifacts(fresh, 'npm', join(work, 'packed'));  // prepack fetches the bundled build tools
  freshTarball = tarball;
  const listed = execFileSync('tar', ['tzf', tarball], { encoding: 'utf8' }).split('\n');
  for (const file of ['package/node/index.js', 'package/node/index.mjs', 'package/node/index.d.ts',
                      'package/node/addon.cpp', 'package/core/glb_assembler.h', 'package/CMakeLists.txt', 'package/LICENSE']) {
    assert.ok(listed.includes(file), `${file} is not in the tarball`);
  }
  assert.ok(!listed.some((file) => file.startsWith('package/tests/') || file.startsWith('package/python/')));
  assert.ok(listed.includes('package/node_modules/cmake-js/package.json'), 'cmake-js is not bundled');
  const { project, installed } = installInto('from-source', tarball);
  assert.ok(existsSync(join(installed, 'build', 'Release', 'spatial_assembler.node')), 'no binary was built');
  usedFromBothModuleSystems(project);
});

test('a prebuilt binary for this platform is loaded and nothing is compiled', { skip: SKIP }, () => {
  const stage = join(work, 'stage');
  mkdirSync(stage);
  execFileSync('tar', ['xzf', artifacts(ROOT, 'npm', join(work, 'packed-again')), '-C', stage]);
  assert.match(artifacts(ROOT, 'prebuild', join(stage, 'package')), /prebuilds\/.*\.node$/);
  mkdirSync(join(work, 'packed-prebuilt'));
  const [{ filename }] = JSON.parse(npm(['pack', '--json', '--pack-destination', join(work, 'packed-prebuilt')],
                                        join(stage, 'package'), 'stdout').match(/\[[\s\S]*\]/)[0]);
  const { project, installed, log } = installInto('prebuilt', join(work, 'packed-prebuilt', filename));
  assert.match(log, /spatial-assembler: using .*prebuilds/);
  assert.ok(!existsSync(join(installed, 'build')), 'the install compiled the addon although a prebuild fits');
  assert.ok(JSON.parse(readFileSync(join(installed, 'package.json'), 'utf8')).binary.napi_versions.includes(8));
  usedFromBothModuleSystems(project);
});

test('an install that could not build says what to install, and a missing binary what to run', { skip: SKIP }, () => {
  assert.ok(freshTarball, 'the fresh clone\'s tarball was packed by the first test');
  const { project, installed } = installInto('no-scripts', freshTarball, ['--ignore-scripts']);
  const loaded = spawnSync(process.execPath, ['-e', "require('spatial-assembler')"], { cwd: project, encoding: 'utf8', env: environment });
  assert.notEqual(loaded.status, 0);
  assert.match(loaded.stderr, /no binary of the addon for .* is installed .*--ignore-scripts.*npm rebuild spatial-assembler/s);
  // A machine with Node only: neither CMake nor a compiler on the PATH.
  const bare = join(work, 'bare-path');
  mkdirSync(bare);
  symlinkSync(process.execPath, join(bare, 'node'));
  const install = spawnSync(join(bare, 'node'), [join(installed, 'node', 'install.js')],
                            { cwd: installed, encoding: 'utf8', env: { ...environment, PATH: bare, CXX: '' } });
  assert.equal(install.status, 1, install.stdout + install.stderr);
  assert.match(install.stderr, /no prebuilt binary fits .*needs what this machine lacks:\n  - CMake 3\.18 or later: .*\n  - a C\+\+17 compiler: /s);
  assert.match(install.stderr, /npm rebuild spatial-assembler.*prebuilt binaries for Linux x64/s);
});

test('packing without the bundled dependencies and no way to fetch them stops with what to run', { skip: SKIP }, () => {
  const copy = freshCopy('fresh-offline');
  const run = spawnSync('npm', ['pack', '--offline', '--cache', join(work, 'empty-cache'), '--pack-destination', work],
                        { cwd: copy, encoding: 'utf8', env: environment });
  assert.notEqual(run.status, 0);
  assert.match(run.stderr, /spatial-assembler: cannot pack: installing cmake-js, node-api-headers, node-gyp-build failed/);
  assert.match(run.stderr, /Run `npm ci` in .* then pack again/);
  assert.ok(!existsSync(join(work, 'spatial-assembler-0.1.0.tgz')), 'a tarball was packed all the same');
});
