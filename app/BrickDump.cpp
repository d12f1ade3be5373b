#include "app/BrickDump.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "scene/BrickWallScene.h"

void printBricks(std::FILE* out, const BrickWallScene& scene, int frame) {
    for (int i = 0; i < BrickWallScene::kBrickCount; ++i) {
        const Geo::Brick& brick = scene.bricks[i];
        const glm::vec3 p = brick.getPosition();
        std::fprintf(out, "%d,%d,%.6f,%.6f,%.6f,%d\n", frame, i, p.x, p.y, p.z,
                     brick.asleep ? 1 : 0);
    }
}

bool writeBrickDump(const std::string& path, const BrickWallScene& scene, int frame) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    bool written = out && std::fputs(kBrickCsvHeader, out) != EOF;
    if (written) printBricks(out, scene, frame);
    if (out) written = std::fclose(out) == 0 && written;
    if (!written) {
        std::cerr << "kelvarin: cannot write the bricks to " << path << ": " << std::strerror(errno)
                  << std::endl;
    }
    return written;
}
