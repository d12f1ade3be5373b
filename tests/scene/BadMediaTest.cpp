// Broken media that gets past the readers: shaders that do not build and models of degenerate
// geometry, played through the game's real frame step with a shot and a rewind. The driver must
// never report an error, and no brick may end up at a position that is not a number.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "app/GameRun.h"
#include "input/Camera.h"
#include "platform/FakePlatform.h"
#include "render/Model.h"
#include "render/ObjLoader.h"
#include "render/VertexIndexer.h"
#include "rewind/Controller.h"
#include "scene/BrickWallScene.h"

namespace fs = std::filesystem;

namespace {

constexpr double kFrameTime = 1.0 / 60.0;
// Frames smaller than the game's cost the driver far less. The cases that judge the picture take
// them large enough for the help text, which keeps its pixel size, to leave the scene visible
// below it.
constexpr int kSmallWidth = 128;
constexpr int kSmallHeight = 96;
constexpr int kWidth = 480;
constexpr int kHeight = 360;
constexpr int kHelpArea[] = {0, 0, 330, 130};  // x, y from the top, width, height
constexpr int kBelowHelpArea[] = {0, 200, 480, 160};
constexpr int kNearlyNone = 50;

bool isWhite(const std::uint8_t* p) {
    return p[0] > 204 && p[1] > 204 && p[2] > 204;
}

// The clear colour: nothing was drawn there.
bool isClearGrey(const std::uint8_t* p) {
    return std::abs(p[0] - 77) <= 1 && p[0] == p[1] && p[1] == p[2];
}

class BadMediaTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder / "media");
        fs::create_directory_symlink(fs::absolute("media/textures"), folder / "media/textures");
        fs::copy(fs::absolute("media/shaders"), folder / "media/shaders");
    }
    void TearDown() override {
        if (scene) run.finish();
        brickModel = originalBrick;
        fs::remove_all(folder);
    }

    void writeShader(const char* name, const char* text) {
        std::ofstream(folder / "media/shaders" / name, std::ios::binary) << text;
    }
    // The brick model as the game would have read it from this OBJ text, before start-up makes
    // its buffers.
    void useBrickModel(const std::string& obj) {
        std::istringstream in(obj);
        std::vector<glm::vec3> positions;
        std::vector<glm::vec2> uvs;
        std::vector<glm::vec3> normals;
        GLUtils::readObjStream(in, positions, uvs, normals);
        brickModel = Model("");
        GLUtils::buildIndexedArrays(positions, uvs, normals, brickModel.indices,
                                    brickModel.indexedVertices, brickModel.indexedUvs,
                                    brickModel.indexedNormals);
    }
    void start(int width = kSmallWidth, int height = kSmallHeight) {
        fs::current_path(folder);
        Platform::Fake::useRealContext(true);
        Platform::Fake::overrideWindowSize(width, height);
        ASSERT_TRUE(run.start(RunConfig()));
        Platform::Fake::setTimeStepPerSwap(kFrameTime);
        scene = &run.scene();
    }

    // A player's session in 300 frames: the wall settles, a shot, a second of rewind, a shot.
    void play() {
        for (int frame = 1; frame <= 300; ++frame) {
            if (frame == 60) mainCamera.view.angles.x = 57.0f;
            Platform::Fake::setMouseButton(Platform::kMouseButtonLeft,
                                           frame == 100 || frame == 250);
            Platform::Fake::setKey(Platform::kKeySpace, frame >= 150 && frame < 210);
            run.frame();
            for (const Geo::Brick& brick : scene->bricks) {
                const glm::vec3 p = brick.getPosition();
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
                    << "frame " << frame;
            }
        }
        EXPECT_EQ(run.glErrorFrames(), 0);
    }

    // One more frame, read back in its swap, before it is presented.
    void drawAndRead() {
        pixels.assign(kWidth * kHeight * 4, 0);
        Platform::Fake::setSwapHook([this](int) {
            glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        });
        run.frame();
        Platform::Fake::setSwapHook(nullptr);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    template <typename Test>
    int count(const int (&area)[4], Test test) const {
        int n = 0;
        for (int y = area[1]; y < area[1] + area[3]; ++y) {
            for (int x = area[0]; x < area[0] + area[2]; ++x) {
                // OpenGL's rows start at the bottom.
                n += test(&pixels[((kHeight - 1 - y) * kWidth + x) * 4]);
            }
        }
        return n;
    }
    int area(const int (&a)[4]) const { return a[2] * a[3]; }

    fs::path folder = fs::temp_directory_path() / ("kelvarin-badmedia-" + std::to_string(getpid()));
    Model originalBrick = brickModel;
    GameRun run;
    BrickWallScene* scene = nullptr;
    std::vector<std::uint8_t> pixels;
};

constexpr const char* kNoColourFragment = "#version 420 core\nvoid main() {}\n";

}  // namespace

