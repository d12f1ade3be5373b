// The game's module made from its downloads and started: a game of the player's own is recorded,
// a replay is handed its file in a folder of its own and ends with the bricks it leaves.
import {lookOptions} from './address.js';
import {kRecordingPath} from './recordings.js';

const kBricksPath = '/bricks.csv';
// A replayed recording lies in a folder of its own, the game's working folder while it reads it,
// so that no name (media, dev, ..) meets what the game's file system already holds.
const kReplayFolder = '/replay';

// The drawing buffer's size for the canvas as shown, in device pixels: sharp at any size.
export function drawingBufferSize(canvas) {
  const ratio = window.devicePixelRatio || 1;
  return {
    width: Math.max(1, Math.round(canvas.clientWidth * ratio)),
    height: Math.max(1, Math.round(canvas.clientHeight * ratio)),
  };
}

// Asked of the game itself, once it is loaded: the words its switches take among them.
export function gameArguments(module, replay) {
  if (replay) return ['--replay', replay.name, '--dump-bricks', kBricksPath];
  const readSwitch = (word) => module.ccall('kelvarinReadSwitch', 'number', ['string'], [word]);
  return ['--record', kRecordingPath, ...lookOptions(readSwitch)];
}

// The bricks an ended replay left, as CSV; null when it wrote none.
export function replayedBricks(module) {
  try {
    return module.FS.readFile(kBricksPath, {encoding: 'utf8'});
  } catch (e) {
    return null;
  }
}

// The game finds its media at the root, the replay in the folder it starts in.
function handOverReplay(module, replay) {
  module.FS.mkdir(kReplayFolder);
  module.FS.writeFile(`${kReplayFolder}/${replay.name}`, replay.bytes);
  module.FS.chdir(kReplayFolder);
  module.ENV.KELVARIN_DATA_DIR = '/';
  replay.bytes = null;
}

// The game is loaded first and asked about the address; then its main starts the frames. The
// page: its canvas and replay, prepare(module, layout) before the game runs, say(text) for what
// the game writes to its error stream, fail(text) when it stops, and onGameEvent.
export function loadGame(createKelvarin, binaries, layout, page) {
  return createKelvarin({
    canvas: page.canvas,
    noInitialRun: true,
    wasmBinary: binaries[0],
    getPreloadedPackage: () => binaries[1].buffer,
    kelvarinLayout: layout,
    preRun: [(module) => {
      page.prepare(module, layout);
      if (page.replay) handOverReplay(module, page.replay);
    }],
    kelvarinReadPad: page.readPad,
    print: (text) => console.log(text),
    printErr: (text) => {
      console.warn(text);
      page.say(text);
    },
    onAbort: (what) => page.fail('The game stopped: ' + (what && what !== 'Aborted()' ? what
        : 'it ran out of memory or failed inside (the browser\'s console says more)')),
    onGameEvent: page.onGameEvent,
  });
}
