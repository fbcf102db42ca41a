#pragma once
// The About box's frame rate: frames come at about the display's rate (60 a
// second) instead of as fast as the GUI thread can draw them. The tick count
// the frames are drawn with moves in steps of about 15.6 ms on Windows, and
// frames within one step would each count as 1 ms: unpaced, the walkers and
// the fade ran many times faster than meant. The pacing keeps its own time on
// a fine clock (microseconds), so a rest that the system rounds up to its
// timer tick is made up at the next frame and the rate still averages 60.
#include <chrono>
#include <cstdint>

namespace about {

class FramePacer {
public:
    static constexpr std::chrono::microseconds kFramePeriod{1'000'000 / 60};

    // After a frame drawn at `now` on the fine clock: how long to rest before
    // the next. A frame late by a whole period or more (the first one, one
    // after a pause, a stalled machine) starts the schedule anew rather than
    // being followed by a burst of frames that catch up.
    std::chrono::microseconds RestAfterFrame(std::chrono::microseconds now) noexcept;

private:
    std::chrono::microseconds due_{};  // when the frame just drawn was due
    bool started_ = false;
};

// The worker's loop: while mayGoOn() (waits while paused; false to end),
// draw() a frame (false to end), then rest(duration) (cut short by a pause,
// false to end) until the next is due by now().
template <class MayGoOn, class Draw, class Now, class Rest>
void RunPacedFrames(MayGoOn&& mayGoOn, Draw&& draw, Now&& now, Rest&& rest) {
    FramePacer pacer;
    while (mayGoOn()) {
        if (!draw()) break;
        if (!rest(pacer.RestAfterFrame(now()))) break;
    }
}

}  // namespace about
