#pragma once

#include <cstdint>
#include <vector>

namespace GLUtils {

// A decoded picture as RGBA bytes, bottom row first (the texture origin is the lower-left corner).
struct TgaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    bool empty() const { return pixels.empty(); }
};

// Reads an uncompressed or RLE TGA of 24 or 32 bits, either origin. Empty on any failure.
TgaImage readTga(const char* path);
// The same from bytes already in memory.
TgaImage decodeTga(const std::uint8_t* data, std::size_t size);

}  // namespace GLUtils
