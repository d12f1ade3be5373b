#include "core/IMatrices.h"

#include <glm/gtc/matrix_transform.hpp>

namespace Geo::Data {

void IMatrices::setPosition(glm::vec3 p) {
    modelMatrix[3][0] = p.x;
    modelMatrix[3][1] = p.y;
    modelMatrix[3][2] = p.z;
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
