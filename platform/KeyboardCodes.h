#pragma once

#include <string>
#include <string_view>

// A browser names a key by its place on the keyboard (KeyboardEvent.code: "KeyW", "Digit1",
// "ShiftLeft"), whatever the layout prints on it, as the game's key codes do.
namespace Platform {

// The key in that place; -1 for a place the game has no key for.
int keyAtCode(std::string_view code);
// The place of a key; empty for none.
std::string codeOfKey(int key);

}  // namespace Platform
