#include "ui/Application.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/OutsideNames.h"
#include "platform/Text.h"
#include "ui/Form.h"
#include "ui/Messages.h"
#include "ui/Thread.h"

namespace ui {

Application& Application::Get() noexcept {
    static Application application;
    return application;
}

void Application::Initialize() {
    {
        // Forms made after the end of a run (tests make many) take hand-offs again.
        std::lock_guard lock(handOffLock_);
        handOffsStopped_ = false;
    }
    if (handle_) return;
    guiThread_ = GetCurrentThreadId();
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &Application::Proc;
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    wc.hIconSm = wc.hIcon;
    wc.lpszClassName = platform::kApplicationClass;
    if (!class_) class_.emplace(wc);
    // Hidden and empty: it only owns the forms, so that they get no task-bar buttons of their own.
    // No caption: Windows would add WS_EX_WINDOWEDGE to any extended style set on it.
    handle_.reset(CreateWindowExW(0, platform::kApplicationClass, title_.c_str(), WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU, 0, 0,
                                  0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!handle_) throw platform::OutOfResources(L"Cannot create the application window");
}

void Application::SetTitle(const std::wstring& title) {
    title_ = title;
    if (handle_) SetWindowTextW(handle_.get(), title_.c_str());
}

LRESULT CALLBACK Application::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Application& self = Get();
    switch (message) {
        case kSweepReleased:
            self.sweepPosted_ = false;
            self.SweepReleased();
            return 0;
        case kRunHandOffs:
            self.RunHandOffs();
            return 0;
        default:
            break;
    }
    if (message == WM_CLOSE) {
        self.Terminate();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ------------------------------------------------------------------ forms

void Application::Release(std::unique_ptr<Window> window) {
    if (!window) return;
    if (window->Busy() || outsideHandlers_ > 0) {
        released_.push_back(std::move(window));
        return;
    }
    window.reset();
}

void Application::Release(Form& form) {
    const auto owned = std::find_if(forms_.begin(), forms_.end(), [&](const auto& entry) { return entry.get() == &form; });
    if (owned == forms_.end()) return;
    std::unique_ptr<Window> window = std::move(*owned);
    forms_.erase(owned);
    Release(std::move(window));
}

void Application::HandlerReturned() noexcept {
    if (released_.empty() || sweepPosted_ || !handle_) return;
    // Posted, not done here: the returning handler's frames are still on the stack.
    sweepPosted_ = PostMessageW(handle_.get(), kSweepReleased, 0, 0) != FALSE;
}

void Application::SweepReleased() noexcept {
    // The end of the outside handler sweeps again.
    if (outsideHandlers_ > 0) return;
    std::vector<std::unique_ptr<Window>> done;
    for (auto& window : released_) {
        if (!window->Busy()) done.push_back(std::move(window));
    }
    std::erase(released_, nullptr);
    // Destroyed after the list is consistent: destruction may release more.
    done.clear();
}

void Application::DestroyReleased() noexcept {
    std::vector<std::unique_ptr<Window>> all = std::move(released_);
    released_.clear();
    all.clear();
}

void Application::DestroyForms() noexcept {
    StopHandOffs();
    DestroyReleased();
    while (!forms_.empty()) {
        std::unique_ptr<Form> form = std::move(forms_.back());
        forms_.pop_back();
        form.reset();
        DestroyReleased();
    }
}

// ------------------------------------------------------------- the loop

bool Application::PreTranslate(MSG& message) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (auto* form = dynamic_cast<Form*>(Window::FromHandle(root))) {
            if (form->IsShortCut(message)) return true;
        }
    }
    // Forms made with dialog keys (WS_EX_CONTROLPARENT) move between their controls with Tab and the arrows.
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && (GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageW(root, &message)) {
        return true;
    }
    return false;
}

void Application::HandleMessage(MSG& message) {
    try {
        if (PreTranslate(message)) return;
    } catch (...) {
        ReportCurrentException();
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Application::Run() {
    if (mainForm_ && showMainForm_) mainForm_->Show();
    MSG message;
    while (!terminated_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            terminated_ = true;
            break;
        }
        if (got == -1) break;
        HandleMessage(message);
    }
}

void Application::ProcessMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        HandleMessage(message);
    }
}

