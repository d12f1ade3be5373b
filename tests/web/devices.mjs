// Every device plays the whole game in the page: touch on a phone held sideways, a pad in the
// browser's standard mapping, and a link that holds a session. What they record replays on Linux
// to the browser build's bricks.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import {recordingOfLink} from '../../web/share.js';
import {
  base, count, counts, kJudgedPixels, linuxBricks, newPage, recordingText, saveRecording, shot,
  waitForChange, waitForLayout, waitForStatus, waitFrames, waitUntilStill, watchAudio, wasmBricks,
} from './support.mjs';

// The frames in which a binding was held, from a recording's press and release lines.
function heldFrames(recording, binding) {
  const held = [];
  let from = null;
  for (const line of recording.split('\n')) {
    const [frame, verb, what] = line.split(' ');
    if (what !== binding) continue;
    if (verb === 'press') from = Number(frame);
    if (verb === 'release' && from !== null) held.push([from, Number(frame)]);
  }
  return held;
}

const mouseFrames = (recording) => recording.split('\n').filter((l) => / mouse /.test(l))
    .map((l) => Number(l.split(' ')[0]));

// A pad in the browser's standard mapping, whose controls the test moves: navigator.getGamepads
// gives it while it is connected.
function injectPad() {
  const pad = {id: 'Test Pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
               timestamp: 0, axes: [0, 0, 0, 0],
               buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}))};
  window.kelvarinTestPad = pad;
  navigator.getGamepads = () => [pad.connected ? pad : null, null, null, null];
}

