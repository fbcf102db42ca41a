#pragma once
// A plain child window that holds other controls: they are its children and
// their notifications come back to them through it. It answers WM_GETFONT
// with the font it was given (at first its parent's), so controls created on
// it take that font.
#include <functional>

#include "ui/Window.h"

namespace ui {

struct PanelParams {
    Bounds bounds;  // 96-dpi figures
};

class Panel : public Window {
public:
    void Create(Window& parent, const PanelParams& params);
    SIZE ClientSize() const;
    // Keeps the panel across the whole width of its parent's client area,
    // at its bottom, this many 96-dpi pixels high, as the parent is resized.
    void AlignBottom(int designHeight);

    std::function<void(Panel& sender)> OnResize;

protected:
    // The class of a panel of this kind (the button face behind its controls).
    static WNDCLASSEXW ContainerClass(const wchar_t* name);
    void CreateContainer(HWND parent, const Bounds& pixels, const platform::WindowClass& windowClass, DWORD style);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The subclass of the parent that keeps the panel at its bottom. It is
    // taken off with the panel object; while the panel has no window it
    // moves nothing, so it may outlive that window.
    class ParentHook {
    public:
        ParentHook() = default;
        ~ParentHook();
        ParentHook(const ParentHook&) = delete;
        ParentHook& operator=(const ParentHook&) = delete;
        // False when the parent cannot be subclassed.
        bool Hook(HWND parent, Panel& panel);
        HWND Parent() const noexcept { return parent_; }

    private:
        void Unhook() noexcept;
        static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR panel) noexcept;
        HWND parent_ = nullptr;
    };

    void PlaceAtBottom(int parentWidth, int parentHeight);

    HFONT font_ = nullptr;
    int alignHeight_ = 0;  // screen pixels
    ParentHook alignedTo_;
};

}  // namespace ui
