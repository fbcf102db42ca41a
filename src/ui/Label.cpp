#include "ui/Label.h"

#include "ui/Graphics.h"


namespace ui {

void Label::Create(Window& parent, const LabelParams& params) {
    autoSize_ = params.autoSize;
    alignRight_ = params.alignRight;
    CreateControl(parent, L"STATIC", WS_VISIBLE | SS_NOTIFY | (params.alignRight ? SS_RIGHT : SS_LEFTNOWORDWRAP), 0,
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

void Label::SetFontColor(ColorValue color) {
    fontColor_ = color;
    Invalidate();
}

void Label::SetColor(ColorValue background) {
    color_ = background;
    brush_.reset(CreateSolidBrush(ToColorRef(background)));
    Invalidate();
}

bool Label::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        if (OnClick) OnClick(*this);
        result = 0;
        return true;
    }
    if (message != WM_CTLCOLORSTATIC || (!fontColor_ && !color_)) return false;
    const auto dc = reinterpret_cast<HDC>(wParam);
    if (fontColor_) SetTextColor(dc, ToColorRef(*fontColor_));
    if (color_) {
        SetBkColor(dc, ToColorRef(*color_));
        result = reinterpret_cast<LRESULT>(brush_.get());
    } else {
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return true;
}

LRESULT Label::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && cursor_) {
        ::SetCursor(cursor_);
        return TRUE;
    }
    const LRESULT result = Control::WndProc(message, wParam, lParam);
    if (message == WM_SETTEXT || message == WM_SETFONT) FitText();
    return result;
}

}  // namespace ui
