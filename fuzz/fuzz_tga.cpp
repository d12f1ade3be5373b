// Any bytes as a texture file, decoded the way the game decodes its TGA files.
#include <cstddef>
#include <cstdint>

#include "render/TgaImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const GLUtils::TgaImage image = GLUtils::decodeTga(data, size);
    if (!image.empty() &&
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4) {
        __builtin_trap();
    }
    return 0;
}
