#pragma once
// Base of every window the program owns: routes the window procedure to the
// C++ object, reflects child notifications back to the child that sent them,
// and destroys the window with the object.
//
// Teardown rule: a window object on the heap loses its window before any part
// of the object is destroyed. Deleting it runs BeforeDestruction, detaches the
// object from its window (late messages then go to the default procedure),
// destroys the window with its child controls, and only then runs the
// destructors. A window object that is a member or on the stack detaches
// first in ~Window; its owner's window normally took it down already.
//
// There is no virtual hook for "the window goes": ~Window, where a member or
// stack object lets go of its window, runs after the derived parts are gone,
// so an override would silently not run there. What every window needs at its
// end the base does itself (a menu bar is taken off, so the MainMenu object
// keeps it). What a derived class ties to its window is a member that
// releases itself, right whichever goes first, the window or the object.
#include <windows.h>

#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/WindowClass.h"
#include "ui/Captioned.h"

namespace ui {

class Timer;

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Bounds&, const Bounds&) = default;
};

class Window : public Captioned {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // Deleting a window object: see the teardown rule above.
    static void operator delete(Window* self, std::destroying_delete_t) noexcept;

    HWND Handle() const noexcept { return hwnd_; }
    bool HandleAllocated() const noexcept { return hwnd_ != nullptr; }
    // The object behind a window of this program, or nullptr. Every window
    // object is found one way: its window's GWLP_USERDATA, checked against
    // the objects that live, so that a window of someone else's is never taken for one.
    static Window* FromHandle(HWND window) noexcept;

    void SetText(std::wstring_view text);
    std::wstring Text() const;
    std::wstring Caption() const override { return Text(); }
    void SetCaption(std::wstring_view caption) override { SetText(caption); }
    // Bounds in screen pixels, relative to the parent's client area (or the
    // screen). Composite controls move their parts with them.
    virtual void SetPixelBounds(const Bounds& pixels);
    Bounds PixelBounds() const;
    virtual void SetVisible(bool visible);
    bool Visible() const noexcept;
    virtual void SetEnabled(bool enabled);
    bool Enabled() const noexcept;
    void SetFont(HFONT font);
    void Invalidate();
    void SetFocus();
    // Detaches the object, then destroys the window and its children.
    void DestroyHandle() noexcept;

    // Whether a handler of this window or of a control on it is running, so
    // that the object cannot be destroyed yet (see Application::Release).
    bool Busy() const noexcept;
    // Runs onDestroyed (which must not throw) when this object is destroyed;
    // its window may be destroyed and made again before that. Whoever keeps
    // a pointer to the object watches it so, and unwatches before it goes.
    int WatchDestroy(std::function<void()> onDestroyed);
    void UnwatchDestroy(int watch) noexcept;

protected:
    Window() = default;

    // A window class of our own, with this program's window procedure. Each
    // C++ class registers the one its windows are made of, once, and keeps it:
    //   static const platform::WindowClass windowClass(OwnClass(L"TName", ...));
    static WNDCLASSEXW OwnClass(const wchar_t* name, UINT style = 0, HBRUSH background = nullptr, HICON icon = nullptr);
    struct CreateParams {
        DWORD exStyle = 0;
        DWORD style = 0;
        std::wstring_view text;
        Bounds pixels{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
        HWND parent = nullptr;
        HMENU menuOrId = nullptr;
    };
    // A window of a class of our own (made by OwnClass).
    void CreateOwnWindow(const platform::WindowClass& windowClass, const CreateParams& params);
    // A control of a system class, subclassed so that WndProc sees its messages.
    void CreateSystemControl(const wchar_t* className, const CreateParams& params);

    // Override to handle messages; call the base for the rest.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handling the window would get without this object.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification this control sent to its parent (WM_COMMAND, WM_NOTIFY,
    // WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*). Return true when handled.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called before a heap window object is destroyed, while the object and
    // its window are both whole.
    virtual void BeforeDestruction() {}
    // Marks a handler of this window that runs outside its window procedure
    // (a menu shortcut run from the message loop): the window is released
    // only once it returns, as for any other handler.
    class HandlerScope {
    public:
        explicit HandlerScope(Window& window) noexcept;
        ~HandlerScope();
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

    private:
        Window& window_;
    };

private:
    static LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self) noexcept;
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Attach(HWND window) noexcept;
    void Detach() noexcept;

    friend class Timer;
    // A WM_TIMER for one of this window's timers; false when it is none of them.
    bool TickTimer(UINT_PTR id);

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    std::vector<Timer*> timers_;  // the timers of this window, started once it has one
    int busy_ = 0;  // handlers of this window on the stack
    std::vector<std::pair<int, std::function<void()>>> destroyWatches_;
    int lastWatch_ = 0;
};

}  // namespace ui
