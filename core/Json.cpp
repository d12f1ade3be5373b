#include "core/Json.h"

#include <charconv>
#include <cstdio>

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
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}
