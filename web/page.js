// The page around the game, an ES module: it downloads the game with a progress bar, starts it
// (or the replay of a recording), keeps the page's state (waiting, playing, paused, ended, and the
// same for replays) and tells the game when to pause, gives the game its keys and nothing else,
// lays touch controls over it on touch screens, starts and pauses play from a pad, saves, shares
// and opens recordings, and says what went wrong where the game would be. The game itself is
// kelvarin.js and its WebAssembly.
import {keepForReplay} from './handover.js';
import {kSettingsPath, OptionsDialog, storedSettings} from './options.js';
import {baseName, bytesOf, chosenReplay, kMaxReplayBytes, Refusal, tooLarge} from './replays.js';
import {kFragmentKey, kMaxLinkLength, linkFor} from './share.js';
import {TouchControls} from './touch.js';

const $ = (id) => document.getElementById(id);
const canvas = $('canvas');
const status = $('status');
const message = $('message');
const loading = $('loading');
const progress = $('progress');
const loadingText = $('loading-text');

const kRecordingPath = '/session.rec';
const kBricksPath = '/bricks.csv';
// A replayed recording lies in a folder of its own, the game's working folder while it reads it,
// so that no name (media, dev, ..) meets what the game's file system already holds.
const kReplayFolder = '/replay';
// The desktop's hint, which means nothing on a page.
const kDesktopHint = / \(kelvarin --help lists the options\)$/;
// The keys the game uses that a page would act on (Space scrolls it).
const kGameKeys = new Set([' ', 'Spacebar']);
// Standard-mapping index of a pad's Start button, which opens the options.
const kPadStart = 9;
// The words a switch may be given in, as in the desktop's settings file.
const kSwitchWords = {'': true, true: true, yes: true, on: true, 1: true,
                      false: false, no: false, off: false, 0: false};
// "On a touch device (coarse pointer)": no mouse to lock, on-screen controls instead.
const touchScreen = matchMedia('(pointer: coarse)').matches;

const kStatus = {
  loading: 'Loading…',
  waiting: touchScreen ? 'Touch the game to play.' : 'Click the game to play.',
  playing: touchScreen ? 'Playing.' : 'Playing: Escape pauses.',
  paused: touchScreen ? 'Paused: touch the game to play' : 'Paused: click to play',
  ended: 'The game has ended.',
  replaying: () => `Replaying ${replay.name}…`,
  replayPaused: `Replay paused: ${touchScreen ? 'touch' : 'click'} to go on, or Play for a game of your own.`,
  replayed: 'The replay has ended.',
  failed: 'Kelvarin did not start.',
};
const kCannotReplay = 'Kelvarin cannot replay that recording.';

let game = null;
let state = 'loading';
let replay = null;
// How play was started: a locked pointer is released on pause, a pad or touch has none.
let playingWithMouse = false;
let touchControls = null;
// The player's layout (the Keyboard Map), asked for at once: the game names keys by it.
const layoutAsked = navigator.keyboard?.getLayoutMap?.().catch(() => null) ?? Promise.resolve(null);
// Opened by a pad's Start while playing: closing the options plays on.
let playOnAfterOptions = false;
const options = new OptionsDialog($('options'), {fixed: settingsFromAddress(), changed: onOptionChanged});

// The game runs while waiting (the bricks settle), playing and replaying; pads and touch drive it
// only once play started, as a click locks the pointer only then. The status says the state in
// its own words unless told others.
function setState(next, words = kStatus[next]) {
  state = next;
  document.body.dataset.state = next;
  status.textContent = typeof words === 'function' ? words() : words;
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
  loading.hidden = true;
}

function fail(text, statusText = kStatus.failed) {
  if (text) showMessage(text);
  loading.hidden = true;
  setState('failed', statusText);
}

function hasWebGl2() {
  try {
    return !!document.createElement('canvas').getContext('webgl2');
  } catch (e) {
    return false;
  }
}

function download(name, text) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// ---- Downloading, with the bar moving from the first bytes on ----------------------------------

const downloads = {received: 0, total: 0};

function showProgress() {
  const share = downloads.total ? downloads.received / downloads.total : 0;
  progress.value = share;
  loadingText.textContent = downloads.total
    ? `Loading the game… ${Math.floor(share * 100)} % of ${(downloads.total / 1e6).toFixed(1)} MB`
    : 'Loading the game…';
}

