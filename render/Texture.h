#pragma once

#include <GL/glew.h>

#include <string>

namespace GLUtils {

// A mipmapped, repeating texture from a TGA file. The name is created even when the file cannot be
// read: such a texture is incomplete and samples black, and the game goes on.
GLuint createTextureFromTga(const char* path);

}  // namespace GLUtils

// One entry of the texture registry: a GL texture name and the file it comes from.
class Texture {
public:
    explicit Texture(std::string path);

    GLuint createGL();
    void releaseGL();

    GLuint id = 0;
    const std::string path;
};

extern Texture brickTexture;
extern Texture bulletTexture;
extern Texture fontTexture;
extern Texture floorTexture;
extern Texture greenTexture;
extern Texture redTexture;
extern Texture skyTexture;
extern Texture wallTexture;

// Loads, then releases, the eight registry entries in the registry's order.
void loadTextures();
void deleteTextures();
