#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/Settings.h"

// The settings the game knows, a row each: the one place a setting is defined, with its key in
// the file, what it takes and its default as the usage text, the manual and the page say them,
// and how its value is read from the file's text, written back and carried from one set of values
// to another.
namespace Settings {

struct Setting {
    std::string key;
    // What the value may be: "true or false", "a whole number from 0 to 100".
    std::string takes;
    // The problem, or empty when taken.
    std::function<std::string(const std::string& value, Values& values)> read;
    std::function<std::string(const Values& values)> write;
    std::function<void(const Values& from, Values& to)> copy;
};

const std::vector<Setting>& table();
// Each setting as the usage text and the manual describe it: its key, and what it takes with its
// default; the keys of the actions as one, key.ACTION.
std::vector<std::pair<std::string, std::string>> described();
// Null for a key the game does not know.
const Setting* find(const std::string& key);
// A switch's word (true, yes, on, 1; false, no, off, 0), as the file, the page's address and the
// options give it; false, leaving value alone, for another.
bool readSwitch(const std::string& word, bool& value);

}  // namespace Settings