// The page's preload links started the request already; this takes it over.
async function fetchCounted(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url} could not be loaded (${response.status})`);
  downloads.total += Number(response.headers.get('Content-Length')) || 0;
  showProgress();
  return bytesOf(response, (count) => {
    downloads.received += count;
    showProgress();
  });
}

// Replays open in a fresh page, so no game runs under them. The file is read here, so that what
// cannot be read (a folder, a file gone) is said at once.
async function replayFile(file) {
  if (file.size > kMaxReplayBytes) {
    showMessage('kelvarin: ' + tooLarge(file.name, file.size));
    return;
  }
  let bytes;
  try {
    bytes = await file.arrayBuffer();
  } catch (e) {
    showMessage(`${file.name} cannot be replayed: it is a folder or cannot be read.`);
    return;
  }
  let key;
  try {
    key = await keepForReplay(baseName(file.name), new Blob([bytes]));
  } catch (e) {
    showMessage(`${file.name} cannot be kept for its replay: the browser's storage refused it ` +
                `(${e?.name || e}).`);
    return;
  }
  location.href = `${location.pathname}?opened=${key}`;
}

// The look settings a player may give in the address (?sensitivity=1.5&invert-y), as the
// options: every sensitivity given is handed on, the last one counting.
function lookOptions() {
  const params = new URLSearchParams(location.search);
  const options = params.getAll('sensitivity').flatMap((value) => ['--sensitivity', value]);
  if (!params.has('invert-y')) return options;
  const invert = kSwitchWords[params.get('invert-y').toLowerCase()];
  if (invert === undefined) {
    throw new Refusal(`?invert-y is true or false, not '${params.get('invert-y')}'`);
  }
  return invert ? [...options, '--invert-y'] : options;
}

// The settings the address gives (see lookOptions): they win over the options for this visit.
function settingsFromAddress() {
  const params = new URLSearchParams(location.search);
  return new Set([params.has('sensitivity') && 'sensitivity', params.has('invert-y') && 'invert_y']
      .filter((name) => name));
}

// ---- The game ----------------------------------------------------------------------------------

// The drawing buffer follows the canvas's size on the page, in device pixels: the picture stays
// sharp at any size, and the camera's aspect follows as it does for a resized window.
function followCanvasSize() {
  const resize = () => {
    const ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width !== width || canvas.height !== height) game.setCanvasSize(width, height);
  };
  new ResizeObserver(resize).observe(canvas);
  resize();
}

function showBricks() {
  let csv;
  try {
    csv = game.FS.readFile(kBricksPath, {encoding: 'utf8'});
  } catch (e) {
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
    loading.hidden = true;
    setState(replay ? 'replaying' : 'waiting');
    followCanvasSize();
    $('show-options').disabled = false;
    if (replay) showTimeline();
  } else if (event === 'ended') {
    $('timeline').hidden = true;
    setState(replay ? 'replayed' : 'ended');
    if (replay) showBricks();
  } else if (event === 'refused') {
    fail('', replay ? kCannotReplay : kStatus.failed);
  } else if (event === 'no-window') {
    fail('', 'Kelvarin cannot run here.');
  } else if (event.startsWith('sound-')) {
    // The note stays while the music waits for the player's first click, key or touch.
    $('music-note').hidden = event !== 'sound-waiting';
  }
}

function gameArguments() {
  return replay ? ['--replay', replay.name, '--dump-bricks', kBricksPath]
                : ['--record', kRecordingPath, ...lookOptions()];
}

// A replay's file in its folder, which is the working folder the game starts in; the game finds
// its media at the root.
function handOverReplay(module) {
  module.FS.mkdir(kReplayFolder);
  module.FS.writeFile(`${kReplayFolder}/${replay.name}`, replay.bytes);
  module.FS.chdir(kReplayFolder);
  module.ENV.KELVARIN_DATA_DIR = '/';
  replay.bytes = null;
}

async function runGame(createKelvarin, binaries, args, layout) {
  await createKelvarin({
    canvas,
    arguments: args,
    wasmBinary: binaries[0],
    getPreloadedPackage: () => binaries[1].buffer,
    kelvarinLayout: layout,
    preRun: [(module) => {
      game = module;
      options.attach(module, layout);
      module.FS.writeFile(kSettingsPath, storedSettings());
      if (touchControls) module.kelvarinTouchPad = touchControls.pad;
      if (replay) handOverReplay(module);
    }],
    kelvarinReadPad: readPad,
    print: (text) => console.log(text),
    printErr: (text) => {
      console.warn(text);
      showMessage(text);
    },
    onAbort: (what) => fail('The game stopped: ' + (what && what !== 'Aborted()' ? what
        : 'it ran out of memory or failed inside (the browser\'s console says more)')),
    onGameEvent,
  });
}

