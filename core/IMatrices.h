#pragma once

#include <glm/glm.hpp>

namespace Geo::Data {

// The matrices that place one drawable thing. The model matrix is edited in place: translation in
// column 3, scale on the diagonal, no rotation. The two products are written by RenderContext.
class IMatrices {
public:
    void setPosition(glm::vec3 p);
    // Applied in the object's own frame: on an object scaled by s it moves by s * v. Inline:
    // every moving object takes it several times a step.
    void translate(glm::vec3 v) {
        // glm::translate's own sum, to the bit, written into the matrix's last column only: a
        // copy of the whole matrix there and back cost more than the sum.
        glm::mat4& m = modelMatrix;
        m[3] = m[0] * v[0] + m[1] * v[1] + m[2] * v[2] + m[3];
    }
    void setScale(glm::vec3 s);
    void scale(glm::vec3 s);
    // Inline: the collision pass asks for every object's position several times a step.
    glm::vec3 getPosition() const { return glm::vec3(modelMatrix[3]); }
    glm::vec3 getScale() const;

    // Uploaded as "M", "MV" and "MVP"; they must stay consecutive in this order.
    glm::mat4 modelMatrix{1.0f};
    glm::mat4 modelViewMatrix{1.0f};
    glm::mat4 mvpMatrix{1.0f};
};

}  // namespace Geo::Data
