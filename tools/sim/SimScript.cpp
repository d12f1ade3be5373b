#include "tools/sim/SimScript.h"

#include <sstream>

#include "platform/Platform.h"

namespace SimScript {
namespace {

struct Binding {
    const char* name;
    int code;
    bool isMouseButton;
};

constexpr Binding kBindings[] = {
    {"forward", 'W', false},
    {"left", 'A', false},
    {"back", 'S', false},
    {"right", 'D', false},
    {"run", Platform::kKeyLShift, false},
    {"fire", Platform::kMouseButtonLeft, true},
    {"rewind", Platform::kKeySpace, false},
    {"quit", Platform::kKeyEsc, false},
};

bool findBinding(const std::string& name, Event& event) {
    for (const Binding& b : kBindings) {
        if (name == b.name) {
            event.code = b.code;
            event.isMouseButton = b.isMouseButton;
            return true;
        }
    }
    return false;
}

bool parseLine(const std::string& line, int& frame, Event& event) {
    std::istringstream words(line);
    std::string verb;
    if (!(words >> frame >> verb) || frame < 1) return false;
    if (verb == "press" || verb == "release") {
        std::string binding;
        event.kind = verb == "press" ? Event::Kind::Press : Event::Kind::Release;
        return static_cast<bool>(words >> binding) && findBinding(binding, event);
    }
    if (verb == "mouse") {
        event.kind = Event::Kind::Mouse;
        return static_cast<bool>(words >> event.dx >> event.dy);
    }
    event.kind = Event::Kind::Dump;
    return verb == "dump";
}

}  // namespace

Script parse(std::istream& in) {
    Script script;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        int frame = 0;
        Event event;
        if (!parseLine(line, frame, event)) {
            script.error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return script;
        }
        script.byFrame[frame].push_back(event);
    }
    return script;
}

}  // namespace SimScript
