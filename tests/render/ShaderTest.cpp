#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "input/Camera.h"
#include "render/RenderContext.h"
#include "render/Shader.h"
#include "render/ShaderLoader.h"
#include "tests/support/GlContext.h"

namespace {

constexpr const char* kVertex =
    "#version 420 core\nlayout(location = 0) in vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); "
    "}\n";
constexpr const char* kFragment =
    "#version 420 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";

class ShaderTest : public GlTest {
protected:
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // GL object names are handed out in sequence and not reused at once: the next program's name
    // tells whether anything was created in between.
    static GLuint nextName() {
        const GLuint probe = glCreateProgram();
        glDeleteProgram(probe);
        return probe;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("kelvarin-shader-" + std::to_string(::getpid()));
    void SetUp() override {
        GlTest::SetUp();
        std::filesystem::create_directories(dir);
    }
};

}  // namespace

TEST_F(ShaderTest, ReadTextPutsALineFeedBeforeEveryLineAndNoneAtTheEnd) {
    EXPECT_EQ(GLUtils::readTextFile(write("three", "one\ntwo\nthree\n").c_str()),
              "\none\ntwo\nthree");
    EXPECT_EQ(GLUtils::readTextFile(write("blank", "\n").c_str()), "\n");
    EXPECT_EQ(GLUtils::readTextFile(write("empty", "").c_str()), "");
    EXPECT_EQ(GLUtils::readTextFile(nullptr), "");
    EXPECT_EQ(GLUtils::readTextFile((dir / "missing").c_str()), "");
    EXPECT_EQ(GLUtils::readTextFile(dir.c_str()), "");
}

TEST_F(ShaderTest, TheCompilerGetsTheTextExactlyAsRead) {
    const std::string source = GLUtils::readTextFile(write("v.vert", kVertex).c_str());
    const GLuint shader = GLUtils::compileShader(GL_VERTEX_SHADER, source);
    GLint length = 0;
    glGetShaderiv(shader, GL_SHADER_SOURCE_LENGTH, &length);
    std::string passed(static_cast<size_t>(length), '\0');
    glGetShaderSource(shader, length, nullptr, passed.data());
    passed.resize(passed.size() - 1);
    EXPECT_EQ(passed, std::string("\n") +
                          "#version 420 core\nlayout(location = 0) in vec3 p;\nvoid main() { "
                          "gl_Position = vec4(p, 1.0); }");
    EXPECT_EQ(GLUtils::reportShaderLog(shader), GL_TRUE);
}

TEST_F(ShaderTest, AnEmptyOrMissingStageCreatesNothing) {
    const std::string vert = write("v.vert", kVertex);
    const std::string frag = write("f.frag", kFragment);
    const std::string empty = write("empty", "");
    const std::string missing = (dir / "missing").string();
    for (const auto& [v, f] : {std::pair{empty, frag}, std::pair{vert, empty},
                               std::pair{missing, frag}, std::pair{vert, missing}}) {
        const GLuint before = nextName();
        testing::internal::CaptureStderr();
        EXPECT_EQ(GLUtils::loadShaderProgram(v.c_str(), f.c_str()), 0u);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(nextName(), before + 1) << v << " + " << f;
    }
}

TEST_F(ShaderTest, AGoodPairLinksAndLeavesOnlyTheProgram) {
    const GLuint program = GLUtils::loadShaderProgram(write("v.vert", kVertex).c_str(),
                                                      write("f.frag", kFragment).c_str());
    ASSERT_NE(program, 0u);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    GLuint shaders[2] = {0, 0};
    GLsizei count = 0;
    glGetAttachedShaders(program, 2, &count, shaders);
    ASSERT_EQ(count, 2);
    GLint flagged = 0;
    glGetShaderiv(shaders[0], GL_DELETE_STATUS, &flagged);
    EXPECT_EQ(flagged, GL_TRUE);
}

// A program that fails is never made current: each case prints its log once under the files'
// names, returns 0 and leaves no shader or program behind.
TEST_F(ShaderTest, AStageThatDoesNotCompileOrAPairThatDoesNotLinkGivesNoProgram) {
    const std::string vert = write("v.vert", kVertex);
    const std::string broken = write("broken.frag", "#version 420 core\nvoid main() { oops }\n");
    // Compiles, but reads an input the vertex stage does not write.
    const std::string unlinked =
        write("unlinked.frag",
              "#version 420 core\nin vec2 uvFromNowhere;\nout vec4 c;\nvoid main() { c = "
              "vec4(uvFromNowhere, 0.0, 1.0); }\n");
    for (const std::string& frag : {broken, unlinked}) {
        const GLuint before = nextName();
        testing::internal::CaptureStderr();
        EXPECT_EQ(GLUtils::loadShaderProgram(vert.c_str(), frag.c_str()), 0u);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find(frag + ":\n"), std::string::npos) << log;
        EXPECT_NE(log.find("error"), std::string::npos) << log;
        EXPECT_EQ(log.back(), '\n');
        for (GLuint name = before; name < before + 3; ++name) {
            EXPECT_FALSE(glIsShader(name) || glIsProgram(name)) << frag << ": " << name;
        }
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(ShaderTest, LitShaderUploadsItsLightDefaults) {
    Camera camera;
    RenderContext::instance()->setCamera(&camera);
    Shaders::AmbDifSpecShader shader;
    shader.init();
    ASSERT_NE(shader.programId, 0u);
    shader.use();
    shader.setLights();
    shader.setLights();
    shader.setCameraPosition();
    const GLuint p = shader.programId;
    GLfloat v[3] = {0, 0, 0};
    glGetUniformfv(p, shader.sharedLightColorLocation, v);
    EXPECT_EQ(glm::vec3(v[0], v[1], v[2]), glm::vec3(1, 1, 1));
    glGetUniformfv(p, shader.ambientIntensityLocation, v);
    EXPECT_FLOAT_EQ(v[0], 0.5f);
    glGetUniformfv(p, shader.diffuseDirLocation, v);
    EXPECT_EQ(glm::vec3(v[0], v[1], v[2]), glm::vec3(0, 1, 0));
    glGetUniformfv(p, shader.diffuseIntensityLocation, v);
    EXPECT_FLOAT_EQ(v[0], 0.75f);
    glGetUniformfv(p, shader.specularMatIntLocation, v);
    EXPECT_FLOAT_EQ(v[0], 0.35f);
    glGetUniformfv(p, shader.specularMatPowerLocation, v);
    EXPECT_FLOAT_EQ(v[0], 0.25f);
    glGetUniformfv(p, shader.cameraPositionLocation, v);
    EXPECT_EQ(glm::vec3(v[0], v[1], v[2]), glm::vec3(0, 0, 5));
    for (GLint location :
         {shader.mLocation, shader.mvLocation, shader.mvpLocation, shader.samplerLocation}) {
        EXPECT_NE(location, -1);
    }
}

TEST_F(ShaderTest, SetMatricesUploadsTheThreeMatrices) {
    Shaders::AmbDifSpecShader shader;
    shader.init();
    shader.use();
    Geo::Data::IMatrices m;
    m.setPosition({1, 2, 3});
    m.mvpMatrix[0][0] = 7.0f;
    shader.setMatrices(m);
    GLfloat uploaded[16];
    glGetUniformfv(shader.programId, shader.mLocation, uploaded);
    EXPECT_EQ(uploaded[12], 1.0f);
    EXPECT_EQ(uploaded[14], 3.0f);
    glGetUniformfv(shader.programId, shader.mvpLocation, uploaded);
    EXPECT_EQ(uploaded[0], 7.0f);
}

TEST_F(ShaderTest, AProgramThatWasNotBuiltIsNeverUsedAndTakesNoUploads) {
    Shaders::AmbDifSpecShader shader;
    std::filesystem::current_path(dir);  // no media/ here
    shader.init();
    EXPECT_EQ(shader.programId, 0u);
    EXPECT_FALSE(shader.isValid());
    EXPECT_EQ(shader.samplerLocation, -1);
    EXPECT_EQ(shader.mvpLocation, -1);
    shader.use();
    shader.setLights();
    shader.setCameraPosition();
    shader.setMatrices(Geo::Data::IMatrices());
    EXPECT_FLOAT_EQ(shader.ambientIntensity, 0.5f);
    // Uploads without a current program would each have been an error.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderDialect, GlslEsGetsItsVersionLineFirstAndADefaultPrecision) {
    const std::string source =
        "\n#version 420 core\n\nlayout(location = 0) in vec3 p;\nvoid main() {}";
    EXPECT_EQ(GLUtils::adaptSource(source, GLUtils::ShaderDialect::Desktop), source);
    EXPECT_EQ(GLUtils::adaptSource(source, GLUtils::ShaderDialect::Es300),
              "#version 300 es\nprecision highp float;\n\nlayout(location = 0) in vec3 p;\n"
              "void main() {}");
    EXPECT_EQ(GLUtils::adaptSource("\nvoid main() {}", GLUtils::ShaderDialect::Es300),
              "\nvoid main() {}");
}
