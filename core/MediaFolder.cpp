#include "core/MediaFolder.h"

#include <cstdlib>
#include <system_error>

#include "platform/System.h"

namespace MediaFolder {
namespace {

constexpr const char* kMediaFolder = "media";
constexpr const char* kInstalledFromExecutable = "../share/kelvarin";
constexpr const char* kDataDirVariable = "KELVARIN_DATA_DIR";

bool holdsMedia(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder / kMediaFolder, error);
}

}  // namespace

std::vector<std::filesystem::path> candidates(const std::string& dataDirFromEnvironment,
                                              const std::string& executableFolder,
                                              const std::string& installedDataDir) {
    std::vector<std::filesystem::path> folders;
    if (!dataDirFromEnvironment.empty()) folders.emplace_back(dataDirFromEnvironment);
    if (!executableFolder.empty()) {
        folders.emplace_back(executableFolder);
        folders.push_back((std::filesystem::path(executableFolder) / kInstalledFromExecutable)
                              .lexically_normal());
    }
    if (!installedDataDir.empty()) folders.emplace_back(installedDataDir);
    return folders;
}

Outcome choose(const std::vector<std::filesystem::path>& folders) {
    Outcome outcome;
    std::error_code noFolder;
    outcome.startFolder = std::filesystem::current_path(noFolder);
    outcome.found = holdsMedia(".");
    for (std::size_t i = 0; i < folders.size() && !outcome.found; ++i) {
        if (!holdsMedia(folders[i])) continue;
        std::error_code error;
        std::filesystem::current_path(folders[i], error);
        outcome.found = !error;
    }
    if (outcome.found) return outcome;
    outcome.message = "no media folder in the working folder nor in";
    for (const std::filesystem::path& folder : folders) outcome.message += " " + folder.string();
    return outcome;
}

namespace {

Outcome chooseForThisProgram() {
    const char* fromEnvironment = std::getenv(kDataDirVariable);
    return choose(candidates(fromEnvironment ? fromEnvironment : "", Platform::executableFolder(),
                             KELVARIN_INSTALLED_DATA_DIR));
}

// Priority 101 is the earliest a program may use: ahead of the models in every build.
const Outcome startupChoice __attribute__((init_priority(101))) = chooseForThisProgram();

}  // namespace

std::string fromStartFolder(const Outcome& outcome, const std::string& path) {
    const std::filesystem::path given(path);
    if (given.is_absolute() || outcome.startFolder.empty()) return path;
    return (outcome.startFolder / given).string();
}

const Outcome& chosenAtStart() {
    return startupChoice;
}

}  // namespace MediaFolder
