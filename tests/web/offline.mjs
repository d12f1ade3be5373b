// The page installed as an app and played again with the network cut, and a new build taking over
// from the kept one.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {base, newContext, newPage, nextBuild, site, waitForStatus} from './support.mjs';

// A PNG's width and height, from its header.
function sizeOf(file) {
  const png = fs.readFileSync(path.join(site, file));
  return `${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`;
}

export const offline = () => {
  test('the page installs as an app, and a second visit plays offline from the kept copy',
       async () => {
    const context = await newContext({viewport: {width: 400, height: 300}});
    const {page, problems} = await newPage({context});
    await page.goto(base + 'index.html');
    await waitForStatus(page, 'Click the game to play.');
    assert.equal(await page.locator('#kept-note').isHidden(), true, 'a first visit kept nothing');
    // Kept whole: the worker has taken the page over.
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const manifest = JSON.parse(fs.readFileSync(path.join(site, 'manifest.webmanifest'), 'utf8'));
    assert.equal(manifest.display, 'standalone');
    for (const icon of manifest.icons) assert.equal(sizeOf(icon.src), icon.sizes);
    await context.setOffline(true);
    await page.reload();
    await waitForStatus(page, 'Click the game to play.');
    assert.match(await page.locator('#kept-note').textContent(), /copy this browser keeps/);
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('a new build takes over whole at the first visit after every page of the old one closed',
       async () => {
    const context = await newContext({viewport: {width: 400, height: 300}});
    let {page, problems} = await newPage({context});
    const visit = async () => {
      await page.goto(base + 'index.html');
      await waitForStatus(page, 'Click the game to play.');
    };
    const isNew = () => page.locator('meta[name=build]').count();
    await visit();
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const built = (file) => fs.readFileSync(path.join(site, file), 'utf8');
    nextBuild['index.html'] = built('index.html').replace('</head>', '<meta name="build"></head>');
    nextBuild['service-worker.js'] =
        built('service-worker.js').replace(/kBuild = '\w+'/, "kBuild = 'next'");
    // The visit that finds the new build is still the old one's, whole.
    await visit();
    assert.equal(await isNew(), 0, 'the old build\'s page came with a new file');
    // The new build's worker has kept its files and waits for the old build's pages to close.
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => new Promise((done) => {
      const watch = (w) => w.addEventListener('statechange', () => w.state === 'installed' && done());
      if (r.waiting) done();
      else if (r.installing) watch(r.installing);
      else r.addEventListener('updatefound', () => watch(r.installing));
    })));
    assert.deepEqual(problems, []);
    await page.close();
    ({page, problems} = await newPage({context}));
    await visit();
    assert.equal(await isNew(), 1, 'the new build did not take over');
    assert.deepEqual(await page.evaluate(() => caches.keys()), ['kelvarin-next']);
    assert.deepEqual(problems, []);
    await context.close();
    for (const file of Object.keys(nextBuild)) delete nextBuild[file];
  });
};
