#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>
#include <vector>

#include "render/OverlayLayout.h"
#include "render/Viewport.h"

class Texture;

// Screen-aligned text from a 16 x 16 glyph atlas, in an overlay space whose origin is the
// bottom-left corner; a position names a glyph cell's lower-left corner, size its width and height.
class Text2D {
public:
    // The glyph atlas is the caller's; the overlay only samples it.
    explicit Text2D(Texture* fontAtlas);

    void init();
    // Drawn into the overlay area when one is set (the frame loop sets it every frame), else into
    // the current viewport.
    void print(const char* text, int x, int y, int size);
    // Where the overlay layout placed it: its area, on its backdrop where it has one.
    void print(const char* text, const GLUtils::PlacedText& placed);
    void setArea(const GLUtils::Viewport& overlay) { area = overlay; }
    // A rectangle of one colour blended over what is drawn, in pixels of the framebuffer.
    void fill(const GLUtils::Viewport& pixels, const glm::vec4& colour);
    void cleanup();

    // Six corners and six texture coordinates per character, a line feed's own quad included.
    // The outputs are cleared first, keeping their capacity.
    static void layout(const char* text, int x, int y, int size, std::vector<glm::vec2>& vertices,
                       std::vector<glm::vec2>& uvs);

    Texture* font = nullptr;
    GLuint vertexBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint programId = 0;
    GLint samplerLocation = -1;

private:
    void upload(GLuint buffer, const std::vector<glm::vec2>& data, std::size_t& capacityBytes);
    // The rectangle in overlay units, mapped onto the pixels within.
    void fill(const GLUtils::UnitRect& rect, const GLUtils::Viewport& within,
              const glm::vec4& colour);

    // The panel behind an overlay: its program, its colour's place and its two triangles.
    GLuint backdropProgram = 0;
    GLint backdropColourLocation = -1;
    GLuint backdropBuffer = 0;

    // Kept between frames so the per-frame rebuild reuses memory on both sides.
    std::vector<glm::vec2> vertices;
    std::vector<glm::vec2> uvs;
    std::size_t vertexCapacityBytes = 0;
    std::size_t uvCapacityBytes = 0;
    GLUtils::Viewport area;
};
