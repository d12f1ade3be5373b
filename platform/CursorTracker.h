#pragma once

namespace Platform {

// The cursor position the game sees: it moves only by real motion. Each raw report from the window
// library adds its distance from the previous raw report; after a focus or enter event, or a
// change of capture, the library may report a jump, so the next report only resynchronises.
class CursorTracker {
public:
    // The position the game last set or was told.
    void set(int x, int y);
    void requestResync() { resyncPending = true; }
    // The library's cursor stands at this raw position, which the game sees as it is: the next
    // report is a motion from there.
    void moveTo(long rawX, long rawY);
    // Takes a raw report; returns the position to report to the game.
    void onRawPosition(long rawX, long rawY, int& x, int& y);
    int getX() const { return cursorX; }
    int getY() const { return cursorY; }

private:
    int cursorX = 0;
    int cursorY = 0;
    long lastRawX = 0;
    long lastRawY = 0;
    bool resyncPending = true;
};

}  // namespace Platform
