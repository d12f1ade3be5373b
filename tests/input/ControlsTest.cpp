#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "input/Controls.h"
#include "input/Keys.h"
#include "platform/Platform.h"

namespace {

// The README's controls table: from its header line to the first line that is not a table row.
std::string readmeControlsTable() {
    std::ifstream readme("README.md");
    std::string table;
    bool inTable = false;
    for (std::string line; std::getline(readme, line);) {
        inTable = inTable || line.rfind("| Action | Keyboard and mouse", 0) == 0;
        if (inTable && line.rfind("|", 0) != 0) break;
        if (inTable) table += line + "\n";
    }
    return table;
}

// The README's section under this heading, up to the next.
std::string readmeSection(const std::string& heading) {
    std::ifstream readme("README.md");
    const std::string text((std::istreambuf_iterator<char>(readme)),
                           std::istreambuf_iterator<char>());
    const std::size_t from = text.find("\n" + heading + "\n");
    return from == std::string::npos ? "" : text.substr(from, text.find("\n## ", from + 1) - from);
}

// The key's name as a word of its own: "I" in "I, d-pad left", not in "Invert".
bool namesKey(const std::string& text, const std::string& name) {
    const auto isWordCharacter = [](char c) { return std::isalnum(static_cast<unsigned char>(c)); };
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        const bool startsWord = at == 0 || !isWordCharacter(text[at - 1]);
        const bool endsWord = end == text.size() || !isWordCharacter(text[end]) ||
                              name == Keys::name(Platform::kKeySpace);
        if (startsWord && endsWord) return true;
    }
    return false;
}

}  // namespace

TEST(Controls, WithTheDefaultKeysTheHelpTextIsTheGamesOwn) {
    EXPECT_EQ(Controls::helpText(Controls::defaultKeys()),
              "CONTROLS: \nMovement-WASD + Mouse \nShoot-Left Click \nRun-Shift \nRewind-Spacebar "
              "\nQuit-Escape \nOptions-Tab");
}

// Rebound keys are named as the player's layout prints them; a pad's and a touch screen's help
// name their controls.
TEST(Controls, TheHelpTextNamesTheKeysAsReboundAndTheDeviceInUse) {
    Controls::KeyMap keys = Controls::defaultKeys();
    keys[Action::Rewind] = 'R';
    keys[Action::Forward] = Platform::kKeyUp;
    const auto azerty = [](int key) { return std::string(key == 'A' ? "Q" : ""); };
    const std::string rebound = Controls::helpText(keys, Controls::Device::Keyboard, azerty);
    EXPECT_NE(rebound.find("Movement-Up/Q/S/D + Mouse \n"), std::string::npos) << rebound;
    EXPECT_NE(rebound.find("Rewind-R \n"), std::string::npos) << rebound;
    EXPECT_EQ(Controls::helpText(keys, Controls::Device::Pad),
              "CONTROLS: \nMovement-Left Stick + Right Stick \nShoot-Right Trigger \nRun-Left "
              "Shoulder \nRewind-Left Trigger \nOptions-Start");
    EXPECT_EQ(
        Controls::helpText(keys, Controls::Device::Touch),
        "CONTROLS: \nMovement-Move + Drag \nShoot-Fire \nRun-Run \nRewind-Rewind \nOptions-Pause");
}

// The page's table says how the player's rewind is worked: held, or pressed to start and stop.
TEST(Controls, ThePagesTableTellsTheRewindAsThePlayerWorksIt) {
    const std::string held = Controls::asJson(Controls::defaultKeys(), false);
    const std::string toggled = Controls::asJson(Controls::defaultKeys(), true);
    EXPECT_NE(held.find("\"Space (hold)\", \"pad\": \"left trigger, held\""), std::string::npos);
    EXPECT_EQ(toggled.find(", held"), std::string::npos) << toggled;
    EXPECT_EQ(toggled.find("(hold)"), std::string::npos) << toggled;
    EXPECT_NE(toggled.find("\"Rewind, tapped to start, again to stop\""), std::string::npos);
}

// The README's table is the game's (the manual page's is made from it); the Windows notes, written
// by hand, name every default key, and the README's testbed section each tool by its title and
// key.
TEST(Controls, TheReadmeShowsTheControlsTableAndTheOtherDocumentsItsKeys) {
    EXPECT_EQ(readmeControlsTable(), Controls::asMarkdown());
    std::ifstream notes("packaging/README-windows.txt");
    const std::string windows((std::istreambuf_iterator<char>(notes)),
                              std::istreambuf_iterator<char>());
    ASSERT_FALSE(windows.empty());
    for (const Controls::ActionControl& control : Controls::all()) {
        EXPECT_TRUE(namesKey(windows, Keys::name(control.key)))
            << "the Windows notes do not name " << Keys::name(control.key);
    }
    const std::string testbed = readmeSection("## The testbed");
    for (int action = static_cast<int>(Action::Restart); action < Controls::kActionCount;
         ++action) {
        const Controls::ActionControl& tool = Controls::of(static_cast<Action>(action));
        EXPECT_NE(testbed.find("**" + std::string(tool.title) + "**"), std::string::npos)
            << tool.title;
        EXPECT_TRUE(namesKey(testbed, Keys::name(tool.key))) << tool.title;
    }
}

TEST(Controls, EveryActionIsFoundByItsNameAndEveryKeyByItsName) {
    for (const Controls::ActionControl& control : Controls::all()) {
        Action found = Action::Count;
        EXPECT_TRUE(Controls::named(control.name, found));
        EXPECT_EQ(found, control.action);
    }
    for (int key = Platform::kKeySpace; key <= Platform::kKeyLast; ++key) {
        const std::string name = Keys::name(key);
        int found = 0;
        if (name.empty()) continue;
        EXPECT_TRUE(Keys::fromName(name, found) && found == key) << name;
    }
    int key = 0;
    EXPECT_TRUE(Keys::fromName("left shift", key));
    EXPECT_EQ(key, Platform::kKeyLShift);
    EXPECT_TRUE(Keys::fromName("w", key));
    EXPECT_EQ(key, 'W');
    EXPECT_FALSE(Keys::fromName("Hyper", key));
    EXPECT_EQ(Keys::name('Z' + 1), "[");
    EXPECT_EQ(Keys::name(Platform::kKeyF1 + 4), "F5");
}
