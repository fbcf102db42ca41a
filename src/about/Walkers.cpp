#include "about/Walkers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

namespace about {

namespace {

constexpr std::int64_t kCoordinateBound = std::int64_t{1} << 62;
constexpr std::int32_t kFadeSpan = 5000;  // ms in which a fade covers 255 levels

bool Usable(int width, int height, int stride, const void* bits) noexcept {
    return bits != nullptr && width > 0 && height > 0 &&
           static_cast<std::int64_t>(stride) >= static_cast<std::int64_t>(width) * 3;
}

bool Usable(const PixelRows& canvas) noexcept {
    return Usable(canvas.width, canvas.height, canvas.stride, canvas.bits);
}

std::uint8_t* Row(const PixelRows& canvas, std::int64_t y) noexcept {
    return canvas.bits + static_cast<std::ptrdiff_t>(y) * canvas.stride;
}

// Fills the pixels left <= x < right, top <= y < bottom that lie on the canvas.
void FillRect(const PixelRows& canvas, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
              ui::ColorValue color) noexcept {
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, canvas.width);
    bottom = std::min<std::int64_t>(bottom, canvas.height);
    if (left >= right || top >= bottom) return;
    const auto bgr = static_cast<std::uint32_t>(color);
    const auto red = static_cast<std::uint8_t>(bgr & 0xFF);
    const auto green = static_cast<std::uint8_t>((bgr >> 8) & 0xFF);
    const auto blue = static_cast<std::uint8_t>((bgr >> 16) & 0xFF);
    for (std::int64_t y = top; y < bottom; ++y) {
        std::uint8_t* p = Row(canvas, y) + left * 3;
        for (std::int64_t x = left; x < right; ++x) {
            *p++ = blue;
            *p++ = green;
            *p++ = red;
        }
    }
}

}  // namespace

int RandomGenerator::Random(int n) noexcept {
    state_ = state_ * 134775813u + 1u;
    if (n <= 0) return 0;
    // The high bits of the state are the well-mixed ones; scaling them keeps
    // every result equally likely to within 2^-32.
    return static_cast<int>((static_cast<std::uint64_t>(state_) * static_cast<std::uint64_t>(n)) >> 32);
}

std::int64_t RoundHalfEven(long double value) noexcept {
    if (std::isnan(value)) return 0;
    constexpr auto kBound = static_cast<long double>(kCoordinateBound);
    if (value >= kBound) return kCoordinateBound;
    if (value <= -kBound) return -kCoordinateBound;
    // One conversion, towards zero: on x87 each one switches the rounding
    // mode, and that switch dominates a walker's whole step.
    auto result = static_cast<std::int64_t>(value);
    const long double rest = value - static_cast<long double>(result);  // exact, within (-1, 1)
    if (rest > 0.5L || (rest == 0.5L && (result & 1) != 0)) {
        ++result;
    } else if (rest < -0.5L || (rest == -0.5L && (result & 1) != 0)) {
        --result;
    }
    return result;
}

void ResetCanvas(PixelRows canvas, AnimationState& state, std::uint32_t nowTick) noexcept {
    state.elapsed = 0;
    state.lastTick = nowTick;
    if (Usable(canvas)) {
        const auto rowBytes = static_cast<std::size_t>(canvas.width) * 3;
        for (int y = 0; y < canvas.height; ++y) std::memset(Row(canvas, y), 0, rowBytes);
    }
    state.initialised = true;
}

void InitWalkers(AnimationState& state, int width, int height) noexcept {
    RandomGenerator& random = state.random;
    for (Walker& walker : state.walkers) {
        walker.x = random.Random(width);
        walker.y = random.Random(height);
        const auto grey = static_cast<std::uint8_t>(random.Random(100));
        walker.penWidth = random.Random(3) + 1;
        walker.color = ui::Rgb(grey, grey, grey);
        walker.speed = random.Random(60) + 30;
        walker.direction = random.Random(3) * 90;
    }
}

int FadeStep(std::int32_t elapsed) noexcept {
    if (elapsed <= 0) return 0;
    if (elapsed >= kFadeSpan) return 255;
    // elapsed * 255 / 5000 in whole numbers, so that exact halves are seen.
    const std::int32_t num = elapsed * 255;
    std::int32_t step = num / kFadeSpan;
    const std::int32_t rest = num % kFadeSpan;
    if (2 * rest > kFadeSpan || (2 * rest == kFadeSpan && step % 2 != 0)) ++step;
    return step;
}

void FadeBitmap(PixelRows canvas, AnimationState& state) noexcept {
    const auto step = static_cast<std::uint8_t>(FadeStep(state.elapsed));
    // Time too short to brighten by one level is kept for the next frame:
    // frames that follow each other faster than every 10 ms (a tick count
    // that counts single milliseconds) would otherwise never fade at all.
    if (step == 0) return;
    state.elapsed = 0;
    if (!Usable(canvas)) return;
    // A saturating add, which leaves 255 alone. Written as the wrap test on
    // bytes, compilers recognise it and add 16 or 32 bytes at a time.
    const auto rowBytes = static_cast<std::size_t>(canvas.width) * 3;
    for (int y = 0; y < canvas.height; ++y) {
        std::uint8_t* p = Row(canvas, y);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const auto value = static_cast<std::uint8_t>(p[i] + step);
            p[i] = value < step ? std::uint8_t{255} : value;
        }
    }
}

