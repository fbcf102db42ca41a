#include "ui/Timer.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Window.h"

namespace ui {

namespace {
// Timer ids of their own, away from the small numbers a window's own SetTimer calls use.
UINT_PTR NextId() noexcept {
    static UINT_PTR next = 0x1000;
    return ++next;
}
}  // namespace

Timer::Timer(Window& owner, UINT interval)
    : owner_(owner), interval_(interval), id_(NextId()), alive_(std::make_shared<bool>(true)) {
    RequireGuiThread(L"A timer");
    owner_.timers_.push_back(this);
    Update();
}

Timer::~Timer() {
    *alive_ = false;
    Stop();
    std::erase(owner_.timers_, this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    RequireGuiThread(L"A timer");
    enabled_ = enabled;
    Update();
}

void Timer::SetInterval(UINT interval) {
    if (interval_ == interval) return;
    interval_ = interval;
    if (running_) Stop();
    Update();
}

void Timer::Update() noexcept {
    if (!enabled_ || interval_ == 0) {
        Stop();
        return;
    }
    if (running_ || !owner_.Handle()) return;
    running_ = SetTimer(owner_.Handle(), id_, interval_, nullptr) != 0;
}

void Timer::Stop() noexcept {
    if (!running_) return;
    if (owner_.Handle()) KillTimer(owner_.Handle(), id_);
    running_ = false;
}

void Timer::Tick() {
    if (ticking_ || !enabled_) return;
    ticking_ = true;
    // The handler may destroy this timer: then nothing of it is touched after.
    const std::shared_ptr<bool> alive = alive_;
    const std::function<void(Timer&)> handler = OnTimer;
    try {
        if (handler) handler(*this);
    } catch (...) {
        // Reported while the tick still runs: the ticks that come during the box are skipped.
        ReportCurrentException();
    }
    if (*alive) ticking_ = false;
}

}  // namespace ui