void Application::Terminate() noexcept {
    if (!terminated_) PostQuitMessage(0);
}

void Application::Restore() noexcept {
    if (handle_ && IsIconic(handle_.get())) ShowWindow(handle_.get(), SW_RESTORE);
}

// --------------------------------------------------------------- errors

void Application::ShowException(const std::exception& error) noexcept {
    std::wstring text;
    if (const auto* own = dynamic_cast<const platform::Error*>(&error)) text = own->Message();
    else text = platform::AnsiToWide(error.what());
    if (!IsGuiThread()) {
        // The box and the title belong to the GUI thread; a worker's error waits for it there.
        Synchronize([&] { ShowException(platform::Error(text)); });
        return;
    }
    if (errorReporter_) {
        try {
            errorReporter_(text);
        } catch (...) {
        }
        return;
    }
    const HWND owner = (handle_ && IsWindowVisible(handle_.get())) ? handle_.get() : nullptr;
    MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void Application::ShowMessage(const std::wstring& text) {
    if (messageReporter_) {
        messageReporter_(text);
        return;
    }
    const HWND owner = (handle_ && IsWindowVisible(handle_.get())) ? handle_.get() : nullptr;
    MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK);
}

void ReportError(const std::exception& error) noexcept { Application::Get().ShowException(error); }

void ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        ReportError(error);
    } catch (...) {
        ReportError(platform::Error(L"Unknown error"));
    }
}

// ------------------------------------------------------------- threads

bool Application::IsGuiThread() const noexcept { return guiThread_ == 0 || guiThread_ == GetCurrentThreadId(); }

void RequireGuiThread(const wchar_t* what) {
    if (!Application::Get().IsGuiThread()) throw platform::Error(std::wstring(what) + L" belongs to the GUI thread");
}

bool Application::Synchronize(const std::function<void()>& call, const Thread* worker) {
    if (IsGuiThread()) {
        call();
        return true;
    }
    HandOff handOff{&call, worker};
    std::unique_lock lock(handOffLock_);
    // Checked under the lock that Terminate's withdrawal takes: no hand-off
    // can slip in between a worker's last check and its withdrawal.
    if (handOffsStopped_ || !handle_ || (worker && worker->Terminated())) return false;
    handOffs_.push_back(&handOff);
    if (handOffs_.size() == 1 && !PostMessageW(handle_.get(), kRunHandOffs, 0, 0)) {
        handOffs_.pop_back();
        return false;
    }
    handOffDone_.Wait(handOffLock_, [&] { return handOff.state == HandOff::State::Done || handOff.state == HandOff::State::Refused; });
    return handOff.state == HandOff::State::Done;
}

void Application::RunHandOffs() noexcept {
    std::unique_lock lock(handOffLock_);
    while (!handOffs_.empty()) {
        HandOff* handOff = handOffs_.front();
        handOffs_.pop_front();
        handOff->state = HandOff::State::Running;
        lock.unlock();
        try {
            const OutsideHandler running;
            (*handOff->call)();
        } catch (...) {
            ReportCurrentException();
        }
        lock.lock();
        handOff->state = HandOff::State::Done;
        handOffDone_.NotifyAll();
    }
}

void Application::CancelHandOffs(const Thread* worker) noexcept {
    std::lock_guard lock(handOffLock_);
    std::erase_if(handOffs_, [&](HandOff* handOff) {
        if (worker && handOff->worker != worker) return false;
        handOff->state = HandOff::State::Refused;
        return true;
    });
    handOffDone_.NotifyAll();
}

void Application::StopHandOffs() noexcept {
    {
        std::lock_guard lock(handOffLock_);
        handOffsStopped_ = true;
    }
    CancelHandOffs(nullptr);
}

}  // namespace ui
