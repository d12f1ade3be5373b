#pragma once

namespace Platform {

// Moves the program's console window beside the game's on Windows, where a console program has
// one; elsewhere, and for a process without a console, nothing happens.
void placeConsoleWindow(int x, int y, int width, int height);
// Standard output written byte for byte: Windows would turn each line feed into CR LF, and a CSV
// meant to equal another system's would differ.
void writeStandardOutputAsBytes();

}  // namespace Platform
