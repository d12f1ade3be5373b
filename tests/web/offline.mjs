// The page installed as an app and played again with the network cut.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {base, newContext, newPage, site, waitForStatus} from './support.mjs';

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
};
