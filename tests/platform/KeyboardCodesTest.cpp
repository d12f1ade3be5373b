#include <gtest/gtest.h>

#include "platform/KeyboardCodes.h"
#include "platform/Platform.h"

// A browser's name for a key's place and the game's key are one another's, for every key the
// game has; places it has no key for are none.
TEST(KeyboardCodes, EveryKeyIsFoundByItsPlaceAndOnlyThose) {
    for (int key = 0; key <= Platform::kKeyLast; ++key) {
        const std::string code = Platform::codeOfKey(key);
        if (!code.empty()) {
            EXPECT_EQ(Platform::keyAtCode(code), key) << code;
        }
    }
    const struct {
        const char* code;
        int key;
    } rows[] = {{"KeyW", 'W'},
                {"Digit7", '7'},
                {"Numpad3", Platform::kKeyKp0 + 3},
                {"NumpadAdd", Platform::kKeyKpAdd},
                {"F12", Platform::kKeyF1 + 11},
                {"ShiftLeft", Platform::kKeyLShift},
                {"Keyw", -1},
                {"Key", -1},
                {"F0", -1},
                {"F26", -1},
                {"F99999999999", -1},
                {"Digit12", -1},
                {"IntlBackslash", -1},
                {"", -1}};
    for (const auto& row : rows) EXPECT_EQ(Platform::keyAtCode(row.code), row.key) << row.code;
}
