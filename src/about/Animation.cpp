#include "about/Animation.h"

#include <windows.h>

#include "about/FramePacer.h"

namespace about {

namespace {

// The performance counter in microseconds: the pacing's fine clock.
std::chrono::microseconds FineNow() noexcept {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return std::chrono::microseconds(count.QuadPart / frequency * 1'000'000 +
                                     count.QuadPart % frequency * 1'000'000 / frequency);
}

// A 24-bit top-down bitmap: its rows are addressed directly.
platform::BitmapHandle MakeCanvas(int width, int height, PixelRows& rows) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    platform::BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    rows = bitmap ? PixelRows{static_cast<std::uint8_t*>(bits), width, height, (width * 3 + 3) & ~3} : PixelRows{};
    return bitmap;
}

}  // namespace

Animation::Animation(ui::PaintBox& paintBox, ConstPixelRows logo) : paintBox_(paintBox), logo_(logo) {}

Animation::~Animation() {
    // The worker ends before the bitmap and the state it draws with go.
    Stop();
}

void Animation::Execute() {
    // Made at 100 x 100 and sized to the paint box, on the worker before the
    // GUI thread can see it.
    PixelRows rows;
    bitmap_ = MakeCanvas(100, 100, rows);
    const ui::Bounds box = paintBox_.PixelBounds();
    if (box.width > 0 && box.height > 0) bitmap_ = MakeCanvas(box.width, box.height, rows);
    if (!bitmap_) return;
    memory_.reset(CreateCompatibleDC(nullptr));
    // Selected for good: each frame only copies it out.
    if (memory_) SelectObject(memory_.get(), bitmap_.get());
    canvas_ = rows;
    ResetCanvas(canvas_, state_, GetTickCount());
    InitWalkers(state_, canvas_.width, canvas_.height);
    ready_ = true;
    // Motion and fading go by the tick count of each frame, as before; the
    // pacing only keeps frames from coming faster than the display shows them.
    RunPacedFrames([this] { return WaitWhilePaused(); }, [this] { return Synchronize([this] { DrawFrame(); }); },
                   [] { return FineNow(); }, [this](std::chrono::microseconds rest) { return Rest(rest); });
}

void Animation::DrawFrame() {
    if (resetPending_.exchange(false)) state_.initialised = false;
    about::DrawFrame(canvas_, state_, GetTickCount(), logo_);
    ++frames_;
    // Straight onto the box: a repaint through WM_PAINT (invalidate, update,
    // begin and end paint) costs several more round trips to the window
    // system per frame. Uncovering the box still repaints it through WM_PAINT.
    if (!paintBox_.HandleAllocated()) return;
    const platform::WindowDC dc(paintBox_.Handle());
    if (dc.Get()) PaintTo(dc.Get());
}

void Animation::PaintTo(HDC dc) const {
    if (!ready_) return;
    BitBlt(dc, 0, 0, canvas_.width, canvas_.height, memory_.get(), 0, 0, SRCCOPY);
}

void Animation::ResumeFromBlack() {
    resetPending_ = true;
    Resume();
}

}  // namespace about
