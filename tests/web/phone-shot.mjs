// Takes a picture of the page on a phone held sideways (844 x 390 at three device pixels per CSS
// pixel), playing by touch: the game filling the screen under its touch controls, the view turned
// down at the wall. Usage: node phone-shot.mjs OUT.png (KELVARIN_SITE and friends as the tests).
import {base, newPage, setUp, tearDown, waitForStatus, waitFrames} from './support.mjs';

await setUp();
const {page} = await newPage({viewport: {width: 844, height: 390}, isMobile: true, hasTouch: true,
                              deviceScaleFactor: 3});
await page.goto(base + 'index.html');
await waitForStatus(page, 'Touch the game to play.');
const cdp = await page.context().newCDPSession(page);
const touch = (type, touchPoints) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints});
await touch('touchStart', [{x: 422, y: 200, id: 1}]);
await touch('touchEnd', []);
await waitForStatus(page, 'Playing');
for (let stroke = 0; stroke < 4; ++stroke) {
  await touch('touchStart', [{x: 422, y: 60, id: 1}]);
  for (let i = 1; i <= 10; ++i) await touch('touchMove', [{x: 422, y: 60 + 25 * i, id: 1}]);
  await touch('touchEnd', []);
}
await waitFrames(page, 240);
await page.screenshot({path: process.argv[2]});
await tearDown();
