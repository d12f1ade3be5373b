#pragma once

#include <string>
#include <vector>

#include "app/Settings.h"
#include "platform/Platform.h"

// The options the player changes in the game, a line each: music volume, the mouse's and the
// pad's look, inversion, rewind by holding or toggling, fullscreen, each action's key, and Close.
// Worked with the keyboard (Up, Down, Left, Right, Enter, Escape), the mouse (pointing and
// clicking a line) and a pad (the d-pad, A, B, Start); a key's line waits for the key pressed
// next. Plain data in and out: the game applies and keeps what changes.
class OptionsMenu {
public:
    enum class Outcome { Nothing, Changed, Closed };

    // Where the lines stand in the overlay's space (see Text2D), below the help text: x of the
    // first character, y of the title, each further line kLineStep lower.
    static constexpr int kX = 200;
    static constexpr int kTopY = 420;
    static constexpr int kSize = 12;
    // Text2D puts lines a quarter of their size apart.
    static constexpr int kLineStep = kSize + kSize / 4;

    void open(const Settings::Values& values);
    bool isOpen() const { return opened; }
    const Settings::Values& values() const { return current; }

    // A key pressed; held down, it repeats, which only moves and changes.
    Outcome press(int key, bool repeat = false);
    // The pad as read this frame; its buttons act when they go down.
    Outcome pad(const Platform::Gamepad& now);
    // The pointer in the overlay's space: a line under it is the one chosen.
    void point(int x, int y);
    Outcome click();

    // The menu as drawn: a title, then a line per option, the chosen one marked; label gives a
    // key's name on the player's layout (empty: its US name).
    std::string text(std::string (*label)(int key)) const;

private:
    enum class Kind { Volume, Sensitivity, PadSpeed, InvertY, Rewind, Fullscreen, Key, Close };
    struct Line {
        Kind kind;
        Action action;
    };

    Outcome change(int direction);
    Outcome activate();
    Outcome bind(int key);
    std::string valueText(const Line& line, std::string (*label)(int key)) const;

    bool opened = false;
    Settings::Values current;
    std::vector<Line> lines;
    int chosen = 0;
    bool waitingForKey = false;
    Platform::Gamepad padBefore;
};
