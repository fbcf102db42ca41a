#include "ui/PaintBox.h"

#include "platform/Handles.h"
#include "ui/Dpi.h"

namespace ui {

void PaintBox::Create(Window& parent, const PaintBoxParams& box) {
    const Bounds& design = box.bounds;
    // No background brush: the whole client area is drawn by Render.
    static const platform::WindowClass windowClass(OwnClass(L"TPaintBox", CS_HREDRAW | CS_VREDRAW | CS_OWNDC));
    CreateParams params;
    params.style = WS_CHILD | WS_VISIBLE;
    params.pixels = {Scale(design.left), Scale(design.top), Scale(design.width), Scale(design.height)};
    params.parent = parent.Handle();
    CreateOwnWindow(windowClass, params);
    font_ = reinterpret_cast<HFONT>(SendMessageW(parent.Handle(), WM_GETFONT, 0, 0));
}

void PaintBox::Repaint() {
    if (!HandleAllocated()) return;
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

void PaintBox::Render(HDC target) {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const platform::DcHandle memory(CreateCompatibleDC(target));
    const platform::BitmapHandle bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
    if (!memory || !bitmap) return;
    const platform::ScopedSelect useBitmap(memory.get(), bitmap.get());
    const platform::ScopedSelect useFont(memory.get(), font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    FillRect(memory.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (OnPaint) OnPaint(*this, memory.get(), client);
    BitBlt(target, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

LRESULT PaintBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const platform::PaintDC paint(Handle());
            Render(paint.Get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Render(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) Invalidate();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETCURSOR:
            if (cursor_ && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP: {
            if (!pressed_) return 0;
            pressed_ = false;
            ReleaseCapture();
            RECT client{};
            GetClientRect(Handle(), &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (PtInRect(&client, at) && OnClick) OnClick(*this);
            return 0;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            break;
        default:
            break;
    }
    return Window::WndProc(message, wParam, lParam);
}

}  // namespace ui
