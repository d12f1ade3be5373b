#include "render/Shader.h"

#include <glm/gtc/type_ptr.hpp>

#include "input/Camera.h"
#include "render/RenderContext.h"
#include "render/ShaderLoader.h"

namespace Shaders {
namespace {

constexpr const char* kVertPath = "media/shaders/Ambient_Diffuse_Spec.vert";
constexpr const char* kFragPath = "media/shaders/Ambient_Diffuse_Spec.frag";

constexpr glm::vec3 kLightColor{1.0f, 1.0f, 1.0f};
constexpr float kAmbientIntensity = 0.5f;
constexpr glm::vec3 kDiffuseDir{0.0f, 1.0f, 0.0f};
constexpr float kDiffuseIntensity = 0.75f;
constexpr float kSpecularMatInt = 0.35f;
constexpr float kSpecularMatPower = 0.25f;

}  // namespace

void Shader::use() {
    if (isValid()) glUseProgram(programId);
}

void Shader::destroy() {
    glDeleteProgram(programId);
}

void Shader::setMatrices(const Geo::Data::IMatrices& matrices) {
    if (!isValid()) return;
    glUniformMatrix4fv(mLocation, 1, GL_FALSE, glm::value_ptr(matrices.modelMatrix));
    glUniformMatrix4fv(mvLocation, 1, GL_FALSE, glm::value_ptr(matrices.modelViewMatrix));
    glUniformMatrix4fv(mvpLocation, 1, GL_FALSE, glm::value_ptr(matrices.mvpMatrix));
}

void AmbDifSpecShader::setInstanced(bool on) {
    glUniform1i(instancedLocation, on ? 1 : 0);
}

AmbDifSpecShader::AmbDifSpecShader() : sharedLightColor(0.0f), diffuseDir(0.0f) {}

void AmbDifSpecShader::init() {
    programId = GLUtils::loadShaderProgram(kVertPath, kFragPath);
    if (isValid()) findLocations();
    ambientEnabled = true;
    diffuseEnabled = true;
    specularEnabled = true;
    sharedLightColor = kLightColor;
    ambientIntensity = kAmbientIntensity;
    diffuseDir = kDiffuseDir;
    diffuseIntensity = kDiffuseIntensity;
    specularMatInt = kSpecularMatInt;
    specularMatPower = kSpecularMatPower;
}

void AmbDifSpecShader::findLocations() {
    mLocation = glGetUniformLocation(programId, "M");
    mvLocation = glGetUniformLocation(programId, "MV");
    mvpLocation = glGetUniformLocation(programId, "MVP");
    samplerLocation = glGetUniformLocation(programId, "myTextureSampler");
    sharedLightColorLocation = glGetUniformLocation(programId, "sharedLightColor");
    ambientIntensityLocation = glGetUniformLocation(programId, "ambientIntensity");
    diffuseDirLocation = glGetUniformLocation(programId, "diffuseDir");
    diffuseIntensityLocation = glGetUniformLocation(programId, "diffuseIntensity");
    specularMatIntLocation = glGetUniformLocation(programId, "specularMatInt");
    specularMatPowerLocation = glGetUniformLocation(programId, "specularMatPower");
    cameraPositionLocation = glGetUniformLocation(programId, "cameraPosition");
    instancedLocation = glGetUniformLocation(programId, "instanced");
}

void AmbDifSpecShader::setLights() {
    if (!isValid()) return;
    if (ambientEnabled) {
        glUniform3f(sharedLightColorLocation, sharedLightColor.x, sharedLightColor.y,
                    sharedLightColor.z);
        glUniform1f(ambientIntensityLocation, ambientIntensity);
    }
    if (diffuseEnabled) {
        glUniform3f(diffuseDirLocation, diffuseDir.x, diffuseDir.y, diffuseDir.z);
        glUniform1f(diffuseIntensityLocation, diffuseIntensity);
    }
    if (specularEnabled) {
        glUniform1f(specularMatIntLocation, specularMatInt);
        glUniform1f(specularMatPowerLocation, specularMatPower);
    }
}

void AmbDifSpecShader::setCameraPosition() {
    if (!isValid()) return;
    const glm::vec3 eye = RenderContext::instance()->getCamera()->view.eyePosition();
    glUniform3f(cameraPositionLocation, eye.x, eye.y, eye.z);
}

}  // namespace Shaders

Shaders::AmbDifSpecShader mainShader;
