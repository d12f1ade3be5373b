#include "render/GlErrors.h"

namespace GLUtils {
namespace {

// A driver keeps one flag per kind of error; a lost context keeps answering with one forever.
constexpr int kMaxErrorFlags = 16;

}  // namespace

GLenum takeGlErrors() {
    GLenum first = GL_NO_ERROR;
    for (int i = 0; i < kMaxErrorFlags; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        if (first == GL_NO_ERROR) first = error;
    }
    return first;
}

}  // namespace GLUtils
