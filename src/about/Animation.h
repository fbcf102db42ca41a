#pragma once
// The About box's animation worker: it makes its bitmap and walkers, then
// hands one frame after another to the GUI thread and waits for each, about 60
// frames a second (FramePacer). It is paused between frames while the box is
// closed.
#include <atomic>
#include <cstdint>

#include "about/Walkers.h"
#include "platform/Handles.h"
#include "ui/PaintBox.h"
#include "ui/Thread.h"

namespace about {

class Animation : public ui::Thread {
public:
    // The paint box and the logo (24-bit rows) outlive the worker.
    Animation(ui::PaintBox& paintBox, ConstPixelRows logo);
    ~Animation() override;

    // Showing the box again: the first frame after this starts from a
    // cleared canvas (also when a frame asked for before the pause is still
    // waiting to be drawn).
    void ResumeFromBlack();
    // Frames drawn so far (GUI thread).
    int Frames() const noexcept { return frames_; }
    // What the frames are drawn from; GUI thread, between frames.
    const AnimationState& State() const noexcept { return state_; }
    PixelRows Canvas() const noexcept { return canvas_; }
    // Copies the bitmap to a device context (the paint box's painting).
    void PaintTo(HDC dc) const;

protected:
    void Execute() override;

private:
    void DrawFrame();

    ui::PaintBox& paintBox_;
    ConstPixelRows logo_;
    platform::BitmapHandle bitmap_;
    platform::DcHandle memory_;
    PixelRows canvas_;
    AnimationState state_;
    std::atomic<bool> resetPending_{false};
    std::atomic<bool> ready_{false};  // the bitmap exists: the GUI thread may paint it
    int frames_ = 0;
};

}  // namespace about
