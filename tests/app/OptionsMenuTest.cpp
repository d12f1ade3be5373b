#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "app/OptionsMenu.h"
#include "render/Viewport.h"

namespace {

using Outcome = OptionsMenu::Outcome;

// The menu's line for a setting, as its text shows it.
std::string lineOf(const OptionsMenu& menu, const std::string& name) {
    const std::string text = menu.text(nullptr);
    const std::size_t at = text.find(name);
    return at == std::string::npos ? "" : text.substr(at, text.find('\n', at) - at);
}

Platform::Gamepad padWith(Platform::PadButton button) {
    Platform::Gamepad pad;
    pad.buttons[static_cast<int>(button)] = true;
    pad.startSpan();
    return pad;
}

}  // namespace

// Up and Down choose a line, Left and Right change its value within its range, Enter switches.
TEST(OptionsMenu, TheKeysChooseAndChangeEachOptionWithinItsRange) {
    OptionsMenu menu;
    menu.open(Settings::Values());
    EXPECT_EQ(menu.press(Platform::kKeyRight), Outcome::Changed);
    EXPECT_EQ(menu.values().musicVolume, 100);
    menu.press(Platform::kKeyLeft);
    menu.press(Platform::kKeyLeft, true);
    EXPECT_EQ(menu.values().musicVolume, 80);
    EXPECT_EQ(lineOf(menu, "Music volume"), "Music volume        80 %");
    menu.press(Platform::kKeyDown);
    menu.press(Platform::kKeyRight);
    EXPECT_EQ(menu.values().look.sensitivity, 1.25f);
    menu.press(Platform::kKeyUp);
    menu.press(Platform::kKeyUp);
    EXPECT_NE(menu.text(nullptr).find("> Close"), std::string::npos) << "Up from the top wraps";
    menu.press(Platform::kKeyDown);
    for (int i = 0; i < 3; ++i) menu.press(Platform::kKeyDown);
    EXPECT_EQ(menu.press(Platform::kKeyEnter), Outcome::Changed);
    EXPECT_TRUE(menu.values().look.invertY);
    EXPECT_EQ(menu.press(Platform::kKeyEnter, true), Outcome::Nothing)
        << "a held Enter switches once";
}

// A key's line waits for the next key; one another action has changes places with this one's,
// and Escape lets the line be.
TEST(OptionsMenu, AKeyLineTakesTheNextKeyAndSwapsWithTheActionThatHadIt) {
    OptionsMenu menu;
    menu.open(Settings::Values());
    while (menu.text(nullptr).find("> Key: Forward") == std::string::npos) {
        menu.press(Platform::kKeyDown);
    }
    EXPECT_EQ(menu.press(Platform::kKeyEnter), Outcome::Nothing);
    EXPECT_EQ(lineOf(menu, "Key: Forward"), "Key: Forward        press a key or click");
    EXPECT_EQ(menu.press(Platform::kKeySpace), Outcome::Changed);
    EXPECT_EQ(menu.values().keys[Action::Forward], Platform::kKeySpace);
    EXPECT_EQ(menu.values().keys[Action::Rewind], 'W');
    menu.press(Platform::kKeyEnter);
    EXPECT_EQ(menu.press(Platform::kKeyEsc), Outcome::Nothing);
    EXPECT_TRUE(menu.isOpen());
    EXPECT_EQ(menu.values().keys[Action::Forward], Platform::kKeySpace);
    const auto shownAsZ = [](int key) { return std::string(key == 'W' ? "Z" : ""); };
    EXPECT_NE(menu.text(shownAsZ).find("Key: Rewind         Z"), std::string::npos);
}

// Escape, the options' own key, Close, a pad's B or Start close it; a held key does not.
TEST(OptionsMenu, ItClosesOnEscapeItsKeyCloseOrAPadsBackButtons) {
    OptionsMenu menu;
    for (const int key : {Platform::kKeyEsc, Platform::kKeyTab}) {
        menu.open(Settings::Values());
        EXPECT_EQ(menu.press(key, true), Outcome::Nothing);
        EXPECT_EQ(menu.press(key), Outcome::Closed);
        EXPECT_FALSE(menu.isOpen());
    }
    menu.open(Settings::Values());
    menu.press(Platform::kKeyUp);
    EXPECT_EQ(menu.press(Platform::kKeyEnter), Outcome::Closed);
    for (const Platform::PadButton button : {Platform::PadButton::B, Platform::PadButton::Start}) {
        menu.open(Settings::Values());
        menu.pad(Platform::Gamepad());
        EXPECT_EQ(menu.pad(padWith(button)), Outcome::Closed);
    }
}

// The d-pad chooses and changes, A switches; a button held over frames acts once.
TEST(OptionsMenu, APadWorksItWithItsDPadAndA) {
    OptionsMenu menu;
    menu.open(Settings::Values());
    const auto tap = [&](Platform::PadButton button) {
        const Outcome outcome = menu.pad(padWith(button));
        menu.pad(Platform::Gamepad());
        return outcome;
    };
    menu.pad(padWith(Platform::PadButton::DpadDown));
    menu.pad(padWith(Platform::PadButton::DpadDown));
    menu.pad(Platform::Gamepad());
    EXPECT_EQ(tap(Platform::PadButton::DpadLeft), Outcome::Changed);
    EXPECT_EQ(menu.values().look.sensitivity, 0.75f) << "a held d-pad moved more than once";
    tap(Platform::PadButton::DpadDown);
    tap(Platform::PadButton::DpadDown);
    EXPECT_EQ(tap(Platform::PadButton::A), Outcome::Changed);
    EXPECT_TRUE(menu.values().look.invertY);
}

