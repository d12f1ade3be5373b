#include "core/Numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <type_traits>

namespace Numbers {
namespace {

// Longer words are no number anyone means (17 significant digits and an exponent fit well).
constexpr std::size_t kMaxWordLength = 64;
constexpr std::string_view kNumberCharacters = "0123456789+-.eE";

bool within(double value, const Bounds& bounds) {
    const bool aboveLowest = bounds.aboveLowest ? value > bounds.lowest : value >= bounds.lowest;
    return aboveLowest && value <= bounds.highest;
}

bool parseWhole(std::string_view word, long long& parsed) {
    // A plus sign is taken as the C library takes it.
    if (word.size() > 1 && word[0] == '+' && word[1] != '-') word.remove_prefix(1);
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    return error == std::errc() && end == word.data() + word.size();
}

// The browser build's C++ library has no floating-point from_chars.
bool parseWhole(std::string_view word, double& parsed) {
    const std::string text(word);
    char* end = nullptr;
    errno = 0;
    parsed = std::strtod(text.c_str(), &end);
    // Overflow is refused; underflow reads as the tiny value, which the bounds judge.
    return end == text.c_str() + text.size() && !(errno == ERANGE && std::isinf(parsed)) &&
           std::isfinite(parsed);
}

template <typename T>
bool readAs(std::string_view word, const Bounds& bounds, T& value) {
    if (word.empty() || word.size() > kMaxWordLength ||
        word.find_first_not_of(kNumberCharacters) != std::string_view::npos) {
        return false;
    }
    std::conditional_t<std::is_integral_v<T>, long long, double> parsed{};
    if (!parseWhole(word, parsed) || !within(static_cast<double>(parsed), bounds)) return false;
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
