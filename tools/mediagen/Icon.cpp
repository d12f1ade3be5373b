#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mediagen/MediaGen.h"

namespace MediaGen {
namespace {

constexpr int kIconSize = 256;
constexpr int kChannels = 4;
// Three rows of bricks, staggered by half a brick, across the lower part of the icon.
constexpr int kBrickWidth = 96;
constexpr int kBrickHeight = 44;
constexpr int kMortar = 6;
constexpr int kWallTop = 110;
// The plasma bullet in flight towards the wall, top right.
constexpr float kBulletX = 180.0f;
constexpr float kBulletY = 62.0f;
constexpr float kBulletRadius = 34.0f;
constexpr float kGlowRadius = 52.0f;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    // Wraps around, as the game's repeating textures do.
    const std::uint8_t* at(int x, int y) const {
        x = ((x % width) + width) % width;
        y = ((y % height) + height) % height;
        return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    }
};

bool load(const std::string& path, Picture& picture) {
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
    if (!pixels) return false;
    picture.rgb.assign(pixels, pixels + picture.width * picture.height * 3);
    stbi_image_free(pixels);
    return true;
}

void put(std::vector<std::uint8_t>& icon, int x, int y, const std::uint8_t* rgb, float alpha) {
    std::uint8_t* p = &icon[(static_cast<std::size_t>(y) * kIconSize + x) * kChannels];
    for (int c = 0; c < 3; ++c) {
        p[c] = static_cast<std::uint8_t>(std::lround(p[c] * (1.0f - alpha) + rgb[c] * alpha));
    }
    p[3] = 255;
}

// The brick texture over one brick's cell, or nothing in the mortar between cells.
bool brickTexel(const Picture& brick, int x, int y, const std::uint8_t*& texel) {
    if (y < kWallTop) return false;
    const int row = (y - kWallTop) / (kBrickHeight + kMortar);
    const int inRow = (y - kWallTop) % (kBrickHeight + kMortar);
    const int shifted = x + (row % 2) * (kBrickWidth / 2);
    const int inBrick = shifted % (kBrickWidth + kMortar);
    if (inRow >= kBrickHeight || inBrick >= kBrickWidth) return false;
    texel = brick.at(inBrick * brick.width / kBrickWidth, inRow * brick.height / kBrickHeight);
    return true;
}

}  // namespace

bool writeIcon(const std::string& texturesDir, const std::string& path) {
    Picture wall;
    Picture brick;
    Picture bullet;
    if (!load(texturesDir + "/wall.tga", wall) || !load(texturesDir + "/brick.tga", brick) ||
        !load(texturesDir + "/bullet.tga", bullet)) {
        return false;
    }
    std::vector<std::uint8_t> icon(kIconSize * kIconSize * kChannels, 0);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            put(icon, x, y, wall.at(x, y), 1.0f);
            const std::uint8_t* texel = nullptr;
            if (brickTexel(brick, x, y, texel)) put(icon, x, y, texel, 1.0f);
            const float distance = std::hypot(x - kBulletX, y - kBulletY);
            const std::uint8_t* plasma = bullet.at(x, y);
            if (distance < kBulletRadius) {
                put(icon, x, y, plasma, 1.0f);
            } else if (distance < kGlowRadius) {
                const float fade =
                    1.0f - (distance - kBulletRadius) / (kGlowRadius - kBulletRadius);
                put(icon, x, y, plasma, 0.8f * fade * fade);
            }
        }
    }
    return stbi_write_png(path.c_str(), kIconSize, kIconSize, kChannels, icon.data(),
                          kIconSize * kChannels) != 0;
}

}  // namespace MediaGen
