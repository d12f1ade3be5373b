#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>
#include <string>
#include <vector>

// An indexed mesh read from an OBJ file at construction (no GL call, so it can be a static object)
// and uploaded to four GPU buffers once the context exists. A missing file gives an empty model.
class Model {
public:
    explicit Model(const std::string& path);

    // The four GPU buffers; every owner of GL objects makes them in createGL (or init) and
    // frees them in releaseGL.
    void createGL();
    void releaseGL();

    std::vector<glm::vec3> indexedVertices;
    std::vector<glm::vec2> indexedUvs;
    std::vector<glm::vec3> indexedNormals;
    GLuint vertexBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint elementBuffer = 0;
    std::vector<unsigned short> indices;
};

extern Model brickModel;
extern Model cubeModel;
extern Model sphereModel;

void createModelBuffers();
void deleteModelBuffers();
