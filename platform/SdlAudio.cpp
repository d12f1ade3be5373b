#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <iostream>

#include "platform/Audio.h"

namespace Platform::Audio {
namespace {

// ALSA's own messages about a machine without a sound card: the game says "Sound is off" once.
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSamples = 2048;
constexpr int kLoopForever = -1;

class MusicChannel {
public:
    ~MusicChannel() { close(); }

    void close() {
        if (ready) {
            Mix_HaltMusic();
            if (current) Mix_FreeMusic(current);
            Mix_CloseAudio();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        if (started) snd_lib_error_set_handler(nullptr);
        current = nullptr;
        ready = false;
        started = false;
    }

    void setVolume(float level) {
        volume = level;
        if (ready) Mix_VolumeMusic(static_cast<int>(volume * MIX_MAX_VOLUME + 0.5f));
    }

    void play(const char* path) {
        if (!started) start();
        if (!ready) return;
        Mix_Music* next = Mix_LoadMUS(path);
        if (next) {
            Mix_VolumeMusic(static_cast<int>(volume * MIX_MAX_VOLUME + 0.5f));
            Mix_PlayMusic(next, kLoopForever);
        } else {
            Mix_HaltMusic();
        }
        // Freed only after the switch, so the mixer never plays a freed track.
        if (current) Mix_FreeMusic(current);
        current = next;
    }

private:
    void start() {
        started = true;
        // Ctrl+C and kill belong to the game: SDL would otherwise take them for an event queue
        // the game never reads.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        snd_lib_error_set_handler(ignoreAlsaMessage);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::cerr << "Sound is off: " << SDL_GetError() << std::endl;
            return;
        }
        if (Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, kChannels, kChunkSamples) != 0) {
            std::cerr << "Sound is off: " << Mix_GetError() << std::endl;
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return;
        }
        ready = true;
    }

    bool started = false;
    bool ready = false;
    float volume = 1.0f;
    Mix_Music* current = nullptr;
};

MusicChannel channel;

}  // namespace

void playLooping(const char* path) {
    channel.play(path);
}

void setVolume(float volume) {
    channel.setVolume(volume);
}

void close() {
    channel.close();
}

}  // namespace Platform::Audio
