// The TypeScript declarations, checked by tsc --strict from CommonJS (usage.cts)
// and ES module (usage.mts) code: correct calls pass, and every wrong call is
// caught (each carries @ts-expect-error, which fails when nothing follows it).
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { join } from 'node:path';
import { test } from 'node:test';

import { ROOT, SANITIZED } from './helpers.mjs';

test('tsc --strict --noEmit accepts the correct calls and refuses the wrong ones',
     { skip: SANITIZED && 'declarations are checked in the plain pass' }, () => {
       const tsc = join(ROOT, 'node_modules', 'typescript', 'bin', 'tsc');
       const run = spawnSync(process.execPath, [tsc, '-p', join(ROOT, 'tests', 'node', 'types', 'tsconfig.json')],
                             { encoding: 'utf8', env: { ...process.env, LD_PRELOAD: '' } });
       assert.equal(run.status, 0, run.stdout + run.stderr);
     });
