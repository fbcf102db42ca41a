#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "about/Walkers.h"

namespace {

using about::AnimationState;
using about::ConstPixelRows;
using about::DrawFrame;
using about::PixelRows;
using about::RoundHalfEven;

// A picture with `margin` guard pixels on every side and padded rows, so that
// a write outside the view shows up in the guard.
struct Picture {
    Picture(int columns, int rows, std::uint8_t fill, int guard = 0)
        : width(columns), height(rows), margin(guard), stride((columns + 2 * guard) * 3 + 1),
          bytes(static_cast<std::size_t>(stride) * (rows + 2 * guard), fill) {}

    PixelRows View() { return {bytes.data() + margin * stride + margin * 3, width, height, stride}; }
    ConstPixelRows ConstView() { return {View().bits, width, height, stride}; }
    std::uint8_t* Pixel(int x, int y) { return View().bits + y * stride + x * 3; }

    // The view row by row: '.' where a pixel still holds `blank`, '#' elsewhere.
    std::string Drawing(std::uint8_t blank) {
        std::string text;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) text += *Pixel(x, y) == blank ? '.' : '#';
            text += '\n';
        }
        return text;
    }

    int width, height, margin, stride;
    std::vector<std::uint8_t> bytes;
};

// Every walker at the same spot, keeping its own direction, speed and pen.
void PlaceAll(AnimationState& state, long double x, long double y) {
    for (auto& walker : state.walkers) {
        walker.x = x;
        walker.y = y;
    }
}

TEST(Walkers, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(0.5L), 0);
    EXPECT_EQ(RoundHalfEven(1.5L), 2);
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(RoundHalfEven(232.5L), 232);
    EXPECT_EQ(RoundHalfEven(-0.5L), 0);
    EXPECT_EQ(RoundHalfEven(-1.5L), -2);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
    EXPECT_EQ(RoundHalfEven(2.4999L), 2);
    EXPECT_EQ(RoundHalfEven(2.5001L), 3);
    EXPECT_EQ(RoundHalfEven(-7.2L), -7);
}

TEST(Walkers, FadeStepIs255Per5000MsHalvesToEven) {
    EXPECT_EQ(about::FadeStep(5000), 255);
    EXPECT_EQ(about::FadeStep(9), 0);     // 0.459
    EXPECT_EQ(about::FadeStep(10), 1);    // 0.51
    EXPECT_EQ(about::FadeStep(16), 1);    // 0.816
    EXPECT_EQ(about::FadeStep(500), 26);  // 25.5
    EXPECT_EQ(about::FadeStep(1500), 76); // 76.5
    EXPECT_EQ(about::FadeStep(0), 0);
    EXPECT_EQ(about::FadeStep(-40), 0);
    EXPECT_EQ(about::FadeStep(INT32_MAX), 255);

    // Frames 2 ms apart each make no step, but their time adds up to one.
    std::vector<std::uint8_t> byte{0, 0, 0, 0};
    AnimationState state;
    for (int frame = 0; frame < 5; ++frame) {
        state.elapsed += 2;
        about::FadeBitmap({byte.data(), 1, 1, 4}, state);
    }
    EXPECT_EQ(byte[0], 1);
    EXPECT_EQ(state.elapsed, 0);
}

