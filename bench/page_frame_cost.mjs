// The game's work per page frame in headless Chromium with software WebGL: how long emscripten's
// main-loop callback takes over 120 frames, once past the first frames (after each of which the
// game reads the driver's errors). A measurement, not a test:
//     KELVARIN_SITE=build-web/site KELVARIN_SIM=build/kelvarin-sim KELVARIN_ROOT=. \
//         node bench/page_frame_cost.mjs      (playwright-core from tests/web: npm ci there)
import {newPage, setUp, tearDown, waitForStatus, waitFrames, watchAudio, base} from
    '../tests/web/support.mjs';

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

await setUp();
const {page} = await newPage({initScripts: [watchAudio, timeFrames]});
await page.goto(base + 'index.html');
await waitForStatus(page, 'Click the game to play.');
await waitFrames(page, 260);
const work = await page.evaluate(() => window.kelvarinFrameWork.slice(-120).sort((a, b) => a - b));
console.log(`the game's work per page frame: median ${work[60].toFixed(2)} ms, ` +
            `p90 ${work[108].toFixed(2)} ms (headless Chromium, software WebGL)`);
await tearDown();