async function start() {
  const binaries = Promise.all([fetchCounted('kelvarin.wasm'), fetchCounted('kelvarin.data')]);
  let args;
  try {
    replay = await chosenReplay();
    args = gameArguments();
  } catch (error) {
    if (!(error instanceof Refusal)) throw error;
    fail('kelvarin: ' + error.message, replayAsked() ? kCannotReplay : kStatus.failed);
    return;
  }
  let createKelvarin;
  try {
    ({default: createKelvarin} = await import('./kelvarin.js'));
    await binaries;
  } catch (error) {
    fail(`The game could not be loaded: ${error.message}`);
    return;
  }
  try {
    await runGame(createKelvarin, await binaries, args, await layoutAsked);
  } catch (error) {
    fail('The game stopped: ' + error);
    return;
  }
  showControls();
}

function replayAsked() {
  const params = new URLSearchParams(location.search);
  return location.hash.startsWith('#' + kFragmentKey) || params.has('opened') || params.has('replay');
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

// The game looks around with a locked pointer; a browser locks it only for a click.
canvas.addEventListener('click', () => {
  if (state === 'replayPaused') play(false);
  if ((state === 'waiting' || state === 'paused') && !touchScreen) {
    if (game && wantsFullscreen() && !document.fullscreenElement) canvas.requestFullscreen?.();
    canvas.requestPointerLock();
  }
});
document.addEventListener('pointerlockchange', () => {
  if (document.pointerLockElement === canvas) {
    play(true);
  } else if (playingWithMouse) {
    pause();
  }
});
document.addEventListener('visibilitychange', () => {
  if (document.hidden) pause();
});
// On a touch screen, leaving fullscreen (the system's back gesture) pauses too.
document.addEventListener('fullscreenchange', () => {
  if (touchScreen && !document.fullscreenElement) pause();
});

// Browsers release a locked pointer on Escape themselves; some (a headless one, say) pass the key
// to the page instead. Escape also pauses a replay. Keys the game uses do not scroll the page
// while the game has them, and Tab reaches the page's controls whenever the game is not being
// played: the window library, whose listener comes after this one, would keep it.
window.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && document.pointerLockElement) document.exitPointerLock();
  if (event.key === 'Escape' && state === 'replaying') pause();
  const gameHasKeys = (state === 'waiting' || state === 'playing') &&
                      (document.activeElement === document.body || document.activeElement === canvas);
  if (kGameKeys.has(event.key) && gameHasKeys) event.preventDefault();
  if (event.key === 'Tab' && state !== 'playing') event.stopImmediatePropagation();
  if (state === 'playing' && game && event.code === options.settings()['key.options'].code) {
    event.preventDefault();
    event.stopImmediatePropagation();
    openOptions();
  }
}, true);

// The first pad in the browser's standard mapping, as plain lists (a browser's or a driver's pad
// object may lack either): the buttons pressed and their values, and the stick axes. The game
// reads it too (Module.kelvarinReadPad).
function readPad() {
  const pads = Array.from(navigator.getGamepads?.() || []);
  const pad = pads.find((p) => p && p.connected && p.mapping === 'standard');
  if (!pad) return null;
  const buttons = Array.from(pad.buttons || []);
  return {
    id: String(pad.id),
    pressed: buttons.map((b) => !!b?.pressed),
    values: buttons.map((b) => Number(b?.value) || 0),
    axes: Array.from(pad.axes || [], (a) => Number(a) || 0),
  };
}

// Pads: any button starts play where the page waits for a click, Start opens the options (and
// closing them plays on), Start pauses a replay, the options are worked with the pad while open,
// and a pad that comes or goes is said once.
let padButtonsBefore = [];
let padShown = null;
function watchPads() {
  const pad = readPad();
  if ((pad?.id ?? null) !== padShown) {
    const note = $('pad-note');
    note.hidden = false;
    note.textContent = pad ? `Pad connected: ${pad.id}. Any button starts play; Start opens the options.`
                           : 'The pad was disconnected.';
    padShown = pad?.id ?? null;
  }
  const down = pad ? pad.pressed : [];
  const pressed = (i) => down[i] && !padButtonsBefore[i];
  if (options.isOpen) {
    options.pad(pressed);
  } else if (['waiting', 'playing', 'paused'].includes(state) && pressed(kPadStart)) {
    openOptions(true);
  } else if (state === 'replaying' && pressed(kPadStart)) {
    pause();
  } else if (['waiting', 'paused', 'replayPaused'].includes(state) &&
             down.some((d, i) => pressed(i))) {
    play(false);
  }
  padButtonsBefore = down;
  requestAnimationFrame(watchPads);
}

