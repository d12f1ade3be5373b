#include "render/BoxLines.h"

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>

#include "render/RenderContext.h"
#include "render/ShaderLoader.h"

namespace {

constexpr const char* kVertPath = "media/shaders/Lines.vert";
constexpr const char* kFragPath = "media/shaders/Lines.frag";
constexpr int kCorners = 8;
constexpr int kEdges = 12;
// Each edge joins two corners that differ in one axis; a corner's bits say which of min (0) and
// max (1) it takes on x, y and z.
constexpr int kEdgeCorners[kEdges][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                         {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
constexpr GLsizei kStride = 2 * sizeof(glm::vec3);
// A vertex is its position followed by its colour.
constexpr GLsizei kValuesPerVertex = 2;

glm::vec3 corner(const BoxLines::Box& box, int bits) {
    return {(bits & 1) ? box.max.x : box.min.x, (bits & 2) ? box.max.y : box.min.y,
            (bits & 4) ? box.max.z : box.min.z};
}

// A dash and the gap after it, in world units: a brick's edge shows a few of each.
constexpr float kDash = 0.08f;
constexpr float kDashGap = 0.06f;

void addSegment(glm::vec3 from, glm::vec3 to, glm::vec3 colour, std::vector<glm::vec3>& out) {
    out.push_back(from);
    out.push_back(colour);
    out.push_back(to);
    out.push_back(colour);
}

void addEdge(glm::vec3 from, glm::vec3 to, const BoxLines::Box& box, std::vector<glm::vec3>& out) {
    const float length = glm::length(to - from);
    if (!box.dashed || length <= kDash) {
        addSegment(from, to, box.colour, out);
        return;
    }
    const glm::vec3 along = (to - from) / length;
    for (float at = 0.0f; at < length; at += kDash + kDashGap) {
        addSegment(from + along * at, from + along * std::min(at + kDash, length), box.colour, out);
    }
}

}  // namespace

void BoxLines::init() {
    if (!RenderContext::instance()->isDrawing()) return;
    glGenBuffers(1, &buffer);
    programId = GLUtils::loadShaderProgram(kVertPath, kFragPath);
    if (programId != 0) viewProjectionLocation = glGetUniformLocation(programId, "VP");
}

void BoxLines::layout(const std::vector<Box>& boxes, std::vector<glm::vec3>& out) {
    out.clear();
    for (const Box& box : boxes) {
        glm::vec3 corners[kCorners];
        for (int bits = 0; bits < kCorners; ++bits) corners[bits] = corner(box, bits);
        for (const auto& edge : kEdgeCorners) {
            addEdge(corners[edge[0]], corners[edge[1]], box, out);
        }
    }
}

void BoxLines::draw(const std::vector<Box>& boxes, const glm::mat4& viewProjection) {
    // Without its program the boxes are left out rather than drawn with whatever is current.
    if (programId == 0) return;
    layout(boxes, vertices);
    if (vertices.empty()) return;
    const std::size_t bytes = vertices.size() * sizeof(glm::vec3);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    if (bytes <= capacityBytes) {
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), vertices.data());
    } else {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), vertices.data(),
                     GL_DYNAMIC_DRAW);
        capacityBytes = bytes;
    }
    glUseProgram(programId);
    glUniformMatrix4fv(viewProjectionLocation, 1, GL_FALSE, glm::value_ptr(viewProjection));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kStride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<const void*>(sizeof(glm::vec3)));
    // Every box shows, also behind a wall or another brick.
    glDisable(GL_DEPTH_TEST);
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(vertices.size() / kValuesPerVertex));
    glEnable(GL_DEPTH_TEST);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
}

void BoxLines::cleanup() {
    if (!RenderContext::instance()->isDrawing()) return;
    glDeleteBuffers(1, &buffer);
    glDeleteProgram(programId);
    buffer = 0;
    programId = 0;
    capacityBytes = 0;
}
