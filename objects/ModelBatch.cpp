#include "objects/ModelBatch.h"

#include <glm/gtc/type_ptr.hpp>

#include "core/Assert.h"
#include "render/Model.h"
#include "render/RenderContext.h"
#include "render/Shader.h"

namespace Geo {
namespace {

// The lit program's per-instance M, MV and MVP: four columns each, from this location on.
constexpr GLuint kFirstInstanceLocation = 3;
constexpr int kMatrices = 3;
constexpr int kColumns = 4;
constexpr int kFloatsPerInstance = kMatrices * kColumns * kColumns;
constexpr GLsizei kInstanceStride = kFloatsPerInstance * sizeof(float);

void pointInstanceAttributes(bool on) {
    for (int i = 0; i < kMatrices * kColumns; ++i) {
        const GLuint location = kFirstInstanceLocation + i;
        if (!on) {
            glVertexAttribDivisor(location, 0);
            glDisableVertexAttribArray(location);
            continue;
        }
        glEnableVertexAttribArray(location);
        const std::size_t offset = static_cast<std::size_t>(i) * kColumns * sizeof(float);
        glVertexAttribPointer(location, kColumns, GL_FLOAT, GL_FALSE, kInstanceStride,
                              reinterpret_cast<const void*>(offset));
        glVertexAttribDivisor(location, 1);
    }
}

}  // namespace

void ModelBatch::createGL() {
    glGenBuffers(1, &instanceBuffer);
}

void ModelBatch::releaseGL() {
    // Never made where nothing is drawn, and there no GL call may be made.
    if (instanceBuffer == 0) return;
    glDeleteBuffers(1, &instanceBuffer);
    instanceBuffer = 0;
    capacityBytes = 0;
}

void ModelBatch::draw(const std::vector<GeoObjTextured*>& objects) {
    Shaders::AmbDifSpecShader* shader = RenderContext::instance()->getShader();
    if (objects.empty() || !shader->isValid()) return;
    GeoObjTextured& first = *objects.front();
    if (first.model->indices.empty()) return;
    matrices.clear();
    for (GeoObjTextured* object : objects) {
        KELVARIN_ASSERT(object->model == first.model && object->texture == first.texture);
        if (!object->visible) continue;
        object->updateMatrices();
        for (const glm::mat4* m :
             {&object->modelMatrix, &object->modelViewMatrix, &object->mvpMatrix}) {
            const float* from = glm::value_ptr(*m);
            matrices.insert(matrices.end(), from, from + kColumns * kColumns);
        }
    }
    if (matrices.empty()) return;
    first.bindTexture(GL_TEXTURE0, shader->getSamplerLocation());
    first.bindAttributes();
    upload();
    pointInstanceAttributes(true);
    shader->setInstanced(true);
    glDrawElementsInstanced(GL_TRIANGLES, static_cast<GLsizei>(first.model->indices.size()),
                            GL_UNSIGNED_SHORT, nullptr,
                            static_cast<GLsizei>(matrices.size() / kFloatsPerInstance));
    shader->setInstanced(false);
    pointInstanceAttributes(false);
    first.unbindAttributes();
}

// The buffer grows to the largest batch and is then refilled in place.
void ModelBatch::upload() {
    const std::size_t bytes = matrices.size() * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    if (bytes > capacityBytes) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), matrices.data(),
                     GL_STREAM_DRAW);
        capacityBytes = bytes;
        return;
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), matrices.data());
}

}  // namespace Geo
