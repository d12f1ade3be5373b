// What the page tests share: the site served as any static server serves it, Debian's Chromium
// headless with software WebGL 2, pages in contexts of their own, and judgments of the picture
// worked out from screenshots. Environment: KELVARIN_SITE (build-web/site), KELVARIN_SIM (the
// Linux kelvarin-sim) and KELVARIN_ROOT (the project root, for the committed recording).
import './rawDeflate.mjs';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import {chromium} from 'playwright-core';

export const site = process.env.KELVARIN_SITE;
export const linuxSim = process.env.KELVARIN_SIM;
export const root = process.env.KELVARIN_ROOT;
export const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvarin-web-'));

// Recordings served under /recordings/ (the real game's committed one among them) and any other
// file a test hands the page; huge.rec says it is 70 MB and endless.rec never ends.
export const committed = fs.readFileSync(path.join(root, 'tests/replay/session.rec'), 'utf8');
export const served = {'session.rec': committed, 'torn.rec': committed.slice(0, -3)};
export let requestsElsewhere = 0;

function serveRecording(name, request, response) {
  if (name === 'huge.rec' || name === 'endless.rec') {
    response.writeHead(200, name === 'huge.rec' ? {'Content-Length': 70e6} : {});
    response.flushHeaders();
    const megabyte = Buffer.alloc(1 << 20, '# padding\n');
    const more = () => {
      if (response.destroyed) return;
      if (response.write(megabyte)) setImmediate(more);
      else response.once('drain', more);
    };
    if (name === 'endless.rec') more();
    request.on('close', () => response.destroy());
    return;
  }
  const body = served[name];
  response.writeHead(body === undefined ? 404 : 200, {'Content-Type': 'application/octet-stream'});
  response.end(body === undefined ? 'not found' : body);
}

const kTypes = {'.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
                '.wasm': 'application/wasm', '.css': 'text/css', '.png': 'image/png',
                '.mp3': 'audio/mpeg', '.webmanifest': 'application/manifest+json'};

// The site with its sizes, as any static server serves it; under /nodata/ its data file is
// missing, and under /nogame/ its kelvarin.js.
function serve(request, response) {
  const url = new URL(request.url, 'http://localhost');
  let name = decodeURIComponent(url.pathname);
  if (name.startsWith('/recordings/')) {
    serveRecording(name.slice('/recordings/'.length), request, response);
    return;
  }
  const missing = /^\/(nodata|nogame)\//.exec(name)?.[1];
  if (missing) name = name.slice(missing.length + 1);
  if (name.endsWith('/')) name += 'index.html';
  const next = nextBuild[name.slice(1)];
  if (next !== undefined) {
    response.writeHead(200, {'Content-Type': kTypes[path.extname(name)]});
    response.end(next);
    return;
  }
  const file = path.join(site, path.normalize(name));
  const withheld = (missing === 'nodata' && name.endsWith('.data')) ||
                   (missing === 'nogame' && name.endsWith('kelvarin.js'));
  if (withheld || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    response.writeHead(404);
    response.end();
    return;
  }
  response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
                           'Content-Length': fs.statSync(file).size});
  fs.createReadStream(file).pipe(response);
}

// Files of a newer build, served in place of the site's own while a test sets them (to every page:
// they differ from the site's only by the build's name and a tag no page shows).
export const nextBuild = {};

let server;
// Another origin, which answers anyone: the page must never ask it.
let elsewhere;
export let base;
export let otherOrigin;
// A browser for each test that runs side by side: each has one GPU process, which draws every page
// of it in turn.
let browsers = [];
// Replays only (a promise of it): animation frames as fast as the machine draws them. A replay's
// bricks do not depend on its pace (every frame takes its recorded time), while a game played by a
// person does.
let replayBrowser;

