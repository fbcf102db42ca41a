#pragma once
// A timer component: OnTimer every interval (milliseconds) while enabled, on
// the GUI thread (and only there). It needs no window of its own. A tick that
// comes while the previous tick's handler still runs (in a message box, say)
// is skipped, so a handler that keeps failing shows one error at a time.
#include <windows.h>

#include <functional>
#include <memory>

namespace ui {

class Timer {
public:
    explicit Timer(UINT interval = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const noexcept { return enabled_; }

    std::function<void(Timer& sender)> OnTimer;

private:
    // Outlives the timer while a tick runs: the handler may destroy the timer.
    struct State {
        Timer* timer;
        bool ticking = false;
    };

    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) noexcept;
    void Update();

    UINT interval_;
    bool enabled_ = true;
    UINT_PTR id_ = 0;
    std::shared_ptr<State> state_;
};

}  // namespace ui
