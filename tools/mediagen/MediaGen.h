#pragma once

#include <cstdint>
#include <string>

// Every file this tool writes depends on code alone (and the font it is given), so two runs give
// the same bytes.
namespace MediaGen {

bool writeModels(const std::string& dir);
bool writeTextures(const std::string& dir, const std::string& fontPath);
bool writeSounds(const std::string& dir);
// The icon, size x size PNG (256 for the desktop, 192 and 512 for the page installed as an app),
// drawn from the textures already written to texturesDir.
bool writeIcon(const std::string& texturesDir, const std::string& path, int size);

// A repeatable pseudo-random value in [0, 1) for integer coordinates.
inline float hashNoise(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0x1000000u);
}

}  // namespace MediaGen
