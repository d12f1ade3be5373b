#include "app/SettingsKeeper.h"

#include <utility>

#include "core/LineReader.h"
#include "core/Messages.h"

SettingsKeeper::SettingsKeeper(std::string where, const Settings::Values& values)
    : path(std::move(where)), inFile(values) {}

void SettingsKeeper::keep(const Settings::Values& before, const Settings::Values& after) {
    if (path.empty()) return;
    const Settings::Values next = Settings::carried(inFile, before, after);
    std::string why;
    if (Settings::save(path, inFile, next, why)) {
        inFile = next;
        return;
    }
    if (failureSaid) return;
    failureSaid = true;
    Messages::say("cannot keep the options in " + shownSafely(path) + ": " + why +
                  "; they hold until the game ends");
}
