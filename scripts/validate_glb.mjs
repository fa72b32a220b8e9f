// Runs the Khronos glTF validator on GLB files and prints one JSON line per file:
// {"path", "errors", "warnings", "infos", "hints", "messages": [...]}.
// With file arguments it validates those; with --serve it reads one path per line
// from stdin and answers each, so a test session pays Node's start-up once.
import { readFile } from 'node:fs/promises';
import { createInterface } from 'node:readline';
import validator from 'gltf-validator';

async function validate(path) {
  try {
    const bytes = new Uint8Array(await readFile(path));
    const report = await validator.validateBytes(bytes, { maxIssues: 50 });
    const issues = report.issues;
    return {
      path,
      errors: issues.numErrors,
      warnings: issues.numWarnings,
      infos: issues.numInfos,
      hints: issues.numHints,
      messages: issues.messages.map(({ code, message, pointer, severity }) => ({ code, message, pointer, severity })),
    };
  } catch (failure) {
    // A file the validator cannot even read counts as one error.
    return { path, errors: 1, warnings: 0, infos: 0, hints: 0, messages: [{ code: 'UNREADABLE', message: String(failure) }] };
  }
}

const paths = process.argv.slice(2);
if (paths.length === 1 && paths[0] === '--serve') {
  const lines = createInterface({ input: process.stdin });
  for await (const line of lines) {
    if (line.trim()) process.stdout.write(JSON.stringify(await validate(line.trim())) + '\n');
  }
} else {
  let failed = false;
  for (const path of paths) {
    const result = await validate(path);
    failed ||= result.errors > 0 || result.warnings > 0;
    process.stdout.write(JSON.stringify(result) + '\n');
  }
  process.exitCode = failed ? 1 : 0;
}
