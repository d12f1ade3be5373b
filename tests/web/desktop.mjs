// The game's page played as a person would on a desktop (settle, click, look, shoot, rewind,
// pause, save), recordings replayed in the page against the desktop's bricks, and a driver error
// said by a page.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {
  base, committedCompact, count, linuxBricks, newPage, recordingText, root, saveRecording, shot,
  waitForChange, waitForStatus, waitFrames, waitUntilStill, wasmBricks,
} from './support.mjs';
import {linkFor} from '../../web/share.js';

async function clickCanvas(page) {
  const box = await page.locator('#canvas').boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  return box;
}

// A game, a replay and a driver error, each in a context of its own: side by side.
export const desktop = () => {
  test('the page plays the game as the desktop does', async (t) => {
    // The help text's thin strokes are judged too: every pixel of them is drawn.
    const {page, problems} = await newPage({viewport: {width: 800, height: 600}});
    await page.goto(base + 'index.html');
    await waitForStatus(page, 'Click the game to play.');
    assert.equal(await page.locator('#touch-controls').isHidden(), true, 'touch controls on a desktop');

    let view;
    await t.test('the bricks settle in the textured room under the help text', async () => {
      view = await waitUntilStill(page);
      assert.ok(count('white', [view], [0, 0, 330, 130]) > 300, 'no help text');
      assert.ok(count('white', [view], [400, 400, 600, 300]) < 50,
                'white outside the help text');
    });

    await t.test('a click locks the pointer and the mouse turns the view', async () => {
      const box = await clickCanvas(page);
      await page.waitForFunction(() => document.pointerLockElement?.id === 'canvas');
      await waitForStatus(page, 'Playing');
      await page.mouse.move(box.x + box.width / 2 + 200, box.y + box.height / 2, {steps: 10});
      assert.ok(await waitForChange(page, view, 20000) > 20000, 'the view did not turn');
      // Back, then about 55 degrees down at the wall's front.
      await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2 + 1375, {steps: 55});
    });

    let wall;
    let knocked;
    await t.test('a shot knocks bricks over', async () => {
      wall = await waitUntilStill(page);
      assert.ok(count('brick', [wall], [0, 168, 1024, 600]) > 50000, 'no wall in view');
      // At rest for a while, so the history holds the settled wall before the shot.
      await waitFrames(page, 60);
      await page.mouse.down();
      await waitFrames(page, 3);
      await page.mouse.up();
      knocked = await waitForChange(page, wall, 5000);
      assert.ok(knocked > 5000, `the shot changed too little (${knocked} pixels)`);
    });

    await t.test('holding Spacebar brings the bricks back to the reversed track, and scrolls nothing',
                 async () => {
      // A while after the shot, the bricks flying.
      await waitFrames(page, 60);
      knocked = count('changed', [wall, await shot(page)]);
      const stage = await page.locator('#stage').boundingBox();
      await page.keyboard.down('Space');
      let back = knocked;
      for (let i = 0; i < 40 && back >= knocked / 4; ++i) {
        await waitFrames(page, 5);
        back = Math.min(back, count('changed', [wall, await shot(page)]));
      }
      assert.deepEqual(await page.locator('#stage').boundingBox(), stage, 'the page moved');
      assert.equal(await page.evaluate(() => window.scrollY), 0);
      await page.keyboard.up('Space');
      assert.ok(back < knocked / 4, `the rewind did not bring the bricks back (${back} of ${knocked})`);
      await page.waitForFunction(
          () => window.kelvarinStartedTracks.at(-1)?.endsWith('/backgroundMusic.wav'));
      const started = await page.evaluate(() => window.kelvarinStartedTracks.join(' '));
      assert.match(started,
                   /backgroundMusic\.wav.*backgroundMusicBackwards\.wav.*backgroundMusic\.wav$/);
    });

    let saved;
    await t.test('Escape pauses: no step runs until a click, and Tab reaches every control',
                 async () => {
      await page.keyboard.press('Escape');
      await waitForStatus(page, 'Paused: click to play');
      assert.equal(await page.evaluate(() => document.pointerLockElement), null);
      const tracks = await page.evaluate(() => window.kelvarinStartedTracks.length);
      // A frame drawn just before the pause may reach the screen an animation frame later.
      await waitFrames(page, 2);
      const paused = await shot(page);
      await page.keyboard.down('Space');
      await waitFrames(page, 30);
      await page.keyboard.up('Space');
      assert.equal(count('changed', [paused, await shot(page)]), 0);
      assert.equal(await page.evaluate(() => window.kelvarinStartedTracks.length), tracks);
      const reached = new Set();
      for (let i = 0; i < 8; ++i) {
        await page.keyboard.press('Tab');
        reached.add(await page.evaluate(() => document.activeElement.id));
      }
      for (const id of ['fullscreen', 'save-recording', 'share', 'open-recording', 'show-options',
                        'show-help']) {
        assert.ok(reached.has(id), `Tab never reached #${id}`);
      }
      await page.locator('#show-help').focus();
      await page.keyboard.press('Enter');
      assert.equal(await page.locator('#help').isVisible(), true, 'Enter did not open the controls');
      assert.equal(await page.locator('#controls tbody tr').count(), 15);
      await page.keyboard.press('Escape');
      saved = await saveRecording(page, 'saved.rec');
      await clickCanvas(page);
      await waitForStatus(page, 'Playing');
    });

    await t.test('the key in W\'s place flies forward whatever the layout prints on it', async () => {
      const before = await waitUntilStill(page);
      // As an AZERTY keyboard sends it: printed Z, in W's place.
      const cdp = await page.context().newCDPSession(page);
      const key = {code: 'KeyW', key: 'z', windowsVirtualKeyCode: 90};
      await cdp.send('Input.dispatchKeyEvent', {type: 'keyDown', ...key});
      await waitFrames(page, 20);
      await cdp.send('Input.dispatchKeyEvent', {type: 'keyUp', ...key});
      assert.ok(await waitForChange(page, before, 20000) > 20000, 'the view did not move');
    });

    await t.test('the options key opens the options, over a game that waits; what changes is kept',
                 async () => {
      await page.keyboard.press('Tab');
      await page.locator('#options').waitFor();
      await waitForStatus(page, 'Paused');
      await page.keyboard.press('Home');
      assert.equal(await page.evaluate(() => window.kelvarinGains[0].gain.value), 0);
      await page.getByRole('button', {name: 'W', exact: true}).click();
      await page.keyboard.press('KeyK');
      await page.getByRole('button', {name: 'K', exact: true}).waitFor();
      // A key another action has changes places with this one's.
      await page.getByRole('button', {name: 'A', exact: true}).click();
      await page.keyboard.press('KeyK');
      await page.locator('select[name="scene"]').selectOption('pyramid');
      await page.keyboard.press('Escape');
      assert.equal(await page.locator('#options').isVisible(), false);
      assert.equal(await page.evaluate(() => localStorage.getItem('kelvarin.settings')),
                   'music_volume = 0\nkey.forward = A\nkey.left = K\nscene = pyramid\n');
      assert.match(await page.locator('#controls').textContent(), /A, K, S, D/);
    });

    await t.test('the page said nothing wrong', () => assert.deepEqual(problems, []));
    await page.context().close();

    await t.test('the recording saved from the page replays to the same bricks on Linux', () => {
      assert.match(recordingText(saved), /^kelvarin-script 5\nlook 1 normal 60\n/);
      assert.equal(wasmBricks(saved), linuxBricks(saved));
    });
  });

  test('the committed recording, compact in a share link, replays to its committed bricks; ' +
       'Escape pauses it, a click goes on, and a seek back and forth on its timeline changes ' +
       'nothing', async () => {
    // Nobody judges the replay's pixels: a sixteenth of them are drawn.
    const {page, problems} = await newPage({fast: true, viewport: {width: 400, height: 300},
                                            deviceScaleFactor: 0.25});
    await page.goto(linkFor(committedCompact(), base + 'index.html'));
    await waitForStatus(page, 'Replaying shared.rec');
    await page.keyboard.press('Escape');
    await waitForStatus(page, 'Replay paused');
    assert.equal(await page.locator('#play').isVisible(), true, 'no way to a game of one\'s own');
    await page.locator('#canvas').click();
    await waitForStatus(page, 'Replaying shared.rec');
    await page.keyboard.press('Escape');
    await waitForStatus(page, 'Replay paused');
    await page.locator('#replay-position').evaluate((slider) => {
      slider.value = 200;
      slider.dispatchEvent(new Event('change'));
    });
    await page.locator('#replay-frame').filter({hasText: 'frame 200 of 392'}).waitFor();
    await page.click('#frame-back');
    await page.locator('#replay-frame').filter({hasText: 'frame 199 of 392'}).waitFor();
    await page.getByRole('button', {name: 'Go on'}).click();
    await page.locator('#bricks').filter({hasText: 'frame,index'}).waitFor({timeout: 180000});
    const expected = fs.readFileSync(path.join(root, 'tests/replay/session.csv'), 'utf8');
    assert.equal(await page.locator('#bricks').textContent(), expected);
    assert.deepEqual(problems, []);
    await page.context().close();
  });

  test('the options kept are played; a driver error after the first frames is said, once',
       async () => {
    const {page} = await newPage({fast: true, viewport: {width: 400, height: 300},
                                  deviceScaleFactor: 0.25});
    await page.addInitScript(() => localStorage.setItem(
        'kelvarin.settings', '# mine\nkey.forward = K\nmusic_volume = 30\n'));
    await page.goto(base + 'index.html?sensitivity=2');
    await waitForStatus(page, 'Click the game to play.');
    await page.click('#show-options');
    // The game waits under the dialog, opened from the waiting screen too.
    const drawn = await page.evaluate(() => window.kelvarinFramesDrawn);
    await waitFrames(page, 30);
    assert.equal(await page.evaluate(() => window.kelvarinFramesDrawn), drawn, 'the game ran on');
    assert.equal(await page.getByRole('slider', {name: 'Music volume'}).inputValue(), '30');
    assert.equal(await page.locator('#option-keys button[name="key.forward"]').textContent(), 'K');
    // Every rule of the accessibility checker that browsers' audits use holds in the dialogs.
    await page.addScriptTag({path: path.join(root, 'tests/web/node_modules/axe-core/axe.min.js')});
    const violations = await page.evaluate(async () => {
      const found = await axe.run(['#options', '#help']);
      return found.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
    });
    assert.deepEqual(violations, []);
    // The address wins for this visit.
    const sensitivity = page.getByRole('spinbutton', {name: 'Look speed, mouse and touch'});
    assert.equal(await sensitivity.inputValue(), '2');
    assert.equal(await sensitivity.isDisabled(), true);
    // A key's line waiting is let be by Cancel, and by closing the dialog.
    const forward = page.locator('#option-keys button[name="key.forward"]');
    await forward.click();
    await page.getByRole('button', {name: 'Cancel'}).click();
    assert.equal(await forward.textContent(), 'K');
    await forward.click();
    await page.getByRole('button', {name: 'Close', exact: true}).click();
    await page.click('#show-options');
    assert.equal(await forward.textContent(), 'K');
    await page.keyboard.press('Escape');
    // Past the frames after each of which the game reads the driver's errors.
    await waitFrames(page, 90);
    // The game's own context: no texture target has this number.
    const provoke = () => page.evaluate(
        () => document.getElementById('canvas').getContext('webgl2').bindTexture(0x1234, null));
    await provoke();
    await page.locator('#message').filter({hasText: 'kelvarin: OpenGL error 0x500 in frame'})
        .waitFor({timeout: 60000});
    await provoke();
    await waitFrames(page, 130);
    assert.equal((await page.locator('#message').textContent()).match(/OpenGL error/g).length, 1);
    await page.context().close();
  });
};
