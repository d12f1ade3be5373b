#include <windows.h>
// mmsystem.h needs the types windows.h declares.
#include <mmsystem.h>

#include "platform/Audio.h"

namespace Platform::Audio {

void playLooping(const char* path) {
    // Each call replaces what plays; a file that cannot be played plays nothing.
    PlaySoundA(path, nullptr, SND_ASYNC | SND_LOOP);
}

void close() {
    PlaySoundA(nullptr, nullptr, 0);
}

}  // namespace Platform::Audio
