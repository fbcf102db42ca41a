#pragma once
// A child window the program draws itself. OnPaint draws into an off-screen
// bitmap already filled with the button-face colour and holding the parent's
// font; the finished picture is copied to the screen in one step, so nothing
// flickers.
#include <functional>

#include "ui/Window.h"

namespace ui {

struct PaintBoxParams {
    Bounds bounds;  // 96-dpi figures
};

class PaintBox : public Window {
public:
    void Create(Window& parent, const PaintBoxParams& params);
    // The mouse pointer over the box; nullptr for the arrow.
    void SetCursor(HCURSOR cursor) noexcept { cursor_ = cursor; }
    // Draws now instead of at the next idle moment.
    void Repaint();

    std::function<void(PaintBox& sender, HDC dc, const RECT& client)> OnPaint;
    // Pressed and released over the box with the left button.
    std::function<void(PaintBox& sender)> OnClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Render(HDC target);

    HFONT font_ = nullptr;
    HCURSOR cursor_ = nullptr;
    bool pressed_ = false;
};

}  // namespace ui
