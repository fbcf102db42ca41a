// The About box's paced frame loop, driven with a fake clock: real time in
// microseconds, and a tick count that moves in 15.6-ms steps as GetTickCount
// does on Windows.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "about/FramePacer.h"
#include "about/Walkers.h"

namespace {

using std::chrono::microseconds;

constexpr std::int64_t kTickStep = 15'625;  // us: the system timer's period
constexpr int kWidth = 233;
constexpr int kHeight = 89;

enum class Timer { Exact, RoundedUpToTick, NoRest };

struct Motion {
    double framesPerSecond = 0;
    std::vector<double> speedRatios;  // each walker's pixels per real second over its speed
};

Motion Animate(Timer timer, double seconds) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kWidth) * 3 * kHeight);
    const about::PixelRows canvas{bytes.data(), kWidth, kHeight, kWidth * 3};
    about::AnimationState state;
    about::InitWalkers(state, kWidth, kHeight);
    std::int64_t now = 0;
    const auto tick = [&] { return static_cast<std::uint32_t>(now / kTickStep * kTickStep / 1000); };
    about::ResetCanvas(canvas, state, tick());
    std::vector<double> distance(about::kWalkerCount, 0);
    int frames = 0;
    const std::int64_t end = static_cast<std::int64_t>(seconds * 1e6);
    about::RunPacedFrames(
        [&] { return now < end; },
        [&] {
            const auto before = state.walkers;
            about::DrawFrame(canvas, state, tick(), {});
            for (int i = 0; i < about::kWalkerCount; ++i) {
                double dx = std::abs(static_cast<double>(state.walkers[i].x - before[i].x));
                double dy = std::abs(static_cast<double>(state.walkers[i].y - before[i].y));
                if (dx > kWidth / 2.0) dx = kWidth - dx;  // wrapped around an edge
                if (dy > kHeight / 2.0) dy = kHeight - dy;
                distance[i] += dx + dy;
            }
            ++frames;
            now += 200;  // the frame's own cost, hand-off to the GUI thread included
            return true;
        },
        [&] { return microseconds(now); },
        [&](microseconds rest) {
            if (timer == Timer::Exact) now += rest.count();
            if (timer == Timer::RoundedUpToTick && rest.count() > 0) now = (now + rest.count() + kTickStep - 1) / kTickStep * kTickStep;
            return true;
        });
    Motion run;
    run.framesPerSecond = frames / (now / 1e6);
    for (int i = 0; i < about::kWalkerCount; ++i)
        run.speedRatios.push_back(distance[i] / (now / 1e6) / state.walkers[i].speed);
    return run;
}

TEST(FramePacer, WalkersCoverTheirSpeedPerSecondOfRealTimeWithATickCountIn15MsSteps) {
    for (const Timer timer : {Timer::Exact, Timer::RoundedUpToTick}) {
        const Motion run = Animate(timer, 5);
        EXPECT_NEAR(run.framesPerSecond, 60, 2) << static_cast<int>(timer);
        for (const double ratio : run.speedRatios) ASSERT_NEAR(ratio, 1, 0.02) << static_cast<int>(timer);
    }
    // Unpaced, frames within one tick step count 1 ms each: the walkers outrun their speed.
    const Motion unpaced = Animate(Timer::NoRest, 1);
    EXPECT_GT(unpaced.framesPerSecond, 1000);
    for (const double ratio : unpaced.speedRatios) ASSERT_GT(ratio, 89.0 / 30);
}

TEST(FramePacer, ALateFrameStartsTheScheduleAnewInsteadOfABurst) {
    about::FramePacer pacer;
    const microseconds period = about::FramePacer::kFramePeriod;
    EXPECT_EQ(pacer.RestAfterFrame(microseconds(1'000)), period);
    // A rest rounded up by 10 ms is made up at the next frame.
    EXPECT_EQ(pacer.RestAfterFrame(microseconds(1'000) + period + microseconds(10'000)), period - microseconds(10'000));
    // Back after a pause of a second: one period from now, not at once.
    EXPECT_EQ(pacer.RestAfterFrame(microseconds(2'000'000)), period);
}

}  // namespace
