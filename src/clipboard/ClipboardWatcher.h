#pragma once
// Turns the clipboard viewer chain into one event, OnClipChange. The hidden
// window is in the chain exactly while a handler is assigned; the
// notification Windows sends while joining is not reported, so joining never
// reports what is already on the clipboard. The watcher only reports: its
// owner says when the next viewer is to hear of a change (PassOn), since
// only the owner knows when its read of the change has closed the clipboard.
#include <windows.h>

#include <functional>

#include "platform/Handles.h"

namespace clipboard {

class ClipboardWatcher {
public:
    using ChangeHandler = std::function<void(ClipboardWatcher& sender)>;

    ClipboardWatcher();
    virtual ~ClipboardWatcher();
    ClipboardWatcher(const ClipboardWatcher&) = delete;
    ClipboardWatcher& operator=(const ClipboardWatcher&) = delete;

    // An empty handler leaves the chain; a handler joins it unless already in.
    void SetOnClipChange(ChangeHandler handler);
    const ChangeHandler& OnClipChange() const noexcept { return onClipChange_; }
    // Tells the next viewer of a change, waiting a second at most for one that hangs.
    void PassOn();

    bool IgnoreFirst = true;

    HWND WindowHandle() const noexcept { return window_.get(); }
    HWND NextViewer() const noexcept { return nextViewer_; }

protected:
    virtual void DoClipChange();
    // The hidden window that joins the chain; null when none can be made.
    virtual platform::WindowHandle AllocateWindow();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void LeaveChain() noexcept;

    HWND nextViewer_ = nullptr;
    ChangeHandler onClipChange_;
    bool joining_ = false;
    platform::WindowHandle window_;
};

}  // namespace clipboard
