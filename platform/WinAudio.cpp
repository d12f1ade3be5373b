#include <windows.h>
// mmsystem.h needs the types windows.h declares.
#include <mmsystem.h>

#include "platform/Audio.h"

namespace Platform::Audio {

void playLooping(const char* path) {
    // Each call replaces what plays; a file that cannot be played plays nothing.
    PlaySoundA(path, nullptr, SND_ASYNC | SND_LOOP);
}

// PlaySoundA plays through the process's waveOut device, whose volume this is (both channels).
void setVolume(float volume) {
    constexpr DWORD kFull = 0xffff;
    const DWORD level = static_cast<DWORD>(volume * kFull + 0.5f);
    waveOutSetVolume(nullptr, level | (level << 16));
}

void close() {
    PlaySoundA(nullptr, nullptr, 0);
}

}  // namespace Platform::Audio
