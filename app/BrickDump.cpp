#include "app/BrickDump.h"

#include <cerrno>
#include <cstring>

#include "core/LineReader.h"
#include "core/Messages.h"
#include "platform/RegularFile.h"
#include "scene/BrickWallScene.h"

void printBricks(std::FILE* out, const BrickWallScene& scene, int frame) {
    for (std::size_t i = 0; i < scene.bricks.size(); ++i) {
        const Geo::Brick& brick = scene.bricks[i];
        const glm::vec3 p = brick.getPosition();
        std::fprintf(out, "%d,%d,%.6f,%.6f,%.6f,%d\n", frame, static_cast<int>(i), p.x, p.y, p.z,
                     brick.asleep ? 1 : 0);
    }
}

bool writeBrickDump(const std::string& path, const BrickWallScene& scene, int frame) {
    std::string why;
    std::FILE* out = Platform::openForWriting(path, why);
    if (out) {
        std::fputs(kBrickCsvHeader, out);
        printBricks(out, scene, frame);
        // Buffered writes fail late: the error shows at the latest when the file is closed.
        const bool failed = std::ferror(out) != 0;
        if (std::fclose(out) != 0 || failed) why = std::strerror(errno);
    }
    if (why.empty()) return true;
    Messages::say("cannot write the bricks to " + shownSafely(path) + ": " + why);
    return false;
}
