#pragma once

#include <string>
#include <string_view>

// Keys by the names a US keyboard prints on them ("W", "Space", "Left Shift", "Up", "F5"), as the
// settings file, the options and the help show them. Every key is named by its place: on another
// layout the key in W's place is still "W" here.
namespace Keys {

// The name of a 2.x key code; empty for a code no key has.
std::string name(int key);
// The key of a name, its letters in any case; false, leaving key alone, for an unknown name.
bool fromName(std::string_view name, int& key);

}  // namespace Keys
