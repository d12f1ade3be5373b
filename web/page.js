// The page around the game: it starts the game (or the replay of a recording), shows the download's
// progress, the game's state and its messages, saves and opens recordings, and shows the bricks
// when a replay ends. The game itself is kelvarin.js and its WebAssembly.
'use strict';

(function () {
  const $ = (id) => document.getElementById(id);
  const canvas = $('canvas');
  const status = $('status');
  const message = $('message');
  const musicNote = $('music-note');
  const loading = $('loading');
  const progress = $('progress');

  // Where a recording opened or dropped on the page waits for the reload that replays it.
  const kOpenedKey = 'kelvarin-opened-recording';
  const kRecordingPath = '/session.rec';
  const kBricksPath = '/bricks.csv';
  // What the game prints that the player should see: its own lines and start-up failures.
  const kShownOutput = /^(kelvarin: |GLFW|GLEW)/;

  // What the status says for each state the game tells of by name.
  const kPlayStates = {
    waiting: 'Click the game to play.',
    playing: 'Playing: Escape pauses.',
    paused: 'Paused: click to play',
  };

  let started = false;

  function showMessage(text) {
    message.hidden = false;
    message.textContent += (message.textContent ? '\n' : '') + text;
    loading.hidden = true;
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

  function baseName(path) {
    const name = path.split(/[/?#]/).filter((part) => part).pop();
    return name || 'recording.rec';
  }

  // The recording to replay, if any: named in the address, or opened or dropped before a reload.
  async function chosenReplay() {
    const params = new URLSearchParams(location.search);
    if (params.has('opened')) {
      const opened = sessionStorage.getItem(kOpenedKey);
      return opened ? JSON.parse(opened) : null;
    }
    const url = params.get('replay');
    if (!url) return null;
    const response = await fetch(url);
    if (!response.ok) throw new Error('cannot read ' + url + ': ' + response.status);
    return {name: baseName(url), text: await response.text()};
  }

  function replayRecording(name, text) {
    sessionStorage.setItem(kOpenedKey, JSON.stringify({name: baseName(name), text: text}));
    location.href = location.pathname + '?opened';
  }

  function showBricks() {
    let csv;
    try {
      csv = FS.readFile(kBricksPath, {encoding: 'utf8'});
    } catch (e) {
      showMessage('The replay ended without bricks to show.');
      return;
    }
    $('bricks').textContent = csv;
    $('bricks-download').href = URL.createObjectURL(new Blob([csv], {type: 'text/csv'}));
    $('replay-result').hidden = false;
  }

  function followProgress(text) {
    const parts = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
    if (parts) progress.value = Number(parts[1]) / Number(parts[2]);
  }

  // The drawing buffer follows the canvas's size on the page, in device pixels: the picture stays
  // sharp at any size, and the camera's aspect follows as it does for a resized window.
  function followCanvasSize() {
    const resize = () => {
      const ratio = window.devicePixelRatio || 1;
      const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
      const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
      if (canvas.width !== width || canvas.height !== height) Module.setCanvasSize(width, height);
    };
    new ResizeObserver(resize).observe(canvas);
    resize();
  }

  // The look settings a player may give in the address: ?sensitivity=1.5&invert-y
  function lookOptions() {
    const params = new URLSearchParams(location.search);
    const options = [];
    if (params.has('sensitivity')) options.push('--sensitivity', params.get('sensitivity'));
    if (params.has('invert-y')) options.push('--invert-y');
    return options;
  }

  function start(replay) {
    const args = replay ? ['--replay', replay.name, '--dump-bricks', kBricksPath]
                        : ['--record', kRecordingPath, ...lookOptions()];
    window.Module = {
      canvas: canvas,
      arguments: args,
      preRun: [() => {
        if (replay) FS.writeFile('/' + replay.name, replay.text);
      }],
      onRuntimeInitialized: () => {
        started = true;
        loading.hidden = true;
        status.textContent = replay ? 'Replaying ' + replay.name + '…' : kPlayStates.waiting;
        $('save-recording').disabled = !!replay;
        followCanvasSize();
      },
      print: (text) => console.log(text),
      printErr: (text) => {
        console.warn(text);
        if (kShownOutput.test(text)) showMessage(text);
      },
      setStatus: followProgress,
      onAbort: (what) => showMessage('The game stopped: ' + what),
      onGameEvent: (event) => {
        if (event in kPlayStates) {
          if (!replay) status.textContent = kPlayStates[event];
        } else if (event === 'ended') {
          status.textContent = replay ? 'The replay has ended.' : 'The game has ended.';
          if (replay) showBricks();
        } else if (event.startsWith('sound-')) {
          // The note stays while the music waits for the player's first click or key.
          musicNote.hidden = event !== 'sound-waiting';
        }
      },
    };
    const script = document.createElement('script');
    script.src = 'kelvarin.js';
    script.onerror = () => showMessage('The game (kelvarin.js) could not be loaded.');
    document.body.appendChild(script);
  }

  // A download that fails (the data file missing, say) surfaces as an uncaught error: said on the
  // page rather than left as an endless progress bar.
  window.addEventListener('error', (event) => {
    if (!started) showMessage('The game could not be loaded: ' + event.message);
  });

  // The game looks around with a locked pointer; a browser locks it only for a click.
  canvas.addEventListener('click', () => {
    if (started && !document.pointerLockElement) canvas.requestPointerLock();
  });
  // Browsers release a locked pointer on Escape themselves; some (a headless one, say) pass the key
  // to the page instead.
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' && document.pointerLockElement) document.exitPointerLock();
  });
  $('fullscreen').addEventListener('click', () => canvas.requestFullscreen());
  $('save-recording').addEventListener('click', () => {
    Module._kelvarinFlushRecording();
    download('kelvarin-session.rec', FS.readFile(kRecordingPath, {encoding: 'utf8'}));
  });
  $('open-recording').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (file) replayRecording(file.name, await file.text());
  });
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dropping');
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
  document.addEventListener('drop', async (event) => {
    event.preventDefault();
    document.body.classList.remove('dropping');
    const file = event.dataTransfer.files[0];
    if (file) replayRecording(file.name, await file.text());
  });

  if (!hasWebGl2()) {
    status.textContent = 'Kelvarin cannot run here.';
    musicNote.hidden = true;
    showMessage('This browser offers no WebGL 2, which Kelvarin draws with. A current Firefox, ' +
                'Chrome, Edge or Safari with hardware acceleration on can play it.');
    return;
  }
  chosenReplay().then(start, (error) => {
    status.textContent = 'Kelvarin cannot replay that recording.';
    showMessage('kelvarin: ' + error.message);
  });
})();
