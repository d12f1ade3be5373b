#pragma once

#include <string>
#include <string_view>

// text as a JSON string, quotes included: what the page reads of the game's tables.
std::string jsonString(std::string_view text);
