#pragma once

// objects/: the drawable and physical objects of a scene. May include: physics (the one folder
// that includes this one back: objects register with it), render, input, core, platform.

#include <GL/glew.h>

#include "core/IMatrices.h"

class Model;
class Texture;

namespace Geo {

// The root of every drawable object: a shared model and texture, drawn with the lit shader and the
// camera's matrices. Placement is the model matrix of the IMatrices base; there is no rotation.
class GeoObjTextured : public Data::IMatrices {
public:
    GeoObjTextured(Model* model, Texture* texture);
    virtual ~GeoObjTextured() = default;
    // Objects are registered by address: a copy would be an object nobody knows of.
    GeoObjTextured(const GeoObjTextured&) = delete;
    GeoObjTextured& operator=(const GeoObjTextured&) = delete;

    virtual void draw();
    virtual void updateMatrices();
    virtual void setPosition(glm::vec3 p);
    virtual void translate(glm::vec3 v);
    virtual void setScale(glm::vec3 s);
    virtual void scale(glm::vec3 s);

    void bindTexture(GLenum unit, GLint samplerLocation);
    void bindAttributes();
    void drawModel();
    void unbindAttributes();
    void releaseGL();

    GLuint vao = 0;
    Model* model = nullptr;
    Texture* texture = nullptr;
    bool visible = true;
};

}  // namespace Geo
