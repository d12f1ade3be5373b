// The README's measure of recordings and share links: sessions of looking around all the time in
// the page in headless Chromium (10 s, 60 s and 5 minutes by default, or the seconds given), each
// saved and shared; printed as the link's characters and the file's bytes, compact as the page
// makes them and as text deflated, as links were made before recordings were compact.
// Run by scripts/link-sizes.sh, which builds what it needs and sets the environment.
import {deflateRawSync} from 'node:zlib';
import fs from 'node:fs';
import {
  base, newPage, recordingText, saveRecording, setUp, tearDown, waitForStatus,
} from '../../tests/web/support.mjs';

// A turn of the view every frame: circles of a few pixels, as a player looks about a room.
const kFrameMs = 16;
const kRadius = 6;

async function session(seconds) {
  const {page} = await newPage({viewport: {width: 800, height: 600}});
  await page.goto(base + 'index.html');
  await waitForStatus(page, 'Click the game to play.');
  const box = await page.locator('#canvas').boundingBox();
  let x = box.x + box.width / 2;
  let y = box.y + box.height / 2;
  await page.mouse.click(x, y);
  await waitForStatus(page, 'Playing');
  const end = Date.now() + seconds * 1000;
  for (let t = 0; Date.now() < end; ++t) {
    x += Math.round(kRadius * Math.cos(t / 20));
    y += Math.round(kRadius * Math.sin(t / 31));
    await page.mouse.move(x, y);
    await page.waitForTimeout(kFrameMs);
  }
  await page.keyboard.press('Escape');
  await waitForStatus(page, 'Paused');
  await page.click('#share');
  await page.locator('#share-note').filter({hasText: 'characters'}).waitFor();
  const note = await page.locator('#share-note').textContent();
  const saved = await saveRecording(page, `looking-${seconds}.rec`);
  await page.context().close();
  const text = recordingText(saved);
  const olderLink = `${base}index.html#replay=${deflateRawSync(text).toString('base64url')}`;
  return {
    seconds,
    frames: text.split('\n').filter((line) => / (ticks|delta) /.test(line)).length,
    link: Number(/(\d+) characters/.exec(note)[1]),
    olderLink: olderLink.length,
    file: fs.statSync(saved).size,
    text: Buffer.byteLength(text),
  };
}

await setUp();
try {
  const asked = process.argv.slice(2).map(Number);
  console.log('seconds | frames | link (compact) | link (text, deflated) | file (compact) | file (text)');
  for (const seconds of asked.length ? asked : [10, 60, 300]) {
    const s = await session(seconds);
    console.log(`${s.seconds} | ${s.frames} | ${s.link} | ${s.olderLink} | ${s.file} | ${s.text}`);
  }
} finally {
  await tearDown();
}
