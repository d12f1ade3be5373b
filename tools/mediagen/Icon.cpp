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

// The icon is designed on a square of this many pixels and drawn at any size from it.
constexpr int kDesignSize = 256;
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

struct Canvas {
    int size = 0;
    std::vector<std::uint8_t> rgba;
};

void put(Canvas& icon, int x, int y, const std::uint8_t* rgb, float alpha) {
    std::uint8_t* p = &icon.rgba[(static_cast<std::size_t>(y) * icon.size + x) * kChannels];
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

bool writeIcon(const std::string& texturesDir, const std::string& path, int size) {
    Picture wall;
    Picture brick;
    Picture bullet;
    if (!load(texturesDir + "/wall.tga", wall) || !load(texturesDir + "/brick.tga", brick) ||
        !load(texturesDir + "/bullet.tga", bullet)) {
        return false;
    }
    Canvas icon{size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * kChannels)};
    // Each pixel takes the design's at the same place: the textures' nearest texel, the bullet's
    // edge exact at any size.
    const float designPerPixel = static_cast<float>(kDesignSize) / static_cast<float>(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float designX = x * designPerPixel;
            const float designY = y * designPerPixel;
            const int atX = static_cast<int>(designX);
            const int atY = static_cast<int>(designY);
            put(icon, x, y, wall.at(atX, atY), 1.0f);
            const std::uint8_t* texel = nullptr;
            if (brickTexel(brick, atX, atY, texel)) put(icon, x, y, texel, 1.0f);
            const float distance = std::hypot(designX - kBulletX, designY - kBulletY);
            const std::uint8_t* plasma = bullet.at(atX, atY);
            if (distance < kBulletRadius) {
                put(icon, x, y, plasma, 1.0f);
            } else if (distance < kGlowRadius) {
                const float fade =
                    1.0f - (distance - kBulletRadius) / (kGlowRadius - kBulletRadius);
                put(icon, x, y, plasma, 0.8f * fade * fade);
            }
        }
    }
    return stbi_write_png(path.c_str(), size, size, kChannels, icon.rgba.data(),
                          size * kChannels) != 0;
}

}  // namespace MediaGen
