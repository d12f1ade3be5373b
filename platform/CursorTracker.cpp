#include "platform/CursorTracker.h"

namespace Platform {

void CursorTracker::set(int x, int y) {
    cursorX = x;
    cursorY = y;
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
