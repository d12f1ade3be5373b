#pragma once

namespace Core {

// The size the game's window opens with, in screen coordinates: mouse look is measured from its
// centre, the help overlay keeps the pixel mapping it has there, and kelvarin-sim's frames have it.
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

}  // namespace Core
