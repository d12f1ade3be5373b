#include "objects/GeoObjTextured.h"

#include "core/Assert.h"
#include "render/Model.h"
#include "render/RenderContext.h"
#include "render/Shader.h"
#include "render/Texture.h"

namespace Geo {
namespace {

enum AttributeLocation : GLuint { kPosition = 0, kUv = 1, kNormal = 2 };

void bindArray(GLuint location, GLuint buffer, GLint components) {
    glEnableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

}  // namespace

GeoObjTextured::GeoObjTextured(Model* model, Texture* texture)
    : vao(0), model(model), texture(texture), visible(true) {
    KELVARIN_ASSERT(model && texture);
    if (!RenderContext::instance()->isDrawing()) return;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
}

void GeoObjTextured::draw() {
    Shaders::AmbDifSpecShader* shader = RenderContext::instance()->getShader();
    // A model without faces has nothing to draw; a lit program that failed to build draws nothing.
    if (!visible || model->indices.empty() || !shader->isValid()) return;
    updateMatrices();
    shader->setMatrices(*this);
    bindTexture(GL_TEXTURE0, shader->getSamplerLocation());
    bindAttributes();
    drawModel();
}

void GeoObjTextured::updateMatrices() {
    RenderContext::instance()->computeMatrices(*this);
}

void GeoObjTextured::setPosition(glm::vec3 p) {
    IMatrices::setPosition(p);
}
void GeoObjTextured::translate(glm::vec3 v) {
    IMatrices::translate(v);
}
void GeoObjTextured::setScale(glm::vec3 s) {
    IMatrices::setScale(s);
}
void GeoObjTextured::scale(glm::vec3 s) {
    IMatrices::scale(s);
}

void GeoObjTextured::bindTexture(GLenum unit, GLint samplerLocation) {
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glUniform1i(samplerLocation, static_cast<GLint>(unit - GL_TEXTURE0));
}

void GeoObjTextured::bindAttributes() {
    // Specified anew on every draw against whichever vertex array object is bound.
    bindArray(kPosition, model->vertexBuffer, 3);
    bindArray(kUv, model->uvBuffer, 2);
    bindArray(kNormal, model->normalBuffer, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model->elementBuffer);
}

void GeoObjTextured::drawModel() {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(model->indices.size()), GL_UNSIGNED_SHORT,
                   nullptr);
    unbindAttributes();
}

void GeoObjTextured::unbindAttributes() {
    glDisableVertexAttribArray(kPosition);
    glDisableVertexAttribArray(kUv);
    glDisableVertexAttribArray(kNormal);
}

void GeoObjTextured::releaseGL() {
    if (vao == 0) return;
    glDeleteVertexArrays(1, &vao);
}

}  // namespace Geo
