#include "render/GlErrors.h"

namespace GLUtils {
namespace {

// A driver keeps one flag per kind of error; a lost context keeps answering with one forever.
constexpr int kMaxErrorFlags = 16;
// Where reads stall: every frame of the first second at 60 frames/s, then every other second.
constexpr int kFramesAlwaysRead = 60;
constexpr int kFramesBetweenReads = 120;

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

bool isErrorReadDue(int frame, bool readsStall) {
    return !readsStall || frame <= kFramesAlwaysRead || frame % kFramesBetweenReads == 0;
}

}  // namespace GLUtils
