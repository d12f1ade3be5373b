#include <emscripten/emscripten.h>

#include "platform/Audio.h"

namespace Platform::Audio {
namespace {

// Web Audio: each track is read from the preloaded files, decoded once and looped by a buffer
// source; a new request stops whatever plays. Browsers start audio only after a user gesture, so
// the context is resumed at the first click or key, and the track then plays from its start.
// Decoding is asynchronous: a decoded track starts only if it is still the one asked for last.
// Without Web Audio, or for a file that cannot be read or decoded, nothing sounds.
// clang-format off
EM_JS(void, playLoopingInPage, (const char* path), {
    var audio = Module.kelvarinAudio;
    if (!audio) {
        audio = Module.kelvarinAudio = {buffers: {}, current: null, request: 0, context: null};
        try {
            audio.context = new AudioContext();
        } catch (e) {
            console.warn('Sound is off: ' + e);
        }
        if (audio.context) {
            var resume = function() { audio.context.resume(); };
            window.addEventListener('click', resume, true);
            window.addEventListener('keydown', resume, true);
        }
    }
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
});

EM_JS(void, stopInPage, (), {
    var audio = Module.kelvarinAudio;
    if (!audio || !audio.current) return;
    audio.request++;
    audio.current.stop();
    audio.current = null;
});
// clang-format on

}  // namespace

void playLooping(const char* path) {
    playLoopingInPage(path);
}

void close() {
    stopInPage();
}

}  // namespace Platform::Audio