std::int32_t TurnedDirection(std::int32_t direction, int r) noexcept {
    switch (r) {
    case 0: return direction == 180 ? direction : 0;
    case 90: return direction == 270 ? direction : 90;
    case 180: return direction == 0 ? direction : 180;
    case 270: return direction == 90 ? direction : 270;
    default: return direction;
    }
}

bool StepWalker(Walker& walker, std::uint32_t dt, int width, int height) noexcept {
    // In 64 bits: a long stall between frames must not wrap the product.
    const long double d = static_cast<long double>(static_cast<std::int64_t>(walker.speed) * dt) / 1000.0L;
    switch (walker.direction) {
    case 0: walker.x += d; break;
    case 90: walker.y += d; break;
    case 180: walker.x -= d; break;
    case 270: walker.y -= d; break;
    default: break;
    }
    if (walker.x > width) {
        walker.x -= width;
    } else if (walker.x < 0) {
        walker.x += width;
    } else if (walker.y > height) {
        walker.y -= height;
    } else if (walker.y < 0) {
        walker.y += height;
    } else {
        return false;
    }
    return true;
}

void DrawPenLine(PixelRows canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                 int penWidth, ui::ColorValue color) noexcept {
    if (!Usable(canvas) || (x0 == x1 && y0 == y1)) return;
    const bool horizontal = y0 == y1;
    if (!horizontal && x0 != x1) return;
    // Along the line: a = start, b = end. Across it: c.
    const std::int64_t a = horizontal ? x0 : y0;
    const std::int64_t b = horizontal ? x1 : y1;
    const std::int64_t c = horizontal ? y0 : x0;
    std::int64_t alongFirst = 0;
    std::int64_t alongEnd = 0;  // exclusive
    std::int64_t acrossFirst = c;
    std::int64_t acrossEnd = c + 1;
    if (penWidth <= 1) {
        alongFirst = a < b ? a : b + 1;
        alongEnd = a < b ? b : a + 1;
    } else {
        const std::int64_t low = -(penWidth / 2);
        const std::int64_t high = low + penWidth;  // exclusive
        alongFirst = std::min(a, b) + low;
        alongEnd = std::max(a, b) + high;
        acrossFirst = c + low;
        acrossEnd = c + high;
    }
    if (horizontal) {
        FillRect(canvas, alongFirst, acrossFirst, alongEnd, acrossEnd, color);
    } else {
        FillRect(canvas, acrossFirst, alongFirst, acrossEnd, alongEnd, color);
    }
}

void StampLogo(PixelRows canvas, ConstPixelRows logo) noexcept {
    if (!Usable(canvas) || !Usable(logo.width, logo.height, logo.stride, logo.bits)) return;
    const int left = (canvas.width - logo.width) / 2;
    const int top = (canvas.height - logo.height) / 2;
    const int firstX = std::max(left, 0);
    const int endX = std::min(left + logo.width, canvas.width);
    if (firstX >= endX) return;
    const auto bytes = static_cast<std::size_t>(endX - firstX) * 3;
    for (int y = std::max(top, 0); y < std::min(top + logo.height, canvas.height); ++y) {
        const std::uint8_t* source =
            logo.bits + static_cast<std::ptrdiff_t>(y - top) * logo.stride + static_cast<std::ptrdiff_t>(firstX - left) * 3;
        std::memcpy(Row(canvas, y) + static_cast<std::ptrdiff_t>(firstX) * 3, source, bytes);
    }
}

void DrawFrame(PixelRows canvas, AnimationState& state, std::uint32_t nowTick, ConstPixelRows logo) noexcept {
    if (!state.initialised) ResetCanvas(canvas, state, nowTick);
    std::uint32_t dt = nowTick - state.lastTick;
    if (dt == 0) dt = 1;
    state.lastTick = nowTick;
    // Held at the top: a stall of weeks must not turn the fade into a darkening.
    const std::int64_t elapsed = static_cast<std::int64_t>(state.elapsed) + dt;
    state.elapsed = static_cast<std::int32_t>(std::min<std::int64_t>(elapsed, std::numeric_limits<std::int32_t>::max()));
    FadeBitmap(canvas, state);
    for (Walker& walker : state.walkers) {
        const std::int64_t fromX = RoundHalfEven(walker.x);
        const std::int64_t fromY = RoundHalfEven(walker.y);
        walker.direction = TurnedDirection(walker.direction, 2 * state.random.Random(180));
        if (!StepWalker(walker, dt, canvas.width, canvas.height)) {
            DrawPenLine(canvas, fromX, fromY, RoundHalfEven(walker.x), RoundHalfEven(walker.y), walker.penWidth,
                        walker.color);
        }
    }
    StampLogo(canvas, logo);
}

}  // namespace about
