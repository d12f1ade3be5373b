#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/System.h"

namespace Platform {

std::string executableFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    return std::filesystem::path(path).parent_path().string();
}

std::string settingsFilePath() {
    const char* appData = std::getenv("APPDATA");
    if (appData && *appData) return std::string(appData) + "\\Kelvarin\\settings.ini";
    return {};
}

bool optionsShownByPage() {
    return false;
}

bool filesOutliveTheProgram() {
    return true;
}

void placeConsoleWindow(int x, int y, int width, int height) {
    HWND console = GetConsoleWindow();
    if (console) MoveWindow(console, x, y, width, height, TRUE);
}

void prepareStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

void sayEndBeforePlay(const char*) {}

}  // namespace Platform
