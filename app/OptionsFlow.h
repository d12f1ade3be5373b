#pragma once

#include <string>

#include "app/OptionsMenu.h"
#include "app/Settings.h"
#include "app/SettingsKeeper.h"
#include "input/Controls.h"
#include "platform/Platform.h"
#include "render/OverlayLayout.h"

class Session;
class Text2D;

// The options over a run: the settings played, opened over the game where the run offers them
// (the desktop game's own run) and worked there by keys, pointer and pad while the game waits;
// what changes is played at once and kept in the settings file, fullscreen switched by the
// window's own keys too; and the help text for the keys played and the device in use.
class OptionsFlow {
public:
    // Plays the settings given; the file at settingsPath (none: empty) holds inFile.
    OptionsFlow(const Settings::Values& played, bool offered, const std::string& settingsPath,
                const Settings::Values& inFile, Session* session);
    // Closed with the run, the options' key listener goes too.
    ~OptionsFlow();
    OptionsFlow(const OptionsFlow&) = delete;
    OptionsFlow& operator=(const OptionsFlow&) = delete;

    const Settings::Values& played() const { return values; }
    // The settings played from now on: the input, the music and the window follow, and the help;
    // a replay turns as its recording says, whatever the player's look.
    void apply(const Settings::Values& next);
    // Played and kept in the settings file.
    void change(const Settings::Values& next);

    bool isOpen() const { return options.isOpen(); }
    // The options' action pressed in a played frame: they open over the game.
    void openIfAsked(bool asked);
    // A waiting frame with them open: the pad and the mouse buttons as sampled.
    void followDevices(const Platform::Gamepad& pad);
    void onKey(int key, bool repeat);
    // The pointer moved, in the window's coordinates.
    void point(int x, int y);
    // The whole menu, all its lines; then, where the overlays placed it (with how many lines fit
    // and the overlay units a window's point is), what it shows there.
    std::string menu() const;
    void place(const GLUtils::PlacedText& placed, double unitsPerPoint);
    void draw(Text2D& text) const;

    // F11 and Alt+Enter switch fullscreen by themselves: played and kept as the options' switch.
    void followFullscreen();
    // The help names the touch controls on a touch screen, the pad's with a pad, else the keys.
    void followDevice(bool padConnected);
    const std::string& helpText() const { return help; }
    // True once after the help text changed.
    bool takeHelpChanged();

private:
    struct Point {
        int x = 0;
        int y = 0;
    };
    Point inOverlay(int x, int y) const;
    void onOutcome(OptionsMenu::Outcome outcome, int closingKey = -1);
    void showHelp();

    bool offered;
    Session* session;
    Settings::Values values;
    SettingsKeeper keeper;
    OptionsMenu options;
    GLUtils::PlacedText placed;
    double unitsPerPoint = 0.0;
    Controls::Device device = Controls::Device::Keyboard;
    std::string help;
    bool helpChanged = true;
};
