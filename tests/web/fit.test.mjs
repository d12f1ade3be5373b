// The page as a new player meets it: how fast it loads on a slow network and what a frame costs
// (reported), that it fits any window from 800 x 600 up, and that every bad input says what is
// wrong where the game would be, with a way back to playing.
import {describe, test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {
  base, committed, newPage, otherOrigin, requestsElsewhere, root, served, setUp, tearDown,
  waitForStatus, waitFrames, watchAudio, work,
} from './support.mjs';

before(setUp);
after(tearDown);

// DevTools' "Fast 3G": 1.6 Mbit/s down and 750 kbit/s up at 90 %, 562.5 ms of latency.
const kFast3g = {offline: false, latency: 562.5, downloadThroughput: 180000,
                 uploadThroughput: 84375};

// The moments the progress bar first moved and the game first ran, in ms since navigation.
function watchLoading() {
  window.kelvarinLoading = {};
  const watch = () => {
    const progress = document.getElementById('progress');
    const status = document.getElementById('status');
    const now = performance.now();
    if (progress && progress.value > 0 && !window.kelvarinLoading.progress) {
      window.kelvarinLoading.progress = now;
      window.kelvarinLoading.shown = document.getElementById('loading-text').textContent;
    }
    if (status && status.textContent.startsWith('Click') && !window.kelvarinLoading.playable) {
      window.kelvarinLoading.playable = now;
      return;
    }
    setTimeout(watch, 20);
  };
  watch();
}

// How long the game's animation-frame callback (emscripten's main-loop runner) takes: the game's
// own work per page frame, the browser's drawing after it aside.
function timeFrames() {
  window.kelvarinFrameWork = [];
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((time) => {
    const start = performance.now();
    callback(time);
    if (callback.name.includes('mainLoop_runner')) {
      window.kelvarinFrameWork.push(performance.now() - start);
    }
  });
}

test('on a slow network the page shows progress at once and plays within seconds', async () => {
  const {page} = await newPage({initScripts: [watchAudio, watchLoading]});
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', kFast3g);
  await page.goto(base + 'index.html', {waitUntil: 'commit'});
  await waitForStatus(page, 'Click the game to play.', 120000);
  const loading = await page.evaluate(() => window.kelvarinLoading);
  console.log(`Fast 3G: progress first moved at ${Math.round(loading.progress)} ms ` +
              `("${loading.shown}"), playable at ${Math.round(loading.playable)} ms`);
  assert.match(loading.shown, /\d+ % of \d+\.\d MB/);
  await page.context().close();
});

test('a frame of the page costs the game little', async () => {
  const {page} = await newPage({initScripts: [watchAudio, timeFrames]});
  await page.goto(base + 'index.html');
  await waitForStatus(page, 'Click the game to play.');
  // Past the first frames, after each of which the game reads the driver's errors.
  await waitFrames(page, 260);
  const work = await page.evaluate(() => window.kelvarinFrameWork.slice(-120).sort((a, b) => a - b));
  console.log(`the game's work per page frame: median ${work[60].toFixed(2)} ms, ` +
              `p90 ${work[108].toFixed(2)} ms (headless Chromium, software WebGL)`);
  await page.context().close();
});

// Independent of one another, and waiting rather than drawing: side by side.
describe('fitting the window and saying what is wrong', {concurrency: true}, () => {
  for (const [width, height] of [[800, 600], [1024, 768], [1920, 1080]]) {
    test(`at ${width} x ${height} the game, its status and its buttons fit, centred`, async () => {
      const {page} = await newPage({viewport: {width, height}});
      await page.goto(base + 'index.html');
      await waitForStatus(page, 'Click the game to play.');
      const layout = await page.evaluate(() => {
        const box = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
        const root = document.documentElement;
        return {scrolls: root.scrollHeight > root.clientHeight || root.scrollWidth > root.clientWidth,
                canvas: box('canvas'), status: box('status'), buttons: box('buttons')};
      });
      assert.equal(layout.scrolls, false, 'the page has a scroll bar');
      for (const part of ['canvas', 'status', 'buttons']) {
        const b = layout[part];
        assert.ok(b.left >= 0 && b.top >= 0 && b.right <= width && b.bottom <= height,
                  `${part} is not all in the window: ${JSON.stringify(b)}`);
      }
      assert.ok(Math.abs(layout.canvas.left + layout.canvas.width / 2 - width / 2) <= 1,
                'the game is not centred');
      assert.ok(layout.canvas.width >= width * 0.6 || layout.canvas.height >= height * 0.6,
                'the game is small in its window');
      await page.context().close();
    });
  }

  // The message stands where the game would be, in the window; the status says the game is not
  // playing, a click locks no pointer, and Play leads back to a game.
  async function expectRefusal(page, messageText, statusText) {
    const message = page.locator('#message');
    await message.filter({hasText: messageText}).waitFor({timeout: 60000});
    await waitForStatus(page, statusText);
    const box = await message.boundingBox();
    const viewport = page.viewportSize();
    assert.ok(box && box.y >= 0 && box.y + box.height <= viewport.height, 'the message is off screen');
    await page.locator('#canvas').click({force: true});
    await waitFrames(page, 5);
    assert.equal(await page.evaluate(() => document.pointerLockElement), null);
    assert.equal(await page.locator('#play').isVisible(), true, 'no way back to playing');
  }

  // Every address a careless or hostile player may open is refused with one line, before any
  // request leaves the site, and the page offers a game instead.
  test('a bad address or a recording that cannot be replayed is said in place of the game',
       async () => {
    const lines = committed.split('\n').length - 1;
    served['noise.rec'] = Buffer.from(Array.from({length: 5000}, (_, i) => (i * 7919) % 256));
    served['day.rec'] = 'kelvarin-script 2\n1 delta 0.1\n5184000 delta 0.1\n';
    const notStarted = 'Kelvarin did not start.';
    const notReplayed = 'Kelvarin cannot replay that recording.';
    const elsewhere = (url) => [`?replay=${url}`,
                                `kelvarin: ?replay= takes a path on this site, not '${url}'`, notReplayed];
    const tooLong = '#replay=' + 'A'.repeat(9000);
    const cases = [
      ['?sensitivity=abc', "kelvarin: option '--sensitivity' needs a number above 0, up to 10, not 'abc'",
       notStarted],
      ['?sensitivity=--help', "needs a number above 0, up to 10, not '--help'", notStarted],
      ['?invert-y=maybe', "kelvarin: ?invert-y is true or false, not 'maybe'", notStarted],
      ['?replay=recordings/torn.rec', `kelvarin: torn.rec:${lines}: cut off mid-line`, notReplayed],
      ['?replay=recordings/noise.rec', 'kelvarin: noise.rec:1:', notReplayed],
      ['?replay=recordings/missing.rec', 'kelvarin: cannot read recordings/missing.rec: 404', notReplayed],
      ['?replay=recordings/day.rec', "kelvarin: day.rec:3: frame 2 has no 'delta' line", notReplayed],
      ['?replay=recordings/huge.rec', 'kelvarin: huge.rec is 70.0 MB, more than the 64.0 MB the page replays',
       notReplayed],
      ['?replay=recordings/endless.rec', 'kelvarin: endless.rec is more than the 64.0 MB the page replays',
       notReplayed],
      elsewhere(`http://${otherOrigin}/x`),
      elsewhere(`//${otherOrigin}/x`),
      elsewhere(`\\\\${otherOrigin}\\x`),
      elsewhere('data:text/plain,1'),
      [tooLong, `kelvarin: shared.rec:1: a link of ${(base + 'index.html' + tooLong).length} characters, ` +
       'longer than any the page makes (8192 at most)', notReplayed],
      ['?opened=nothing-kept', 'kelvarin: the recording opened here is no longer kept: open it again',
       notReplayed],
    ];
    await Promise.all(cases.map(async ([address, text, statusText]) => {
      const {page} = await newPage({viewport: {width: 640, height: 480}});
      await page.goto(`${base}index.html${address}`);
      await expectRefusal(page, text, statusText).catch(async (e) => {
        throw new Error(`${address.slice(0, 40)}: ${await page.locator('#message').textContent()} ${e}`);
      });
      await page.context().close();
    }));
    assert.equal(requestsElsewhere, 0, 'a request reached another origin');
  });

  // Each tab replays its own file, a reload replays it again, and a file named as the game's own
  // folders are still plays; too large a file, or storage that refuses it, is said.
  test('recordings opened in two tabs at once replay each its own, again on a reload', async () => {
    const padded = path.join(work, 'long.rec');
    fs.writeFileSync(padded, committed + '# kept for the record\n'.repeat(480000));
    assert.ok(fs.statSync(padded).size > 10e6);
    const named = path.join(work, 'media');
    fs.writeFileSync(named, committed);
    const large = path.join(work, 'large.rec');
    fs.writeFileSync(large, Buffer.alloc(65e6, '#'));
    // The file picker works before the game has loaded.
    const tab = async (initScripts) => {
      const {page, problems} = await newPage({fast: true, viewport: {width: 400, height: 300},
                                              initScripts});
      await page.goto(base + 'index.html', {waitUntil: 'domcontentloaded'});
      return {page, problems};
    };
    const refuseStorage = () => {
      IDBObjectStore.prototype.put = () => {
        throw new DOMException('the disk is full', 'QuotaExceededError');
      };
    };
    const [a, b, c, d] = await Promise.all([tab(), tab(), tab(), tab([refuseStorage])]);
    await Promise.all([a.page.locator('#open-recording').setInputFiles(padded),
                       b.page.locator('#open-recording').setInputFiles(named),
                       c.page.locator('#open-recording').setInputFiles(large),
                       d.page.locator('#open-recording').setInputFiles(named)]);
    await c.page.locator('#message').filter({hasText: 'large.rec is 65.0 MB, more than'}).waitFor();
    await d.page.locator('#message')
        .filter({hasText: 'media cannot be kept for its replay: the browser\'s storage refused it ' +
                          '(QuotaExceededError)'}).waitFor();
    await Promise.all([c.page.context().close(), d.page.context().close()]);
    await waitForStatus(b.page, 'Replaying media', 120000);
    await b.page.reload();
    await waitForStatus(b.page, 'Replaying media', 120000);
    await a.page.locator('#bricks').filter({hasText: 'frame,index'}).waitFor({timeout: 180000});
    const expected = fs.readFileSync(path.join(root, 'tests/replay/session.csv'), 'utf8');
    assert.equal(await a.page.locator('#bricks').textContent(), expected);
    for (const {page, problems} of [a, b, c, d]) assert.deepEqual(problems, []);
    await Promise.all([a.page.context().close(), b.page.context().close()]);
  });

  test('a folder dropped on the page is said, not thrown', async () => {
    const {page, problems} = await newPage({viewport: {width: 400, height: 300}});
    await page.goto(base + 'index.html');
    await waitForStatus(page, 'Click the game to play.');
    // A folder arrives as a file that cannot be read.
    await page.evaluate(() => {
      const folder = new File([], 'recordings');
      folder.arrayBuffer = () => Promise.reject(new DOMException('not readable', 'NotReadableError'));
      const drop = new Event('drop', {bubbles: true, cancelable: true});
      drop.dataTransfer = {files: [folder], items: []};
      document.body.dispatchEvent(drop);
    });
    await page.locator('#message').filter({hasText: 'recordings cannot be replayed'}).waitFor();
    assert.deepEqual(problems, []);
    await page.context().close();
  });

  test('a missing data file or game is said on the page', async () => {
    for (const [folder, text] of [['nodata', 'could not be loaded'], ['nogame', 'could not be loaded']]) {
      const {page} = await newPage({viewport: {width: 800, height: 600}});
      await page.goto(`${base}${folder}/index.html`);
      await page.locator('#message').filter({hasText: text}).waitFor({timeout: 30000});
      assert.equal(await page.locator('#loading').isHidden(), true);
      await page.context().close();
    }
  });

  test('without WebGL 2 the page says so', async () => {
    const {page} = await newPage({initScripts: [() => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function(type, ...rest) {
        return type === 'webgl2' ? null : getContext.call(this, type, ...rest);
      };
    }]});
    await page.goto(base + 'index.html');
    await page.locator('#message').filter({hasText: 'no WebGL 2'}).waitFor({timeout: 10000});
    await page.context().close();
  });

  test('the page describes itself and names the game for screen readers', async () => {
    const {page} = await newPage({viewport: {width: 800, height: 600}});
    await page.goto(base + 'index.html');
    assert.match(await page.locator('meta[name="description"]').getAttribute('content'), /bricks/);
    assert.match(await page.locator('#canvas').getAttribute('aria-label'), /Kelvarin/);
    await page.context().close();
  });
});
