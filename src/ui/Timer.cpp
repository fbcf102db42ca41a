#include "ui/Timer.h"

#include <exception>
#include <unordered_map>

#include "ui/Application.h"

namespace ui {

namespace {
std::unordered_map<UINT_PTR, Timer*>& Timers() {
    static std::unordered_map<UINT_PTR, Timer*> timers;
    return timers;
}
}  // namespace

Timer::Timer(UINT interval, bool enabled) : interval_(interval), enabled_(enabled) { Update(); }

Timer::~Timer() {
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
    }
}

void Timer::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Update();
}

void Timer::SetInterval(UINT interval) {
    if (interval_ == interval) return;
    interval_ = interval;
    Update();
}

void Timer::Update() {
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        id_ = SetTimer(nullptr, 0, interval_, &Timer::Proc);
        if (id_) Timers()[id_] = this;
    }
}

void CALLBACK Timer::Proc(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    const auto found = Timers().find(id);
    if (found == Timers().end()) return;
    Timer& timer = *found->second;
    try {
        if (timer.OnTimer) timer.OnTimer(timer);
    } catch (const std::exception& error) {
        ReportError(error);
    }
}

}  // namespace ui
