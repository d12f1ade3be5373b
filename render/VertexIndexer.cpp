#include "render/VertexIndexer.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace GLUtils {
namespace {

constexpr std::size_t kCornersPerTriangle = 3;
static_assert(sizeof(PackedVertex) == 8 * sizeof(float), "no padding between the fields");

}  // namespace

bool PackedVertex::operator<(const PackedVertex& that) const {
    return std::memcmp(this, &that, sizeof(PackedVertex)) > 0;
}

bool findPackedVertex(const PackedVertex& packed, const VertexToOutIndex& map,
                      unsigned short& result) {
    const auto it = map.find(packed);
    if (it == map.end()) return false;
    result = it->second;
    return true;
}

void buildIndexedArrays(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                        const std::vector<glm::vec3>& normals, std::vector<unsigned short>& indices,
                        std::vector<glm::vec3>& outPositions, std::vector<glm::vec2>& outUvs,
                        std::vector<glm::vec3>& outNormals) {
    VertexToOutIndex map;
    const std::size_t count = std::min({positions.size(), uvs.size(), normals.size()});
    bool overflowReported = false;
    for (std::size_t first = 0; first < count; first += kCornersPerTriangle) {
        const std::size_t end = std::min(first + kCornersPerTriangle, count);
        std::size_t fresh = 0;
        unsigned short index = 0;
        for (std::size_t i = first; i < end; ++i) {
            if (!findPackedVertex({positions[i], uvs[i], normals[i]}, map, index)) ++fresh;
        }
        if (outPositions.size() + fresh > kMaxIndexedVertices) {
            if (!overflowReported) {
                std::cerr << "Model has more than " << kMaxIndexedVertices
                          << " distinct vertices; the triangles beyond them are left out."
                          << std::endl;
                overflowReported = true;
            }
            continue;
        }
        for (std::size_t i = first; i < end; ++i) {
            const PackedVertex packed{positions[i], uvs[i], normals[i]};
            if (findPackedVertex(packed, map, index)) {
                indices.push_back(index);
                continue;
            }
            outPositions.push_back(positions[i]);
            outUvs.push_back(uvs[i]);
            outNormals.push_back(normals[i]);
            const auto newIndex = static_cast<unsigned short>(outPositions.size() - 1);
            indices.push_back(newIndex);
            map[packed] = newIndex;
        }
    }
}

}  // namespace GLUtils
