#include "render/TgaImage.h"

#include <stb_image.h>

#include <climits>

namespace GLUtils {
namespace {

constexpr int kRgbaChannels = 4;

TgaImage fromStb(stbi_uc* data, int width, int height) {
    TgaImage image;
    if (!data) return image;
    image.width = width;
    image.height = height;
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kRgbaChannels;
    image.pixels.assign(data, data + bytes);
    stbi_image_free(data);
    return image;
}

}  // namespace

TgaImage readTga(const char* path) {
    if (!path) return {};
    int width = 0;
    int height = 0;
    int channels = 0;
    // stb delivers the top row first whatever the file's origin; flipping gives the bottom row
    // first.
    stbi_set_flip_vertically_on_load(1);
    stbi_uc* data = stbi_load(path, &width, &height, &channels, kRgbaChannels);
    return fromStb(data, width, height);
}

TgaImage decodeTga(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return {};
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_set_flip_vertically_on_load(1);
    stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height,
                                            &channels, kRgbaChannels);
    return fromStb(pixels, width, height);
}

}  // namespace GLUtils
