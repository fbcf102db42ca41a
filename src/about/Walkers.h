#pragma once
// The About box animation apart from the window: fifty walkers crawl along the
// axes of a 24-bit off-screen picture, leave grey trails that fade to white,
// wrap around at the edges, and the logo is stamped in the middle of every
// frame. The window side owns the picture (a top-down DIB section), the tick
// count and the copy to the screen; everything here works on plain rows.
#include <array>
#include <cstdint>

#include "ui/Color.h"

namespace about {

// A 24-bit picture addressed by rows: 3 bytes per pixel (blue, green, red),
// rows of `stride` bytes, top row first, as CreateDIBSection gives it for a
// negative height. A view with no bits, no area or rows shorter than
// 3 * width is empty: nothing is read from it or drawn into it.
struct PixelRows {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// The same layout, read only: the logo.
struct ConstPixelRows {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// 32-bit linear congruential generator. Its start value is fixed, so the
// first pattern after every program start is the same.
class RandomGenerator {
public:
    static constexpr std::uint32_t kStartValue = 0;

    // A uniformly drawn integer from 0 to n - 1; 0 when n is 0 or less.
    int Random(int n) noexcept;

private:
    std::uint32_t state_ = kStartValue;
};

struct Walker {
    long double x = 0;
    long double y = 0;
    std::int32_t penWidth = 1;     // 1 to 3 pixels
    ui::ColorValue color = 0;      // a grey RGB(g, g, g), g from 0 to 99
    std::int32_t direction = 0;    // 0 right (+x), 90 down (+y), 180 left, 270 up
    std::int32_t speed = 30;       // pixels per second, 30 to 89
};

constexpr int kWalkerCount = 50;

struct AnimationState {
    std::array<Walker, kWalkerCount> walkers{};
    bool initialised = false;    // false: the next frame clears the canvas first
    std::uint32_t lastTick = 0;  // tick count (ms) of the previous frame
    std::int32_t elapsed = 0;    // ms not yet faded
    RandomGenerator random;
};

// To nearest, halves to even. Values beyond +-2^62, which are never a pixel,
// are held at that bound so that pixel arithmetic cannot overflow; NaN gives 0.
std::int64_t RoundHalfEven(long double value) noexcept;

// Clears the canvas to black and restarts the timing at nowTick.
void ResetCanvas(PixelRows canvas, AnimationState& state, std::uint32_t nowTick) noexcept;

// Places every walker at random in a width x height picture. The draws are
// taken in a fixed order per walker (x, y, grey, pen width, speed, direction),
// and the first direction is never 270.
void InitWalkers(AnimationState& state, int width, int height) noexcept;

// Levels to brighten by after `elapsed` ms: 255 per 5000 ms, rounded half to
// even, within 0..255. Under 10 ms it rounds to 0.
int FadeStep(std::int32_t elapsed) noexcept;

// Brightens every byte of the canvas by FadeStep(state.elapsed), up to 255,
// and consumes the elapsed time; time that makes no step yet is kept.
void FadeBitmap(PixelRows canvas, AnimationState& state) noexcept;

// The direction after a turn draw r (an even number 0..358): r of 0, 90, 180
// or 270 becomes the new direction unless it would reverse the walker; any
// other r keeps the direction.
std::int32_t TurnedDirection(std::int32_t direction, int r) noexcept;

// Moves the walker speed * dt / 1000 pixels along its direction, then wraps
// it around one edge of a width x height picture: only the first of right,
// left, bottom and top that it has passed. True when it wrapped.
bool StepWalker(Walker& walker, std::uint32_t dt, int width, int height) noexcept;

// A straight pen stroke in the walker's grey, clipped to the canvas. Width 1
// runs from the start up to but not including the end, as LineTo draws.
// Wider pens draw a band of that width across the line (for width 2 the extra
// row or column lies above or left of it), with square ends reaching as far
// past both points as the band reaches past the line, so that a turn leaves
// no notch at the outer corner. A stroke of no length draws nothing; walkers
// move along one axis, so a line that is neither horizontal nor vertical is
// not drawn either.
void DrawPenLine(PixelRows canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                 int penWidth, ui::ColorValue color) noexcept;

// Copies the logo with its top-left corner at ((W - w) / 2, (H - h) / 2),
// divisions truncated, clipped to the canvas.
void StampLogo(PixelRows canvas, ConstPixelRows logo) noexcept;

// One frame at nowTick, all but the copy to the screen: clears first when not
// initialised; dt is the tick difference in 32-bit unsigned arithmetic, 0
// counting as 1; fades; turns, steps, wraps and draws every walker; stamps the
// logo over it all.
void DrawFrame(PixelRows canvas, AnimationState& state, std::uint32_t nowTick, ConstPixelRows logo) noexcept;

}  // namespace about
