#pragma once

#include <GL/glew.h>

namespace GLUtils {

// Empties the driver's error queue (every pending flag, not just one) and returns the first error
// taken, or GL_NO_ERROR. Nothing the game sends the driver should ever set one, even with broken
// media.
GLenum takeGlErrors();

}  // namespace GLUtils
