#pragma once
// A plain child window that holds other controls: they are its children and
// their notifications come back to them through it. It answers WM_GETFONT
// with the font it was given (at first its parent's), so controls created on
// it take that font.
#include <functional>

#include "ui/Window.h"

namespace ui {

enum class Bevel { None, Raised, Lowered };

struct PanelParams {
    Bounds bounds;  // 96-dpi figures
    Bevel bevel = Bevel::None;
};

class Panel : public Window {
public:
    Panel() = default;
    ~Panel() override;

    void Create(Window& parent, const PanelParams& params);
    SIZE ClientSize() const;
    void SetBevel(Bevel bevel);
    Bevel GetBevel() const noexcept { return bevel_; }
    // Keeps the panel across the whole width of its parent's client area,
    // at its bottom, this many 96-dpi pixels high, as the parent is resized.
    void AlignBottom(int designHeight);

    std::function<void(Panel& sender)> OnResize;

protected:
    void CreateContainer(HWND parent, const Bounds& pixels, const wchar_t* className, DWORD style);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHandleDestroyed() override;

private:
    static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self) noexcept;
    void PlaceAtBottom(int parentWidth, int parentHeight);
    void StopAligning() noexcept;

    HFONT font_ = nullptr;
    Bevel bevel_ = Bevel::None;
    HWND alignedTo_ = nullptr;
    int alignHeight_ = 0;  // screen pixels
};

}  // namespace ui