// The pointer chooses the line under it, in the overlay's space; a click acts on it.
TEST(OptionsMenu, TheMouseChoosesTheLineUnderItAndAClickActs) {
    OptionsMenu menu;
    menu.open(Settings::Values());
    int x = 0;
    int y = 0;
    // Invert Y is the fourth line under the title: its cells start 5 steps below the title's top.
    GLUtils::toOverlay(400, 768 * (600 - (OptionsMenu::kTopY - 4 * OptionsMenu::kLineStep)) / 600,
                       x, y);
    menu.point(x, y);
    EXPECT_EQ(menu.click(Platform::kMouseButtonLeft), Outcome::Changed);
    EXPECT_TRUE(menu.values().look.invertY);
    // Above the lines, and just below the last one ("Close") and the gap under it, is no line.
    const std::string shown = menu.text(nullptr);
    const int lines = static_cast<int>(std::count(shown.begin(), shown.end(), '\n'));
    for (const int outside :
         {OptionsMenu::kTopY + OptionsMenu::kSize,
          OptionsMenu::kTopY - (lines + 1) * OptionsMenu::kLineStep + OptionsMenu::kSize}) {
        menu.point(x, outside);
        EXPECT_EQ(menu.click(Platform::kMouseButtonLeft), Outcome::Nothing) << outside;
        EXPECT_NE(menu.text(nullptr).find("> Invert Y"), std::string::npos) << outside;
    }
    // Opened again with the pointer over a line, a click acts there; the keys start at the top.
    menu.open(Settings::Values());
    menu.pointerAt(x, y);
    EXPECT_NE(menu.text(nullptr).find("> Music volume"), std::string::npos);
    EXPECT_EQ(menu.click(Platform::kMouseButtonLeft), Outcome::Changed);
    EXPECT_TRUE(menu.values().look.invertY);
}

// Each line's value after one input on it, from the defaults (the volume from 0 where a row says
// so): within its range, lowered by a right click, and a key line bound to the key or mouse
// button pressed next, unless the window's own key.
TEST(OptionsMenu, EveryInputOnALineGivesTheValueItShows) {
    const auto click = [](int button) {
        return [button](OptionsMenu& menu) { return menu.click(button); };
    };
    const auto key = [](int code) {
        return [code](OptionsMenu& menu) { return menu.press(code); };
    };
    const struct {
        const char* line;
        std::function<Outcome(OptionsMenu&)> input;
        const char* shown;
    } rows[] = {
        {"Music volume", key(Platform::kKeyLeft), "Music volume        0 %"},
        {"Music volume", click(Platform::kMouseButtonRight), "Music volume        0 %"},
        {"Mouse sensitivity", click(Platform::kMouseButtonRight), "Mouse sensitivity   0.75"},
        {"Mouse sensitivity", click(Platform::kMouseButtonLeft), "Mouse sensitivity   1.25"},
        {"Key: Forward", click(Platform::kMouseButtonRight), "Key: Forward        Right click"},
        {"Key: Forward", key(Platform::kKeyF1 + 10), "Key: Forward        W"},
        {"Key: Shoot", key('A'), "Key: Shoot          A"},
        {"Crosshair", click(Platform::kMouseButtonLeft), "Crosshair           off"},
        {"Scene at next start", click(Platform::kMouseButtonRight), "Scene at next start rain"},
        {"Scene at next start", key(Platform::kKeyRight), "Scene at next start big-wall:40x25"},
    };
    for (const auto& row : rows) {
        OptionsMenu menu;
        Settings::Values values;
        values.musicVolume = 0;
        menu.open(values);
        const std::string text = menu.text(nullptr);
        const int line = static_cast<int>(
            std::count(text.begin(), text.begin() + text.find(row.line), '\n') - 1);
        menu.point(OptionsMenu::kX, OptionsMenu::kTopY - (line + 1) * OptionsMenu::kLineStep);
        if (std::string(row.line).rfind("Key:", 0) == 0) menu.press(Platform::kKeyEnter);
        row.input(menu);
        EXPECT_EQ(lineOf(menu, row.line), row.shown) << row.line;
    }
}

// A key another action has changes places with it, so every action keeps a control: given the
// left click's action's line, A leaves Left with the left click.
TEST(OptionsMenu, AKeyTakenFromAnotherActionLeavesItTheOldOneAndTheWindowsKeyIsRefused) {
    OptionsMenu menu;
    menu.open(Settings::Values());
    while (menu.text(nullptr).find("> Key: Shoot") == std::string::npos) {
        menu.press(Platform::kKeyDown);
    }
    menu.press(Platform::kKeyEnter);
    EXPECT_EQ(menu.press('A'), Outcome::Changed);
    EXPECT_EQ(lineOf(menu, "Key: Left"), "Key: Left           Left click");
    menu.press(Platform::kKeyEnter);
    EXPECT_EQ(menu.press(Platform::kKeyF1 + 10), Outcome::Nothing);
    EXPECT_NE(
        menu.text(nullptr).find("\nF11 switches between the window and fullscreen: not bound"),
        std::string::npos);
    menu.press(Platform::kKeyDown);
    EXPECT_EQ(menu.text(nullptr).find("F11"), std::string::npos) << "the refusal stayed";
}