TEST_F(BadMediaTest, ABrokenLitProgramLeavesTheHelpTextAndTheGameGoesOn) {
    // Compiles, but reads an input that the vertex stage does not write: it cannot link.
    writeShader("Ambient_Diffuse_Spec.frag",
                "#version 420 core\nin vec3 neverWritten;\nout vec4 colour;\n"
                "void main() { colour = vec4(neverWritten, 1.0); }\n");
    testing::internal::CaptureStderr();
    ASSERT_NO_FATAL_FAILURE(start(kWidth, kHeight));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("media/shaders/Ambient_Diffuse_Spec.vert + "
                       "media/shaders/Ambient_Diffuse_Spec.frag:\n"),
              std::string::npos)
        << log;
    const float top = scene->bricks[76].getPosition().y;
    ASSERT_NO_FATAL_FAILURE(play());
    EXPECT_LT(scene->bricks[76].getPosition().y, top);
    drawAndRead();
    EXPECT_GT(count(kHelpArea, isWhite), 300);
    EXPECT_EQ(count(kBelowHelpArea, isClearGrey), area(kBelowHelpArea));
}

TEST_F(BadMediaTest, ABrokenTextProgramLeavesTheRoomAndTheBricks) {
    writeShader("Text2D.frag", "#version 420 core\nvoid main() { oops }\n");
    testing::internal::CaptureStderr();
    ASSERT_NO_FATAL_FAILURE(start(kWidth, kHeight));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("media/shaders/Text2D.frag:\n"),
              std::string::npos);
    ASSERT_NO_FATAL_FAILURE(play());
    drawAndRead();
    EXPECT_LT(count(kHelpArea, isWhite), kNearlyNone);
    EXPECT_LT(count(kBelowHelpArea, isClearGrey), kNearlyNone);
}

TEST_F(BadMediaTest, ProgramsThatBuildButWriteNoColourRaiseNoError) {
    writeShader("Ambient_Diffuse_Spec.frag", kNoColourFragment);
    writeShader("Text2D.frag", kNoColourFragment);
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(play());
}

// What each degenerate brick model does. Drawing: a model without faces is not drawn; any other is
// drawn as it is. Collider: the bounds of the model's finite corners, or a point at the brick's
// position when it has none.
struct DegenerateModel {
    const char* name;
    // Three corners, joined by one face unless there are no indices.
    const char* vertices;
    std::size_t indices;
    glm::vec3 colliderMin;
    glm::vec3 colliderMax;
};

void PrintTo(const DegenerateModel& c, std::ostream* os) {
    *os << c.name;
}

class DegenerateBrickModel : public BadMediaTest,
                             public testing::WithParamInterface<DegenerateModel> {};

TEST_P(DegenerateBrickModel, KeepsEveryBrickAtANumberAndTheDriverQuiet) {
    const DegenerateModel& c = GetParam();
    useBrickModel(std::string(c.vertices) + "vt 0 0\nvn 0 0 1\n" +
                  (c.indices > 0 ? "f 1/1/1 2/1/1 3/1/1\n" : ""));
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(brickModel.indices.size(), c.indices);
    EXPECT_EQ(scene->bricks[0].collider.min, c.colliderMin);
    EXPECT_EQ(scene->bricks[0].collider.max, c.colliderMax);
    // Rows are laid out left to right, one box width and a gap apart, whatever the box.
    EXPECT_GT(scene->bricks[10].getPosition().x, scene->bricks[0].getPosition().x);
    ASSERT_NO_FATAL_FAILURE(play());
}

INSTANTIATE_TEST_SUITE_P(
    BadMedia, DegenerateBrickModel,
    testing::Values(
        DegenerateModel{"NoFaces", "v 0 0 0\nv 1 0 0\nv 0 1 0\n", 0, glm::vec3(0), glm::vec3(0)},
        DegenerateModel{"OneFace", "v -0.5 0 0\nv 0.5 0 0\nv 0 0.25 0\n", 3, glm::vec3(-0.5f, 0, 0),
                        glm::vec3(0.5f, 0.25f, 0)},
        DegenerateModel{"LeftOfItsOrigin", "v -2 0 0\nv -1 0 0\nv -2 0.5 0\n", 3,
                        glm::vec3(-2, 0, 0), glm::vec3(-1, 0.5f, 0)},
        DegenerateModel{"AllCornersAtOnePoint", "v 0.5 0.5 0.5\nv 0.5 0.5 0.5\nv 0.5 0.5 0.5\n", 3,
                        glm::vec3(0.5f), glm::vec3(0.5f)},
        DegenerateModel{"NotANumber", "v nan 0 0\nv 0.4 nan 0.2\nv -0.4 0.2 nan\n", 3, glm::vec3(0),
                        glm::vec3(0)},
        DegenerateModel{"Infinite", "v inf 0 0\nv -inf 1 0\nv 0.25 0 -0.25\n", 3,
                        glm::vec3(0.25f, 0, -0.25f), glm::vec3(0.25f, 0, -0.25f)},
        DegenerateModel{"Huge", "v 1e30 1e30 1e30\nv -1e30 -1e30 -1e30\nv 1e30 -1e30 0\n", 3,
                        glm::vec3(-1e30f), glm::vec3(1e30f)}),
    [](const testing::TestParamInfo<DegenerateModel>& info) { return info.param.name; });
