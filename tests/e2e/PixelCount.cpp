// Counts the pixels of a screenshot's region that are of a kind: "white" (the help text: every
// channel above 80 %) or "brick" (red above green and blue by more than 15 %).
// Usage: kelvarin_pixel_count PNG WIDTHxHEIGHT+X+Y white|brick
#include <stb_image.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kChannels = 3;
constexpr int kWhiteAbove = 204;
constexpr int kRedAboveBy = 38;

bool isOfKind(const unsigned char* rgb, const char* kind) {
    const int r = rgb[0];
    const int g = rgb[1];
    const int b = rgb[2];
    if (std::strcmp(kind, "white") == 0)
        return r > kWhiteAbove && g > kWhiteAbove && b > kWhiteAbove;
    return r > g + kRedAboveBy && r > b + kRedAboveBy;
}

}  // namespace

int main(int argc, char** argv) {
    int width = 0;
    int height = 0;
    int x0 = 0;
    int y0 = 0;
    if (argc != 4 || std::sscanf(argv[2], "%dx%d+%d+%d", &width, &height, &x0, &y0) != 4) {
        std::fprintf(stderr, "usage: kelvarin_pixel_count PNG WIDTHxHEIGHT+X+Y white|brick\n");
        return 2;
    }
    int imageWidth = 0;
    int imageHeight = 0;
    unsigned char* pixels = stbi_load(argv[1], &imageWidth, &imageHeight, nullptr, kChannels);
    if (!pixels) {
        std::fprintf(stderr, "kelvarin_pixel_count: cannot read %s\n", argv[1]);
        return 2;
    }
    long count = 0;
    for (int y = y0; y < y0 + height && y < imageHeight; ++y) {
        for (int x = x0; x < x0 + width && x < imageWidth; ++x) {
            count +=
                isOfKind(pixels + (static_cast<long>(y) * imageWidth + x) * kChannels, argv[3]);
        }
    }
    stbi_image_free(pixels);
    std::printf("%ld\n", count);
    return 0;
}
