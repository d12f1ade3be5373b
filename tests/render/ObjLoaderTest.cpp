#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <tuple>

#include "render/Model.h"
#include "render/ObjLoader.h"
#include "render/VertexIndexer.h"

namespace {

struct Corners {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    bool faces = false;
};

Corners read(const std::string& text) {
    Corners c;
    std::istringstream stream(text);
    c.faces = GLUtils::readObjStream(stream, c.positions, c.uvs, c.normals);
    return c;
}

constexpr const char* kTriangle =
    "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.25 0.75\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n";

}  // namespace

TEST(ObjReader, ExpandsFacesIntoCornersWithValuesAsWritten) {
    const Corners c = read(kTriangle);
    EXPECT_TRUE(c.faces);
    ASSERT_EQ(c.positions.size(), 3u);
    EXPECT_EQ(c.positions[1], glm::vec3(1, 0, 0));
    EXPECT_EQ(c.uvs[0], glm::vec2(0.25f, 0.75f));
    EXPECT_EQ(c.normals[2], glm::vec3(0, 0, 1));
}

TEST(ObjReader, SkipsCommentedLinesAndReadsOnlyTheFirstGroup) {
    const Corners commented = read(std::string("v 9 9 9 # not a vertex\n") + kTriangle);
    EXPECT_EQ(commented.positions[0], glm::vec3(0, 0, 0));
    const Corners twoGroups = read(std::string(kTriangle) + "v 5 5 5\nf 1/1/1 2/1/1 4/1/1\n");
    EXPECT_EQ(twoGroups.positions.size(), 3u);
}

