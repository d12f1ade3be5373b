#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "render/Model.h"
#include "render/Texture.h"
#include "tests/support/GlContext.h"

namespace {

GLint bufferSize(GLenum target, GLuint buffer) {
    GLint size = -1;
    glBindBuffer(target, buffer);
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    return size;
}

std::vector<unsigned char> runForBytes(const std::string& command) {
    std::vector<unsigned char> bytes;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return bytes;
    for (int c; (c = std::fgetc(pipe)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
    pclose(pipe);
    return bytes;
}

using ModelTextureTest = GlTest;

}  // namespace

TEST_F(ModelTextureTest, EachModelGetsFourBuffersSizedByItsArrays) {
    createModelBuffers();
    std::vector<GLuint> names;
    for (const Model* m : {&brickModel, &cubeModel, &sphereModel}) {
        const auto n = static_cast<GLint>(m->indexedVertices.size());
        const auto indices = static_cast<GLint>(m->indices.size());
        ASSERT_GT(n, 0);
        EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, m->vertexBuffer), 12 * n);
        EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, m->uvBuffer), 8 * n);
        EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, m->normalBuffer), 12 * n);
        EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, m->elementBuffer), 2 * indices);
        for (GLuint b : {m->vertexBuffer, m->uvBuffer, m->normalBuffer, m->elementBuffer}) {
            EXPECT_NE(b, 0u);
            names.push_back(b);
        }
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());
    deleteModelBuffers();
    EXPECT_FALSE(glIsBuffer(brickModel.vertexBuffer));
}

TEST_F(ModelTextureTest, AMissingModelIsEmptyWithZeroSizedBuffers) {
    Model missing("media/models/none.obj");
    EXPECT_TRUE(missing.indexedVertices.empty());
    missing.createGL();
    EXPECT_NE(missing.vertexBuffer, 0u);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, missing.vertexBuffer), 0);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, missing.elementBuffer), 0);
}

TEST_F(ModelTextureTest, LoadTexturesGivesEightDistinctNamesInTableOrder) {
    loadTextures();
    const std::array<Texture*, 8> table = {&brickTexture, &bulletTexture, &fontTexture,
                                           &floorTexture, &greenTexture,  &redTexture,
                                           &skyTexture,   &wallTexture};
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_NE(table[i]->id, 0u);
        if (i > 0) {
            EXPECT_GT(table[i]->id, table[i - 1]->id) << table[i]->path;
        }
        GLint width = 0;
        glBindTexture(GL_TEXTURE_2D, table[i]->id);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_GT(width, 0) << table[i]->path;
        // Complete for mipmapped sampling: the chain reaches 1 x 1, or the texture samples black.
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        int last = 0;
        while ((std::max(width, height) >> (last + 1)) > 0) ++last;
        GLint lastWidth = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, last, GL_TEXTURE_WIDTH, &lastWidth);
        EXPECT_EQ(lastWidth, 1) << table[i]->path << ": no mipmaps";
    }
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);
    deleteTextures();
    EXPECT_FALSE(glIsTexture(brickTexture.id));
}

TEST_F(ModelTextureTest, AMissingOrCorruptFileStillGivesAName) {
    EXPECT_NE(GLUtils::createTextureFromTga("media/textures/none.tga"), 0u);
    const std::string corrupt = "/tmp/kelvarin-corrupt-" + std::to_string(::getpid()) + ".tga";
    std::FILE* f = std::fopen(corrupt.c_str(), "wb");
    std::fputs("not a picture at all", f);
    std::fclose(f);
    const GLuint id = GLUtils::createTextureFromTga(corrupt.c_str());
    std::remove(corrupt.c_str());
    EXPECT_NE(id, 0u);
    GLint width = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 0);
}

// The bottom row of the texture (t = 0) must be the bottom row of the picture as the file's own
// origin declares it, for files ImageMagick writes with either origin, plain and run-length.
TEST_F(ModelTextureTest, BottomRowOfTheTextureIsTheBottomRowOfThePicture) {
    const std::string dir = "/tmp/kelvarin-tga-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    const std::string source = dir + "/source.png";
    ASSERT_EQ(std::system(("convert -size 4x3 xc:blue -fill red -draw 'point 0,0' -fill lime "
                           "-draw 'rectangle 0,2 3,2' -fill yellow -draw 'point 3,2' " +
                           source)
                              .c_str()),
              0)
        << "ImageMagick's convert is needed";
    for (const char* orient : {"BottomLeft", "TopLeft"}) {
        for (const char* compress : {"None", "RLE"}) {
            const std::string tga = dir + "/" + orient + compress + ".tga";
            ASSERT_EQ(std::system(("convert " + source + " -type TrueColor -compress " + compress +
                                   " -orient " + orient + " " + tga)
                                      .c_str()),
                      0);
            const std::vector<unsigned char> expected =
                runForBytes("convert " + tga + " -auto-orient -gravity south -crop 4x1+0+0 rgb:-");
            ASSERT_EQ(expected.size(), 12u);

            const GLuint id = GLUtils::createTextureFromTga(tga.c_str());
            std::vector<unsigned char> pixels(4 * 3 * 4);
            glBindTexture(GL_TEXTURE_2D, id);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
            for (int x = 0; x < 4; ++x) {
                for (int c = 0; c < 3; ++c) {
                    EXPECT_EQ(pixels[x * 4 + c], expected[x * 3 + c])
                        << orient << " " << compress << " x " << x << " channel " << c;
                }
            }
        }
    }
    std::filesystem::remove_all(dir);
}
