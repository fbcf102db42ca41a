#pragma once
// A timer of a window: OnTimer every interval (milliseconds) while enabled.
// It runs on its window (SetTimer with the window), so that a tick comes as
// that window's WM_TIMER and is an ordinary handler of it; it starts once the
// window is there. A tick that comes while the previous tick's handler still
// runs (in a message box, say) is skipped, so a handler that keeps failing
// shows one error at a time. GUI thread only.
#include <windows.h>

#include <functional>
#include <memory>

namespace ui {

class Window;

class Timer {
public:
    Timer(Window& owner, UINT interval = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const noexcept { return enabled_; }
    void SetInterval(UINT interval);

    std::function<void(Timer& sender)> OnTimer;

private:
    friend class Window;
    UINT_PTR Id() const noexcept { return id_; }
    // Sets the window's timer as the timer stands, or kills it.
    void Update() noexcept;
    void Stop() noexcept;
    void Tick();

    Window& owner_;
    UINT interval_;
    bool enabled_ = true;
    bool running_ = false;  // the window's timer is set
    bool ticking_ = false;
    UINT_PTR id_;
    std::shared_ptr<bool> alive_;  // false once the timer is gone, for a tick whose handler destroyed it
};

}  // namespace ui
