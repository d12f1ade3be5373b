#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The game reads "media/..." relative to its working folder. Started from anywhere else (a menu,
// another folder), it moves to the first folder that holds media/.
namespace MediaFolder {

// The folders tried, in order: dataDirFromEnvironment (KELVARIN_DATA_DIR; skipped when empty),
// the executable's folder, <executable's folder>/../share/kelvarin (the installed layout) and the
// data folder the build was configured with. An unknown executable folder is skipped.
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

// Leaves the working folder alone when it holds media/; otherwise changes to the first candidate
// that does.
Outcome choose(const std::vector<std::filesystem::path>& folders);

// choose() with this process's candidates, made before any other static object of the program is
// built (the models read their files then). It prints nothing: the program decides whether the
// message matters (not for --help).
const Outcome& chosenAtStart();

}  // namespace MediaFolder
