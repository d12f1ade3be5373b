#pragma once

#include <string_view>

// Numbers as the settings file, the command lines and recordings give them, read by one function:
// a whole word in decimal (no blanks, no trailing letters, no NUL, no hexadecimal, no "inf" or
// "nan"), within its bounds both as read and after conversion to the type that uses it, so that
// 1e-300, which is 0 as a float, is not "above 0".
namespace Numbers {

struct Bounds {
    double lowest = 0.0;
    double highest = 0.0;
    // The value must lie above lowest, not at it.
    bool aboveLowest = false;

    static constexpr Bounds within(double lowest, double highest) {
        return {lowest, highest, false};
    }
    static constexpr Bounds above(double lowest, double highest) { return {lowest, highest, true}; }
};

// False, leaving value alone, for anything but such a number.
bool read(std::string_view word, const Bounds& bounds, int& value);
bool read(std::string_view word, const Bounds& bounds, float& value);
bool read(std::string_view word, const Bounds& bounds, double& value);

}  // namespace Numbers
