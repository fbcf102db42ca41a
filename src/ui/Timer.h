#pragma once
// A timer component: OnTimer every Interval milliseconds while enabled, on
// the GUI thread. It needs no window of its own.
#include <windows.h>

#include <functional>

namespace ui {

class Timer {
public:
    explicit Timer(UINT interval = 1000, bool enabled = true);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const noexcept { return enabled_; }
    void SetInterval(UINT interval);
    UINT Interval() const noexcept { return interval_; }

    std::function<void(Timer& sender)> OnTimer;

private:
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) noexcept;
    void Update();

    UINT interval_;
    bool enabled_;
    UINT_PTR id_ = 0;
};

}  // namespace ui
