#pragma once

#include <string>
#include <vector>

// The game's controls on every device, in one table: the usage text, the page (through
// kelvarinControls) and the README list them from it.
struct Control {
    const char* action;
    const char* keyboardAndMouse;
    const char* pad;
    const char* touch;
};

const std::vector<Control>& controls();
// The table and the sensitivity's range as JSON, for the page: {"sensitivityRange": "...",
// "controls": [{"action": "...", "keyboardAndMouse": "...", "pad": "...", "touch": "..."}]}.
std::string controlsAsJson();