// WebGL through Mesa's llvmpipe, the driver the desktop tests use: it draws the game for about
// half the work of the browser's own software renderer. One thread of it a browser: the pages of
// one browser are drawn in turn anyway, and more threads only share out frames this small at the
// cost of waking each other (the page tests' drawing took a third less work so). The browser
// composites the page in software: through llvmpipe, the GPU process spent twice the work on a
// frame of an idle page, and a page playing the game at 800 x 600 drew 36 frames a second, not 60.
const kChromiumArgs = ['--no-sandbox', '--use-gl=angle', '--use-angle=gl-egl', '--ignore-gpu-blocklist',
                       '--disable-gpu-compositing', '--autoplay-policy=no-user-gesture-required',
                       '--disable-background-networking', '--disable-component-update',
                       '--disable-sync', '--no-first-run', '--disable-quic'];

function launch(extraArgs = []) {
  return chromium.launch({executablePath: '/usr/bin/chromium', headless: true,
                          args: [...kChromiumArgs, ...extraArgs],
                          env: {...process.env, LP_NUM_THREADS: '1'}});
}

export async function setUp() {
  server = http.createServer(serve);
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  base = `http://127.0.0.1:${server.address().port}/`;
  elsewhere = http.createServer((request, response) => {
    ++requestsElsewhere;
    response.writeHead(200, {'Access-Control-Allow-Origin': '*'});
    response.end(committed);
  });
  await new Promise((resolve) => elsewhere.listen(0, '127.0.0.1', resolve));
  otherOrigin = `127.0.0.1:${elsewhere.address().port}`;
  browsers = await Promise.all(Array.from({length: pagesAtOnce()}, () => launch()));
}

// The browser with the fewest pages open.
function leastBusyBrowser() {
  return browsers.reduce((a, b) => (a.contexts().length <= b.contexts().length ? a : b));
}

export async function tearDown() {
  await (await replayBrowser)?.close();
  await Promise.all(browsers.map((b) => b.close()));
  server?.close();
  elsewhere?.close();
  fs.rmSync(work, {recursive: true, force: true});
}

