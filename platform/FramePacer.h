#pragma once

namespace Platform {

// Caps the frame rate at the display's refresh rate where the driver does not wait for the display
// itself. A driver that honours the swap interval never returns from a swap much sooner than one
// refresh period after the previous frame began; the first frame that does so shows the interval is
// ignored, and from then on every frame starts on an absolute schedule of whole periods, so waking
// late from a sleep never makes the cap drift. Times are seconds on any steady clock.
class FramePacer {
public:
    static constexpr double kDefaultRefreshHz = 60.0;
    // A frame shorter than this share of a period cannot have waited for the display.
    static constexpr double kUnpacedShare = 0.75;

    // refreshHz of 0 or less (unknown) is taken as 60.
    explicit FramePacer(double refreshHz);

    // Called when the swap has returned at now; the time the next frame may begin (now when no
    // wait is needed).
    double nextFrameStart(double now);
    bool isCapping() const { return capping; }
    double period() const { return periodSeconds; }

private:
    double periodSeconds;
    double frameStart = 0.0;
    double deadline = 0.0;
    bool started = false;
    bool capping = false;
};

}  // namespace Platform
