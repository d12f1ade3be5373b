#pragma once

#include <string>

// Indices into soundFiles.
constexpr int kBackgroundMusic = 0;
constexpr int kBackgroundMusicBackwards = 1;
constexpr int kPistolSound = 2;

extern const std::string soundFiles[];

// Starts looping soundFiles[index] from its beginning, replacing whatever played; returns at once.
// Callers pass kBackgroundMusic or kBackgroundMusicBackwards.
void playSound(int index);
