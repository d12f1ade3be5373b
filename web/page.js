// The page around the game, an ES module: it downloads the game with a progress bar, starts it
// (or the replay of a recording), keeps the page's state (waiting, playing, paused, ended) and
// tells the game when to pause, gives the game its keys and nothing else, lays touch controls over
// it on touch screens, starts and pauses play from a pad, saves, shares and opens recordings, and
// says what went wrong where the game would be. The game itself is kelvarin.js and its
// WebAssembly.
import {keepForReplay, takeKeptReplay} from './handover.js';
import {kFragmentKey, kMaxLinkLength, linkFor, recordingFrom} from './share.js';
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
// What the game prints that the player should see: its own lines and start-up failures.
const kShownOutput = /^(kelvarin: |GLFW|GLEW)/;
// The desktop's hint, which means nothing on a page.
const kDesktopHint = / \(kelvarin --help lists the options\)$/;
// The keys the game uses that a page would act on (Space scrolls it).
const kGameKeys = new Set([' ', 'Spacebar']);
// Standard-mapping index of a pad's Start button.
const kPadStart = 9;
// "On a touch device (coarse pointer)": no mouse to lock, on-screen controls instead.
const touchScreen = matchMedia('(pointer: coarse)').matches;

const kStatus = {
  loading: 'Loading…',
  waiting: touchScreen ? 'Touch the game to play.' : 'Click the game to play.',
  playing: touchScreen ? 'Playing.' : 'Playing: Escape pauses.',
  paused: touchScreen ? 'Paused: touch the game to play' : 'Paused: click to play',
  ended: 'The game has ended.',
  replaying: 'Replaying…',
  replayed: 'The replay has ended.',
  failed: 'Kelvarin did not start.',
};

let game = null;
let state = 'loading';
let replay = null;
// How play was started: a locked pointer is released on pause, a pad or touch has none.
let playingWithMouse = false;
let touchControls = null;

// The game runs while waiting (the bricks settle) and playing; pads and touch drive it only once
// play started, as a click locks the pointer only then.
function setState(next, detail = '') {
  state = next;
  document.body.dataset.state = next;
  status.textContent = kStatus[next] + detail;
  if (game) {
    game.kelvarinPaused = next === 'paused';
    game.kelvarinPadsPlay = next === 'playing';
  }
  const over = ['ended', 'replayed', 'failed'].includes(next);
  $('play').hidden = !over;
  $('share').disabled = !(next === 'playing' || next === 'paused') || !!replay;
  $('save-recording').disabled = $('share').disabled;
  if (over) document.exitPointerLock?.();
}

function showMessage(text) {
  message.hidden = false;
  message.textContent += (message.textContent ? '\n' : '') + text.replace(kDesktopHint, '');
  loading.hidden = true;
}

function fail(text) {
  showMessage(text);
  setState('failed');
}

function hasWebGl2() {
  try {
    return !!document.createElement('canvas').getContext('webgl2');
  } catch (e) {
    return false;
  }
}

