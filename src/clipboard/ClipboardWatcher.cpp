#include "clipboard/ClipboardWatcher.h"

#include "platform/Error.h"
#include "platform/OutsideNames.h"
#include "platform/Trace.h"
#include "platform/WindowClass.h"
#include "ui/Application.h"

namespace clipboard {

namespace {

// How long the next viewer is waited for. A viewer that hangs on a
// notification must not hang this program with it: the message still
// reaches it, but the chain's notification goes on without waiting longer.
constexpr UINT kNextViewerWaitMs = 1000;

LRESULT SendToNext(HWND next, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(next, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kNextViewerWaitMs, &result)) {
        platform::Trace(L"the next clipboard viewer did not answer", GetLastError());
        return 0;
    }
    return static_cast<LRESULT>(result);
}

}  // namespace

ClipboardWatcher::ClipboardWatcher() = default;

ClipboardWatcher::~ClipboardWatcher() { LeaveChain(); }

platform::WindowHandle ClipboardWatcher::AllocateWindow() {
    static const platform::WindowClass windowClass([] {
        WNDCLASSEXW wc{};
        wc.lpfnWndProc = &ClipboardWatcher::WindowProc;
        wc.lpszClassName = platform::kWatcherClass;
        return wc;
    }());
    // A hidden top-level window of the GUI thread: message-only windows are
    // not reliably members of the viewer chain on every Windows version.
    return platform::WindowHandle(CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.Name(), L"", WS_POPUP, 0, 0, 0, 0,
                                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

void ClipboardWatcher::LeaveChain() noexcept {
    if (!window_) return;
    ChangeClipboardChain(window_.get(), nextViewer_);
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
    nextViewer_ = nullptr;
}

void ClipboardWatcher::SetOnClipChange(ChangeHandler handler) {
    if (!handler) {
        if (!window_) return;
        LeaveChain();
        onClipChange_ = nullptr;
        return;
    }
    if (window_) {
        onClipChange_ = std::move(handler);
        return;
    }
    window_ = AllocateWindow();
    if (!window_) throw platform::OutOfResources(L"TVxClipDetector.SetOnClipChange: Cannot Allocate HWnd");
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    onClipChange_ = std::move(handler);
    joining_ = true;
    nextViewer_ = SetClipboardViewer(window_.get());
    joining_ = false;
}

void ClipboardWatcher::PassOn() {
    if (window_ && nextViewer_) SendToNext(nextViewer_, WM_DRAWCLIPBOARD, 0, 0);
}

void ClipboardWatcher::DoClipChange() {
    // Copy: the handler may replace or clear itself while it runs.
    if (const ChangeHandler handler = onClipChange_) handler(*this);
}

LRESULT CALLBACK ClipboardWatcher::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<ClipboardWatcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->window_.get() != window) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ui::ReportCurrentException();
    }
    return 0;
}

LRESULT ClipboardWatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWCLIPBOARD:
            // Joining's notification is no change, and the next viewer is not known yet.
            if (!(IgnoreFirst && joining_)) DoClipChange();
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == nextViewer_) {
                nextViewer_ = reinterpret_cast<HWND>(lParam);
                return 0;
            }
            return nextViewer_ ? SendToNext(nextViewer_, WM_CHANGECBCHAIN, wParam, lParam) : 0;
        default:
            return DefWindowProcW(window_.get(), message, wParam, lParam);
    }
}

}  // namespace clipboard
