#pragma once

// One looping music channel. Every call returns at once; without an audio device, or for a file
// that cannot be read, nothing sounds and the game goes on.
namespace Platform::Audio {

// Stops whatever plays and loops the WAV file at path from its beginning.
void playLooping(const char* path);
// From 0 (silent) to 1 (as recorded); it holds for every track from now on.
void setVolume(float volume);
// Stops the music and lets the audio device go; a later playLooping opens it again.
void close();

}  // namespace Platform::Audio
