#include "platform/Console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#endif

namespace Platform {

#ifdef _WIN32
void placeConsoleWindow(int x, int y, int width, int height) {
    HWND console = GetConsoleWindow();
    if (console) MoveWindow(console, x, y, width, height, TRUE);
}

void writeStandardOutputAsBytes() {
    _setmode(_fileno(stdout), _O_BINARY);
}
#else
void placeConsoleWindow(int, int, int, int) {}

void writeStandardOutputAsBytes() {}
#endif

}  // namespace Platform
