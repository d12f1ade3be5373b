#include "render/Text2D.h"

#include "render/RenderContext.h"
#include "render/ShaderLoader.h"
#include "render/Texture.h"

namespace {

constexpr const char* kVertPath = "media/shaders/Text2D.vert";
constexpr const char* kFragPath = "media/shaders/Text2D.frag";
constexpr const char* kBackdropVertPath = "media/shaders/Backdrop.vert";
constexpr const char* kBackdropFragPath = "media/shaders/Backdrop.frag";
// Black at this opacity under white text: over white it still gives the text more than 4.5 times
// its background's light (WCAG's contrast for text).
constexpr float kBackdropOpacity = 0.8f;
constexpr int kBackdropVertices = 6;

constexpr int kAtlasCells = 16;
constexpr float kCellUv = 1.0f / kAtlasCells;
constexpr char kLineFeed = '\n';
// Lines are a quarter of a cell apart.
constexpr int kLineGapDivisor = 4;

void appendQuad(std::vector<glm::vec2>& out, glm::vec2 upLeft, glm::vec2 upRight,
                glm::vec2 downRight, glm::vec2 downLeft) {
    out.push_back(upLeft);
    out.push_back(downLeft);
    out.push_back(upRight);
    out.push_back(downRight);
    out.push_back(upRight);
    out.push_back(downLeft);
}

}  // namespace

Text2D::Text2D(Texture* fontAtlas) : font(fontAtlas) {}

void Text2D::init() {
    if (!RenderContext::instance()->isDrawing()) return;
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &uvBuffer);
    programId = GLUtils::loadShaderProgram(kVertPath, kFragPath);
    if (programId != 0) samplerLocation = glGetUniformLocation(programId, "myTextureSampler");
    glGenBuffers(1, &backdropBuffer);
    backdropProgram = GLUtils::loadShaderProgram(kBackdropVertPath, kBackdropFragPath);
    if (backdropProgram != 0) {
        backdropColourLocation = glGetUniformLocation(backdropProgram, "backdropColour");
    }
}

void Text2D::layout(const char* text, int x, int y, int size, std::vector<glm::vec2>& vertices,
                    std::vector<glm::vec2>& uvs) {
    vertices.clear();
    uvs.clear();
    int column = 0;
    int yPos = y;
    for (const char* c = text; *c != '\0'; ++c) {
        // Codes of 128 and more are negative here and address cells outside the atlas.
        const auto k = static_cast<signed char>(*c);
        // The column is raised before the character is placed; a line feed is a quad itself.
        if (k == kLineFeed) {
            column = 0;
            yPos -= size + size / kLineGapDivisor;
        } else {
            ++column;
        }
        const auto left = static_cast<float>(x + size * column);
        const auto right = static_cast<float>(x + size * column + size);
        const auto bottom = static_cast<float>(yPos);
        const auto top = static_cast<float>(yPos + size);
        appendQuad(vertices, {left, top}, {right, top}, {right, bottom}, {left, bottom});

        const float uvx = static_cast<float>(k % kAtlasCells) / kAtlasCells;
        const float vTop = static_cast<float>(k / kAtlasCells) / kAtlasCells;
        appendQuad(uvs, {uvx, 1.0f - vTop}, {uvx + kCellUv, 1.0f - vTop},
                   {uvx + kCellUv, 1.0f - (vTop + kCellUv)}, {uvx, 1.0f - (vTop + kCellUv)});
    }
}

void Text2D::upload(GLuint buffer, const std::vector<glm::vec2>& data, std::size_t& capacityBytes) {
    const std::size_t bytes = data.size() * sizeof(glm::vec2);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    if (bytes <= capacityBytes) {
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), data.data());
    } else {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data.data(), GL_STATIC_DRAW);
        capacityBytes = bytes;
    }
}

void Text2D::print(const char* text, int x, int y, int size) {
    // Without its program the overlay is left out rather than drawn with whatever is current.
    if (programId == 0) return;
    layout(text, x, y, size, vertices, uvs);
    if (vertices.empty()) return;
    upload(vertexBuffer, vertices, vertexCapacityBytes);
    upload(uvBuffer, uvs, uvCapacityBytes);

    glUseProgram(programId);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, font->id);
    glUniform1i(samplerLocation, 0);

    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(1);
    glBindBuffer(GL_ARRAY_BUFFER, uvBuffer);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);

    if (area.width > 0 && area.height > 0) glViewport(area.x, area.y, area.width, area.height);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glDisable(GL_BLEND);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
}

void Text2D::print(const char* text, const GLUtils::PlacedText& placed) {
    if (placed.visibleLines <= 0) return;
    // Without an area of its own it is drawn in the overlay's.
    if (placed.area.width > 0) setArea(placed.area);
    if (placed.backdrop) {
        fill(placed.backdropUnits, area, glm::vec4(0.0f, 0.0f, 0.0f, kBackdropOpacity));
    }
    print(text, placed.x, placed.y, placed.size);
}

// Two triangles, blended over the scene.
void Text2D::fill(const GLUtils::Viewport& pixels, const glm::vec4& colour) {
    fill({0, 0, GLUtils::kOverlayUnitsWide, GLUtils::kOverlayUnitsHigh}, pixels, colour);
    // What draws next in the overlay finds its area as the frame loop set it.
    if (area.width > 0 && area.height > 0) glViewport(area.x, area.y, area.width, area.height);
}

void Text2D::fill(const GLUtils::UnitRect& rect, const GLUtils::Viewport& within,
                  const glm::vec4& colour) {
    if (backdropProgram == 0) return;
    const float left = static_cast<float>(rect.left);
    const float right = static_cast<float>(rect.right);
    const float bottom = static_cast<float>(rect.bottom);
    const float top = static_cast<float>(rect.top);
    const glm::vec2 corners[kBackdropVertices] = {{left, top},     {left, bottom}, {right, top},
                                                  {right, bottom}, {right, top},   {left, bottom}};
    glBindBuffer(GL_ARRAY_BUFFER, backdropBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STREAM_DRAW);
    glUseProgram(backdropProgram);
    glUniform4f(backdropColourLocation, colour.r, colour.g, colour.b, colour.a);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glViewport(within.x, within.y, within.width, within.height);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The text comes at the same depth afterwards: the panel leaves the depth as it is.
    glDepthMask(GL_FALSE);
    glDrawArrays(GL_TRIANGLES, 0, kBackdropVertices);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisableVertexAttribArray(0);
}

void Text2D::cleanup() {
    if (!RenderContext::instance()->isDrawing()) return;
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &uvBuffer);
    glDeleteProgram(programId);
    glDeleteBuffers(1, &backdropBuffer);
    glDeleteProgram(backdropProgram);
}
