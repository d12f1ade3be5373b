// The page's side of the game in a browser: what the C++ code of platform/ calls in JavaScript
// (linked with --js-library). The page hears of the game through Module.onGameEvent(name):
// "started" (the frame loop runs), "ended", "refused" (an option or a recording) and "no-window"
// (no OpenGL context) before any frame, for the music "sound-waiting" (until the first click, key
// or touch), "sound-on" and "sound-off" (no Web Audio).
mergeInto(LibraryManager.library, {
  kelvarin_tell_page__sig: 'vi',
  kelvarin_tell_page: function(event) {
    if (Module.onGameEvent) Module.onGameEvent(UTF8ToString(event));
  },

  // The page pauses play (Module.kelvarinPaused): no frame runs while it does.
  kelvarin_page_paused__sig: 'i',
  kelvarin_page_paused: function() {
    return Module.kelvarinPaused ? 1 : 0;
  },

  // Called while a key event is handled, which browsers count as the player's gesture.
  kelvarin_toggle_fullscreen__sig: 'v',
  kelvarin_toggle_fullscreen: function() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else {
      Module.canvas.requestFullscreen();
    }
  },

  kelvarin_is_fullscreen__sig: 'i',
  kelvarin_is_fullscreen: function() {
    return document.fullscreenElement ? 1 : 0;
  },

  kelvarin_canvas_css_width__sig: 'i',
  kelvarin_canvas_css_width: function() {
    return Module.canvas.clientWidth;
  },

  kelvarin_canvas_css_height__sig: 'i',
  kelvarin_canvas_css_height: function() {
    return Module.canvas.clientHeight;
  },

  // The first pad in the browser's standard mapping, as the page reads it (Module.kelvarinReadPad),
  // with the page's touch controls acting as one more (Module.kelvarinTouchPad: a movement stick
  // and buttons that each hold an action, played through the action's own pad control, which the
  // game's controls table gives), into the layout of platform/Platform.h: 15 buttons, then the
  // sticks and the triggers from 0 to 1. (The page says when a pad comes or goes: it watches them
  // while the game is paused too.) Between two of the game's reads the pads are sampled every few
  // milliseconds and the touch buttons say when they were pressed, so that what is pressed and
  // let go in between counts at the next read, as the desktop's sticky keys have it.
  $kelvarinPads__postset: 'Module.kelvarinStandardButton = function(button) { ' +
                          'return kelvarinPads.fromStandard[button]; };',
  $kelvarinPads: {
    // Platform.h's buttons, by their index in the standard mapping; its triggers are the
    // standard mapping's buttons 6 and 7, by their values.
    fromStandard: [0, 1, 2, 3, 4, 5, 8, 9, 16, 10, 11, 12, 15, 13, 14],
    leftTrigger: 6,
    rightTrigger: 7,
    buttons: 15,
    axes: 6,
    // Well under a frame at 60 frames a second, and more often than a press lasts.
    samplingMs: 4,
    // What the pads did since the last read; null before the first.
    span: null,
    // The pad control of each action a touch button holds, asked of the game once.
    controls: {},
    controlOf: function(action) {
      if (!kelvarinPads.controls[action]) {
        kelvarinPads.controls[action] =
            JSON.parse(Module.ccall('kelvarinPadControl', 'string', ['string'], [action]));
      }
      return kelvarinPads.controls[action];
    },
    // An action held (or tapped) by touch, played as its pad control all the way.
    holdByTouch: function(action, down, values) {
      var control = kelvarinPads.controlOf(action);
      if (control.axis >= 0) {
        values[control.axis] = control.direction < 0 ? Math.min(values[control.axis], -1)
                                                     : Math.max(values[control.axis], 1);
      } else if (control.buttons && control.buttons.length) {
        down[control.buttons[0]] = true;
      }
    },
    now: function() {
      var down = new Array(15).fill(false);
      var values = [0, 0, 0, 0, 0, 0];
      var pad = Module.kelvarinReadPad ? Module.kelvarinReadPad() : null;
      if (pad) {
        kelvarinPads.fromStandard.forEach(function(standard, i) { down[i] = !!pad.pressed[standard]; });
        for (var i = 0; i < 4; ++i) values[i] = pad.axes[i] || 0;
        values[4] = pad.values[kelvarinPads.leftTrigger] || 0;
        values[5] = pad.values[kelvarinPads.rightTrigger] || 0;
      }
      var touch = Module.kelvarinTouchPad;
      var touching = !!(touch && touch.active);
      if (touching) {
        if (touch.moveX || touch.moveY) {
          values[0] = touch.moveX;
          values[1] = touch.moveY;
        }
        for (var action in touch.held) {
          if (touch.held[action]) kelvarinPads.holdByTouch(action, down, values);
        }
      }
      return {connected: !!pad || touching, down: down, values: values};
    },
    startSpan: function(now) {
      kelvarinPads.span = {pressed: now.down.slice(), lowest: now.values.slice(),
                           highest: now.values.slice()};
    },
    follow: function() {
      var span = kelvarinPads.span;
      var now = kelvarinPads.now();
      for (var b = 0; b < kelvarinPads.buttons; ++b) span.pressed[b] = span.pressed[b] || now.down[b];
      for (var a = 0; a < kelvarinPads.axes; ++a) {
        span.lowest[a] = Math.min(span.lowest[a], now.values[a]);
        span.highest[a] = Math.max(span.highest[a], now.values[a]);
      }
      return now;
    },
    // The touch buttons tapped since the last read (Module.kelvarinTouchPad.tapped), as pressed.
    takeTaps: function() {
      var touch = Module.kelvarinTouchPad;
      if (!touch || !touch.tapped) return;
      var span = kelvarinPads.span;
      for (var action in touch.tapped) {
        var control = kelvarinPads.controlOf(action);
        if (control.axis >= 0) {
          if (control.direction < 0) span.lowest[control.axis] = -1;
          else span.highest[control.axis] = 1;
        } else if (control.buttons && control.buttons.length) {
          span.pressed[control.buttons[0]] = true;
        }
      }
      touch.tapped = {};
    },
  },
  kelvarin_read_gamepad__deps: ['$kelvarinPads'],
  kelvarin_read_gamepad__sig: 'iiiiii',
  kelvarin_read_gamepad: function(buttons, axes, pressedSince, lowest, highest) {
    // Before play starts, a pad's press only starts it, as a click does (the page's part).
    if (!Module.kelvarinPadsPlay) {
      kelvarinPads.span = null;
      return 0;
    }
    if (!kelvarinPads.span) {
      kelvarinPads.startSpan(kelvarinPads.now());
      kelvarinPads.sampling = kelvarinPads.sampling ||
          setInterval(function() { if (kelvarinPads.span) kelvarinPads.follow(); },
                      kelvarinPads.samplingMs);
    }
    var now = kelvarinPads.follow();
    kelvarinPads.takeTaps();
    var span = kelvarinPads.span;
    for (var b = 0; b < kelvarinPads.buttons; ++b) {
      HEAP32[(buttons >> 2) + b] = now.down[b] ? 1 : 0;
      HEAP32[(pressedSince >> 2) + b] = span.pressed[b] ? 1 : 0;
    }
    for (var a = 0; a < kelvarinPads.axes; ++a) {
      HEAPF32[(axes >> 2) + a] = now.values[a];
      HEAPF32[(lowest >> 2) + a] = span.lowest[a];
      HEAPF32[(highest >> 2) + a] = span.highest[a];
    }
    kelvarinPads.startSpan(now);
    return now.connected ? 1 : 0;
  },

  // A key's label on the player's layout, where the browser tells (the page keeps its Keyboard
  // Map in Module.kelvarinLayout); 0 where it does not.
  kelvarin_layout_label__sig: 'ii',
  kelvarin_layout_label: function(code) {
    var layout = Module.kelvarinLayout;
    var label = layout ? layout.get(UTF8ToString(code)) : null;
    return label ? allocateUTF8(label) : 0;
  },

  // "On a touch device (coarse pointer)", as the page has it.
  kelvarin_is_touch_screen__sig: 'i',
  kelvarin_is_touch_screen: function() {
    return matchMedia('(pointer: coarse)').matches ? 1 : 0;
  },

  // Under node the program is its script: its folder is where the script lies. A page has none.
  kelvarin_script_folder__sig: 'i',
  kelvarin_script_folder: function() {
    if (typeof __dirname == 'undefined') return 0;
    return allocateUTF8(__dirname);
  },

  // Web Audio: each track is decoded once and looped by a buffer source; a new request stops
  // whatever plays. Browsers start audio only after a user gesture, so the context is resumed at
  // the first click, key or touch, and the track then plays from its start. Decoding is
  // asynchronous: a decoded track starts only if it is still the one asked for last. Without Web
  // Audio, or for a file that cannot be read or decoded, nothing sounds.
  $kelvarinAudio: function() {
    var audio = Module.kelvarinAudio;
    if (audio) return audio;
    audio = Module.kelvarinAudio = {decoded: {}, current: null, request: 0, context: null,
                                    gain: null};
    var tell = function(event) {
      if (Module.onGameEvent) Module.onGameEvent(event);
    };
    try {
      audio.context = new AudioContext();
    } catch (e) {
      console.warn('Sound is off: ' + e);
      tell('sound-off');
      return audio;
    }
    // Every track plays through one gain: the player's music volume.
    audio.gain = audio.context.createGain();
    audio.gain.connect(audio.context.destination);
    var follow = function() {
      tell(audio.context.state === 'running' ? 'sound-on' : 'sound-waiting');
    };
    audio.context.onstatechange = follow;
    follow();
    var resume = function() { audio.context.resume(); };
    window.addEventListener('click', resume, true);
    window.addEventListener('keydown', resume, true);
    window.addEventListener('touchend', resume, true);
    return audio;
  },

  // Where a page's music comes from: the forward track, as MP3 beside the page, is fetched when the
  // game first asks for it, and the reversed track is its samples reversed, as the desktop's file
  // of it is.
  $kelvarinTrackSources: {
    'media/sounds/backgroundMusic.wav': {url: 'sounds/backgroundMusic.mp3'},
    'media/sounds/backgroundMusicBackwards.wav': {reverseOf: 'media/sounds/backgroundMusic.wav'},
  },

  $kelvarinDecoded__deps: ['$kelvarinAudio', '$kelvarinTrackSources'],
  $kelvarinDecoded: function(name) {
    var audio = kelvarinAudio();
    if (audio.decoded[name]) return audio.decoded[name];
    var source = kelvarinTrackSources[name];
    var decoded;
    if (!source) {
      decoded = Promise.reject(new Error(name + ': no such track'));
    } else if (source.reverseOf) {
      decoded = kelvarinDecoded(source.reverseOf).then(function(forward) {
        var reversed = new AudioBuffer({length: forward.length, sampleRate: forward.sampleRate,
                                        numberOfChannels: forward.numberOfChannels});
        for (var c = 0; c < forward.numberOfChannels; ++c) {
          reversed.copyToChannel(forward.getChannelData(c).slice().reverse(), c);
        }
        return reversed;
      });
    } else {
      decoded = fetch(source.url).then(function(response) {
        if (!response.ok) throw new Error(source.url + ': ' + response.status);
        return response.arrayBuffer();
      }).then(function(bytes) { return audio.context.decodeAudioData(bytes); });
    }
    audio.decoded[name] = decoded;
    return decoded;
  },

  kelvarin_play_looping__deps: ['$kelvarinAudio', '$kelvarinDecoded'],
  kelvarin_play_looping__sig: 'vi',
  kelvarin_play_looping: function(path) {
    var audio = kelvarinAudio();
    if (!audio.context) return;
    var name = UTF8ToString(path);
    var request = ++audio.request;
    if (audio.current) {
      audio.current.stop();
      audio.current = null;
    }
    kelvarinDecoded(name).then(function(buffer) {
      if (request != audio.request) return;
      var source = audio.context.createBufferSource();
      source.buffer = buffer;
      source.loop = true;
      source.connect(audio.gain);
      source.kelvarinTrack = name;
      source.start();
      audio.current = source;
    }, function() {});
  },

  kelvarin_set_volume__deps: ['$kelvarinAudio'],
  kelvarin_set_volume__sig: 'vf',
  kelvarin_set_volume: function(volume) {
    var audio = kelvarinAudio();
    if (audio.gain) audio.gain.gain.value = volume;
  },

  kelvarin_stop_music__sig: 'v',
  kelvarin_stop_music: function() {
    var audio = Module.kelvarinAudio;
    if (!audio || !audio.current) return;
    audio.request++;
    audio.current.stop();
    audio.current = null;
  },
});
