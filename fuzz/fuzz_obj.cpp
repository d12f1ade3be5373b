// Any bytes as an OBJ file: reading and indexing must stay inside their arrays.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "render/ObjLoader.h"
#include "render/VertexIndexer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<glm::vec3> positions, normals;
    std::vector<glm::vec2> uvs;
    GLUtils::readObjStream(stream, positions, uvs, normals);
    std::vector<unsigned short> indices;
    std::vector<glm::vec3> outPositions, outNormals;
    std::vector<glm::vec2> outUvs;
    GLUtils::buildIndexedArrays(positions, uvs, normals, indices, outPositions, outUvs, outNormals);
    for (unsigned short index : indices) {
        if (index >= outPositions.size()) __builtin_trap();
    }
    return 0;
}
