#include <mmsystem.h>
#include <windows.h>

#include "platform/Audio.h"

namespace Platform::Audio {

void playLooping(const char* path) {
    // Each call replaces what plays; a file that cannot be played plays nothing.
    PlaySoundA(path, nullptr, SND_ASYNC | SND_LOOP);
}

}  // namespace Platform::Audio
