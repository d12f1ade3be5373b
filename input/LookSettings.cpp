#include "input/LookSettings.h"

#include "core/Numbers.h"

bool readSensitivity(std::string_view word, float& value) {
    return Numbers::read(word, Numbers::Bounds::above(0.0, LookSettings::kMaxSensitivity), value);
}

bool readFieldOfView(std::string_view word, int& degrees) {
    return Numbers::read(
        word, Numbers::Bounds::within(LookSettings::kMinFieldOfView, LookSettings::kMaxFieldOfView),
        degrees);
}
