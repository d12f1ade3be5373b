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

namespace {

// Where the page keeps the player's settings file for the game, in the game's file system.
constexpr const char* kSettingsFileVariable = "KELVARIN_SETTINGS_FILE";

bool inPage() {
    return executableFolder().empty();
}

}  // namespace

std::string settingsFilePath() {
    const char* path = std::getenv(kSettingsFileVariable);
    return inPage() && path ? path : "";
}

bool optionsShownByPage() {
    return inPage();
}

bool filesOutliveTheProgram() {
    return !inPage();
}

void placeConsoleWindow(int, int, int, int) {}

void prepareStandardOutput() {}

void sayEndBeforePlay(const char* why) {
    kelvarin_tell_page(why);
}

}  // namespace Platform
