// The game's page in Debian's Chromium, headless, with software WebGL 2: played as a person would
// (settle, click, look, shoot, rewind, pause, save), recordings replayed in the page against the
// desktop's bricks, and the page's messages for a damaged recording, a missing data file and a
// browser without WebGL 2.
// Environment: KELVARIN_SITE (build-web/site), KELVARIN_SIM (the Linux kelvarin-sim), and
// KELVARIN_ROOT (the project root, for the committed recording).
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {chromium} from 'playwright-core';

const site = process.env.KELVARIN_SITE;
const linuxSim = process.env.KELVARIN_SIM;
const root = process.env.KELVARIN_ROOT;
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvarin-web-'));

// Recordings served under /recordings/: the real game's committed one, and one cut mid-line.
const committed = fs.readFileSync(path.join(root, 'tests/replay/session.rec'), 'utf8');
const recordings = {
  'session.rec': committed,
  'torn.rec': committed.slice(0, -3),
};

const kTypes = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.css': 'text/css', '.png': 'image/png'};

// The site as any static server would serve it; under /nodata/ its data file is missing.
function serve(request, response) {
  const url = new URL(request.url, 'http://localhost');
  let name = decodeURIComponent(url.pathname);
  if (name.startsWith('/recordings/')) {
    const text = recordings[name.slice('/recordings/'.length)];
    response.writeHead(text === undefined ? 404 : 200, {'Content-Type': 'text/plain'});
    response.end(text === undefined ? 'not found' : text);
    return;
  }
  const withoutData = name.startsWith('/nodata/');
  if (withoutData) name = name.slice('/nodata'.length);
  if (name.endsWith('/')) name += 'index.html';
  const file = path.join(site, path.normalize(name));
  if ((withoutData && name.endsWith('.data')) || !fs.existsSync(file)) {
    response.writeHead(404);
    response.end();
    return;
  }
  response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream'});
  fs.createReadStream(file).pipe(response);
}

let server;
let base;
let browser;

before(async () => {
  server = http.createServer(serve);
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--use-gl=angle', '--use-angle=swiftshader',
           '--enable-unsafe-swiftshader', '--autoplay-policy=no-user-gesture-required',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--no-first-run', '--disable-quic'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  fs.rmSync(work, {recursive: true, force: true});
});

// Every started track, by its file, as the page's Web Audio starts it.
function watchAudio() {
  window.kelvarinStartedTracks = [];
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function(...args) {
    window.kelvarinStartedTracks.push(this.kelvarinTrack);
    return start.apply(this, args);
  };
}

async function newPage(options = {}) {
  const viewport = options.viewport || {width: 1100, height: 900};
  const context = await browser.newContext({viewport, acceptDownloads: true});
  await context.addInitScript(options.initScript || watchAudio);
  const page = await context.newPage();
  const problems = [];
  page.on('console', (m) => { if (m.type() === 'error') problems.push(m.text()); });
  page.on('pageerror', (e) => problems.push(e.message));
  return {page, problems};
}

const statusOf = (page) => page.locator('#status').textContent();

async function waitForStatus(page, text, timeout = 60000) {
  await page.waitForFunction((t) => document.getElementById('status').textContent.startsWith(t),
                             text, {timeout});
}

// The canvas as shown, as PNG in base64.
async function shot(page) {
  return (await page.locator('#canvas').screenshot()).toString('base64');
}

// Pixel counts worked out by the page itself from screenshots. Regions are in frame pixels of
// the 1024 x 768 picture; kinds: white (help text), brick (red bricks), changed (between two).
async function count(page, kind, pngs, region = [0, 0, 1024, 768]) {
  return page.evaluate(async ({kind, pngs, region}) => {
    const images = await Promise.all(pngs.map(async (png) => {
      const image = new Image();
      image.src = 'data:image/png;base64,' + png;
      await image.decode();
      const canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, image.width, image.height);
    }));
    const a = images[0];
    const scale = a.width / 1024;
    const [x0, y0, w, h] = region.map((v) => Math.round(v * scale));
    let n = 0;
    for (let y = y0; y < y0 + h; ++y) {
      for (let x = x0; x < x0 + w; ++x) {
        const i = (y * a.width + x) * 4;
        const [r, g, b] = [a.data[i], a.data[i + 1], a.data[i + 2]];
        if (kind === 'white') n += r > 204 && g > 204 && b > 204;
        if (kind === 'brick') n += r > g + 38 && r > b + 38;
        if (kind === 'changed') {
          const c = images[1].data;
          n += Math.max(Math.abs(r - c[i]), Math.abs(g - c[i + 1]), Math.abs(b - c[i + 2])) > 20;
        }
      }
    }
    // In frame pixels, whatever size the canvas is shown at.
    return n / (scale * scale);
  }, {kind, pngs, region});
}

