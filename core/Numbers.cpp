#include "core/Numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <type_traits>

namespace Numbers {
namespace {

// Longer words are no number anyone means (17 significant digits and an exponent fit well).
constexpr std::size_t kMaxWordLength = 64;
constexpr std::string_view kNumberCharacters = "0123456789+-.eE";
constexpr int kDecimal = 10;

bool within(double value, const Bounds& bounds) {
    const bool aboveLowest = bounds.aboveLowest ? value > bounds.lowest : value >= bounds.lowest;
    return aboveLowest && value <= bounds.highest;
}

// Parses the whole word as T's kind of number; errno and the end pointer tell what was read.
template <typename T>
bool parseWhole(const std::string& text, double& parsed) {
    char* end = nullptr;
    errno = 0;
    if constexpr (std::is_integral_v<T>) {
        parsed = static_cast<double>(std::strtoll(text.c_str(), &end, kDecimal));
    } else {
        parsed = std::strtod(text.c_str(), &end);
    }
    // Overflow is refused; a float's underflow reads as the tiny value, which the bounds judge.
    const bool overflow = errno == ERANGE && (std::is_integral_v<T> || std::isinf(parsed));
    return end == text.c_str() + text.size() && !overflow && std::isfinite(parsed);
}

template <typename T>
bool readAs(std::string_view word, const Bounds& bounds, T& value) {
    if (word.empty() || word.size() > kMaxWordLength ||
        word.find_first_not_of(kNumberCharacters) != std::string_view::npos) {
        return false;
    }
    double parsed = 0.0;
    if (!parseWhole<T>(std::string(word), parsed) || !within(parsed, bounds)) return false;
    const T converted = static_cast<T>(parsed);
    if (!within(static_cast<double>(converted), bounds)) return false;
    value = converted;
    return true;
}

}  // namespace

bool read(std::string_view word, const Bounds& bounds, int& value) {
    return readAs(word, bounds, value);
}

bool read(std::string_view word, const Bounds& bounds, float& value) {
    return readAs(word, bounds, value);
}

bool read(std::string_view word, const Bounds& bounds, double& value) {
    return readAs(word, bounds, value);
}

}  // namespace Numbers
