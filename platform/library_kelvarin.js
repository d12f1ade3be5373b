// The page's side of the game in a browser: what the C++ code of platform/ calls in JavaScript
// (linked with --js-library). The page hears of the game through Module.onGameEvent(name):
// "waiting" (for the click that locks the pointer), "playing", "paused", "ended", and for the
// music "sound-waiting" (until the first click or key), "sound-on" and "sound-off" (no Web Audio).
mergeInto(LibraryManager.library, {
  kelvarin_tell_page__sig: 'vi',
  kelvarin_tell_page: function(event) {
    if (Module.onGameEvent) Module.onGameEvent(UTF8ToString(event));
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

  // Under node the program is its script: its folder is where the script lies. A page has none.
  kelvarin_script_folder__sig: 'i',
  kelvarin_script_folder: function() {
    if (typeof __dirname == 'undefined') return 0;
    return allocateUTF8(__dirname);
  },

  // Web Audio: each track is read from the preloaded files, decoded once and looped by a buffer
  // source; a new request stops whatever plays. Browsers start audio only after a user gesture, so
  // the context is resumed at the first click or key, and the track then plays from its start.
  // Decoding is asynchronous: a decoded track starts only if it is still the one asked for last.
  // Without Web Audio, or for a file that cannot be read or decoded, nothing sounds.
  $kelvarinAudio: function() {
    var audio = Module.kelvarinAudio;
    if (audio) return audio;
    audio = Module.kelvarinAudio = {buffers: {}, current: null, request: 0, context: null};
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

  kelvarin_play_looping__deps: ['$kelvarinAudio', '$FS'],
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
    var start = function(buffer) {
      if (request != audio.request) return;
      var source = audio.context.createBufferSource();
      source.buffer = buffer;
      source.loop = true;
      source.connect(audio.context.destination);
      source.kelvarinTrack = name;
      source.start();
      audio.current = source;
    };
    if (audio.buffers[name]) {
      start(audio.buffers[name]);
      return;
    }
    var bytes;
    try {
      bytes = FS.readFile(name);
    } catch (e) {
      return;
    }
    var copy = bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length);
    audio.context.decodeAudioData(copy).then(function(buffer) {
      audio.buffers[name] = buffer;
      start(buffer);
    }, function() {});
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
