#pragma once

#include <string>

// The one voice the game speaks to the player in on standard error, behind the one prefix
// "kelvarin: ": what it could not do and what it does instead.
namespace Messages {

void say(const std::string& message);

}  // namespace Messages
