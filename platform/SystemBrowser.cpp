#include <cstdlib>

#include "platform/System.h"

// In library_kelvarin.js.
extern "C" char* kelvarin_script_folder();

namespace Platform {

// Under node the program is its script, in a folder; a page has none.
std::string executableFolder() {
    char* folder = kelvarin_script_folder();
    if (!folder) return {};
    const std::string result = folder;
    std::free(folder);
    return result;
}

// A page takes its settings from its address (?sensitivity=X, ?invert-y), and kelvarin-sim under
// node reads none.
std::string settingsFilePath() {
    return {};
}

void placeConsoleWindow(int, int, int, int) {}

void prepareStandardOutput() {}

}  // namespace Platform