// Screenshots half a second apart until two match: the bricks have settled.
async function waitUntilStill(page) {
  let last = await shot(page);
  for (let i = 0; i < 60; ++i) {
    await page.waitForTimeout(500);
    const next = await shot(page);
    if (await count(page, 'changed', [last, next]) < 100) return next;
    last = next;
  }
  assert.fail('the picture never came to rest');
}

async function clickCanvas(page) {
  const box = await page.locator('#canvas').boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  return box;
}

// A small window: the replay's bricks do not depend on the picture's size, and small frames are
// what software WebGL draws fast.
async function replayInPage(recordingName) {
  const {page, problems} = await newPage({viewport: {width: 400, height: 300}});
  await page.goto(base + 'index.html?replay=recordings/' + recordingName);
  await page.locator('#bricks').filter({hasText: 'frame,index'}).waitFor({timeout: 120000});
  const bricks = await page.locator('#bricks').textContent();
  assert.deepEqual(problems, []);
  await page.context().close();
  return bricks;
}

test('the page plays the game as the desktop does', async (t) => {
  const {page, problems} = await newPage();
  const navigation = Date.now();
  await page.goto(base + 'index.html');
  await waitForStatus(page, 'Click the game to play.');
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  console.log(`first frame ${Date.now() - navigation} ms after navigation`);
  const frameTimes = await page.evaluate(() => new Promise((resolve) => {
    const times = [];
    let last = performance.now();
    const tick = (now) => {
      times.push(now - last);
      last = now;
      if (times.length < 120) requestAnimationFrame(tick); else resolve(times);
    };
    requestAnimationFrame(tick);
  }));
  frameTimes.sort((a, b) => a - b);
  console.log(`median frame time ${frameTimes[60].toFixed(1)} ms in headless Chromium`);

  let view;
  await t.test('the bricks settle in the textured room under the help text', async () => {
    view = await waitUntilStill(page);
    assert.ok(await count(page, 'white', [view], [0, 0, 330, 130]) > 300, 'no help text');
    assert.ok(await count(page, 'white', [view], [400, 400, 600, 300]) < 50,
              'white outside the help text');
  });

  await t.test('a click locks the pointer and the mouse turns the view', async () => {
    const box = await clickCanvas(page);
    await page.waitForFunction(() => document.pointerLockElement?.id === 'canvas');
    await waitForStatus(page, 'Playing');
    await page.mouse.move(box.x + box.width / 2 + 200, box.y + box.height / 2, {steps: 10});
    await page.waitForTimeout(300);
    const turned = await shot(page);
    assert.ok(await count(page, 'changed', [view, turned]) > 20000, 'the view did not turn');
    // Back, then about 55 degrees down at the wall's front.
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2 + 1375, {steps: 55});
  });

  let wall;
  let knocked;
  await t.test('a shot knocks bricks over', async () => {
    wall = await waitUntilStill(page);
    assert.ok(await count(page, 'brick', [wall], [0, 168, 1024, 600]) > 50000, 'no wall in view');
    // At rest for a while, so the history holds the settled wall before the shot.
    await page.waitForTimeout(2000);
    await page.mouse.down();
    await page.waitForTimeout(300);
    await page.mouse.up();
    await page.waitForTimeout(1500);
    knocked = await count(page, 'changed', [wall, await shot(page)]);
    assert.ok(knocked > 5000, `the shot changed too little (${knocked} pixels)`);
  });

  await t.test('holding Spacebar brings the bricks back to the reversed track', async () => {
    await page.keyboard.down('Space');
    let back = knocked;
    for (let i = 0; i < 40 && back >= knocked / 4; ++i) {
      await page.waitForTimeout(250);
      back = Math.min(back, await count(page, 'changed', [wall, await shot(page)]));
    }
    await page.keyboard.up('Space');
    assert.ok(back < knocked / 4, `the rewind did not bring the bricks back (${back} of ${knocked})`);
    await page.waitForFunction(
        () => window.kelvarinStartedTracks.at(-1)?.endsWith('/backgroundMusic.wav'));
    const started = await page.evaluate(() => window.kelvarinStartedTracks.join(' '));
    assert.match(started,
                 /backgroundMusic\.wav.*backgroundMusicBackwards\.wav.*backgroundMusic\.wav$/);
  });

  let saved;
  await t.test('Escape pauses: no step runs until a click', async () => {
    await page.keyboard.press('Escape');
    await waitForStatus(page, 'Paused: click to play');
    assert.equal(await page.evaluate(() => document.pointerLockElement), null);
    const tracks = await page.evaluate(() => window.kelvarinStartedTracks.length);
    // A frame drawn just before the pause may reach the screen an animation frame later.
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    const paused = await shot(page);
    await page.keyboard.down('Space');
    await page.waitForTimeout(700);
    await page.keyboard.up('Space');
    assert.equal(await count(page, 'changed', [paused, await shot(page)]), 0);
    assert.equal(await page.evaluate(() => window.kelvarinStartedTracks.length), tracks);
    const download = page.waitForEvent('download');
    await page.click('#save-recording');
    saved = path.join(work, 'saved.rec');
    await (await download).saveAs(saved);
    await clickCanvas(page);
    await waitForStatus(page, 'Playing');
  });

  await t.test('the page said nothing wrong', () => assert.deepEqual(problems, []));
  await page.context().close();

  await t.test('the recording saved from the page replays to the same bricks on Linux', async () => {
    recordings['saved.rec'] = fs.readFileSync(saved, 'utf8');
    assert.match(recordings['saved.rec'], /^kelvarin-script 3\nlook 1 normal\n/);
    const dump = path.join(work, 'linux.csv');
    execFileSync(linuxSim, ['--no-draw', '--script', saved, '--dump-bricks', dump], {cwd: root});
    assert.equal(await replayInPage('saved.rec'), fs.readFileSync(dump, 'utf8'));
  });
});

