// Any bytes as a settings file: reading stays in bounds, whatever is taken is a valid setting, and
// whatever is said is a bounded number of lines a terminal shows as text.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    const Settings::Read read = Settings::parse(stream, "fuzz.ini");
    const float sensitivity = read.values.look.sensitivity;
    if (!(sensitivity > 0.0f && sensitivity <= LookSettings::kMaxSensitivity)) __builtin_trap();
    if (read.problems.size() > static_cast<std::size_t>(Settings::kMaxProblemsNamed) + 2) {
        __builtin_trap();
    }
    for (const std::string& problem : read.problems) {
        for (const char c : problem) {
            if (c < ' ' || c > '~') __builtin_trap();
        }
    }
    return 0;
}
