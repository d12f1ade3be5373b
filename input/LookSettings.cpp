#include "input/LookSettings.h"

#include "core/Numbers.h"

bool readSensitivity(std::string_view word, float& value) {
    return Numbers::read(word, {0.0, LookSettings::kMaxSensitivity, true}, value);
}
