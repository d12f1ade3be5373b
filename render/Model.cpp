#include "render/Model.h"

#include "render/ObjLoader.h"
#include "render/VertexIndexer.h"

namespace {

template <typename T>
GLuint createFilledBuffer(GLenum target, const std::vector<T>& data) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(data.size() * sizeof(T)),
                 data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
    return buffer;
}

}  // namespace

Model::Model(const std::string& path) {
    std::vector<glm::vec3> verts;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> vnormals;
    GLUtils::readObjFile(path.c_str(), verts, uvs, vnormals);
    GLUtils::buildIndexedArrays(verts, uvs, vnormals, indices, indexedVertices, indexedUvs,
                                indexedNormals);
}

void Model::createGL() {
    vertexBuffer = createFilledBuffer(GL_ARRAY_BUFFER, indexedVertices);
    uvBuffer = createFilledBuffer(GL_ARRAY_BUFFER, indexedUvs);
    normalBuffer = createFilledBuffer(GL_ARRAY_BUFFER, indexedNormals);
    elementBuffer = createFilledBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
}

void Model::releaseGL() {
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &uvBuffer);
    glDeleteBuffers(1, &normalBuffer);
    glDeleteBuffers(1, &elementBuffer);
}

// Defined in one translation unit so they are read in this order before main.
Model brickModel("media/models/brick.obj");
Model cubeModel("media/models/cube.obj");
Model sphereModel("media/models/sphere.obj");

void createModelBuffers() {
    brickModel.createGL();
    cubeModel.createGL();
    sphereModel.createGL();
}

void deleteModelBuffers() {
    brickModel.releaseGL();
    cubeModel.releaseGL();
    sphereModel.releaseGL();
}
