#pragma once

// sound/: the sound table and its one music channel. May include: core, platform.

#include <string>

// The tracks of soundFiles, in table order.
enum class SoundTrack { kBackgroundMusic, kBackgroundMusicBackwards, kPistolSound };

extern const std::string soundFiles[];

// The file a track is read from.
const std::string& soundFile(SoundTrack track);
// Starts looping the track from its beginning, replacing whatever played; returns at once.
void playSound(SoundTrack track);
// From 0 (silent) to 100 percent, for every track from now on.
void setMusicVolume(int percent);
// At shutdown: the music stops and the audio device is let go.
void stopSound();
