#pragma once

#include <GL/glew.h>

namespace GLUtils {

// Empties the driver's error queue (every pending flag, not just one) and returns the first error
// taken, or GL_NO_ERROR. Nothing the game sends the driver should ever set one, even with broken
// media.
GLenum takeGlErrors();

// Whether the frame loop reads the driver's error flags after this frame (frames count from 1).
// Where a read is cheap, after every frame. Where each read stalls until the driver has drawn
// everything sent so far (a browser, where it is a round trip to the GPU process), after each of
// the first frames, where start-up and broken media show, and then every few seconds: a flag
// stays set until it is read, so an error is still said, only that much later.
bool isErrorReadDue(int frame, bool readsStall);

}  // namespace GLUtils
