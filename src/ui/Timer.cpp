#include "ui/Timer.h"

#include <unordered_map>

#include "ui/Application.h"

namespace ui {

namespace {
// GUI thread only: timers are made, changed and ticked there.
std::unordered_map<UINT_PTR, std::shared_ptr<void>>& Timers() {
    static std::unordered_map<UINT_PTR, std::shared_ptr<void>> timers;
    return timers;
}
}  // namespace

Timer::Timer(UINT interval) : interval_(interval) {
    RequireGuiThread(L"A timer");
    state_ = std::make_shared<State>(State{this});
    Update();
}

Timer::~Timer() {
    state_->timer = nullptr;
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
    }
}

void Timer::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    RequireGuiThread(L"A timer");
    enabled_ = enabled;
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
        if (id_) Timers()[id_] = state_;
    }
}

void CALLBACK Timer::Proc(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    const auto found = Timers().find(id);
    if (found == Timers().end()) return;
    const auto state = std::static_pointer_cast<State>(found->second);
    if (!state->timer || state->ticking) return;
    state->ticking = true;
    try {
        const Application::OutsideHandler running;
        Timer& timer = *state->timer;
        if (timer.OnTimer) timer.OnTimer(timer);
    } catch (...) {
        ReportCurrentException();
    }
    state->ticking = false;
}

}  // namespace ui
