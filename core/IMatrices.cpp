#include "core/IMatrices.h"

#include <glm/gtc/matrix_transform.hpp>

namespace Geo::Data {

void IMatrices::setPosition(glm::vec3 p) {
    modelMatrix[3][0] = p.x;
    modelMatrix[3][1] = p.y;
    modelMatrix[3][2] = p.z;
}

void IMatrices::translate(glm::vec3 v) {
    // glm::translate's own sum, to the bit, written into the matrix's last column only: a copy of
    // the whole matrix there and back cost more than the sum on every step of every moving object.
    glm::mat4& m = modelMatrix;
    m[3] = m[0] * v[0] + m[1] * v[1] + m[2] * v[2] + m[3];
}

void IMatrices::setScale(glm::vec3 s) {
    modelMatrix[0][0] = s.x;
    modelMatrix[1][1] = s.y;
    modelMatrix[2][2] = s.z;
}

void IMatrices::scale(glm::vec3 s) {
    modelMatrix = glm::scale(modelMatrix, s);
}

glm::vec3 IMatrices::getScale() const {
    return glm::vec3(modelMatrix[0][0], modelMatrix[1][1], modelMatrix[2][2]);
}

}  // namespace Geo::Data
