#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "input/Camera.h"
#include "objects/ModelBatch.h"
#include "render/Model.h"
#include "render/RenderContext.h"
#include "render/Shader.h"
#include "render/Texture.h"
#include "tests/support/GlContext.h"

namespace {

constexpr int kSize = 128;

class ModelBatchTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        createModelBuffers();
        brickTexture.createGL();
        shader.init();
        RenderContext::instance()->setShader(&shader);
        RenderContext::instance()->setCamera(&camera);
        camera.setAspectRatio(1.0f);
        camera.view.update();
        glViewport(0, 0, kSize, kSize);
        glEnable(GL_DEPTH_TEST);
    }
    void TearDown() override {
        shader.destroy();
        brickTexture.releaseGL();
        deleteModelBuffers();
        glDeleteVertexArrays(1, &vertexArray);
    }
    std::vector<unsigned char> drawn(void (*draw)(std::vector<Geo::GeoObjTextured*>&,
                                                  Geo::ModelBatch&),
                                     std::vector<Geo::GeoObjTextured*>& objects) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        shader.use();
        shader.setLights();
        shader.setCameraPosition();
        draw(objects, batch);
        std::vector<unsigned char> pixels(kSize * kSize * 4);
        glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    GLuint vertexArray = 0;
    Shaders::AmbDifSpecShader shader;
    Camera camera;
    Geo::ModelBatch batch;
};

}  // namespace

// The bricks drawn in one instanced call give the very pixels they give drawn one by one, the
// overlapping ones and the hidden one included.
TEST_F(ModelBatchTest, OneCallDrawsWhatSeparateDrawsDraw) {
    std::vector<std::unique_ptr<Geo::GeoObjTextured>> owned;
    std::vector<Geo::GeoObjTextured*> objects;
    for (const glm::vec3& at : {glm::vec3(-0.5f, 0.0f, 1.0f), glm::vec3(0.3f, 0.2f, 1.5f),
                                glm::vec3(0.0f, -1.0f, 0.0f)}) {
        owned.push_back(std::make_unique<Geo::GeoObjTextured>(&brickModel, &brickTexture));
        owned.back()->setPosition(at);
        objects.push_back(owned.back().get());
    }
    owned[2]->visible = false;
    batch.createGL();
    const auto one = drawn(
        [](std::vector<Geo::GeoObjTextured*>& all, Geo::ModelBatch&) {
            for (Geo::GeoObjTextured* object : all) object->draw();
        },
        objects);
    const auto together = drawn(
        [](std::vector<Geo::GeoObjTextured*>& all, Geo::ModelBatch& batch) { batch.draw(all); },
        objects);
    batch.releaseGL();
    for (auto& object : owned) object->releaseGL();
    int lit = 0;
    for (std::size_t i = 0; i < one.size(); i += 4) lit += one[i] + one[i + 1] + one[i + 2] > 0;
    EXPECT_GT(lit, kSize * kSize / 20) << "too few bricks in view to tell";
    EXPECT_TRUE(one == together);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
