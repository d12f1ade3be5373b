// The page as a new player meets it: it shows progress at once on a slow network, fits any window
// from 800 x 600 up, and says what is wrong, where the game would be, for every bad address or
// file, with a way back to playing; recordings opened in two tabs replay each their own.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {
  base, committed, committedCompact, inTurns, newContext, newPage, otherOrigin, requestsElsewhere,
  root, served, waitForStatus, waitFrames, watchAudio, work,
} from './support.mjs';

// Pages whose pixels nobody judges: a quarter of a device pixel per CSS pixel, so the game draws
// a sixteenth of the pixels it would.
const kNoPixels = 0.25;

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

// The game, its status and its buttons all in the window, the game centred and large.
async function expectFit(page, width, height) {
  await page.setViewportSize({width, height});
  const layout = await page.evaluate(() => {
    const box = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
    const root = document.documentElement;
    return {scrolls: root.scrollHeight > root.clientHeight || root.scrollWidth > root.clientWidth,
            canvas: box('canvas'), status: box('status'), buttons: box('buttons')};
  });
  assert.equal(layout.scrolls, false, `the page has a scroll bar at ${width} x ${height}`);
  for (const part of ['canvas', 'status', 'buttons']) {
    const b = layout[part];
    assert.ok(b.left >= 0 && b.top >= 0 && b.right <= width && b.bottom <= height,
              `${part} is not all in the ${width} x ${height} window: ${JSON.stringify(b)}`);
  }
  assert.ok(Math.abs(layout.canvas.left + layout.canvas.width / 2 - width / 2) <= 1,
            `the game is not centred at ${width} x ${height}`);
  assert.ok(layout.canvas.width >= width * 0.6 || layout.canvas.height >= height * 0.6,
            `the game is small in its ${width} x ${height} window`);
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

function refusals() {
  const lines = committed.split('\n').length - 1;
  served['noise.rec'] = Buffer.from(Array.from({length: 5000}, (_, i) => (i * 7919) % 256));
  served['day.rec'] = 'kelvarin-script 2\n1 delta 0.1\n5184000 delta 0.1\n';
  // A bit changed in the first chunk, which starts at byte 27.
  served['damaged.rec'] = committedCompact().map((byte, i) => i === 40 ? byte ^ 1 : byte);
  const notStarted = 'Kelvarin did not start.';
  const notReplayed = 'Kelvarin cannot replay that recording.';
  const elsewhere = (url) => [`?replay=${url}`,
                              `kelvarin: ?replay= takes a path on this site, not '${url}'`, notReplayed];
  const tooLong = '#replay=' + 'A'.repeat(9000);
  return [
    ['?sensitivity=abc', "kelvarin: option '--sensitivity' needs a number above 0, up to 10, not 'abc'",
     notStarted],
    ['?sensitivity=--help', "needs a number above 0, up to 10, not '--help'", notStarted],
    ['?invert-y=maybe', "kelvarin: ?invert-y is true or false, not 'maybe'", notStarted],
    ['?replay=recordings/torn.rec', `kelvarin: torn.rec:${lines}: cut off mid-line`, notReplayed],
    ['?replay=recordings/noise.rec', 'kelvarin: noise.rec:1:', notReplayed],
    ['?replay=recordings/missing.rec', 'kelvarin: cannot read recordings/missing.rec: 404', notReplayed],
    ['?replay=recordings/day.rec', "kelvarin: day.rec:3: frame 2 has no 'delta' line", notReplayed],
    ['?replay=recordings/damaged.rec', 'kelvarin: damaged.rec: byte 27: damaged in the frames from 1 on',
     notReplayed],
    ['#play=100.AAAA', 'kelvarin: shared.rec: the link holds 3 of the recording\'s 100 bytes: it was ' +
     'cut or changed', notReplayed],
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
}

export const visit = () => {
  test('on a slow network the page shows progress at once and plays within seconds', async () => {
    const {page} = await newPage({initScripts: [watchAudio, watchLoading],
                                  deviceScaleFactor: kNoPixels});
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

  test('the page fits every window, describes itself, and says a dropped folder is none',
       async () => {
    const {page, problems} = await newPage({viewport: {width: 800, height: 600},
                                            deviceScaleFactor: kNoPixels});
    await page.goto(base + 'index.html');
    await waitForStatus(page, 'Click the game to play.');
    for (const [width, height] of [[800, 600], [1024, 768], [1920, 1080]]) {
      await expectFit(page, width, height);
    }
    assert.match(await page.locator('meta[name="description"]').getAttribute('content'), /bricks/);
    assert.match(await page.locator('#canvas').getAttribute('aria-label'), /Kelvarin/);
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

  // Every address a careless or hostile player may open is refused with one line, before any
  // request leaves the site, and the page offers a game instead.
  test('a bad address or a recording that cannot be replayed is said in place of the game',
       async () => {
    const context = await newContext({viewport: {width: 640, height: 480},
                                      deviceScaleFactor: kNoPixels});
    await inTurns(refusals(), async ([address, text, statusText], lane) => {
      // One tab a lane, opening one address after another: a new tab costs the browser twice the
      // work of a navigation. Through a blank page, so that an address that differs from the one
      // before only after its # is loaded whole.
      lane.page ||= (await newPage({context})).page;
      const {page} = lane;
      await page.goto('about:blank');
      await page.goto(`${base}index.html${address}`, {waitUntil: 'commit'});
      await expectRefusal(page, text, statusText).catch(async (e) => {
        throw new Error(`${address.slice(0, 40)}: ${await page.locator('#message').textContent()} ${e}`);
      });
    });
    await context.close();
    assert.equal(requestsElsewhere, 0, 'a request reached another origin');
  });

  // Tabs of one browser each replay their own file, a reload replays it again, and a file named
  // as the game's own folders are still plays; too large a file, or storage that refuses it, is
  // said.
  test('recordings opened in two tabs at once replay each its own, again on a reload', async () => {
    const padded = path.join(work, 'long.rec');
    fs.writeFileSync(padded, committed + '# kept for the record\n'.repeat(480000));
    assert.ok(fs.statSync(padded).size > 10e6);
    const named = path.join(work, 'media');
    fs.writeFileSync(named, committed);
    const large = path.join(work, 'large.rec');
    fs.writeFileSync(large, Buffer.alloc(65e6, '#'));
    const refuseStorage = () => {
      IDBObjectStore.prototype.put = () => {
        throw new DOMException('the disk is full', 'QuotaExceededError');
      };
    };
    const options = {fast: true, viewport: {width: 400, height: 300}, deviceScaleFactor: kNoPixels};
    const browser = await newContext(options);
    const full = await newContext({...options, initScripts: [watchAudio, refuseStorage]});
    // The file picker works before the game has loaded.
    const [a, b, c, d] = await Promise.all([browser, browser, browser, full].map(async (context) => {
      const tab = await newPage({context});
      await tab.page.goto(base + 'index.html', {waitUntil: 'domcontentloaded'});
      return tab;
    }));
    await Promise.all([a.page.locator('#open-recording').setInputFiles(padded),
                       b.page.locator('#open-recording').setInputFiles(named),
                       c.page.locator('#open-recording').setInputFiles(large),
                       d.page.locator('#open-recording').setInputFiles(named)]);
    await c.page.locator('#message').filter({hasText: 'large.rec is 65.0 MB, more than'}).waitFor();
    await d.page.locator('#message')
        .filter({hasText: 'media cannot be kept for its replay: the browser\'s storage refused it ' +
                          '(QuotaExceededError)'}).waitFor();
    await Promise.all([c.page.close(), full.close()]);
    await waitForStatus(b.page, 'Replaying media', 120000);
    await b.page.reload();
    await waitForStatus(b.page, 'Replaying media', 120000);
    await b.page.close();
    await a.page.locator('#bricks').filter({hasText: 'frame,index'}).waitFor({timeout: 180000});
    const expected = fs.readFileSync(path.join(root, 'tests/replay/session.csv'), 'utf8');
    assert.equal(await a.page.locator('#bricks').textContent(), expected);
    for (const {problems} of [a, b, c, d]) assert.deepEqual(problems, []);
    await browser.close();
  });

  test('a missing data file or game, or no WebGL 2, is said on the page', async () => {
    const context = await newContext({viewport: {width: 800, height: 600},
                                      deviceScaleFactor: kNoPixels});
    for (const [folder, text] of [['nodata', 'could not be loaded'], ['nogame', 'could not be loaded']]) {
      const {page} = await newPage({context});
      await page.goto(`${base}${folder}/index.html`);
      await page.locator('#message').filter({hasText: text}).waitFor({timeout: 30000});
      assert.equal(await page.locator('#loading').isHidden(), true);
    }
    await context.close();
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
};
