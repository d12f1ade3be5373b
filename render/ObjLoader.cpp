#include "render/ObjLoader.h"

#include <cfloat>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace GLUtils {
namespace {

// Longer lines end the reading after their first kLineCapacity - 1 characters.
constexpr std::streamsize kLineCapacity = 256;
constexpr int kCornersPerFace = 3;

struct FaceCorner {
    long position = 0;
    long uv = 0;
    long normal = 0;
};

// Keeps out-of-range numbers finite-or-infinite instead of undefined when narrowed.
float toFloat(const char* text) {
    const double value = std::strtod(text, nullptr);
    if (value > FLT_MAX) return HUGE_VALF;
    if (value < -FLT_MAX) return -HUGE_VALF;
    return static_cast<float>(value);
}

long toIndex(const char* text) {
    return std::strtol(text, nullptr, 10);
}

// x at text, y after the first separator, z after the second; missing separators read as 0.
glm::vec3 parseVec3(const char* text, char separator) {
    const char* s1 = std::strchr(text, separator);
    const char* s2 = s1 ? std::strchr(s1 + 1, separator) : nullptr;
    return glm::vec3(toFloat(text), s1 ? toFloat(s1 + 1) : 0.0f, s2 ? toFloat(s2 + 1) : 0.0f);
}

glm::vec2 parseVec2(const char* text, char separator) {
    const char* s1 = std::strchr(text, separator);
    return glm::vec2(toFloat(text), s1 ? toFloat(s1 + 1) : 0.0f);
}

// Returns where the next corner starts, or null when no blank follows this one.
const char* parseFaceCorner(const char* text, char separator, FaceCorner& corner) {
    const char* s1 = std::strchr(text, separator);
    const char* s2 = s1 ? std::strchr(s1 + 1, separator) : nullptr;
    corner.position = toIndex(text);
    corner.uv = s1 ? toIndex(s1 + 1) : 0;
    corner.normal = s2 ? toIndex(s2 + 1) : 0;
    const char* blank = std::strchr(text, ' ');
    return blank ? blank + 1 : nullptr;
}

// OBJ indices are 1-based and may only name entries read before the face.
bool isValidIndex(long index, std::size_t count) {
    return index >= 1 && static_cast<unsigned long>(index) <= count;
}

struct ObjBuffers {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;

    bool holds(const FaceCorner& c) const {
        return isValidIndex(c.position, positions.size()) && isValidIndex(c.uv, uvs.size()) &&
               isValidIndex(c.normal, normals.size());
    }
};

void readFace(const char* text, const ObjBuffers& temp, std::vector<glm::vec3>& positions,
              std::vector<glm::vec2>& uvs, std::vector<glm::vec3>& normals) {
    FaceCorner corners[kCornersPerFace];
    const char* next = text;
    for (FaceCorner& corner : corners) {
        if (!next) return;
        next = parseFaceCorner(next, '/', corner);
    }
    for (const FaceCorner& corner : corners) {
        if (!temp.holds(corner)) return;
    }
    for (const FaceCorner& corner : corners) {
        positions.push_back(temp.positions[corner.position - 1]);
        uvs.push_back(temp.uvs[corner.uv - 1]);
        normals.push_back(temp.normals[corner.normal - 1]);
    }
}

}  // namespace

bool readObjStream(std::istream& stream, std::vector<glm::vec3>& positions,
                   std::vector<glm::vec2>& uvs, std::vector<glm::vec3>& normals) {
    ObjBuffers temp;
    bool facesSeen = false;
    char buffer[kLineCapacity];
    // Keyword matches anywhere in the line, tested in this order; the first match decides.
    while (stream.good()) {
        buffer[0] = '\0';
        stream.getline(buffer, kLineCapacity);
        const char* match = nullptr;
        if (std::strchr(buffer, '#')) continue;
        if ((match = std::strstr(buffer, "v "))) {
            // A second object's positions: only the first group of faces is read.
            if (facesSeen) break;
            temp.positions.push_back(parseVec3(match + 2, ' '));
        } else if ((match = std::strstr(buffer, "vt "))) {
            temp.uvs.push_back(parseVec2(match + 3, ' '));
        } else if ((match = std::strstr(buffer, "vn "))) {
            temp.normals.push_back(parseVec3(match + 3, ' '));
        } else if ((match = std::strstr(buffer, "f "))) {
            facesSeen = true;
            if (std::strchr(match, '/')) readFace(match + 2, temp, positions, uvs, normals);
        }
    }
    return facesSeen;
}

bool readObjFile(const char* path, std::vector<glm::vec3>& positions, std::vector<glm::vec2>& uvs,
                 std::vector<glm::vec3>& normals) {
    if (!path) return false;
    std::ifstream stream(path);
    return readObjStream(stream, positions, uvs, normals);
}

}  // namespace GLUtils
