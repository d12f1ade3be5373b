// kelvarin-docs: the documents' parts made from the game's tables, so that they say what the game
// does. "kelvarin-docs manual TEMPLATE" prints the manual page with its controls and settings
// filled in; "kelvarin-docs controls" prints the README's controls table.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/SettingsTable.h"
#include "input/Controls.h"

namespace {

// Comment lines of the template that the tables take the place of.
constexpr const char* kControlsMark = ".\\\" [the controls table]\n";
constexpr const char* kSettingsMark = ".\\\" [the settings table]\n";
constexpr int kUsageStatus = 2;

// ".TP\n.B KEY\nwhat it takes (its default)", each setting's paragraph.
std::string manualSettings() {
    std::string text;
    for (const auto& [key, takes] : Settings::described()) {
        text += ".TP\n.B " + key + "\n" + takes + "\n";
    }
    return text;
}

bool replace(std::string& text, const std::string& mark, const std::string& by) {
    const std::size_t at = text.find(mark);
    if (at == std::string::npos) return false;
    text.replace(at, mark.size(), by);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "controls" && argc == 2) {
        std::cout << Controls::asMarkdown();
        return 0;
    }
    if (what != "manual" || argc != 3) {
        std::cerr << "usage: kelvarin-docs controls | manual TEMPLATE" << std::endl;
        return kUsageStatus;
    }
    std::ifstream in(argv[2]);
    std::ostringstream read;
    read << in.rdbuf();
    std::string manual = read.str();
    if (!replace(manual, kControlsMark, Controls::asManual()) ||
        !replace(manual, kSettingsMark, manualSettings())) {
        std::cerr << "kelvarin-docs: " << argv[2] << " lacks a mark to fill" << std::endl;
        return kUsageStatus;
    }
    std::cout << manual;
    return std::cout.good() ? 0 : 1;
}
