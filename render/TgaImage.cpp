#include "render/TgaImage.h"

#include <stb_image.h>

#include <climits>
#include <fstream>
#include <iterator>

namespace GLUtils {
namespace {

constexpr int kRgbaChannels = 4;
// Far beyond any texture of the game; a damaged header claiming more must not make a tiny file
// allocate gigabytes and decode for a minute.
constexpr long long kMaxPixels = 4096LL * 4096LL;

constexpr std::size_t kTgaHeaderSize = 18;
constexpr int kTgaUncompressedMapped = 1;
constexpr int kTgaUncompressedGrey = 3;

std::size_t readLe16(const std::uint8_t* p) {
    return p[0] | (static_cast<std::size_t>(p[1]) << 8);
}
std::size_t bytesFor(std::size_t bits) {
    return (bits + 7) / 8;
}

// Uncompressed pixel data must be whole: the decoder would fill a cut-off file's missing pixels
// instead of failing.
bool isTruncatedUncompressedTga(const std::uint8_t* d, std::size_t size) {
    if (size < kTgaHeaderSize) return false;
    const int type = d[2];
    if (type < kTgaUncompressedMapped || type > kTgaUncompressedGrey) return false;
    const std::size_t idLength = d[0];
    const std::size_t mapBytes = d[1] ? readLe16(d + 5) * bytesFor(d[7]) : 0;
    const std::size_t pixelBytes = readLe16(d + 12) * readLe16(d + 14) * bytesFor(d[16]);
    return size < kTgaHeaderSize + idLength + mapBytes + pixelBytes;
}

bool isAcceptable(const std::uint8_t* data, std::size_t size) {
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels)) {
        return false;
    }
    if (static_cast<long long>(width) * height > kMaxPixels) return false;
    return !isTruncatedUncompressedTga(data, size);
}

}  // namespace

TgaImage readTga(const char* path) {
    if (!path) return {};
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    return decodeTga(bytes.data(), bytes.size());
}

TgaImage decodeTga(const std::uint8_t* data, std::size_t size) {
    TgaImage image;
    if (!data || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return image;
    if (!isAcceptable(data, size)) return image;
    int width = 0;
    int height = 0;
    int channels = 0;
    // stb delivers the top row first whatever the file's origin; flipping gives the bottom row
    // first.
    stbi_set_flip_vertically_on_load(1);
    stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height,
                                            &channels, kRgbaChannels);
    if (!pixels) return image;
    image.width = width;
    image.height = height;
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kRgbaChannels;
    image.pixels.assign(pixels, pixels + bytes);
    stbi_image_free(pixels);
    return image;
}

}  // namespace GLUtils
