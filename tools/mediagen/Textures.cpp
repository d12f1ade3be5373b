#include <stb_image_write.h>
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/mediagen/MediaGen.h"

namespace MediaGen {
namespace {

struct Rgb {
    float r, g, b;
};

// An image with the top row first, as the TGA writer expects it.
struct Image {
    Image(int w, int h, int c) : width(w), height(h), channels(c), bytes(w * h * c, 0) {}

    void set(int x, int y, Rgb colour, float alpha = 1.0f) {
        std::uint8_t* p = &bytes[(y * width + x) * channels];
        p[0] = toByte(colour.r);
        p[1] = toByte(colour.g);
        p[2] = toByte(colour.b);
        if (channels == 4) p[3] = toByte(alpha);
    }
    bool write(const std::string& path) const {
        return stbi_write_tga(path.c_str(), width, height, channels, bytes.data()) != 0;
    }
    static std::uint8_t toByte(float v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    }

    int width, height, channels;
    std::vector<std::uint8_t> bytes;
};

Rgb scaled(Rgb c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}
Rgb mixed(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

// Value noise on a grid of `cells` per side that wraps, so the texture tiles without seams.
float tiledNoise(float x, float y, int cells, std::uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = smooth(x - x0);
    const float fy = smooth(y - y0);
    auto at = [&](int gx, int gy) {
        return hashNoise(static_cast<std::uint32_t>((gx % cells + cells) % cells),
                         static_cast<std::uint32_t>((gy % cells + cells) % cells), seed);
    };
    const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

// Four octaves of tiled noise in [0, 1]; u and v run over one tile from 0 to 1.
float fractalNoise(float u, float v, int baseCells, std::uint32_t seed) {
    float sum = 0.0f;
    float weight = 0.5f;
    float norm = 0.0f;
    for (int octave = 0, cells = baseCells; octave < 4; ++octave, cells *= 2) {
        sum += weight * tiledNoise(u * cells, v * cells, cells, seed + octave);
        norm += weight;
        weight *= 0.5f;
    }
    return sum / norm;
}

bool writeBrick(const std::string& path) {
    constexpr int kW = 256, kH = 128, kEdge = 6;
    const Rgb base{0.62f, 0.24f, 0.16f};
    const Rgb dark{0.40f, 0.14f, 0.10f};
    Image img(kW, kH, 3);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const float n = fractalNoise(x / float(kW), y / float(kH), 8, 11);
            const float grain = hashNoise(x, y, 12) * 0.12f;
            Rgb c = mixed(dark, base, n * 1.2f);
            const int edge = std::min({x, y, kW - 1 - x, kH - 1 - y});
            // A bevel: the brick's rim is darker, as if its edges were worn.
            if (edge < kEdge) c = scaled(c, 0.6f + 0.4f * edge / kEdge);
            img.set(x, y, scaled(c, 0.94f + grain));
        }
    }
    return img.write(path);
}

bool writeBullet(const std::string& path) {
    constexpr int kSize = 64;
    const Rgb core{0.85f, 1.0f, 1.0f};
    const Rgb glow{0.15f, 0.75f, 1.0f};
    Image img(kSize, kSize, 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float u = x / float(kSize);
            const float v = y / float(kSize);
            // Swirling bands of plasma over a bright core colour.
            const float swirl = 0.5f + 0.5f * std::sin(6.2831853f * (3.0f * u + 2.0f * v) +
                                                       4.0f * fractalNoise(u, v, 4, 21));
            img.set(x, y, mixed(glow, core, swirl));
        }
    }
    return img.write(path);
}

bool writeFloor(const std::string& path) {
    constexpr int kSize = 128, kTile = 64, kGrout = 3;
    const Rgb light{0.50f, 0.47f, 0.42f};
    const Rgb darkTile{0.36f, 0.33f, 0.29f};
    const Rgb grout{0.25f, 0.24f, 0.22f};
    Image img(kSize, kSize, 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool checker = ((x / kTile) + (y / kTile)) % 2 == 0;
            const float n = fractalNoise(x / float(kSize), y / float(kSize), 4, 31);
            Rgb c = scaled(checker ? light : darkTile, 0.85f + 0.3f * n);
            if (x % kTile < kGrout || y % kTile < kGrout) c = grout;
            img.set(x, y, c);
        }
    }
    return img.write(path);
}