// Each plays a game of its own in a context of its own: side by side.
export const devices = () => {
  test('on a phone held sideways the game fills the screen and plays by touch', async (t) => {
    const viewport = {width: 844, height: 390};
    const {page, problems} = await newPage({viewport, isMobile: true, hasTouch: true,
                                            deviceScaleFactor: kJudgedPixels});
    await page.goto(base + 'index.html');
    await waitForStatus(page, 'Touch the game to play.');
    const cdp = await page.context().newCDPSession(page);
    const touch = (type, touchPoints) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints});
    const centreOf = async (name) => {
      const box = await page.getByRole('button', {name, exact: true}).boundingBox();
      return {x: box.x + box.width / 2, y: box.y + box.height / 2};
    };
    const scrolled = () => page.evaluate(() => window.scrollX !== 0 || window.scrollY !== 0);
    // drag(fromX, fromY, dx, dy): one finger across the game, in steps, as a person drags.
    const drag = async (x, y, dx, dy, id = 1) => {
      await touch('touchStart', [{x, y, id}]);
      for (let i = 1; i <= 10; ++i) await touch('touchMove', [{x: x + dx * i / 10, y: y + dy * i / 10, id}]);
      await touch('touchEnd', []);
    };
    const hold = async (name, frames) => {
      const at = await centreOf(name);
      await touch('touchStart', [{...at, id: 9}]);
      await waitFrames(page, frames);
      await touch('touchEnd', []);
    };

    // Every control takes a finger, and none lies over the help the game draws, held either way.
    const controlsBesideTheHelp = async () => {
      const box = await page.locator('#canvas').boundingBox();
      const controls = page.locator('#touch-controls');
      await controls.evaluate((c) => { c.style.visibility = 'hidden'; });
      await waitFrames(page, 2);
      const picture = await page.locator('#canvas').screenshot();
      await controls.evaluate((c) => { c.style.visibility = ''; });
      const scale = 1024 / box.width;
      for (const name of ['Move', 'Fire', 'Rewind', 'Run', 'Restart', 'Freeze', 'Pause']) {
        const button = await page.getByRole('button', {name, exact: true}).boundingBox();
        assert.ok(button.width >= 44 && button.height >= 44,
                  `${name} is ${button.width} x ${button.height}`);
        const region = [button.x, button.y, button.width, button.height].map((v) => v * scale);
        assert.equal(count('white', [picture], region), 0, `${name} lies over the help`);
      }
      return box;
    };

    await t.test('the game fills the screen, with named controls over it', async () => {
      assert.deepEqual(await controlsBesideTheHelp(), {x: 0, y: 0, ...viewport});
      await page.setViewportSize({width: viewport.height, height: viewport.width});
      await waitForLayout(page);
      await controlsBesideTheHelp();
      await page.setViewportSize(viewport);
      await waitForLayout(page);
    });

    let view;
    await t.test('a tap plays and a drag turns the view', async () => {
      await touch('touchStart', [{x: 422, y: 200, id: 1}]);
      await touch('touchEnd', []);
      await waitForStatus(page, 'Playing');
      view = await waitUntilStill(page);
      await drag(300, 60, 120, 0);
      assert.ok(await waitForChange(page, view, 20000) > 20000, 'the drag did not turn the view');
      // Back, then about 55 degrees down at the wall's front.
      await drag(420, 60, -120, 0);
      for (let i = 0; i < 5; ++i) await drag(422, 40, 0, 275);
    });

    let wall;
    let knocked;
    await t.test('Fire knocks bricks out and holding Rewind brings them back', async () => {
      wall = await waitUntilStill(page);
      assert.ok(count('brick', [wall]) > 20000, 'no wall in view');
      await waitFrames(page, 60);
      // A tap between two frames counts.
      await hold('Fire', 0);
      knocked = await waitForChange(page, wall, 3000);
      assert.ok(knocked > 3000, `Fire changed too little (${knocked} pixels)`);
      await waitFrames(page, 60);
      knocked = count('changed', [wall, await shot(page)]);
      const at = await centreOf('Rewind');
      await touch('touchStart', [{...at, id: 9}]);
      let back = knocked;
      for (let i = 0; i < 40 && back >= knocked / 4; ++i) {
        await waitFrames(page, 5);
        back = Math.min(back, count('changed', [wall, await shot(page)]));
      }
      await touch('touchEnd', []);
      assert.ok(back < knocked / 4, `Rewind did not bring the bricks back (${back} of ${knocked})`);
    });

    let recording;
    let saved;
    await t.test('two fingers at once: the stick moves while a drag turns, and nothing scrolls',
                 async () => {
      const stick = await centreOf('Move');
      await touch('touchStart', [{x: stick.x, y: stick.y - 40, id: 1}]);
      await touch('touchStart', [{x: stick.x, y: stick.y - 40, id: 1}, {x: 500, y: 100, id: 2}]);
      for (let i = 1; i <= 10; ++i) {
        await touch('touchMove', [{x: stick.x, y: stick.y - 40, id: 1}, {x: 500 + 8 * i, y: 100, id: 2}]);
        await waitFrames(page, 2);
      }
      await touch('touchEnd', [{x: stick.x, y: stick.y - 40, id: 1}]);
      // The system takes the other finger away (a call comes in, say).
      await touch('touchCancel', []);
      assert.equal(await scrolled(), false, 'the page scrolled');
      // Freeze is latched in the game: its button and the status say so until it is let go.
      const freeze = page.getByRole('button', {name: 'Freeze', exact: true});
      await hold('Freeze', 0);
      await waitForStatus(page, 'Playing. The bricks are frozen.');
      assert.equal(await freeze.getAttribute('aria-pressed'), 'true');
      await hold('Freeze', 0);
      await page.waitForFunction(() => document.getElementById('status').textContent === 'Playing.');
      assert.equal(await freeze.getAttribute('aria-pressed'), 'false');
      await hold('Restart', 0);
      // The game reads the tap in its next frame; a pause before that frame would keep it unread.
      await waitFrames(page, 3);
      await hold('Pause', 2);
      await waitForStatus(page, 'Paused');
      await page.getByRole('button', {name: 'Options', exact: true}).tap();
      await page.getByText('a press starts, the next stops').tap();
      await page.getByRole('button', {name: 'Close'}).tap();
      assert.match(await page.evaluate(() => localStorage.getItem('kelvarin.settings')),
                   /^rewind = toggle$/m);
      saved = await saveRecording(page, 'touch.rec');
      recording = recordingText(saved);
      const forward = heldFrames(recording, 'forward');
      const turns = mouseFrames(recording);
      assert.ok(forward.some(([from, to]) => turns.some((f) => f > from && f <= to)),
                'no frame both moved and turned');
      assert.equal(heldFrames(recording, 'restart').length, 1, 'no restart recorded');
    });

    await t.test('the page said nothing wrong', () => assert.deepEqual(problems, []));
    await page.context().close();

    await t.test('the touch recording replays on Linux to the browser build\'s bricks', () => {
      assert.equal(wasmBricks(saved), linuxBricks(saved));
    });
  });

  test('a standard pad looks, fires, rewinds, moves and pauses, and its session shares as a link',
       async (t) => {
    const {page, problems} = await newPage({viewport: {width: 640, height: 480},
                                            deviceScaleFactor: kJudgedPixels,
                                            initScripts: [watchAudio, injectPad]});
    await page.goto(base + 'index.html');
    await waitForStatus(page, 'Click the game to play.');
    const setPad = (change) => page.evaluate((c) => {
      const pad = window.kelvarinTestPad;
      for (const [i, v] of Object.entries(c.axes || {})) pad.axes[i] = v;
      for (const [i, v] of Object.entries(c.buttons || {})) {
        pad.buttons[i] = {pressed: v > 0.5, touched: v > 0, value: v};
      }
      if ('connected' in c) pad.connected = c.connected;
    }, change);
    const press = async (button) => {
      await setPad({buttons: {[button]: 1}});
      await waitFrames(page, 3);
      await setPad({buttons: {[button]: 0}});
      await waitFrames(page, 3);
    };
    // The share of brick in the picture's middle, and in all of the column above and below it: a
    // shot goes to the middle, and the wall's front should fill it.
    const bricks = async () => {
      const [above, middle, below] = (counts('brick', [await shot(page)],
          [[412, 0, 200, 334], [412, 334, 200, 100], [412, 434, 200, 334]]))
          .map((n, i) => n / (200 * (i === 1 ? 100 : 334)));
      return {above, middle, below};
    };
    const kA = 0;
    const kStart = 9;
    const kDpadUp = 12;
    const kDpadDown = 13;
    const kDpadRight = 15;
    const kLeftTrigger = 6;
    const kRightTrigger = 7;
    const kBelowTheWords = [0, 320, 1024, 448];

    let wall;
    await t.test('it is said, any button plays, and the right stick looks', async () => {
      await page.locator('#pad-note').filter({hasText: 'Pad connected: Test Pad'}).waitFor();
      await press(kA);
      await waitForStatus(page, 'Playing');
      // Some pads come without a list of axes: the game plays on without them.
      await page.evaluate(() => { window.kelvarinTestPad.axes = undefined; });
      await waitFrames(page, 10);
      await page.evaluate(() => { window.kelvarinTestPad.axes = [0, 0, 0, 0]; });
      const view = await waitUntilStill(page);
      // The wall's front lies about 55 degrees below the view. Short pushes of a few frames each,
      // never a push timed by the clock, which a busy machine lets run on: down until brick shows,
      // then towards where there is more of it, gentler the closer the wall's front comes to
      // filling the middle, as a slow frame turns further for the same push. Brick just lost was
      // pushed past: back the other way.
      let seen = await bricks();
      let towards = 1;
      let wasSeen = false;
      let pushes = 0;
      for (; pushes < 150 && seen.middle < 0.9; ++pushes) {
        const isSeen = seen.above + seen.middle + seen.below > 0;
        if (isSeen) towards = seen.below >= seen.above ? 1 : -1;
        if (!isSeen && wasSeen) towards = -towards;
        wasSeen = isSeen;
        const push = seen.middle < 0.3 ? 0.8 : seen.middle < 0.7 ? 0.35 : 0.25;
        await setPad({axes: {3: towards * push}});
        await waitFrames(page, seen.middle < 0.3 ? 2 : 1);
        await setPad({axes: {3: 0}});
        await waitFrames(page, 2);
        seen = await bricks();
      }
      assert.ok(count('changed', [view, await shot(page)]) > 20000, 'the stick did not look');
      wall = await waitUntilStill(page);
      seen = await bricks();
      assert.ok(seen.middle >= 0.9,
          `the wall is not in the middle after ${pushes} pushes: ${JSON.stringify(seen)}`);
    });

    // Shared while it is short: a link holds 15 s to half a minute of play, and a busy machine plays
    // the rest of this test for longer than that.
    let link;
    let shared;
    await t.test('Share makes a link of the session, and Start plays on', async () => {
      await page.click('#share');
      await waitForStatus(page, 'Paused');
      await page.locator('#share-note').filter({hasText: 'characters'}).waitFor();
      console.log(`the pad's session as a link: ${await page.locator('#share-note').textContent()}`);
      await page.locator('#share-link').filter({hasText: 'index.html#play='}).waitFor();
      link = await page.locator('#share-link').textContent();
      shared = await saveRecording(page, 'pad-shared.rec');
      await press(kA);
      await waitForStatus(page, 'Playing');
      // The link under the game leaves it a little less room: the same view, drawn smaller.
      wall = await waitUntilStill(page);
      assert.ok(count('brick', [wall]) > 20000, 'the wall left the view');
    });

    await t.test('the right trigger fires and the left one held rewinds', async () => {
      await waitFrames(page, 60);
      await press(kRightTrigger);
      const knocked = await waitForChange(page, wall, 5000);
      assert.ok(knocked > 5000, `the trigger changed too little (${knocked} pixels)`);
      await waitFrames(page, 60);
      // Judged below the words: in a picture this small the rewind's mark makes every overlay
      // smaller, the help included, so that none overlaps another.
      const settled = count('changed', [wall, await shot(page)], kBelowTheWords);
      await setPad({buttons: {[kLeftTrigger]: 1}});
      let back = settled;
      for (let i = 0; i < 40 && back >= settled / 4; ++i) {
        await waitFrames(page, 5);
        back = Math.min(back, count('changed', [wall, await shot(page)], kBelowTheWords));
      }
      await setPad({buttons: {[kLeftTrigger]: 0}});
      assert.ok(back < settled / 4, `the trigger did not rewind (${back} of ${settled})`);
    });

    let saved;
    await t.test('the left stick moves, Start opens the options, worked and closed with the pad ' +
                 'to play on, and a pad taken away is said', async () => {
      const before = await waitUntilStill(page);
      await setPad({axes: {1: -1}});
      await waitFrames(page, 20);
      await setPad({axes: {1: 0}});
      assert.ok(await waitForChange(page, before, 20000) > 20000, 'the stick did not move');
      await press(kStart);
      await waitForStatus(page, 'Paused');
      await page.locator('#options').waitFor();
      // Up from the first field reaches the last, Down from there the first again.
      await press(kDpadUp);
      assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Close');
      await press(kDpadDown);
      // Down to the pad's look speed, one step faster.
      await press(kDpadDown);
      await press(kDpadDown);
      await press(kDpadRight);
      await press(kStart);
      await waitForStatus(page, 'Playing');
      assert.equal(await page.evaluate(() => localStorage.getItem('kelvarin.settings')),
                   'pad_look_speed = 1.25\n');
      await page.click('#show-options');
      await page.keyboard.press('Escape');
      await waitForStatus(page, 'Paused');
      await setPad({connected: false});
      await page.locator('#pad-note').filter({hasText: 'disconnected'}).waitFor();
      saved = await saveRecording(page, 'pad.rec');
    });

    await t.test('the page said nothing wrong', () => assert.deepEqual(problems, []));
    await page.context().close();

    await t.test('the pad\'s session is recorded, and its link holds it to the byte', async () => {
      const recording = recordingText(saved);
      for (const binding of ['fire', 'rewind', 'forward']) {
        assert.ok(heldFrames(recording, binding).length > 0, `no ${binding} in the recording`);
      }
      assert.ok(mouseFrames(recordingText(shared)).length > 0, 'no look in the link');
      assert.deepEqual((await recordingOfLink(link.slice(link.indexOf('#')))).bytes,
                       new Uint8Array(fs.readFileSync(shared)));
      assert.equal(wasmBricks(shared), linuxBricks(shared));
    });
  });
};