function baseName(path) {
  return path.split(/[/?#]/).filter((part) => part).pop() || 'recording.rec';
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
  const megabytes = (downloads.total / 1e6).toFixed(1);
  const share = downloads.total ? downloads.received / downloads.total : 0;
  progress.value = share;
  loadingText.textContent = downloads.total
    ? `Loading the game… ${Math.floor(share * 100)} % of ${megabytes} MB`
    : 'Loading the game…';
}

// The file's bytes, counted into the bar as they come. The page's preload links started the
// request already; this takes it over.
async function fetchCounted(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url} could not be loaded (${response.status})`);
  downloads.total += Number(response.headers.get('Content-Length')) || 0;
  showProgress();
  const reader = response.body.getReader();
  const chunks = [];
  for (;;) {
    const {done, value} = await reader.read();
    if (done) break;
    chunks.push(value);
    downloads.received += value.length;
    showProgress();
  }
  return new Blob(chunks).arrayBuffer();
}

// ---- The recording to replay, if any -------------------------------------------------------------

// From a share link's fragment, opened or dropped before a reload, or named in the address.
async function chosenReplay() {
  if (location.hash.startsWith('#' + kFragmentKey)) {
    return {name: 'shared.rec', text: await recordingFrom(location.hash.slice(kFragmentKey.length + 1))};
  }
  const params = new URLSearchParams(location.search);
  if (params.has('opened')) return takeKeptReplay();
  const url = params.get('replay');
  if (!url) return null;
  const response = await fetch(url);
  if (!response.ok) throw new Error(`cannot read ${url}: ${response.status}`);
  return {name: baseName(url), text: await response.text()};
}

// Replays open in a fresh page, so no game runs under them.
async function replayFile(file) {
  try {
    const text = await file.text();
    await keepForReplay(baseName(file.name), text);
    location.href = location.pathname + '?opened';
  } catch (e) {
    showMessage(`${file.name} cannot be replayed: it is a folder or cannot be read.`);
  }
}

// The look settings a player may give in the address: ?sensitivity=1.5&invert-y
function lookOptions() {
  const params = new URLSearchParams(location.search);
  const options = [];
  if (params.has('sensitivity')) options.push('--sensitivity', params.get('sensitivity'));
  if (params.has('invert-y')) options.push('--invert-y');
  return options;
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

function onGameEvent(event) {
  if (event === 'started') {
    loading.hidden = true;
    if (replay) {
      setState('replaying', '');
      status.textContent = `Replaying ${replay.name}…`;
    } else {
      setState('waiting');
    }
    followCanvasSize();
  } else if (event === 'ended') {
    setState(replay ? 'replayed' : 'ended');
    if (replay) showBricks();
  } else if (event.startsWith('sound-')) {
    // The note stays while the music waits for the player's first click, key or touch.
    $('music-note').hidden = event !== 'sound-waiting';
  }
}

async function start() {
  const wasm = fetchCounted('kelvarin.wasm');
  const data = fetchCounted('kelvarin.data');
  let chosen;
  try {
    chosen = await chosenReplay();
  } catch (error) {
    setState('failed');
    status.textContent = 'Kelvarin cannot replay that recording.';
    showMessage('kelvarin: ' + error.message);
    return;
  }
  replay = chosen;
  let createKelvarin;
  let binaries;
  try {
    ({default: createKelvarin} = await import('./kelvarin.js'));
    binaries = await Promise.all([wasm, data]);
  } catch (error) {
    fail(`The game could not be loaded: ${error.message}`);
    return;
  }
  const args = replay ? ['--replay', replay.name, '--dump-bricks', kBricksPath]
                      : ['--record', kRecordingPath, ...lookOptions()];
  try {
    await createKelvarin({
      canvas,
      arguments: args,
      wasmBinary: binaries[0],
      getPreloadedPackage: () => binaries[1],
      preRun: [(module) => {
        game = module;
        if (touchControls) module.kelvarinTouchPad = touchControls.pad;
        if (replay) module.FS.writeFile('/' + replay.name, replay.text);
      }],
      print: (text) => console.log(text),
      printErr: (text) => {
        console.warn(text);
        if (kShownOutput.test(text)) showMessage(text);
      },
      onAbort: (what) => fail('The game stopped: ' + what),
      onGameEvent,
    });
  } catch (error) {
    fail('The game stopped: ' + error);
    return;
  }
  // main has returned by now: a game whose frames never started refused what it was given.
  if (state === 'loading') {
    loading.hidden = true;
    setState('failed');
    if (replay) status.textContent = 'Kelvarin cannot replay that recording.';
  }
  showControls();
}

// ---- Playing: mouse, keys, pads and touch --------------------------------------------------------

function play(withMouse) {
  if (state !== 'waiting' && state !== 'paused') return;
  playingWithMouse = withMouse;
  setState('playing');
}

function pause() {
  if (state === 'playing') setState('paused');
}

// The game looks around with a locked pointer; a browser locks it only for a click.
canvas.addEventListener('click', () => {
  if ((state === 'waiting' || state === 'paused') && !touchScreen) canvas.requestPointerLock();
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
// to the page instead. Keys the game uses do not scroll the page while the game has them, and Tab
// reaches the page's controls whenever the game is not being played: the window library, whose
// listener comes after this one, would keep it.
window.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && document.pointerLockElement) document.exitPointerLock();
  const gameHasKeys = (state === 'waiting' || state === 'playing') &&
                      (document.activeElement === document.body || document.activeElement === canvas);
  if (kGameKeys.has(event.key) && gameHasKeys) event.preventDefault();
  if (event.key === 'Tab' && state !== 'playing') event.stopImmediatePropagation();
}, true);

// Pads: any button starts play where the page waits for a click, Start pauses and plays on, and
// a pad that comes or goes is said once.
let padButtonsBefore = [];
let padShown = null;
function watchPads() {
  const pad = Array.from(navigator.getGamepads?.() || [])
      .find((p) => p && p.connected && p.mapping === 'standard');
  if ((pad?.id ?? null) !== padShown) {
    const note = $('pad-note');
    note.hidden = false;
    note.textContent = pad ? `Pad connected: ${pad.id}. Any button starts play; Start pauses.`
                           : 'The pad was disconnected.';
    padShown = pad?.id ?? null;
  }
  const down = pad ? pad.buttons.map((b) => b.pressed) : [];
  const pressed = (i) => down[i] && !padButtonsBefore[i];
  if (state === 'playing' && pressed(kPadStart)) {
    pause();
  } else if ((state === 'waiting' || state === 'paused') && down.some((d, i) => pressed(i))) {
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
  for (const control of table.controls) {
    const row = body.insertRow();
    for (const cell of [control.action, control.keyboardAndMouse, control.pad, control.touch]) {
      row.insertCell().textContent = cell;
    }
  }
}

// ---- Recordings -----------------------------------------------------------------------------

function recordingSoFar() {
  game._kelvarinFlushRecording();
  return game.FS.readFile(kRecordingPath, {encoding: 'utf8'});
}

$('save-recording').addEventListener('click', () => download('kelvarin-session.rec', recordingSoFar()));
$('share').addEventListener('click', async () => {
  pause();
  const link = await linkFor(recordingSoFar(), location.origin + location.pathname);
  const result = $('share-result');
  const shown = $('share-link');
  const note = $('share-note');
  result.hidden = false;
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
});
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
// A hash change (a share link opened on this page) replays it.
window.addEventListener('hashchange', () => location.reload());

if (!hasWebGl2()) {
  setState('failed');
  status.textContent = 'Kelvarin cannot run here.';
  $('music-note').hidden = true;
  showMessage('This browser offers no WebGL 2, which Kelvarin draws with. A current Firefox, ' +
              'Chrome, Edge or Safari with hardware acceleration on can play it.');
} else {
  if (touchScreen) setUpTouch();
  requestAnimationFrame(watchPads);
  start();
}
