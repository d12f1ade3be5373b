#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>
#include <vector>

// Axis-aligned boxes drawn as their twelve edges, each box in a colour of its own, over the scene:
// the testbed's view of the colliders.
class BoxLines {
public:
    struct Box {
        glm::vec3 min;
        glm::vec3 max;
        glm::vec3 colour;
        // Drawn in dashes: what the colour says is also told by the line (asleep), for a player
        // who does not tell the colours apart.
        bool dashed = false;
    };

    void init();
    // In world space, seen through viewProjection; drawn over whatever the scene drew.
    void draw(const std::vector<Box>& boxes, const glm::mat4& viewProjection);
    void cleanup();

    // Two corners for each edge, a position and a colour each, as the lines program reads them.
    static void layout(const std::vector<Box>& boxes, std::vector<glm::vec3>& vertices);

private:
    GLuint buffer = 0;
    GLuint programId = 0;
    GLint viewProjectionLocation = -1;
    std::vector<glm::vec3> vertices;
    std::size_t capacityBytes = 0;
};
