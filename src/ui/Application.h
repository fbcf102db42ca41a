#pragma once
// The application object: the hidden owner window that carries the task-bar
// button and the title, the message loop, and the standard error report.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;

// Asked before the application window's own handling; return true when the
// message is handled (result then holds its result).
using AppMessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

class Application {
public:
    static Application& Get() noexcept;

    // Creates the hidden owner window. Safe to call more than once.
    void Initialize();
    HWND Handle() const noexcept { return handle_; }

    void SetTitle(const std::wstring& title);
    const std::wstring& Title() const noexcept { return title_; }

    // The form whose close ends the application; the first form created unless set.
    void SetMainForm(Form* form) noexcept { mainForm_ = form; }
    Form* MainForm() const noexcept { return mainForm_; }
    // Whether Run shows the main form before it enters the loop.
    void SetShowMainForm(bool show) noexcept { showMainForm_ = show; }

    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    void Terminate() noexcept;
    bool Terminated() const noexcept { return terminated_; }
    // The application-level restore (SC_RESTORE of the main form).
    void Restore() noexcept;

    // Shows an error in the standard error message box.
    void ShowException(const std::exception& error) noexcept;

    int AddHook(AppMessageHook hook);
    void RemoveHook(int cookie) noexcept;

    // Forms that take dialog navigation keys (Tab, arrows) register here.
    void AddDialogForm(HWND form);
    void RemoveDialogForm(HWND form) noexcept;

private:
    Application() = default;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    bool PreTranslate(MSG& message);
    void HandleMessage(MSG& message);

    HWND handle_ = nullptr;
    std::wstring title_;
    Form* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    int nextCookie_ = 1;
    std::vector<std::pair<int, AppMessageHook>> hooks_;
    std::vector<HWND> dialogForms_;
};

// The boundary catch of every window procedure and callback lands here.
void ReportError(const std::exception& error) noexcept;

}  // namespace ui
