#pragma once

#include <string_view>

// Every number a player gives the game: a whole decimal word (no blanks, letters, NUL, hexadecimal,
// "inf" or "nan") within its bounds as read and as the type keeps it (1e-300 is 0 as a float).
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
