#pragma once

#include <glm/glm.hpp>
#include <istream>
#include <vector>

namespace GLUtils {

// Reads the OBJ subset the game's models use: "v", "vt", "vn" and triangular faces of full
// position/uv/normal triples, expanded to one entry per triangle corner. Outputs are appended to.
// True when the file held a face line. Faces with an index of 0, a negative one or one beyond the
// entries read so far are skipped; a missing number reads as 0.
bool readObjFile(const char* path, std::vector<glm::vec3>& positions, std::vector<glm::vec2>& uvs,
                 std::vector<glm::vec3>& normals);
bool readObjStream(std::istream& stream, std::vector<glm::vec3>& positions,
                   std::vector<glm::vec2>& uvs, std::vector<glm::vec3>& normals);

}  // namespace GLUtils