function setUpTouch() {
  document.body.classList.add('touch');
  $('touch-controls').hidden = false;
  let fullscreenAsked = false;
  touchControls = new TouchControls($('stage'), {
    look: (dx, dy) => {
      if (state === 'playing' && game) game._kelvarin_look_by(dx, dy);
    },
    pause,
    touched: () => {
      if (!fullscreenAsked) {
        fullscreenAsked = true;
        document.documentElement.requestFullscreen?.().catch(() => {});
      }
      play(false);
    },
  });
}

function showControls() {
  if (!game) return;
  const table = JSON.parse(game.UTF8ToString(game._kelvarinControls()));
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

// ---- A replay's timeline --------------------------------------------------------------------

function replayPosition() {
  return JSON.parse(game.UTF8ToString(game._kelvarinReplayPosition()));
}

// Follows the replay frame by frame while it runs; a seek plays it again from its start up to
// the frame asked for, unseen, and holds it there.
function showTimeline() {
  const position = replayPosition();
  const slider = $('replay-position');
  slider.max = position.last;
  $('timeline').hidden = false;
  const follow = () => {
    if (state !== 'replaying' && state !== 'replayPaused') return;
    const now = replayPosition();
    if (document.activeElement !== slider) slider.value = now.frame;
    $('replay-frame').textContent = `frame ${now.frame} of ${now.last}`;
    $('replay-hold').textContent = now.held ? 'Go on' : 'Hold';
    requestAnimationFrame(follow);
  };
  follow();
}

function seekReplay(frame) {
  if (state !== 'replaying' && state !== 'replayPaused') return;
  game._kelvarinSeekReplay(frame);
  if (state === 'replayPaused') setState('replaying');
}

$('replay-position').addEventListener('change', (event) => seekReplay(Number(event.target.value)));
$('frame-back').addEventListener('click', () => seekReplay(replayPosition().frame - 1));
$('frame-forward').addEventListener('click', () => seekReplay(replayPosition().frame + 1));
$('replay-hold').addEventListener('click', () => {
  game._kelvarinHoldReplay(replayPosition().held ? 0 : 1);
  if (state === 'replayPaused') setState('replaying');
});

// ---- Recordings -----------------------------------------------------------------------------

function recordingSoFar() {
  game._kelvarinFlushRecording();
  return game.FS.readFile(kRecordingPath, {encoding: 'utf8'});
}

async function share() {
  pause();
  const link = await linkFor(recordingSoFar(), location.origin + location.pathname);
  const shown = $('share-link');
  const note = $('share-note');
  $('share-result').hidden = false;
  if (link.length > kMaxLinkLength) {
    shown.textContent = '';
    shown.removeAttribute('href');
    note.textContent = `This session is too long to share as a link (${link.length} characters, ` +
                       `${kMaxLinkLength} at most): save the recording instead.`;
    $('save-recording').focus();
    return;
  }
  shown.textContent = link;
  shown.href = link;
  note.textContent = `${link.length} characters.`;
  try {
    await navigator.clipboard.writeText(link);
    note.textContent += ' Copied.';
  } catch (e) {
    // Without the clipboard the link is still there to copy by hand.
  }
}

$('save-recording').addEventListener('click', () => download('kelvarin-session.rec', recordingSoFar()));
$('share').addEventListener('click', share);
$('open-recording').addEventListener('change', (event) => {
  if (event.target.files[0]) replayFile(event.target.files[0]);
});
document.addEventListener('dragover', (event) => {
  event.preventDefault();
  document.body.classList.add('dropping');
});
document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
document.addEventListener('drop', (event) => {
  event.preventDefault();
  document.body.classList.remove('dropping');
  const item = event.dataTransfer.items?.[0];
  if (item?.webkitGetAsEntry?.()?.isDirectory) {
    showMessage('A folder cannot be replayed: drop a recording (.rec) file.');
    return;
  }
  const file = event.dataTransfer.files[0];
  if (file) replayFile(file);
});
$('fullscreen').addEventListener('click', () => canvas.requestFullscreen?.());
$('show-help').addEventListener('click', () => $('help').showModal());
$('show-options').addEventListener('click', () => openOptions());
// A hash change (a share link opened on this page) replays it.
window.addEventListener('hashchange', () => location.reload());

if (!hasWebGl2()) {
  fail('This browser offers no WebGL 2, which Kelvarin draws with. A current Firefox, Chrome, ' +
       'Edge or Safari with hardware acceleration on can play it.', 'Kelvarin cannot run here.');
  $('music-note').hidden = true;
} else {
  if (touchScreen) setUpTouch();
  requestAnimationFrame(watchPads);
  start();
}
