#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/System.h"

namespace Platform {

std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return self.parent_path().string();
}

std::string settingsFilePath() {
    // A relative folder would depend on where the game was started: the XDG rules ignore it.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/kelvarin/settings.ini";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/kelvarin/settings.ini";
    return {};
}

bool optionsShownByPage() {
    return false;
}

bool filesOutliveTheProgram() {
    return true;
}

void placeConsoleWindow(int, int, int, int) {}

void prepareStandardOutput() {
    std::signal(SIGPIPE, SIG_IGN);
}

void sayEndBeforePlay(const char*) {}

}  // namespace Platform
