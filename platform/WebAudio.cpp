#include "platform/Audio.h"

// In library_kelvarin.js: Web Audio, the music fetched as MP3 and its reversed twin made from it.
extern "C" {
void kelvarin_play_looping(const char* path);
void kelvarin_stop_music();
void kelvarin_set_volume(float volume);
}

namespace Platform::Audio {

void playLooping(const char* path) {
    kelvarin_play_looping(path);
}

void setVolume(float volume) {
    kelvarin_set_volume(volume);
}

void close() {
    kelvarin_stop_music();
}

}  // namespace Platform::Audio
