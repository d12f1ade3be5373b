// The page around the game, an ES module: it starts the game (or the replay of a recording) once
// downloaded, keeps the page's state (waiting, playing, paused, ended, and the same for replays)
// and tells the game when to pause, gives the game its keys and nothing else, lays touch controls
// over it on touch screens, and says what went wrong where the game would be. Every fact of the
// game's (its controls, options, pad buttons, the words it takes) it asks the game; downloads,
// the game's start, pads, recordings and a replay's timeline are modules of their own. The game
// itself is kelvarin.js and its WebAssembly.
import {settingsFromAddress} from './address.js';
import {drawingBufferSize, gameArguments, loadGame, replayedBricks} from './launch.js';
import {fetchCounted, hasWebGl2} from './loading.js';
import {keepForOffline} from './offline.js';
import {handSettingsTo, OptionsDialog} from './options.js';
import {readPad, watchPads} from './pads.js';
import {listenForPlay, setUpTouch} from './playing.js';
import {setUpRecordings} from './recordings.js';
import {chosenReplay, Refusal} from './replays.js';
import {isShareLink} from './share.js';
import {setUpTimeline} from './timeline.js';

const $ = (id) => document.getElementById(id);
const canvas = $('canvas');
const message = $('message');

// The desktop's hint, which means nothing on a page.
const kDesktopHint = / \(kelvarin --help lists the options\)$/;
// "On a touch device (coarse pointer)": no mouse to lock, on-screen controls instead.
const touchScreen = matchMedia('(pointer: coarse)').matches;

const kStatus = {
  loading: 'Loading…',
  waiting: touchScreen ? 'Touch the game to play.' : 'Click the game to play.',
  playing: () => (touchScreen ? 'Playing.' : 'Playing: Escape pauses.') +
                 (frozen ? ' The bricks are frozen.' : ''),
  paused: touchScreen ? 'Paused: touch the game to play' : 'Paused: click to play',
  ended: 'The game has ended.',
  replaying: () => `Replaying ${replay.name}…`,
  replayPaused: `Replay paused: ${touchScreen ? 'touch' : 'click'} to go on, or Play for a game of your own.`,
  replayed: 'The replay has ended.',
  failed: 'Kelvarin did not start.',
  cannotRun: 'Kelvarin cannot run here.',
  cannotReplay: 'Kelvarin cannot replay that recording.',
};

let game = null;
let state = 'loading';
let replay = null;
// The game's pad buttons the page works, once the game runs.
let padButtons = null;
// How play was started: a locked pointer is released on pause, a pad or touch has none.
let playingWithMouse = false;
// The testbed holds the bricks still (Freeze, or its key).
let frozen = false;
let touchControls = null;
// The player's layout (the Keyboard Map), asked for at once: the game names keys by it.
const layoutAsked = navigator.keyboard?.getLayoutMap?.().catch(() => null) ?? Promise.resolve(null);
// Opened by a pad while playing: closing the options plays on.
let playOnAfterOptions = false;
const options = new OptionsDialog($('options'), {fixed: settingsFromAddress(), changed: onOptionChanged});
const showTimeline = setUpTimeline({
  game: () => game,
  replaying: () => state === 'replaying' || state === 'replayPaused',
  goOn: () => state === 'replayPaused' && setState('replaying'),
});

// The game runs while waiting (the bricks settle), playing and replaying; pads and touch drive it
// only once play started, as a click locks the pointer only then. The status says the state in
// its own words unless told others.
function setState(next, words = kStatus[next]) {
  state = next;
  document.body.dataset.state = next;
  $('status').textContent = typeof words === 'function' ? words() : words;
  tellGameWhetherPaused();
  const over = ['ended', 'replayed', 'failed'].includes(next);
  $('play').hidden = !over && next !== 'replayPaused';
  $('share').disabled = !(next === 'playing' || next === 'paused') || !!replay;
  $('save-recording').disabled = $('share').disabled;
  if (over) document.exitPointerLock?.();
}

// Play waits while the page pauses it and while the options are open.
function tellGameWhetherPaused() {
  if (!game) return;
  game.kelvarinPaused = state === 'paused' || state === 'replayPaused' || options.isOpen;
  game.kelvarinPadsPlay = state === 'playing' && !options.isOpen;
}

function showMessage(text) {
  message.hidden = false;
  message.textContent += (message.textContent ? '\n' : '') + text.replace(kDesktopHint, '');
  $('loading').hidden = true;
}

// What the page refuses of the game's own input, said as the game says its refusals.
function sayRefusal(text) {
  showMessage('kelvarin: ' + text);
}

function fail(text, statusText = kStatus.failed) {
  if (text) showMessage(text);
  $('loading').hidden = true;
  setState('failed', statusText);
}

// ---- The game ----------------------------------------------------------------------------------

// The drawing buffer follows the canvas's size on the page, in device pixels: the picture stays
// sharp at any size, and the camera's aspect follows as it does for a resized window.
function followCanvasSize() {
  const resize = () => {
    const {width, height} = drawingBufferSize(canvas);
    if (canvas.width !== width || canvas.height !== height) game.setCanvasSize(width, height);
  };
  new ResizeObserver(resize).observe(canvas);
  resize();
}

function showBricks() {
  const csv = replayedBricks(game);
  if (csv === null) {
    showMessage('The replay ended without bricks to show.');
    return;
  }
  $('bricks').textContent = csv;
  $('bricks-download').href = URL.createObjectURL(new Blob([csv], {type: 'text/csv'}));
  $('replay-result').hidden = false;
}

