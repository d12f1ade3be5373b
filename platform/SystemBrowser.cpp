#include <cstdlib>

#include "platform/System.h"

// In library_kelvarin.js.
extern "C" {
char* kelvarin_script_folder();
void kelvarin_tell_page(const char* event);
}

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

void sayEndBeforePlay(const char* why) {
    kelvarin_tell_page(why);
}

}  // namespace Platform