bool writeWall(const std::string& path) {
    constexpr int kSize = 128, kBlockW = 64, kBlockH = 32, kMortar = 2;
    const Rgb stone{0.55f, 0.57f, 0.62f};
    const Rgb mortar{0.30f, 0.30f, 0.32f};
    Image img(kSize, kSize, 3);
    for (int y = 0; y < kSize; ++y) {
        const int row = y / kBlockH;
        // Every other course is shifted by half a block, as masons lay them.
        const int shift = (row % 2) * (kBlockW / 2);
        for (int x = 0; x < kSize; ++x) {
            const int bx = (x + shift) % kSize;
            const int block = bx / kBlockW + row * 2;
            const float tint = 0.85f + 0.25f * hashNoise(block, row, 41);
            const float n = fractalNoise(x / float(kSize), y / float(kSize), 8, 42);
            Rgb c = scaled(stone, tint * (0.8f + 0.35f * n));
            if (bx % kBlockW < kMortar || y % kBlockH < kMortar) c = mortar;
            img.set(x, y, c);
        }
    }
    return img.write(path);
}

bool writeSky(const std::string& path) {
    constexpr int kSize = 128;
    const Rgb blue{0.30f, 0.52f, 0.86f};
    const Rgb cloud{0.96f, 0.97f, 1.0f};
    Image img(kSize, kSize, 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float n = fractalNoise(x / float(kSize), y / float(kSize), 4, 51);
            const float cover = std::clamp((n - 0.45f) * 2.5f, 0.0f, 1.0f);
            img.set(x, y, mixed(blue, cloud, smooth(cover)));
        }
    }
    return img.write(path);
}

bool writePlain(const std::string& path, Rgb colour) {
    constexpr int kSize = 8;
    Image img(kSize, kSize, 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) img.set(x, y, colour);
    }
    return img.write(path);
}

// A 16 x 16 atlas: the character with code k in column k mod 16, row k div 16 from the top.
// White glyphs on transparent alpha; control codes and the blank leave their cells empty.
bool writeFont(const std::string& path, const std::string& fontPath) {
    constexpr int kCells = 16, kCell = 32, kSize = kCells * kCell;
    constexpr float kPixelHeight = 30.0f;
    constexpr int kFirstPrintable = 33, kLastPrintable = 126;
    std::ifstream file(fontPath, std::ios::binary);
    const std::vector<unsigned char> ttf((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
    stbtt_fontinfo font;
    if (ttf.empty() ||
        !stbtt_InitFont(&font, ttf.data(), stbtt_GetFontOffsetForIndex(ttf.data(), 0)))
        return false;
    const float scale = stbtt_ScaleForPixelHeight(&font, kPixelHeight);
    int ascent = 0, descent = 0, lineGap = 0;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &lineGap);
    const int baseline = static_cast<int>(std::lround(ascent * scale)) + 1;

    Image img(kSize, kSize, 4);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) img.set(x, y, {1, 1, 1}, 0.0f);
    }
    for (int code = kFirstPrintable; code <= kLastPrintable; ++code) {
        int w = 0, h = 0, xoff = 0, yoff = 0, advance = 0, bearing = 0;
        unsigned char* glyph =
            stbtt_GetCodepointBitmap(&font, 0, scale, code, &w, &h, &xoff, &yoff);
        stbtt_GetCodepointHMetrics(&font, code, &advance, &bearing);
        const int cellX = (code % kCells) * kCell;
        const int cellY = (code / kCells) * kCell;
        const int left = (kCell - static_cast<int>(std::lround(advance * scale))) / 2 + xoff;
        for (int gy = 0; gy < h; ++gy) {
            for (int gx = 0; gx < w; ++gx) {
                const int px = left + gx;
                const int py = baseline + yoff + gy;
                if (px < 0 || py < 0 || px >= kCell || py >= kCell) continue;
                img.set(cellX + px, cellY + py, {1, 1, 1}, glyph[gy * w + gx] / 255.0f);
            }
        }
        stbtt_FreeBitmap(glyph, nullptr);
    }
    return img.write(path);
}

}  // namespace

bool writeTextures(const std::string& dir, const std::string& fontPath) {
    return writeBrick(dir + "/brick.tga") && writeBullet(dir + "/bullet.tga") &&
           writeFont(dir + "/doomFont.tga", fontPath) && writeFloor(dir + "/floor.tga") &&
           writePlain(dir + "/green.tga", {0.1f, 0.75f, 0.2f}) &&
           writePlain(dir + "/red.tga", {0.85f, 0.1f, 0.1f}) && writeSky(dir + "/sky.tga") &&
           writeWall(dir + "/wall.tga");
}

}  // namespace MediaGen
