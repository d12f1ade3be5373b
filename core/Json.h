#pragma once

#include <string>
#include <string_view>

// text as a JSON string, quotes included: what the page reads of the game's tables.
std::string jsonString(std::string_view text);
// A number as JSON writes it, as short as reads back the same: 0.25, 10.
std::string jsonNumber(double value);
