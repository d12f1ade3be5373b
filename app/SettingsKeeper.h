#pragma once

#include <string>

#include "app/Settings.h"

// The player's settings file as a run keeps it: each change the options make goes into it, with
// what the file held otherwise left alone (a command line's values stay out of it). A file that
// cannot be written is said once; the game plays on with its settings.
class SettingsKeeper {
public:
    SettingsKeeper() = default;
    // An empty path keeps nothing.
    SettingsKeeper(std::string path, const Settings::Values& inFile);

    // The settings played changed from before to after.
    void keep(const Settings::Values& before, const Settings::Values& after);

private:
    std::string path;
    Settings::Values inFile;
    bool failureSaid = false;
};
