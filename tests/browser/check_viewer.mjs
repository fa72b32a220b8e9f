// Loads the viewer page of a demo folder in headless Chromium, from a server on
// localhost, once per GLB or tileset, and reports what it saw as one JSON line per file:
// the loader's status, the objects of the scene, and the screenshot's pixels
// matched against the expected colours.
//
//   node check_viewer.mjs <folder> <expectations.json> <chromium executable> [<screenshot folder>]
//
// expectations.json: [{"file", "colors": [[r, g, b], ...] (sRGB bytes), "tolerance",
//                      "hue": true when lighting may change brightness,
//                      "page": another page of the folder that sets window.viewerState
//                              (the notebook view), instead of index.html?file=<file>,
//                      "twin": an earlier file of the list whose screenshot this one's is
//                              compared with, pixel by pixel (twinDifference: the share
//                              of pixels that differ by more than 24 in a channel),
//                      "hide": the name of a part whose checkbox is then clicked, and the
//                              view analysed again (hidden: what it showed then, with
//                              changed, the share of pixels that differ from before),
//                      "frames": [j, k]: an animation's frames shown in turn through
//                              viewerControls.setFrame (frames: their animation states and
//                              difference, the share of pixels that differ between them),
//                              then the play button clicked (played: the state a moment later),
//                      "zoom": a factor by which the camera's distance is multiplied once
//                              the view is ready, and the tiles left to load (zoomed: the
//                              tiles' counters before and after, and the view analysed again)}]
// (viewerState and viewerControls are the page's window.viewerState and window.viewerControls.)
// Each report also has shades: the most common foreground colours, each channel
// rounded to a multiple of 8, with their pixel counts ([r, g, b, count], most first).
import { createServer } from 'node:http';
import { readFileSync, writeFileSync } from 'node:fs';
import { extname, join, normalize } from 'node:path';
import { inflateSync } from 'node:zlib';
import { chromium } from 'playwright-core';

const [folder, expectationsPath, chromiumPath, screenshotFolder] = process.argv.slice(2);
const expectations = JSON.parse(readFileSync(expectationsPath, 'utf8'));
const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
                '.json': 'application/json', '.glb': 'model/gltf-binary' };

