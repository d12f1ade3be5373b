#include "sound/Sound.h"

#include "platform/Audio.h"

const std::string soundFiles[] = {
    "media/sounds/backgroundMusic.wav",
    "media/sounds/backgroundMusicBackwards.wav",
    "media/sounds/pistol.wav",
};

void playSound(int index) {
    PlatformAudio::playLooping(soundFiles[index].c_str());
}
