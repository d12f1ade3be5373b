#include "platform/KeyboardCodes.h"

#include <cctype>

#include "platform/Platform.h"

namespace Platform {
namespace {

struct NamedCode {
    int key;
    const char* code;
};

// Every key but the letters, digits, keypad digits and function keys, which are numbered.
constexpr NamedCode kNamedCodes[] = {
    {kKeySpace, "Space"},
    {'\'', "Quote"},
    {',', "Comma"},
    {'-', "Minus"},
    {'.', "Period"},
    {'/', "Slash"},
    {';', "Semicolon"},
    {'=', "Equal"},
    {'[', "BracketLeft"},
    {'\\', "Backslash"},
    {']', "BracketRight"},
    {'`', "Backquote"},
    {kKeyEsc, "Escape"},
    {kKeyUp, "ArrowUp"},
    {kKeyDown, "ArrowDown"},
    {kKeyLeft, "ArrowLeft"},
    {kKeyRight, "ArrowRight"},
    {kKeyLShift, "ShiftLeft"},
    {kKeyRShift, "ShiftRight"},
    {kKeyLCtrl, "ControlLeft"},
    {kKeyRCtrl, "ControlRight"},
    {kKeyLAlt, "AltLeft"},
    {kKeyRAlt, "AltRight"},
    {kKeyTab, "Tab"},
    {kKeyEnter, "Enter"},
    {kKeyBackspace, "Backspace"},
    {kKeyInsert, "Insert"},
    {kKeyDel, "Delete"},
    {kKeyPageUp, "PageUp"},
    {kKeyPageDown, "PageDown"},
    {kKeyHome, "Home"},
    {kKeyEnd, "End"},
    {kKeyKpDivide, "NumpadDivide"},
    {kKeyKpMultiply, "NumpadMultiply"},
    {kKeyKpSubtract, "NumpadSubtract"},
    {kKeyKpAdd, "NumpadAdd"},
    {kKeyKpDecimal, "NumpadDecimal"},
    {kKeyKpEqual, "NumpadEqual"},
    {kKeyKpEnter, "NumpadEnter"},
    {kKeyKpNumLock, "NumLock"},
    {kKeyCapsLock, "CapsLock"},
    {kKeyScrollLock, "ScrollLock"},
    {kKeyPause, "Pause"},
    {kKeyLSuper, "MetaLeft"},
    {kKeyRSuper, "MetaRight"},
    {kKeyMenu, "ContextMenu"},
};

constexpr std::string_view kLetter = "Key";
constexpr std::string_view kDigit = "Digit";
constexpr std::string_view kKeypadDigit = "Numpad";
constexpr std::string_view kFunction = "F";

// The number after prefix, when the rest of code is one: "F12" -> 12.
int numberAfter(std::string_view code, std::string_view prefix) {
    if (code.size() <= prefix.size() || code.substr(0, prefix.size()) != prefix) return -1;
    int number = 0;
    for (char c : code.substr(prefix.size())) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || number > kKeyLast) return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

int keyAtCode(std::string_view code) {
    if (code.size() == kLetter.size() + 1 && code.substr(0, kLetter.size()) == kLetter &&
        code.back() >= 'A' && code.back() <= 'Z') {
        return code.back();
    }
    const int digit = numberAfter(code, kDigit);
    if (code.size() == kDigit.size() + 1 && digit >= 0) return '0' + digit;
    const int keypadDigit = numberAfter(code, kKeypadDigit);
    if (code.size() == kKeypadDigit.size() + 1 && keypadDigit >= 0) return kKeyKp0 + keypadDigit;
    const int function = numberAfter(code, kFunction);
    if (function >= 1 && function <= kKeyF25 - kKeyF1 + 1) return kKeyF1 + function - 1;
    for (const NamedCode& named : kNamedCodes) {
        if (code == named.code) return named.key;
    }
    return -1;
}

std::string codeOfKey(int key) {
    if (key >= 'A' && key <= 'Z') return std::string(kLetter) + static_cast<char>(key);
    if (key >= '0' && key <= '9') return std::string(kDigit) + static_cast<char>(key);
    if (key >= kKeyKp0 && key <= kKeyKp9)
        return std::string(kKeypadDigit) + std::to_string(key - kKeyKp0);
    if (key >= kKeyF1 && key <= kKeyF25)
        return std::string(kFunction) + std::to_string(key - kKeyF1 + 1);
    for (const NamedCode& named : kNamedCodes) {
        if (key == named.key) return named.code;
    }
    return {};
}

}  // namespace Platform
