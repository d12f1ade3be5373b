#include "sound/Sound.h"

#include <iterator>

#include "core/Assert.h"
#include "platform/Audio.h"

const std::string soundFiles[] = {
    "media/sounds/backgroundMusic.wav",
    "media/sounds/backgroundMusicBackwards.wav",
    "media/sounds/pistol.wav",
};

namespace {

[[maybe_unused]] constexpr int kTrackCount = static_cast<int>(std::size(soundFiles));

}  // namespace

const std::string& soundFile(SoundTrack track) {
    const int index = static_cast<int>(track);
    KELVARIN_ASSERT(index >= 0 && index < kTrackCount);
    return soundFiles[index];
}

void playSound(SoundTrack track) {
    Platform::Audio::playLooping(soundFile(track).c_str());
}

void setMusicVolume(int percent) {
    constexpr float kWhole = 100.0f;
    KELVARIN_ASSERT(percent >= 0 && percent <= kWhole);
    Platform::Audio::setVolume(static_cast<float>(percent) / kWhole);
}

void stopSound() {
    Platform::Audio::close();
}