const server = createServer((request, response) => {
  const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
  try {
    const body = readFileSync(join(folder, path === '/' ? 'index.html' : path));
    response.writeHead(200, { 'Content-Type': TYPES[extname(path)] || 'application/octet-stream' });
    response.end(body);
  } catch {
    response.writeHead(404);
    response.end();
  }
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}/`;

// PNG (8-bit RGB or RGBA, not interlaced) to RGB pixels.
function decodePng(png) {
  let offset = 8, width = 0, height = 0, channels = 0;
  const data = [];
  while (offset < png.length) {
    const length = png.readUInt32BE(offset);
    const type = png.toString('ascii', offset + 4, offset + 8);
    const chunk = png.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = chunk.readUInt32BE(0);
      height = chunk.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[chunk[9]];
      if (chunk[8] !== 8 || !channels || chunk[12] !== 0) throw new Error('unsupported PNG layout');
    } else if (type === 'IDAT') data.push(chunk);
    offset += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const pixels = Buffer.alloc(height * stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; x++) {
      const a = x >= channels ? pixels[y * stride + x - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      pixels[y * stride + x] = (line[x] + predictor) & 0xff;
    }
  }
  const rgb = [];
  for (let i = 0; i < pixels.length; i += channels) rgb.push([pixels[i], pixels[i + 1], pixels[i + 2]]);
  return { width, height, rgb };
}

function hueOf([r, g, b]) {
  const max = Math.max(r, g, b), min = Math.min(r, g, b);
  if (max - min < 40 || max < 40) return null;  // grey, white or dark: no reliable hue
  const d = max - min;
  const h = max === r ? ((g - b) / d) % 6 : max === g ? (b - r) / d + 2 : (r - g) / d + 4;
  return (h * 60 + 360) % 360;
}

function analyse(image, background, expectation) {
  const distance = (p, q) => Math.max(Math.abs(p[0] - q[0]), Math.abs(p[1] - q[1]), Math.abs(p[2] - q[2]));
  const foreground = image.rgb.filter((p) => distance(p, background) > 12);
  const hits = new Array(expectation.colors.length).fill(0);
  let matched = 0;
  const expectedHues = expectation.colors.map(hueOf);
  let coloured = 0, neutral = 0;
  for (const pixel of foreground) {
    let best = -1, bestDistance = Infinity;
    if (expectation.hue) {
      const hue = hueOf(pixel);
      if (hue === null) {
        neutral++;  // grey, white or dark: greys (carbon, hydrogen) show as these
        continue;
      }
      coloured++;
      expectedHues.forEach((h, i) => {
        if (h === null) return;
        const d = Math.min(Math.abs(h - hue), 360 - Math.abs(h - hue));
        if (d < bestDistance) { bestDistance = d; best = i; }
      });
    } else {
      expectation.colors.forEach((color, i) => {
        const d = distance(pixel, color);
        if (d < bestDistance) { bestDistance = d; best = i; }
      });
    }
    if (bestDistance <= expectation.tolerance) { matched++; hits[best]++; }
  }
  const bins = new Map();
  for (const [r, g, b] of foreground) {
    const key = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    bins.set(key, (bins.get(key) ?? 0) + 1);
  }
  const shades = [...bins].sort((x, y) => y[1] - x[1]).slice(0, 8)
    .map(([key, count]) => [(key >> 10) << 3, ((key >> 5) & 31) << 3, (key & 31) << 3, count]);
  return {
    pixels: image.rgb.length,
    foreground: foreground.length,
    shades,
    considered: expectation.hue ? coloured : foreground.length,
    neutral,
    matched,
    hits,
  };
}

// Playwright starts Chromium with a fresh temporary profile (--user-data-dir) of its own.
const browser = await chromium.launch({
  executablePath: chromiumPath,
  args: ['--headless', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
         '--disable-background-networking', '--disable-component-update', '--no-first-run',
         '--disable-sync', '--disable-gpu-sandbox'],
});
try {
  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  const consoleErrors = [];
  page.on('pageerror', (error) => consoleErrors.push(String(error)));
  page.on('console', (message) => { if (message.type() === 'error') consoleErrors.push(message.text()); });
  const images = new Map();
  for (const expectation of expectations) {
    const started = Date.now();
    consoleErrors.length = 0;
    await page.goto(expectation.page ? base + expectation.page
                                     : `${base}index.html?file=${encodeURIComponent(expectation.file)}&ui=0`);
    await page.waitForFunction(() => window.viewerState && window.viewerState.status !== 'loading', null,
                               { timeout: 180000 });
    const state = await page.evaluate(() => window.viewerState);
    const png = await page.screenshot({ type: 'png' });
    if (screenshotFolder) writeFileSync(join(screenshotFolder, `${expectation.file.replace(/\.glb$/, '')}.png`), png);
    const image = decodePng(png);
    images.set(expectation.file, image);
    const result = { file: expectation.file, state, consoleErrors: [...consoleErrors], seconds: (Date.now() - started) / 1000,
                     ...analyse(image, expectation.background, expectation) };
    if (expectation.hide) {
      const clicked = await page.evaluate((name) => {
        const box = [...document.querySelectorAll('input[data-part]')].find((input) => input.dataset.part === name);
        box?.click();  // as a user's click: toggles the box and fires its change event
        return box !== undefined;
      }, expectation.hide);
      const after = decodePng(await page.screenshot({ type: 'png' }));
      const changed = after.rgb.filter((p, i) => Math.max(...p.map((c, k) => Math.abs(c - image.rgb[i][k]))) > 24).length;
      result.hidden = { clicked, parts: await page.evaluate(() => window.viewerState.parts), changed: changed / after.rgb.length,
                        ...analyse(after, expectation.background, expectation) };
    }
    const difference = (a, b) => a.rgb.filter((p, i) => Math.max(...p.map((c, k) => Math.abs(c - b.rgb[i][k]))) > 24)
      .length / a.rgb.length;
    const drawn = () => page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    if (expectation.frames) {
      const shots = [], states = [];
      for (const k of expectation.frames) {
        await page.evaluate((frame) => window.viewerControls.setFrame(frame), k);
        await drawn();
        states.push(await page.evaluate(() => ({ ...window.viewerState.animation })));
        shots.push(decodePng(await page.screenshot({ type: 'png' })));
      }
      result.frames = { states, difference: difference(shots[0], shots[1]) };
      const before = await page.evaluate(() => window.viewerState.animation.time);
      await page.evaluate(() => document.querySelector('[data-control=play]').click());
      await page.waitForFunction((t) => window.viewerState.animation.time !== t, before, { timeout: 20000 });
      result.played = await page.evaluate(() => ({ ...window.viewerState.animation }));
      await page.evaluate(() => document.querySelector('[data-control=play]').click());
    }
    if (expectation.zoom) {
      const before = { ...state.tiles };
      await page.evaluate((factor) => window.viewerControls.zoom(factor), expectation.zoom);
      // Settled: nothing left to load, three times in a row, a quarter of a second apart.
      for (let quiet = 0, waited = 0; quiet < 3 && waited < 120; waited++) {
        await page.waitForTimeout(250);
        quiet = (await page.evaluate(() => window.viewerState.tiles.loading)) === 0 ? quiet + 1 : 0;
      }
      await drawn();
      const zoomedPng = await page.screenshot({ type: 'png' });
      if (screenshotFolder) writeFileSync(join(screenshotFolder, `${expectation.file.replace(/\.glb$/, '')}_zoomed.png`), zoomedPng);
      const after = decodePng(zoomedPng);
      result.zoomed = { before, after: await page.evaluate(() => ({ ...window.viewerState.tiles })),
                        ...analyse(after, expectation.background, expectation) };
    }
    if (expectation.twin) {
      const twin = images.get(expectation.twin).rgb;
      const differing = image.rgb.filter((p, i) => Math.max(...p.map((c, k) => Math.abs(c - twin[i][k]))) > 24).length;
      result.twinDifference = differing / image.rgb.length;
    }
    process.stdout.write(JSON.stringify(result) + '\n');
  }
} finally {
  await browser.close();
  server.close();
}
