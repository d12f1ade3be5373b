#include "platform/CursorTracker.h"

namespace Platform {

void CursorTracker::set(int x, int y) {
    cursorX = x;
    cursorY = y;
}

void CursorTracker::moveTo(long rawX, long rawY) {
    cursorX = static_cast<int>(rawX);
    cursorY = static_cast<int>(rawY);
    lastRawX = rawX;
    lastRawY = rawY;
    resyncPending = false;
}

void CursorTracker::onRawPosition(long rawX, long rawY, int& x, int& y) {
    if (resyncPending) {
        resyncPending = false;
    } else {
        cursorX += static_cast<int>(rawX - lastRawX);
        cursorY += static_cast<int>(rawY - lastRawY);
    }
    lastRawX = rawX;
    lastRawY = rawY;
    x = cursorX;
    y = cursorY;
}

}  // namespace Platform
