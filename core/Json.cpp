#include "core/Json.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Below a space, a character is written as its code.
constexpr unsigned char kFirstPrintable = 0x20;
constexpr std::size_t kCodeLength = sizeof("\\u0000");

}  // namespace

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < kFirstPrintable) {
            char code[kCodeLength];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned char>(c));
            json += code;
            continue;
        }
        if (c == '"' || c == '\\') json.push_back('\\');
        json.push_back(c);
    }
    return json + "\"";
}

std::string jsonNumber(double value) {
    // From printf's own precision up: short numbers are written without an exponent.
    constexpr int kPlainDigits = 6;
    constexpr int kExactDigits = 17;
    char text[32];
    for (int digits = kPlainDigits; digits <= kExactDigits; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}
