#pragma once

#include <GL/glew.h>

#include <cstddef>
#include <vector>

#include "objects/GeoObjTextured.h"

namespace Geo {

// Objects of one model and texture drawn in one instanced call, each with the matrices it would
// upload when drawn alone, in the order given: the picture is the one separate draws give.
class ModelBatch {
public:
    void createGL();
    void releaseGL();
    // The visible ones of objects, all of the first one's model and texture.
    void draw(const std::vector<GeoObjTextured*>& objects);

private:
    void upload();

    GLuint instanceBuffer = 0;
    std::size_t capacityBytes = 0;
    // M, MV and MVP of each instance, as IMatrices keeps them.
    std::vector<float> matrices;
};

}  // namespace Geo