TEST(ObjReader, FaceWithoutSlashesAddsNothingButCounts) {
    const Corners c = read("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    EXPECT_TRUE(c.faces);
    EXPECT_TRUE(c.positions.empty());
}

TEST(ObjReader, AQuadGivesItsFirstTriangle) {
    const Corners c = read(std::string(kTriangle) + "v 1 1 0\nf 1/1/1 2/1/1 3/1/1 4/1/1\n");
    ASSERT_EQ(c.positions.size(), 3u);
    const Corners quad =
        read("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1 4/1/1\n");
    ASSERT_EQ(quad.positions.size(), 3u);
    EXPECT_EQ(quad.positions[2], glm::vec3(1, 1, 0));
}

TEST(ObjReader, MissingFileOrPathReturnsFalseAndLeavesOutputsEmpty) {
    std::vector<glm::vec3> p;
    std::vector<glm::vec2> t;
    std::vector<glm::vec3> n;
    EXPECT_FALSE(GLUtils::readObjFile("media/models/none.obj", p, t, n));
    EXPECT_FALSE(GLUtils::readObjFile(nullptr, p, t, n));
    EXPECT_TRUE(p.empty() && t.empty() && n.empty());
}

TEST(ObjReader, OutOfRangeIndicesSkipTheFace) {
    for (const char* face :
         {"f 0/1/1 1/1/1 2/1/1\n", "f 1/1/1 -1/1/1 2/1/1\n", "f 1/1/1 2/2/1 3/1/1\n",
          "f 1/1/1 2/1/9 3/1/1\n", "f 1/1/1 2/1/1 4/1/1\n", "f 1/1/1 2/1/1\n",
          "f 99999999999999999999/1/1 1/1/1 2/1/1\n"}) {
        const Corners c = read(std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n") + face);
        EXPECT_TRUE(c.positions.empty()) << face;
    }
}

TEST(ObjReader, MissingNumbersReadAsZero) {
    const Corners c = read("v 1\nvt \nvn 0 1\nf 1/1/1 1/1/1 1/1/1\n");
    ASSERT_EQ(c.positions.size(), 3u);
    EXPECT_EQ(c.positions[0], glm::vec3(1, 0, 0));
    EXPECT_EQ(c.normals[0], glm::vec3(0, 1, 0));
}

TEST(ObjReader, ALineLongerThanTheBufferEndsTheReading) {
    const Corners c = read(std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n") +
                           "f 1/1/1 2/1/1 3/1/1" + std::string(300, ' ') + "\n" + kTriangle);
    EXPECT_EQ(c.positions.size(), 3u);
}

TEST(VertexIndexer, CubeOfTwentyFourDistinctCornersGivesTwentyFourVertices) {
    std::vector<glm::vec3> p, n;
    std::vector<glm::vec2> t;
    ASSERT_TRUE(GLUtils::readObjFile("media/models/cube.obj", p, t, n));
    ASSERT_EQ(p.size(), 36u);
    std::vector<unsigned short> indices;
    std::vector<glm::vec3> op, on;
    std::vector<glm::vec2> ot;
    GLUtils::buildIndexedArrays(p, t, n, indices, op, ot, on);
    EXPECT_EQ(op.size(), 24u);
    ASSERT_EQ(indices.size(), 36u);
    for (std::size_t i = 0; i < indices.size(); ++i) EXPECT_EQ(op[indices[i]], p[i]);
}

TEST(VertexIndexer, NegativeZeroStaysApart) {
    std::vector<unsigned short> indices;
    std::vector<glm::vec3> op, on;
    std::vector<glm::vec2> ot;
    GLUtils::buildIndexedArrays({{0.0f, 0, 0}, {-0.0f, 0, 0}, {0.0f, 0, 0}}, {{}, {}, {}},
                                {{}, {}, {}}, indices, op, ot, on);
    EXPECT_EQ(op.size(), 2u);
    EXPECT_EQ(indices, (std::vector<unsigned short>{0, 1, 0}));
}

namespace {

// Positions only (zero texture coordinates and normals), indexed; stderr is captured.
struct IndexedPositions {
    std::vector<unsigned short> indices;
    std::vector<glm::vec3> positions;
    std::string messages;
};

IndexedPositions indexPositions(const std::vector<glm::vec3>& p) {
    const std::vector<glm::vec2> t(p.size());
    const std::vector<glm::vec3> n(p.size());
    IndexedPositions out;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
    testing::internal::CaptureStderr();
    GLUtils::buildIndexedArrays(p, t, n, out.indices, out.positions, uvs, normals);
    out.messages = testing::internal::GetCapturedStderr();
    return out;
}

}  // namespace

TEST(VertexIndexer, VerticesBeyondSixteenBitsAreLeftOutWithOneMessage) {
    std::vector<glm::vec3> p;
    for (int i = 0; i < 65538 * 3; ++i) p.push_back({float(i), 0, 0});
    const IndexedPositions out = indexPositions(p);
    EXPECT_LE(out.positions.size(), GLUtils::kMaxIndexedVertices);
    EXPECT_EQ(out.indices.size() % 3, 0u);
    for (unsigned short index : out.indices) ASSERT_LT(index, out.positions.size());
    EXPECT_EQ(std::count(out.messages.begin(), out.messages.end(), '\n'), 1);
}

TEST(VertexIndexer, ExactlySixteenBitsOfVerticesAreAllKept) {
    // 21,845 triangles of fresh corners (65,535 vertices), then one with a single fresh corner.
    std::vector<glm::vec3> p;
    for (int i = 0; i < 65535; ++i) p.push_back({float(i), 0, 0});
    p.push_back({0, 0, 0});
    p.push_back({1, 0, 0});
    p.push_back({65535, 0, 0});
    const IndexedPositions out = indexPositions(p);
    EXPECT_EQ(out.messages, "");
    EXPECT_EQ(out.positions.size(), 65536u);
    ASSERT_EQ(out.indices.size(), p.size());
    EXPECT_EQ(out.indices.back(), 65535);
}

#ifndef _WIN32
// An OBJ written by another tool: Debian's assimp exports the cube in its own layout (the tool
// is Linux's, so the Windows build leaves this case out).
TEST(ObjReader, ReadsACubeExportedByAssimp) {
    const std::string out = (std::filesystem::temp_directory_path() /
                             ("kelvarin-assimp-" + std::to_string(::getpid()) + ".obj"))
                                .string();
    const std::string command =
        "assimp export media/models/cube.obj " + out + " -f obj > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "assimp (assimp-utils) is needed";
    std::vector<glm::vec3> p, n;
    std::vector<glm::vec2> t;
    EXPECT_TRUE(GLUtils::readObjFile(out.c_str(), p, t, n));
    std::filesystem::remove(out);
    std::filesystem::remove(out.substr(0, out.size() - 4) + ".mtl");
    ASSERT_EQ(p.size(), 36u);
    std::set<std::tuple<float, float, float>> corners;
    for (const glm::vec3& v : p) {
        for (int i = 0; i < 3; ++i) EXPECT_EQ(std::fabs(v[i]), 1.0f);
        corners.insert({v.x, v.y, v.z});
    }
    EXPECT_EQ(corners.size(), 8u);
    EXPECT_EQ(Model("media/models/cube.obj").indices.size(), 36u);
}
#endif