test('the committed recording of the real game replays to its committed bricks', async () => {
  const expected = fs.readFileSync(path.join(root, 'tests/replay/session.csv'), 'utf8');
  assert.equal(await replayInPage('session.rec'), expected);
});

test('a damaged recording is refused with its file and line, as on the desktop', async () => {
  const {page} = await newPage();
  await page.goto(base + 'index.html?replay=recordings/torn.rec');
  const lines = committed.split('\n').length - 1;
  await page.locator('#message').filter({hasText: `kelvarin: torn.rec:${lines}: cut off mid-line`})
      .waitFor({timeout: 30000});
  await page.context().close();
});

test('a driver error after the first frames is still said, once', async () => {
  const {page} = await newPage({viewport: {width: 400, height: 300}});
  await page.goto(base + 'index.html');
  await waitForStatus(page, 'Click the game to play.');
  // Past the frames after each of which the game reads the driver's errors.
  await page.evaluate(() => new Promise((resolve) => {
    let frames = 0;
    const tick = () => (++frames < 90 ? requestAnimationFrame(tick) : resolve());
    requestAnimationFrame(tick);
  }));
  // The game's own context: no texture target has this number.
  const provoke = () => page.evaluate(
      () => document.getElementById('canvas').getContext('webgl2').bindTexture(0x1234, null));
  await provoke();
  await page.locator('#message').filter({hasText: 'kelvarin: OpenGL error 0x500 in frame'})
      .waitFor({timeout: 60000});
  await provoke();
  await page.waitForTimeout(500);
  assert.equal((await page.locator('#message').textContent()).match(/OpenGL error/g).length, 1);
  await page.context().close();
});

test('a missing data file is said on the page', async () => {
  const {page} = await newPage();
  await page.goto(base + 'nodata/index.html');
  await page.locator('#message').filter({hasText: 'could not be loaded'}).waitFor({timeout: 30000});
  assert.equal(await page.locator('#loading').isHidden(), true);
  await page.context().close();
});

test('without WebGL 2 the page says so', async () => {
  const {page} = await newPage({initScript: () => {
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function(type, ...rest) {
      return type === 'webgl2' ? null : getContext.call(this, type, ...rest);
    };
  }});
  await page.goto(base + 'index.html');
  await page.locator('#message').filter({hasText: 'no WebGL 2'}).waitFor({timeout: 10000});
  await page.context().close();
});
