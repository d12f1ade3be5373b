#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>

#include "core/IMatrices.h"

namespace Shaders {

// A GPU program with the three per-object matrix uniforms every program of the game has. A program
// that failed to build has the name 0: it is never made current and takes no uploads.
class Shader {
public:
    virtual void init() = 0;
    bool isValid() const { return programId != 0; }
    void use();
    void destroy();
    // Uploads "M", "MV" and "MVP" to the current program.
    void setMatrices(const Geo::Data::IMatrices& matrices);

    GLuint programId = 0;
    GLint mvpLocation = -1;
    GLint mLocation = -1;
    GLint mvLocation = -1;
};

// The lit program: texture colour under ambient, one directional diffuse light and specular.
class AmbDifSpecShader : public Shader {
public:
    AmbDifSpecShader();

    void init() override;
    void setLights();
    // Uploads the eye position of the camera in the RenderContext.
    void setCameraPosition();
    GLint getSamplerLocation() const { return samplerLocation; }
    // The uniform locations of a built program; a failed one keeps them all at -1.
    void findLocations();

    // The matrices come per instance (see Geo::ModelBatch) instead of from "M", "MV" and "MVP".
    void setInstanced(bool on);

    GLint cameraPositionLocation = -1;
    GLint instancedLocation = -1;
    GLint samplerLocation = -1;
    GLint sharedLightColorLocation = -1;
    GLint ambientIntensityLocation = -1;
    GLint diffuseDirLocation = -1;
    GLint diffuseIntensityLocation = -1;
    GLint specularMatIntLocation = -1;
    GLint specularMatPowerLocation = -1;
    bool ambientEnabled = false;
    bool diffuseEnabled = false;
    bool specularEnabled = false;
    glm::vec3 sharedLightColor;
    float ambientIntensity = 0.0f;
    glm::vec3 diffuseDir;
    float diffuseIntensity = 0.0f;
    float specularMatInt = 0.0f;
    float specularMatPower = 0.0f;
};

}  // namespace Shaders

extern Shaders::AmbDifSpecShader mainShader;
