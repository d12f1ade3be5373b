#pragma once

#include <glm/glm.hpp>
#include <map>
#include <vector>

namespace GLUtils {

// One triangle corner as the key of the merge: corners merge only when all 32 bytes are equal, so
// there is no tolerance and 0.0 and -0.0 stay apart.
struct PackedVertex {
    glm::vec3 position;
    glm::vec2 uv;
    glm::vec3 normal;

    bool operator<(const PackedVertex& that) const;
};

using VertexToOutIndex = std::map<PackedVertex, unsigned short>;

// 16-bit indices address at most this many vertices per model.
constexpr std::size_t kMaxIndexedVertices = 65536;

bool findPackedVertex(const PackedVertex& packed, const VertexToOutIndex& map,
                      unsigned short& result);

// Merges identical corners into one vertex, in order of first use, with one index per corner.
// Outputs are appended to. Triangles that would need a vertex beyond the 16-bit range are left
// out, with one line on standard error.
void buildIndexedArrays(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                        const std::vector<glm::vec3>& normals, std::vector<unsigned short>& indices,
                        std::vector<glm::vec3>& outPositions, std::vector<glm::vec2>& outUvs,
                        std::vector<glm::vec3>& outNormals);

}  // namespace GLUtils
