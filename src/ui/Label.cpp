#include "ui/Label.h"

#include "platform/Handles.h"

namespace ui {

void Label::Create(Window& parent, const LabelParams& params) {
    autoSize_ = params.autoSize;
    alignRight_ = params.alignRight;
    CreateControl(parent, L"STATIC", WS_VISIBLE | SS_NOPREFIX | (params.alignRight ? SS_RIGHT : SS_LEFTNOWORDWRAP), 0,
                  params.bounds, params.caption, params.key);
    FitText();
}

void Label::FitText() {
    if (!autoSize_ || !HandleAllocated()) return;
    const platform::WindowDC dc(Handle());
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    const platform::ScopedSelect select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const std::wstring text = Text();
    RECT extent{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.empty() ? L" " : text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const Bounds now = PixelBounds();
    const int left = alignRight_ ? now.left + now.width - extent.right : now.left;
    if (now.width != extent.right || now.height != extent.bottom || now.left != left) {
        SetWindowPos(Handle(), nullptr, left, now.top, extent.right, extent.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT Label::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Control::WndProc(message, wParam, lParam);
    if (message == WM_SETTEXT || message == WM_SETFONT) FitText();
    return result;
}

}  // namespace ui
