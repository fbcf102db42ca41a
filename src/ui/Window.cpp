#include "ui/Window.h"

#include <unordered_set>

#include "platform/Error.h"
#include "ui/Application.h"
#include "ui/CommonControls.h"
#include "ui/Dpi.h"
#include "ui/Timer.h"

namespace ui {

namespace {

constexpr UINT_PTR kSubclassId = 1;

// The window objects that have a window, GUI thread only: what FromHandle
// takes from a window's GWLP_USERDATA must be one of them.
std::unordered_set<const Window*>& LiveWindows() {
    static std::unordered_set<const Window*> live;
    return live;
}

// The control whose CreateWindowEx is running: an owner-drawn control asks
// its parent for item sizes (WM_MEASUREITEM) before it can be subclassed.
thread_local Window* tCreating = nullptr;

}  // namespace

Window::~Window() {
    DestroyHandle();
    // Moved out first: a watcher may unwatch while it is told.
    const auto watches = std::move(destroyWatches_);
    for (const auto& watch : watches) watch.second();
}

int Window::WatchDestroy(std::function<void()> onDestroyed) {
    destroyWatches_.emplace_back(++lastWatch_, std::move(onDestroyed));
    return lastWatch_;
}

void Window::UnwatchDestroy(int watch) noexcept {
    std::erase_if(destroyWatches_, [watch](const auto& entry) { return entry.first == watch; });
}

void Window::operator delete(Window* self, std::destroying_delete_t) noexcept {
    self->BeforeDestruction();
    self->DestroyHandle();
    void* const storage = dynamic_cast<void*>(self);
    self->~Window();
    ::operator delete(storage);
}

Window* Window::FromHandle(HWND window) noexcept {
    auto* object = window ? reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
    return object && LiveWindows().contains(object) && object->hwnd_ == window ? object : nullptr;
}

WNDCLASSEXW Window::OwnClass(const wchar_t* name, UINT style, HBRUSH background, HICON icon) {
    WNDCLASSEXW description{};
    description.style = style;
    description.lpfnWndProc = &Window::OwnWindowProc;
    description.hbrBackground = background;
    description.hIcon = icon;
    description.hIconSm = icon;
    description.lpszClassName = name;
    return description;
}

void Window::CreateOwnWindow(const platform::WindowClass& windowClass, const CreateParams& params) {
    const std::wstring text(params.text);
    const HWND window = CreateWindowExW(params.exStyle, windowClass.Name(), text.c_str(), params.style,
                                        params.pixels.left, params.pixels.top, params.pixels.width,
                                        params.pixels.height, params.parent, params.menuOrId,
                                        GetModuleHandleW(nullptr), this);
    if (!window) throw platform::OutOfResources(L"Cannot create window " + std::wstring(windowClass.Name()));
}

void Window::CreateSystemControl(const wchar_t* className, const CreateParams& params) {
    const std::wstring text(params.text);
    LoadCommonControls();  // the classes of most controls
    Window* const outer = tCreating;
    tCreating = this;
    const HWND window = CreateWindowExW(params.exStyle, className, text.c_str(), params.style, params.pixels.left,
                                        params.pixels.top, params.pixels.width, params.pixels.height, params.parent,
                                        params.menuOrId, GetModuleHandleW(nullptr), nullptr);
    tCreating = outer;
    if (!window) throw platform::OutOfResources(L"Cannot create control " + std::wstring(className));
    Attach(window);
    subclassed_ = SetSubclass(window, &Window::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void Window::Attach(HWND window) noexcept {
    hwnd_ = window;
    // GWLP_USERDATA is the application's own, also in the system's controls.
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    try {
        LiveWindows().insert(this);
    } catch (...) {
        // Without memory for the entry the object is not found from its window; its messages still reach it.
    }
    for (Timer* timer : timers_) timer->Update();
}

void Window::Detach() noexcept {
    if (!hwnd_) return;
    // A menu bar belongs to its MainMenu object: the window must not destroy it.
    if (!(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) && GetMenu(hwnd_)) ::SetMenu(hwnd_, nullptr);
    for (Timer* timer : timers_) timer->Stop();
    if (subclassed_) RemoveSubclass(hwnd_, &Window::SubclassProc, kSubclassId);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    LiveWindows().erase(this);
    subclassed_ = false;
    hwnd_ = nullptr;
}

Window::HandlerScope::HandlerScope(Window& window) noexcept : window_(window) { ++window_.busy_; }

Window::HandlerScope::~HandlerScope() {
    if (--window_.busy_ == 0) Application::Get().HandlerReturned();
}

bool Window::TickTimer(UINT_PTR id) {
    for (Timer* timer : timers_) {
        if (timer->Id() != id) continue;
        timer->Tick();
        return true;
    }
    return false;
}

LRESULT CALLBACK Window::OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // A window of our own class is ours alone: its GWLP_USERDATA holds nothing else.
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->Attach(window);
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Route(message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) noexcept {
    auto* object = reinterpret_cast<Window*>(self);
    if (!object || object->hwnd_ != window) return DefSubclass(window, message, wParam, lParam);
    return object->Route(message, wParam, lParam);
}

LRESULT Window::Route(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCDESTROY) {
        const HWND window = hwnd_;
        const bool subclassed = subclassed_;
        Detach();
        return subclassed ? DefSubclass(window, message, wParam, lParam)
                          : DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    ++busy_;
    try {
        result = WndProc(message, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
    }
    // A window released while its handler ran is destroyed once it returns.
    if (--busy_ == 0) Application::Get().HandlerReturned();
    return result;
}

LRESULT Window::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_TIMER && TickTimer(wParam)) return 0;
    if (Reflect(message, wParam, lParam, result)) return result;
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return subclassed_ ? DefSubclass(hwnd_, message, wParam, lParam)
                       : DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Window::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_DRAWITEM:
            if (wParam != 0) child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        case WM_MEASUREITEM:
            if (wParam != 0) {
                const auto id = static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID);
                if (Window* target = FromHandle(GetDlgItem(hwnd_, id))) return target->OnReflected(message, wParam, lParam, result);
                if (tCreating) return tCreating->OnReflected(message, wParam, lParam, result);
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            child = reinterpret_cast<HWND>(lParam);
            break;
        default:
            break;
    }
    if (!child || child == hwnd_) return false;
    Window* target = FromHandle(child);
    return target && target->OnReflected(message, wParam, lParam, result);
}

void Window::SetText(std::wstring_view text) {
    if (!hwnd_) return;
    if (Text() == text) return;
    SetWindowTextW(hwnd_, std::wstring(text).c_str());
}

std::wstring Window::Text() const {
    if (!hwnd_) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Window::SetPixelBounds(const Bounds& pixels) {
    // Where it is already: moving is a trip to the server, and a clip window
    // shown again often keeps its controls' places.
    if (hwnd_ && PixelBounds() != pixels) MoveWindow(hwnd_, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
}

Bounds Window::PixelBounds() const {
    RECT rect{};
    if (!hwnd_ || !GetWindowRect(hwnd_, &rect)) return {};
    if (const HWND parent = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr) {
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Window::SetVisible(bool visible) {
    if (hwnd_ && Visible() != visible) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool Window::Visible() const noexcept { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void Window::SetEnabled(bool enabled) {
    if (hwnd_ && Enabled() != enabled) EnableWindow(hwnd_, enabled);
}

bool Window::Enabled() const noexcept { return hwnd_ && IsWindowEnabled(hwnd_); }

void Window::SetFont(HFONT font) {
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Window::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void Window::DestroyHandle() noexcept {
    const HWND window = hwnd_;
    // Detached first: the messages of its destruction find no object.
    Detach();
    if (window && IsWindow(window)) DestroyWindow(window);
}

bool Window::Busy() const noexcept {
    if (busy_ > 0) return true;
    if (!hwnd_) return false;
    bool busy = false;
    EnumChildWindows(
        hwnd_,
        [](HWND child, LPARAM found) -> BOOL {
            const Window* object = FromHandle(child);
            if (!object || object->busy_ == 0) return TRUE;
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&busy));
    return busy;
}

}  // namespace ui
