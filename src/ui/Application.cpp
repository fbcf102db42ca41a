#include "ui/Application.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/Text.h"
#include "ui/Form.h"

namespace ui {

namespace {
constexpr wchar_t kApplicationClass[] = L"TApplication";
}

Application& Application::Get() noexcept {
    static Application application;
    return application;
}

void Application::Initialize() {
    if (handle_) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Application::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
    wc.hIconSm = wc.hIcon;
    wc.lpszClassName = kApplicationClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw platform::OutOfResources(L"Cannot register the application window class");
    }
    // Hidden and empty: it only owns the forms, so that they get no task-bar buttons of their own.
    // No caption: Windows would add WS_EX_WINDOWEDGE to any extended style set on it.
    handle_ = CreateWindowExW(0, kApplicationClass, title_.c_str(), WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU, 0, 0, 0, 0,
                              nullptr, nullptr, wc.hInstance, nullptr);
    if (!handle_) throw platform::OutOfResources(L"Cannot create the application window");
}

void Application::SetTitle(const std::wstring& title) {
    title_ = title;
    if (handle_) SetWindowTextW(handle_, title_.c_str());
}

LRESULT CALLBACK Application::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Application& self = Get();
    try {
        // Copy: a hook may remove itself while it runs.
        const auto hooks = self.hooks_;
        for (const auto& [cookie, hook] : hooks) {
            LRESULT result = 0;
            if (hook(message, wParam, lParam, result)) return result;
        }
    } catch (const std::exception& error) {
        ReportError(error);
        return 0;
    }
    if (message == WM_CLOSE) {
        self.Terminate();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int Application::AddHook(AppMessageHook hook) {
    hooks_.emplace_back(nextCookie_, std::move(hook));
    return nextCookie_++;
}

void Application::RemoveHook(int cookie) noexcept {
    std::erase_if(hooks_, [cookie](const auto& entry) { return entry.first == cookie; });
}

void Application::AddDialogForm(HWND form) { dialogForms_.push_back(form); }

void Application::RemoveDialogForm(HWND form) noexcept { std::erase(dialogForms_, form); }

bool Application::PreTranslate(MSG& message) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (auto* form = dynamic_cast<Form*>(Window::FromHandle(root))) {
            if (form->IsShortCut(message)) return true;
        }
    }
    if (!dialogForms_.empty()) {
        const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root && std::find(dialogForms_.begin(), dialogForms_.end(), root) != dialogForms_.end() &&
            IsDialogMessageW(root, &message)) {
            return true;
        }
    }
    return false;
}

void Application::HandleMessage(MSG& message) {
    try {
        if (PreTranslate(message)) return;
    } catch (const std::exception& error) {
        ReportError(error);
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
    if (handle_ && IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
}

void Application::ShowException(const std::exception& error) noexcept {
    std::wstring text;
    if (const auto* own = dynamic_cast<const platform::Error*>(&error)) text = own->Message();
    else text = platform::AnsiToWide(error.what());
    const HWND owner = (handle_ && IsWindowVisible(handle_)) ? handle_ : nullptr;
    MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void ReportError(const std::exception& error) noexcept { Application::Get().ShowException(error); }

}  // namespace ui
