#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

// Keys by the names a US keyboard prints on them ("W", "Space", "Left Shift", "Up", "F5"), as the
// settings file, the options and the help show them. Every key is named by its place: on another
// layout the key in W's place is still "W" here. The mouse's buttons are bound as keys are, by
// codes past the last key's ("Left click").
namespace Keys {

constexpr int kFirstMouseButton = Platform::kKeyLast + 1;
constexpr int mouseButton(int button) {
    return kFirstMouseButton + button;
}
// Every code a control can have: the keys', then the mouse buttons'.
constexpr int kControlCount = kFirstMouseButton + Platform::kMouseButtons;

// The mouse button a code stands for; -1 for a key.
int buttonOf(int code);
// The name of a key's (or a mouse button's) code; empty for a code no control has.
std::string name(int code);
// The code of a name, its letters in any case; false, leaving code alone, for an unknown name.
bool fromName(std::string_view name, int& code);

}  // namespace Keys
