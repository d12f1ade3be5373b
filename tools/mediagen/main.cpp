#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "tools/mediagen/MediaGen.h"

namespace {

constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

void printUsage() {
    std::cout
        << "Usage: kelvarin-mediagen [--font FILE] OUTPUT_DIR\n"
           "Writes the game's models, textures, sounds and desktop icon under OUTPUT_DIR/models,\n"
           "OUTPUT_DIR/textures, OUTPUT_DIR/sounds and OUTPUT_DIR/icon. The output is the same\n"
           "on every run.\n";
}

// The desktop's icon, and the two sizes a page installed as an app asks for.
constexpr struct {
    const char* name;
    int size;
} kIcons[] = {{"kelvarin.png", 256}, {"kelvarin-192.png", 192}, {"kelvarin-512.png", 512}};

bool writeIcons(const std::string& out) {
    for (const auto& icon : kIcons) {
        if (!MediaGen::writeIcon(out + "/textures", out + "/icon/" + icon.name, icon.size))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string font = kDefaultFont;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--font") == 0 && i + 1 < argc) {
            font = argv[++i];
        } else {
            out = argv[i];
        }
    }
    if (out.empty()) {
        printUsage();
        return 2;
    }
    for (const char* sub : {"models", "textures", "sounds", "icon"}) {
        std::filesystem::create_directories(std::filesystem::path(out) / sub);
    }
    const bool ok = MediaGen::writeModels(out + "/models") &&
                    MediaGen::writeTextures(out + "/textures", font) &&
                    MediaGen::writeSounds(out + "/sounds") && writeIcons(out);
    if (!ok) {
        std::cerr << "kelvarin-mediagen: could not write the media" << std::endl;
        return 1;
    }
    return 0;
}