// Every started track, by its file, as the page's Web Audio starts it, and every gain made; and
// the game's frames, by the swaps of its drawing buffer it asks for (one a frame drawn).
export function watchAudio() {
  window.kelvarinFramesDrawn = 0;
  const drawElements = WebGL2RenderingContext.prototype.drawElements;
  WebGL2RenderingContext.prototype.drawElements = function(...args) {
    ++window.kelvarinFramesDrawn;
    return drawElements.apply(this, args);
  };
  window.kelvarinStartedTracks = [];
  window.kelvarinGains = [];
  const createGain = AudioContext.prototype.createGain;
  AudioContext.prototype.createGain = function(...args) {
    const gain = createGain.apply(this, args);
    window.kelvarinGains.push(gain);
    return gain;
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function(...args) {
    window.kelvarinStartedTracks.push(this.kelvarinTrack);
    return start.apply(this, args);
  };
}

// A context of its own, a private profile (storage, cache, compiled code): each costs the browser
// a second of work, so pages that can share one do. With fast, in the browser whose animation
// frames run as fast as it draws (for replays only).
export async function newContext(options = {}) {
  // Launched once, also when tests side by side ask at the same moment.
  if (options.fast) replayBrowser ||= launch(['--disable-frame-rate-limit', '--disable-gpu-vsync']);
  const context = await (options.fast ? await replayBrowser : leastBusyBrowser()).newContext({
    viewport: options.viewport || {width: 1100, height: 900},
    acceptDownloads: true,
    isMobile: options.isMobile,
    hasTouch: options.hasTouch,
    deviceScaleFactor: options.deviceScaleFactor,
  });
  for (const script of options.initScripts || [watchAudio]) await context.addInitScript(script);
  // Pages side by side on two cores load slowly, and load waits for the game's downloads too; a
  // screenshot waits for frames, which a busy machine draws seconds apart.
  context.setDefaultNavigationTimeout(120000);
  context.setDefaultTimeout(60000);
  return context;
}

// A page, in the context given or one of its own, with the console's errors and the page's own
// collected.
export async function newPage(options = {}) {
  const page = await (options.context || await newContext(options)).newPage();
  const problems = [];
  // Errors, and the browser's word that the page asked what an event does not allow.
  page.on('console', (m) => {
    if (m.type() === 'error' || /Ignored attempt/.test(m.text())) problems.push(m.text());
  });
  page.on('pageerror', (e) => problems.push(e.message));
  return {page, problems};
}

export const statusOf = (page) => page.locator('#status').textContent();

// Also from before the page's body has come (a navigation just committed).
export async function waitForStatus(page, text, timeout = 60000) {
  await page.waitForFunction((t) => document.getElementById('status')?.textContent.startsWith(t),
                             text, {timeout});
}

// How many tests, each playing the game in a page or a few, run side by side: one a core, so that
// a busy machine gets through them in turns instead of timing out.
export function pagesAtOnce() {
  return Math.max(1, os.cpus().length);
}

// Pages of one test that each load the game, side by side as the machine carries them (at least
// two, beside the test's own): visit(item, lane) is handed an object of its lane's own, for what
// the lane's visits one after another share.
export async function inTurns(items, visit) {
  const free = Math.max(2, pagesAtOnce());
  const waiting = [...items];
  await Promise.all(Array.from({length: Math.min(free, waiting.length)}, async () => {
    const lane = {};
    while (waiting.length) await visit(waiting.shift(), lane);
  }));
}

export async function waitFrames(page, count) {
  await page.evaluate((n) => new Promise((resolve) => {
    let frames = 0;
    const tick = () => (++frames < n ? requestAnimationFrame(tick) : resolve());
    requestAnimationFrame(tick);
  }), count);
}

// Pages whose pictures are judged need no more than a device pixel for every two CSS pixels: the
// counts are in pixels of a 1024 wide picture whatever the canvas's size.
export const kJudgedPixels = 0.5;

// The canvas as shown, as PNG. On a touch screen the controls over it are painted out, so that a
// button that lights up while held changes nothing. Elsewhere the picture comes straight from the
// browser, in device pixels and encoded for speed: a screenshot of Playwright's own first waits for
// the canvas to hold still over several frames, and took three times as long while the game went
// on drawing.
export async function shot(page) {
  if (await page.locator('#touch-controls').isVisible()) {
    return page.locator('#canvas').screenshot({mask: [page.locator('#touch-controls button, #move')]});
  }
  const canvas = await page.locator('#canvas').boundingBox();
  // The clip is in CSS pixels.
  const clip = {...canvas, scale: await page.evaluate(() => window.devicePixelRatio)};
  if (!devTools.has(page)) devTools.set(page, page.context().newCDPSession(page));
  const {data} = await (await devTools.get(page)).send(
      'Page.captureScreenshot', {format: 'png', clip, optimizeForSpeed: true});
  return Buffer.from(data, 'base64');
}

// A DevTools session for each page that a screenshot was taken of (a promise of it).
const devTools = new WeakMap();

// A screenshot's pixels: Chromium writes PNGs of 8-bit RGB or RGBA, not interlaced.
function decodePng(png) {
  let width = 0;
  let height = 0;
  let channels = 0;
  const data = [];
  for (let at = 8; at < png.length; at += 12 + png.readUInt32BE(at)) {
    const type = png.toString('latin1', at + 4, at + 8);
    const body = png.subarray(at + 8, at + 8 + png.readUInt32BE(at));
    if (type === 'IHDR') {
      [width, height, channels] = [body.readUInt32BE(0), body.readUInt32BE(4), {2: 3, 6: 4}[body[9]]];
      assert.ok(body[8] === 8 && channels && body[12] === 0, 'a PNG the counts cannot read');
    }
    if (type === 'IDAT') data.push(body);
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const pixels = Buffer.alloc(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1);
    const row = y * stride;
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? pixels[row + x - channels] : 0;
      const b = y > 0 ? pixels[row - stride + x] : 0;
      const c = y > 0 && x >= channels ? pixels[row - stride + x - channels] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
                  : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      pixels[row + x] = line[x] + [0, a, b, (a + b) >> 1, paeth][filter];
    }
  }
  return {width, height, channels, pixels};
}

