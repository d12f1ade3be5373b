#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "render/TgaImage.h"

namespace {

std::vector<std::uint8_t> fileBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
}

constexpr std::uint8_t kTrueColour = 2;
constexpr std::uint8_t kGrey = 3;

// An uncompressed header for width x height: 24-bit true colour, or 8-bit grey.
std::vector<std::uint8_t> header(int width, int height, std::uint8_t type = kTrueColour) {
    std::vector<std::uint8_t> h(18, 0);
    h[2] = type;
    h[12] = width & 0xFF;
    h[13] = width >> 8;
    h[14] = height & 0xFF;
    h[15] = height >> 8;
    h[16] = type == kGrey ? 8 : 24;
    return h;
}

}  // namespace

TEST(TgaImage, DecodesTheGamesTexturesAsRgbaBottomRowFirst) {
    const GLUtils::TgaImage image = GLUtils::readTga("media/textures/red.tga");
    ASSERT_EQ(image.width, 8);
    ASSERT_EQ(image.pixels.size(), 8u * 8u * 4u);
    EXPECT_GT(image.pixels[0], 200);  // red
    EXPECT_EQ(image.pixels[3], 255);  // opaque
}

TEST(TgaImage, ACompleteUncompressedFileDecodesAndACutOffOneDoesNot) {
    for (const auto& [type, pixelBytes] : {std::pair{kTrueColour, 12}, std::pair{kGrey, 4}}) {
        std::vector<std::uint8_t> file = header(2, 2, type);
        for (int i = 0; i < pixelBytes; ++i) file.push_back(static_cast<std::uint8_t>(i * 20));
        EXPECT_FALSE(GLUtils::decodeTga(file.data(), file.size()).empty()) << int(type);
        file.pop_back();
        EXPECT_TRUE(GLUtils::decodeTga(file.data(), file.size()).empty()) << int(type);
    }
}

TEST(TgaImage, TheImageIdCountsTowardsAWholeFile) {
    // A 4-byte image ID before the pixels: one byte short of the pixels is cut off.
    std::vector<std::uint8_t> file = header(2, 2);
    file[0] = 4;
    for (int i = 0; i < 4; ++i) file.push_back('i');
    for (int i = 0; i < 12; ++i) file.push_back(static_cast<std::uint8_t>(i * 20));
    EXPECT_FALSE(GLUtils::decodeTga(file.data(), file.size()).empty());
    file.pop_back();
    EXPECT_TRUE(GLUtils::decodeTga(file.data(), file.size()).empty());
}

TEST(TgaImage, AHeaderClaimingAHugePictureIsRefused) {
    // Found by fuzzing: 21 bytes of run-length data claiming 4096 x 4325 pixels.
    const std::vector<std::uint8_t> file = {0x02, 0x00, 0x0a, 0x20, 0x00, 0x00, 0x00,
                                            0x00, 0x00, 0x7a, 0x00, 0x10, 0xe5, 0x10,
                                            0xe5, 0xe5, 0x18, 0xc6, 0xff, 0xfd, 0xd4};
    EXPECT_TRUE(GLUtils::decodeTga(file.data(), file.size()).empty());
}

TEST(TgaImage, MissingEmptyAndForeignFilesGiveNothing) {
    EXPECT_TRUE(GLUtils::readTga("media/textures/none.tga").empty());
    EXPECT_TRUE(GLUtils::readTga(nullptr).empty());
    EXPECT_TRUE(GLUtils::decodeTga(nullptr, 0).empty());
    const std::vector<std::uint8_t> obj = fileBytes("media/models/cube.obj");
    EXPECT_TRUE(GLUtils::decodeTga(obj.data(), obj.size()).empty());
}
