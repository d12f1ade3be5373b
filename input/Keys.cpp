#include "input/Keys.h"

#include <cctype>

#include "platform/Platform.h"

namespace Keys {
namespace {

struct Named {
    int key;
    const char* name;
};

constexpr Named kNamedKeys[] = {
    {Platform::kKeySpace, "Space"},
    {Platform::kKeyEsc, "Escape"},
    {Platform::kKeyUp, "Up"},
    {Platform::kKeyDown, "Down"},
    {Platform::kKeyLeft, "Left"},
    {Platform::kKeyRight, "Right"},
    {Platform::kKeyLShift, "Left Shift"},
    {Platform::kKeyRShift, "Right Shift"},
    {Platform::kKeyLCtrl, "Left Ctrl"},
    {Platform::kKeyRCtrl, "Right Ctrl"},
    {Platform::kKeyLAlt, "Left Alt"},
    {Platform::kKeyRAlt, "Right Alt"},
    {Platform::kKeyTab, "Tab"},
    {Platform::kKeyEnter, "Enter"},
    {Platform::kKeyBackspace, "Backspace"},
    {Platform::kKeyInsert, "Insert"},
    {Platform::kKeyDel, "Delete"},
    {Platform::kKeyPageUp, "Page Up"},
    {Platform::kKeyPageDown, "Page Down"},
    {Platform::kKeyHome, "Home"},
    {Platform::kKeyEnd, "End"},
    {Platform::kKeyKpDivide, "Keypad /"},
    {Platform::kKeyKpMultiply, "Keypad *"},
    {Platform::kKeyKpSubtract, "Keypad -"},
    {Platform::kKeyKpAdd, "Keypad +"},
    {Platform::kKeyKpDecimal, "Keypad ."},
    {Platform::kKeyKpEqual, "Keypad ="},
    {Platform::kKeyKpEnter, "Keypad Enter"},
    {Platform::kKeyKpNumLock, "Num Lock"},
    {Platform::kKeyCapsLock, "Caps Lock"},
    {Platform::kKeyScrollLock, "Scroll Lock"},
    {Platform::kKeyPause, "Pause"},
    {Platform::kKeyLSuper, "Left Super"},
    {Platform::kKeyRSuper, "Right Super"},
    {Platform::kKeyMenu, "Menu"},
};

// The printable keys of a US layout besides letters and digits, by the character they print.
constexpr std::string_view kPunctuation = "'-,./;=[\\]`";
constexpr const char* kMouseButtonNames[Platform::kMouseButtons] = {"Left click", "Right click",
                                                                    "Middle click"};
constexpr const char* kFunctionPrefix = "F";
constexpr const char* kKeypadPrefix = "Keypad ";

bool isPrintableKey(int key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') ||
           (key > 0 && key < 128 &&
            kPunctuation.find(static_cast<char>(key)) != std::string_view::npos);
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

int buttonOf(int code) {
    return code >= kFirstMouseButton && code < kControlCount ? code - kFirstMouseButton : -1;
}

std::string name(int key) {
    if (buttonOf(key) >= 0) return kMouseButtonNames[buttonOf(key)];
    if (isPrintableKey(key)) return std::string(1, static_cast<char>(key));
    if (key >= Platform::kKeyF1 && key <= Platform::kKeyF25) {
        return kFunctionPrefix + std::to_string(key - Platform::kKeyF1 + 1);
    }
    if (key >= Platform::kKeyKp0 && key <= Platform::kKeyKp9) {
        return kKeypadPrefix + std::to_string(key - Platform::kKeyKp0);
    }
    for (const Named& named : kNamedKeys) {
        if (named.key == key) return named.name;
    }
    return {};
}

bool fromName(std::string_view text, int& key) {
    if (text.size() == 1) {
        const int upper = std::toupper(static_cast<unsigned char>(text[0]));
        if (!isPrintableKey(upper)) return false;
        key = upper;
        return true;
    }
    for (int candidate = Platform::kKeyEsc; candidate < kControlCount; ++candidate) {
        if (sameLetters(name(candidate), text)) {
            key = candidate;
            return true;
        }
    }
    if (!sameLetters(text, name(Platform::kKeySpace))) return false;
    key = Platform::kKeySpace;
    return true;
}

}  // namespace Keys
