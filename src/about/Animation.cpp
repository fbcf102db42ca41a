#include "about/Animation.h"

#include <windows.h>

namespace about {

namespace {

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
    canvas_ = rows;
    ResetCanvas(canvas_, state_, GetTickCount());
    InitWalkers(state_, canvas_.width, canvas_.height);
    ready_ = true;
    while (WaitWhilePaused()) {
        if (!Synchronize([this] { DrawFrame(); })) break;
    }
}

void Animation::DrawFrame() {
    if (resetPending_.exchange(false)) state_.initialised = false;
    about::DrawFrame(canvas_, state_, GetTickCount(), logo_);
    ++frames_;
    paintBox_.Repaint();
}

void Animation::PaintTo(HDC dc) const {
    if (!ready_) return;
    const platform::ScopedSelect select(memory_.get(), bitmap_.get());
    BitBlt(dc, 0, 0, canvas_.width, canvas_.height, memory_.get(), 0, 0, SRCCOPY);
}

void Animation::ResumeFromBlack() {
    resetPending_ = true;
    Resume();
}

}  // namespace about
