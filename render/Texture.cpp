#include "render/Texture.h"

#include <utility>

#include "render/TgaImage.h"

namespace GLUtils {

GLuint createTextureFromTga(const char* path) {
    GLuint textureId = 0;
    glGenTextures(1, &textureId);
    glBindTexture(GL_TEXTURE_2D, textureId);
    const TgaImage image = readTga(path);
    if (!image.empty()) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, image.pixels.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    // A texture without level 0 has nothing to build mipmaps from; it stays incomplete (black).
    if (!image.empty()) glGenerateMipmap(GL_TEXTURE_2D);
    return textureId;
}

}  // namespace GLUtils

Texture::Texture(std::string path) : id(0), path(std::move(path)) {}

GLuint Texture::createGL() {
    id = GLUtils::createTextureFromTga(path.c_str());
    return id;
}

void Texture::releaseGL() {
    glDeleteTextures(1, &id);
}

// Defined in one translation unit so they are constructed, loaded and released in this order.
Texture brickTexture("media/textures/brick.tga");
Texture bulletTexture("media/textures/bullet.tga");
Texture fontTexture("media/textures/doomFont.tga");
Texture floorTexture("media/textures/floor.tga");
Texture greenTexture("media/textures/green.tga");
Texture redTexture("media/textures/red.tga");
Texture skyTexture("media/textures/sky.tga");
Texture wallTexture("media/textures/wall.tga");

namespace {

Texture* const kRegistry[] = {&brickTexture, &bulletTexture, &fontTexture, &floorTexture,
                              &greenTexture, &redTexture,    &skyTexture,  &wallTexture};

}  // namespace

void loadTextures() {
    for (Texture* texture : kRegistry) texture->createGL();
}

void deleteTextures() {
    for (Texture* texture : kRegistry) texture->releaseGL();
}