// Pixel counts worked out from screenshots, here in node. Regions are in pixels of a 1024 wide
// picture (scaled to the canvas shown); kinds: white (help text), brick (red bricks), changed
// (between two shots). The count is in pixels of the 1024 wide picture too.
export function count(kind, pngs, region) {
  return counts(kind, pngs, [region])[0];
}

// count for several regions of the same pictures, decoded once.
export function counts(kind, pngs, regions) {
  const [a, b] = pngs.map(decodePng);
  const scale = a.width / 1024;
  return regions.map((region) => {
    const [x0, y0, w, h] = (region || [0, 0, 1024, a.height / scale]).map((v) => Math.round(v * scale));
    let n = 0;
    for (let y = y0; y < Math.min(y0 + h, a.height); ++y) {
      for (let x = x0; x < Math.min(x0 + w, a.width); ++x) {
        const i = (y * a.width + x) * a.channels;
        const [r, g, bl] = [a.pixels[i], a.pixels[i + 1], a.pixels[i + 2]];
        if (kind === 'white') n += r > 204 && g > 204 && bl > 204;
        if (kind === 'brick') n += r > g + 38 && r > bl + 38;
        if (kind === 'changed') {
          const j = (y * b.width + x) * b.channels;
          n += Math.max(Math.abs(r - b.pixels[j]), Math.abs(g - b.pixels[j + 1]),
                        Math.abs(bl - b.pixels[j + 2])) > 20;
        }
      }
    }
    return n / (scale * scale);
  });
}

// Screenshots until two in a row match: the bricks have settled, whatever the frame rate.
export async function waitUntilStill(page) {
  let last = await shot(page);
  for (let i = 0; i < 120; ++i) {
    await waitFrames(page, 10);
    const next = await shot(page);
    if (count('changed', [last, next]) < 100) return next;
    last = next;
  }
  assert.fail('the picture never came to rest');
}

// After a resize: the drawing buffer has taken the canvas's new size and the game has drawn at
// it, however many frames a busy machine needs for both.
export async function waitForLayout(page) {
  await page.waitForFunction(async () => {
    const canvas = document.querySelector('#canvas');
    const {width, height} = (await import('./launch.js')).drawingBufferSize(canvas);
    return canvas.width === width && canvas.height === height;
  });
  await waitUntilStill(page);
}

// Screenshots until the picture differs from before by more than least pixels; the count.
export async function waitForChange(page, before, least, region) {
  let changed = 0;
  for (let i = 0; i < 100 && changed <= least; ++i) {
    await waitFrames(page, 5);
    changed = count('changed', [before, await shot(page)], region);
  }
  return changed;
}

// The bricks a kelvarin-sim ends a recording with: the Linux one, or the browser build's under
// node, which replays as the page does.
function simBricks(command, recording) {
  const dump = path.join(work, `bricks-${Date.now()}-${Math.random()}.csv`);
  execFileSync(command[0], [...command.slice(1), '--no-draw', '--script', recording,
                            '--dump-bricks', dump], {cwd: root});
  return fs.readFileSync(dump, 'utf8');
}

export const linuxBricks = (recording) => simBricks([linuxSim], recording);

// The committed recording in the compact form the game writes now.
export function committedCompact() {
  const compact = path.join(work, 'session.compact');
  execFileSync(linuxSim, ['--script', 'tests/replay/session.rec', '--convert', compact], {cwd: root});
  return fs.readFileSync(compact);
}

// The page writes its recordings compact: one as text, as kelvarin-sim converts it.
export function recordingText(recording) {
  const text = `${recording}.txt`;
  execFileSync(linuxSim, ['--script', recording, '--convert', text], {cwd: root});
  return fs.readFileSync(text, 'utf8');
}
export const wasmBricks = (recording) =>
  simBricks([process.execPath, path.join(site, '../kelvarin-sim.js')], recording);

// Saves the page's recording through its Save button; the file's path.
export async function saveRecording(page, name) {
  const download = page.waitForEvent('download');
  await page.click('#save-recording');
  const saved = path.join(work, name);
  await (await download).saveAs(saved);
  return saved;
}
