#include "ui/Label.h"


namespace ui {

void Label::Create(Window& parent, const LabelParams& params) {
    autoSize_ = params.autoSize;
    alignRight_ = params.alignRight;
    CreateControl(parent, L"STATIC", WS_VISIBLE | (params.alignRight ? SS_RIGHT : SS_LEFTNOWORDWRAP), 0,
                  params.bounds, params.caption, params.key);
    FitText();
}

void Label::FitText() {
    if (!autoSize_ || !HandleAllocated()) return;
    const SIZE text = CaptionSize();
    const Bounds now = PixelBounds();
    const int left = alignRight_ ? now.left + now.width - text.cx : now.left;
    if (now.width != text.cx || now.height != text.cy || now.left != left) {
        SetWindowPos(Handle(), nullptr, left, now.top, text.cx, text.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT Label::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Control::WndProc(message, wParam, lParam);
    if (message == WM_SETTEXT || message == WM_SETFONT) FitText();
    return result;
}

}  // namespace ui