// What the game tells the page, by name: its frames started or ended, it refused what it was given
// or could not open its window, and how its music stands.
function onGameEvent(event) {
  if (event === 'started') {
    $('loading').hidden = true;
    setState(replay ? 'replaying' : 'waiting');
    followCanvasSize();
    $('show-options').disabled = false;
    if (replay) showTimeline();
    if (!replay) followFrozen();
  } else if (event === 'ended') {
    $('timeline').hidden = true;
    setState(replay ? 'replayed' : 'ended');
    if (replay) showBricks();
  } else if (event === 'refused') {
    fail('', replay ? kStatus.cannotReplay : kStatus.failed);
  } else if (event === 'no-window') {
    fail('', kStatus.cannotRun);
  } else if (event.startsWith('sound-')) {
    // The note stays while the music waits for the player's first click, key or touch.
    $('music-note').hidden = event !== 'sound-waiting';
  }
}

// The game's module, before it runs: the options, settings and touch controls work it.
function prepare(module, layout) {
  game = module;
  options.attach(module, layout);
  handSettingsTo(module);
  if (touchControls) module.kelvarinTouchPad = touchControls.pad;
}

function replayAsked() {
  const params = new URLSearchParams(location.search);
  return isShareLink(location.hash) || params.has('opened') || params.has('replay');
}

async function start() {
  const binaries = Promise.all([fetchCounted('kelvarin.wasm'), fetchCounted('kelvarin.data')]);
  const refused = (error) => {
    if (!(error instanceof Refusal)) throw error;
    sayRefusal(error.message);
    fail('', replayAsked() ? kStatus.cannotReplay : kStatus.failed);
  };
  try {
    replay = await chosenReplay();
  } catch (error) {
    refused(error);
    return;
  }
  let module;
  try {
    const {default: createKelvarin} = await import('./kelvarin.js');
    const page = {canvas, replay, readPad, say: showMessage, fail, onGameEvent, prepare};
    module = await loadGame(createKelvarin, await binaries, await layoutAsked, page);
  } catch (error) {
    fail(`The game could not be loaded: ${error.message}`);
    return;
  }
  let args;
  try {
    args = gameArguments(module, replay);
  } catch (error) {
    refused(error);
    return;
  }
  try {
    module.callMain(args);
  } catch (error) {
    fail('The game stopped: ' + error);
    return;
  }
  showControls();
  keepForOffline(document.getElementById('kept-note'));
}

// ---- Playing: mouse, keys, pads and touch --------------------------------------------------------

function play(withMouse) {
  if (state === 'replayPaused') {
    setState('replaying');
    return;
  }
  if (state !== 'waiting' && state !== 'paused') return;
  playingWithMouse = withMouse;
  setState('playing');
}

function pause() {
  if (state === 'playing') setState('paused');
  if (state === 'replaying') setState('replayPaused');
}

// The options, over a game that waits: a locked pointer is released first, which pauses play.
function openOptions(byPad = false) {
  if (!game || options.isOpen) return;
  playOnAfterOptions = byPad && state === 'playing';
  if (document.pointerLockElement) document.exitPointerLock();
  pause();
  options.open();
  tellGameWhetherPaused();
}

$('options').addEventListener('close', () => {
  tellGameWhetherPaused();
  if (playOnAfterOptions) play(false);
  playOnAfterOptions = false;
});

function onOptionChanged(name) {
  showControls();
  if (name === 'fullscreen' && !wantsFullscreen() && document.fullscreenElement) {
    document.exitFullscreen();
  }
}

// A page goes fullscreen only on the player's gesture: the click that starts play.
function wantsFullscreen() {
  return options.settings().fullscreen.value === 'true';
}

// Freeze is latched in the game, whoever pressed it: the status and the touch button follow it.
function followFrozen() {
  const running = ['waiting', 'playing', 'paused'].includes(state);
  const now = running && game._kelvarinBricksFrozen() === 1;
  if (now !== frozen) {
    frozen = now;
    $('touch-freeze').setAttribute('aria-pressed', String(frozen));
    if (state === 'playing') setState('playing');
  }
  requestAnimationFrame(followFrozen);
}

function showControls() {
  if (!game) return;
  const table = JSON.parse(game.UTF8ToString(game._kelvarinControls()));
  padButtons = table.pad;
  $('sensitivity-range').textContent = table.sensitivityRange;
  const body = $('controls').tBodies[0];
  body.replaceChildren();
  for (const control of table.controls) {
    const row = body.insertRow();
    for (const cell of [control.action, control.keyboardAndMouse, control.pad, control.touch]) {
      row.insertCell().textContent = cell;
    }
  }
}

setUpRecordings({game: () => game, pause, say: showMessage, refuse: sayRefusal});
const playing = {
  state: () => state, game: () => game, options, play, pause, openOptions, touchScreen,
  wantsFullscreen,
  playsWithMouse: () => playingWithMouse,
};
listenForPlay(playing);
$('fullscreen').addEventListener('click', () => canvas.requestFullscreen?.());
$('show-help').addEventListener('click', () => $('help').showModal());
$('show-options').addEventListener('click', () => openOptions());
// A hash change (a share link opened on this page) replays it.
window.addEventListener('hashchange', () => location.reload());

if (!hasWebGl2()) {
  fail('This browser offers no WebGL 2, which Kelvarin draws with. A current Firefox, Chrome, ' +
       'Edge or Safari with hardware acceleration on can play it.', kStatus.cannotRun);
  $('music-note').hidden = true;
} else {
  if (touchScreen) touchControls = setUpTouch(playing);
  watchPads({state: () => state, buttons: () => padButtons,
             standard: (button) => game.kelvarinStandardButton(button), options, openOptions, play,
             pause});
  start();
}
