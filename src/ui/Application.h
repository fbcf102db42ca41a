#pragma once
// The application object: the hidden owner window of every form (a tool
// window, so that no task-bar button shows), which carries the title; the
// message loop, the forms it owns, the deferred release of windows, the
// hand-off of calls from worker threads, and the standard error report.
#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Handles.h"
#include "platform/SlimLock.h"
#include "platform/WindowClass.h"

namespace ui {

class Form;
class Window;
class Thread;

class Application {
public:
    static Application& Get() noexcept;

    // Creates the hidden owner window. Safe to call more than once; each
    // call takes worker hand-offs again. The calling thread becomes the GUI thread.
    void Initialize();
    HWND Handle() const noexcept { return handle_.get(); }

    void SetTitle(const std::wstring& title);
    const std::wstring& Title() const noexcept { return title_; }

    // The form whose close ends the application; the first form created unless set.
    void SetMainForm(Form* form) noexcept { mainForm_ = form; }
    Form* MainForm() const noexcept { return mainForm_; }
    // Whether Run shows the main form before it enters the loop.
    void SetShowMainForm(bool show) noexcept { showMainForm_ = show; }

    // A form the application owns until DestroyForms; an error in its
    // creation propagates and leaves nothing behind.
    template <typename T, typename... Args>
    T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(std::forward<Args>(args)...);
        T& created = *form;
        forms_.push_back(std::move(form));
        return created;
    }
    // Destroys the released windows and then the owned forms, newest first;
    // worker hand-offs are refused from then on.
    void DestroyForms() noexcept;

    // Destroys a window object once no handler of it or of its controls is
    // running: at once when none is, else after the last one returns. The
    // caller hides it first if it should not be seen meanwhile.
    void Release(std::unique_ptr<Window> window);
    // The same for a form the application owns (a close that frees it).
    // A form owned elsewhere is left alone.
    void Release(Form& form);
    // Destroys every released window now (an owner they depend on is going).
    void DestroyReleased() noexcept;
    std::size_t ReleasedCount() const noexcept { return released_.size(); }
    // Called by Window as the outermost handler of a window returns.
    void HandlerReturned() noexcept;
    // Marks a worker's hand-off, which runs outside every window procedure.
    // Which window it belongs to is not known, so while one runs every release waits.
    class OutsideHandler {
    public:
        OutsideHandler() noexcept { ++Get().outsideHandlers_; }
        ~OutsideHandler() {
            if (--Get().outsideHandlers_ == 0) Get().HandlerReturned();
        }
        OutsideHandler(const OutsideHandler&) = delete;
        OutsideHandler& operator=(const OutsideHandler&) = delete;
    };

    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    void Terminate() noexcept;
    bool Terminated() const noexcept { return terminated_; }
    // The application-level restore (SC_RESTORE of the main form).
    void Restore() noexcept;

    // Shows an error in the standard error message box; from another thread
    // the GUI thread shows it.
    void ShowException(const std::exception& error) noexcept;
    // Replaces the message box (tests); an empty function restores it.
    using ErrorReporter = std::function<void(const std::wstring& message)>;
    void SetErrorReporter(ErrorReporter reporter) { errorReporter_ = std::move(reporter); }
    // A message with an OK button, waited for; tests replace the box the same way.
    void ShowMessage(const std::wstring& text);
    void SetMessageReporter(ErrorReporter reporter) { messageReporter_ = std::move(reporter); }

    // True on the thread that runs the windows (before Initialize, on any).
    bool IsGuiThread() const noexcept;
    // Runs call on the GUI thread and waits until it has run. False when it
    // was not run: the application no longer takes hand-offs, or the worker
    // asking (if any) was told to end. On the GUI thread it runs at once.
    bool Synchronize(const std::function<void()>& call, const Thread* worker = nullptr);
    // Withdraws the waiting hand-offs of a worker that was told to end.
    void CancelHandOffs(const Thread* worker) noexcept;
    // Refuses every waiting and later hand-off (the GUI thread is going).
    void StopHandOffs() noexcept;

private:
    Application() = default;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    bool PreTranslate(MSG& message);
    void HandleMessage(MSG& message);
    void SweepReleased() noexcept;
    void RunHandOffs() noexcept;

    struct HandOff {
        const std::function<void()>* call;
        const Thread* worker;
        enum class State { Waiting, Running, Done, Refused } state = State::Waiting;
    };

    // The class outlives the window made of it.
    std::optional<platform::WindowClass> class_;
    platform::WindowHandle handle_;
    DWORD guiThread_ = 0;
    std::wstring title_;
    Form* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    std::vector<std::unique_ptr<Form>> forms_;
    std::vector<std::unique_ptr<Window>> released_;
    bool sweepPosted_ = false;
    int outsideHandlers_ = 0;  // OutsideHandler scopes on the stack
    ErrorReporter errorReporter_;
    ErrorReporter messageReporter_;

    platform::SlimLock handOffLock_;
    platform::SlimCondition handOffDone_;
    std::deque<HandOff*> handOffs_;
    bool handOffsStopped_ = false;
};

// The boundary catch of every window procedure and callback lands here.
void ReportError(const std::exception& error) noexcept;
// Inside a catch (...): reports the exception being handled, whatever its type.
void ReportCurrentException() noexcept;
// Throws when called off the GUI thread: for state only that thread may touch.
void RequireGuiThread(const wchar_t* what);

}  // namespace ui
