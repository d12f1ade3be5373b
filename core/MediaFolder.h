#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The game reads "media/..." relative to its working folder. Started from anywhere else (a menu,
// another folder), it moves to the first folder that holds media/.
namespace MediaFolder {

// In order: $KELVARIN_DATA_DIR, the executable's folder, its ../share/kelvarin (installed) and the
// data folder the build was configured with; empty ones are skipped.
std::vector<std::filesystem::path> candidates(const std::string& dataDirFromEnvironment,
                                              const std::string& executableFolder,
                                              const std::string& installedDataDir);

struct Outcome {
    // media/ is in the working folder now.
    bool found = false;
    // When not found: one line naming every folder tried, for the program to print.
    std::string message;
    // The working folder before any change: paths the user gives are relative to it.
    std::filesystem::path startFolder;
};

// A path from the command line, as the user meant it: relative to the folder they started in.
std::string fromStartFolder(const Outcome& outcome, const std::string& path);

// Changes to the first candidate holding media/ unless the working folder does.
Outcome choose(const std::vector<std::filesystem::path>& folders);

// choose() with this process's candidates, made before the models read their files; it prints
// nothing, the message being the program's to say (not for --help).
const Outcome& chosenAtStart();

}  // namespace MediaFolder
