#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "platform/Platform.h"

// The options the player changes in the game, a line each: music volume, the mouse's and the
// pad's look, inversion, rewind by holding or toggling, fullscreen, each action's key, and Close.
// Worked with the keyboard (Up, Down, Left, Right, Enter, Escape), the mouse (pointing at a line,
// a left click raising or switching it, a right click lowering it) and a pad (the d-pad, A, B,
// Start); a key's line waits for the key or mouse button pressed next, and a key that cannot be
// an action's is refused with why. Plain data in and out: the game applies and keeps what changes.
class OptionsMenu {
public:
    enum class Outcome { Nothing, Changed, Closed };

    // The pad's buttons that work the options, as the keys they stand for; the page's dialog is
    // worked with the same.
    struct PadKey {
        Platform::PadButton button;
        int key;
    };
    static const std::array<PadKey, 7> kPadKeys;

    // Where the lines stand in the overlay's space (see Text2D) unless placed elsewhere: x of the
    // first character's cell, y of the title, each further line kLineStep lower.
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
    // Where the pointer stands in the overlay's space when the options open: a click there acts
    // on the line under it, while the keys start from the first line.
    void pointerAt(int x, int y);
    // The pointer moved there: a line under it is the one chosen.
    void point(int x, int y);
    // A mouse button pressed where the pointer stands: on a line, it chooses and acts on it.
    Outcome click(int button);

    // Where the overlay layout placed the menu, and how many of its lines (the title's among
    // them) fit there: a list longer than that shows the lines around the chosen one.
    void place(int x, int titleY, int fittingLines);

    // The menu as drawn: a title, then a line per option shown, the chosen one marked; label
    // gives a key's name on the player's layout (empty: its US name).
    std::string text(std::string (*label)(int key)) const;
    // Every line, however many fit: what the overlays measure.
    std::string wholeText(std::string (*label)(int key)) const;

private:
    enum class Kind {
        Volume,
        Sensitivity,
        PadSpeed,
        InvertY,
        FieldOfView,
        TextSize,
        Rewind,
        RewindMark,
        Crosshair,
        Scene,
        Fullscreen,
        Key,
        Close
    };
    struct Line {
        Kind kind;
        // The action whose key the line sets, for a key's line.
        Action action;
        std::string name;
    };

    Outcome change(int direction);
    Outcome activate();
    Outcome bind(int key);
    std::string valueText(const Line& line, std::string (*label)(int key)) const;
    int lineAt(int x, int y) const;
    int linesShown() const;
    std::string textOf(std::string (*label)(int key), int first, int count) const;
    // The first line shown moves only as far as keeps the chosen one in view.
    void keepChosenShown();

    bool opened = false;
    Settings::Values current;
    std::vector<Line> lines;
    int chosen = 0;
    int firstShown = 0;
    int placedX = kX;
    int placedTitleY = kTopY;
    // 0: all.
    int fitting = 0;
    // The line under the pointer; -1 for none.
    int pointed = -1;
    bool waitingForKey = false;
    // Why the last key given was refused; shown under the lines until the next press.
    std::string refusal;
    Platform::Gamepad padBefore;
};