TEST(Walkers, SameStartGivesSameWalkersWithinTheirRanges) {
    AnimationState first;
    AnimationState second;
    about::InitWalkers(first, 233, 89);
    about::InitWalkers(second, 233, 89);
    for (int i = 0; i < about::kWalkerCount; ++i) {
        const auto& a = first.walkers[i];
        const auto& b = second.walkers[i];
        EXPECT_TRUE(a.x == b.x && a.y == b.y && a.penWidth == b.penWidth && a.color == b.color &&
                    a.direction == b.direction && a.speed == b.speed)
            << "walker " << i;
    }

    // Many walkers from one generator: every value in range, the three first
    // directions all drawn, never 270.
    std::set<int> directions, greys, speeds, pens;
    for (int round = 0; round < 40; ++round) {
        about::InitWalkers(first, 233, 89);
        for (const auto& walker : first.walkers) {
            ASSERT_TRUE(walker.x >= 0 && walker.x < 233 && walker.y >= 0 && walker.y < 89);
            const int grey = walker.color & 0xFF;
            ASSERT_EQ(walker.color, ui::Rgb(grey, grey, grey));
            directions.insert(walker.direction);
            greys.insert(grey);
            speeds.insert(walker.speed);
            pens.insert(walker.penWidth);
        }
    }
    EXPECT_EQ(directions, (std::set<int>{0, 90, 180}));
    EXPECT_EQ(pens, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(greys.size(), 100u);
    EXPECT_EQ(*greys.rbegin(), 99);
    EXPECT_EQ(speeds.size(), 60u);
    EXPECT_EQ(*speeds.begin(), 30);
    EXPECT_EQ(*speeds.rbegin(), 89);
}

TEST(Walkers, TheFirstWalkerTakesTheFirstSixDrawsInOrder) {
    // The generator's states from 0 (state * 134775813 + 1) and the draws
    // state * n >> 32 they give: x 1 -> 0 of 233, y 134775814 -> 2 of 89,
    // grey 3698175007 -> 86 of 100, pen 870078620 -> 0 of 3, speed
    // 1172187917 -> 16 of 60, direction 2884733762 -> 2 of 3.
    AnimationState state;
    about::InitWalkers(state, 233, 89);
    const about::Walker& first = state.walkers[0];
    EXPECT_EQ(first.x, 0);
    EXPECT_EQ(first.y, 2);
    EXPECT_EQ(first.color, ui::Rgb(86, 86, 86));
    EXPECT_EQ(first.penWidth, 1);
    EXPECT_EQ(first.speed, 46);
    EXPECT_EQ(first.direction, 180);
}

TEST(Walkers, EachEdgeWrapsToTheOtherSide) {
    struct Case {
        const char* edge;
        long double x, y;
        int direction;
        long double wrappedX, wrappedY;
    };
    // 50 pixels a second for 20 ms: one pixel.
    for (const Case& c : {Case{"right", 232.5L, 10, 0, 0.5L, 10}, Case{"left", 0.5L, 10, 180, 232.5L, 10},
                          Case{"bottom", 10, 88.5L, 90, 10, 0.5L}, Case{"top", 10, 0.5L, 270, 10, 88.5L}}) {
        about::Walker walker{c.x, c.y, 1, 0, c.direction, 50};
        EXPECT_TRUE(about::StepWalker(walker, 20, 233, 89)) << c.edge;
        EXPECT_EQ(walker.x, c.wrappedX) << c.edge;
        EXPECT_EQ(walker.y, c.wrappedY) << c.edge;
    }
    about::Walker inside{10, 10, 1, 0, 270, 50};
    EXPECT_FALSE(about::StepWalker(inside, 20, 233, 89));
}

TEST(Walkers, TurnsNeverReverse) {
    struct Case {
        int direction, r, expected;
    };
    for (const Case& c : {Case{0, 90, 90}, Case{0, 270, 270}, Case{0, 180, 0}, Case{90, 270, 90},
                          Case{270, 0, 0}, Case{180, 0, 180}, Case{180, 180, 180}, Case{90, 2, 90},
                          Case{270, 358, 270}}) {
        EXPECT_EQ(about::TurnedDirection(c.direction, c.r), c.expected) << c.direction << " by " << c.r;
    }
}

TEST(Walkers, FramesWithinOneTickMoveByOneMillisecondAndDoNotFade) {
    Picture picture(233, 89, 0);
    AnimationState state;
    about::InitWalkers(state, 233, 89);
    about::ResetCanvas(picture.View(), state, 5000);
    EXPECT_EQ(picture.Drawing(0), Picture(233, 89, 0).Drawing(0));  // cleared to black
    std::fill(picture.bytes.begin(), picture.bytes.end(), 200);
    PlaceAll(state, 100, 40);

    for (int frame = 0; frame < 2; ++frame) {
        DrawFrame(picture.View(), state, 5000, {});
        for (const auto& walker : state.walkers) {
            const long double moved = (walker.x - 100) + (walker.y - 40);
            const long double sign = walker.direction == 0 || walker.direction == 90 ? 1 : -1;
            ASSERT_NEAR(static_cast<double>(moved * sign), walker.speed / 1000.0, 1e-9);
            ASSERT_TRUE(walker.x == 100 || walker.y == 40);
        }
        EXPECT_EQ(state.lastTick, 5000u);
        EXPECT_EQ(state.elapsed, frame + 1) << "kept until it makes a step";
        PlaceAll(state, 100, 40);
    }
    // Lines of under a pixel round to no line, and no byte was brightened.
    EXPECT_EQ(picture.Drawing(200), Picture(233, 89, 200).Drawing(200));
}

TEST(Walkers, LeavingAtTheRightComesBackAtTheLeftWithoutALine) {
    Picture picture(233, 89, 255);
    AnimationState state;
    state.initialised = true;
    state.lastTick = 1000;
    PlaceAll(state, -1e6L, 10);  // far off the canvas: every other walker wraps and draws nothing
    auto& walker = state.walkers[0];
    walker = {232.6L, 10, 3, ui::Rgb(40, 40, 40), 0, 89};

    DrawFrame(picture.View(), state, 1016, {});
    ASSERT_EQ(walker.direction, 0);
    EXPECT_NEAR(static_cast<double>(walker.x), 232.6 + 1.424 - 233, 1e-9);
    EXPECT_EQ(walker.y, 10);
    EXPECT_EQ(picture.Drawing(255), Picture(233, 89, 255).Drawing(255));

    // The next frame draws on from the wrapped position.
    DrawFrame(picture.View(), state, 1032, {});
    ASSERT_EQ(walker.direction, 0);
    EXPECT_EQ(picture.Pixel(0, 10)[0], 40);
    EXPECT_EQ(picture.Pixel(3, 11)[2], 40);
    EXPECT_EQ(picture.Pixel(200, 10)[0], 255);
}

TEST(Walkers, LogoIsStampedInTheMiddleOverTrailsAndFade) {
    Picture logo(88, 31, 0);
    for (std::size_t i = 0; i < logo.bytes.size(); ++i) logo.bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    Picture picture(233, 89, 7);
    AnimationState state;
    about::InitWalkers(state, 233, 89);
    state.initialised = true;
    state.lastTick = 1000;
    std::fill(picture.Pixel(0, 0), picture.Pixel(233, 0), 252);
    PlaceAll(state, 116, 44);  // at most 9 pixels in 100 ms: every trail stays under the logo

    DrawFrame(picture.View(), state, 1100, logo.ConstView());  // fades by round(5.1) = 5
    for (int y = 0; y < 89; ++y) {
        for (int x = 0; x < 233; ++x) {
            const bool onLogo = x >= 72 && x < 72 + 88 && y >= 29 && y < 29 + 31;
            for (int byte = 0; byte < 3; ++byte) {
                const int expected = onLogo ? logo.Pixel(x - 72, y - 29)[byte] : y == 0 ? 255 : 12;
                ASSERT_EQ(picture.Pixel(x, y)[byte], expected) << x << "," << y;
            }
        }
    }
}

TEST(Walkers, PenShapes) {
    Picture picture(12, 8, 255);
    const auto grey = ui::Rgb(9, 9, 9);
    about::DrawPenLine(picture.View(), 1, 1, 5, 1, 1, grey);  // the end point is left out
    about::DrawPenLine(picture.View(), 5, 3, 1, 3, 1, grey);  // either way
    about::DrawPenLine(picture.View(), 9, 1, 9, 5, 3, grey);  // a band with square ends
    about::DrawPenLine(picture.View(), 1, 6, 4, 6, 2, grey);  // the extra row above
    about::DrawPenLine(picture.View(), 3, 3, 3, 3, 3, grey);  // no length, no dot
    about::DrawPenLine(picture.View(), 1, 0, 4, 2, 1, grey);  // not along an axis
    EXPECT_EQ(picture.Drawing(255),
              "........###.\n"
              ".####...###.\n"
              "........###.\n"
              "..####..###.\n"
              "........###.\n"
              "#####...###.\n"
              "#####...###.\n"
              "............\n");
}

TEST(Walkers, NothingIsWrittenOutsideTheCanvas) {
    Picture picture(10, 6, 0xEE, 3);
    const auto grey = ui::Rgb(1, 2, 3);
    const std::int64_t far = std::int64_t{1} << 62;
    about::DrawPenLine(picture.View(), -5, 0, 20, 0, 3, grey);
    about::DrawPenLine(picture.View(), 9, -3, 9, 10, 3, grey);
    about::DrawPenLine(picture.View(), 0, 5, 0, -far, 3, grey);
    about::DrawPenLine(picture.View(), far, 5, -far, 5, 3, grey);
    about::DrawPenLine(picture.View(), -far, -far, -far, far, 3, grey);
    about::DrawPenLine(picture.View(), RoundHalfEven(1e30L), 2, 0, 2, 3, grey);

    AnimationState state;
    about::InitWalkers(state, 10, 6);
    for (auto& walker : state.walkers) walker.penWidth = 3;
    for (std::uint32_t tick = 0; tick < 3000; tick += 16) DrawFrame(picture.View(), state, tick, {});

    Picture logo(16, 12, 0);
    for (std::size_t i = 0; i < logo.bytes.size(); ++i) logo.bytes[i] = static_cast<std::uint8_t>(i);
    about::StampLogo(picture.View(), logo.ConstView());
    EXPECT_EQ(picture.Pixel(0, 0)[0], logo.Pixel(3, 3)[0]);  // (10 - 16) / 2 = -3
    EXPECT_EQ(picture.Pixel(9, 5)[2], logo.Pixel(12, 8)[2]);

    // The guard around the view and the padding of each row are untouched.
    Picture untouched(10, 6, 0xEE, 3);
    for (int y = 0; y < 6; ++y) {
        std::fill(untouched.Pixel(0, y), untouched.Pixel(10, y), 0);
        std::fill(picture.Pixel(0, y), picture.Pixel(10, y), 0);
    }
    EXPECT_EQ(picture.bytes, untouched.bytes);
}

}  // namespace
