#include "app/Controls.h"

#include "input/LookSettings.h"

namespace {

// A JSON string of text that holds no control characters.
std::string quoted(const char* text) {
    std::string json = "\"";
    for (const char* c = text; *c; ++c) {
        if (*c == '"' || *c == '\\') json.push_back('\\');
        json.push_back(*c);
    }
    return json + "\"";
}

}  // namespace

const std::vector<Control>& controls() {
    static const std::vector<Control> table = {
        {"fly forward, left, back, right along the look direction", "W, A, S, D", "left stick",
         "Move stick"},
        {"look around", "Mouse", "right stick", "drag on the game"},
        {"run (twice the speed)", "Left Shift", "left stick press or a shoulder button", "Run"},
        {"shoot", "Left click", "right trigger", "Fire"},
        {"rewind time", "Spacebar (hold)", "left trigger, held", "Rewind, held"},
        {"quit (in a page: pause)", "Escape", "Start, in a page only", "-"},
        {"switch between the window and fullscreen", "F11, Alt+Enter", "-", "the first touch"},
    };
    return table;
}

std::string controlsAsJson() {
    std::string json =
        "{\"sensitivityRange\": " + quoted(LookSettings::kSensitivityRange) + ", \"controls\": [";
    const char* separator = "";
    for (const Control& control : controls()) {
        json += separator;
        json += "{\"action\": " + quoted(control.action) +
                ", \"keyboardAndMouse\": " + quoted(control.keyboardAndMouse) +
                ", \"pad\": " + quoted(control.pad) + ", \"touch\": " + quoted(control.touch) + "}";
        separator = ", ";
    }
    return json + "]}";
}
