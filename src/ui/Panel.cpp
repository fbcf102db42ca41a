#include "ui/Panel.h"

#include <commctrl.h>

#include "platform/Handles.h"
#include "ui/Dpi.h"

namespace ui {

Panel::~Panel() {
    StopAligning();
    DestroyHandle();
}

void Panel::Create(Window& parent, const PanelParams& params) {
    const Bounds& design = params.bounds;
    bevel_ = params.bevel;
    CreateContainer(parent.Handle(), {Scale(design.left), Scale(design.top), Scale(design.width), Scale(design.height)},
                    L"TPanel", WS_VISIBLE);
}

void Panel::CreateContainer(HWND parent, const Bounds& pixels, const wchar_t* className, DWORD style) {
    ClassParams windowClass;
    windowClass.name = className;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.background = GetSysColorBrush(COLOR_BTNFACE);
    CreateParams params;
    // Tab and the arrow keys move into the controls it holds.
    params.exStyle = WS_EX_CONTROLPARENT;
    params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style;
    params.pixels = pixels;
    params.parent = parent;
    CreateOwnWindow(windowClass, params);
    font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
}

SIZE Panel::ClientSize() const {
    RECT client{};
    if (HandleAllocated()) GetClientRect(Handle(), &client);
    return {client.right - client.left, client.bottom - client.top};
}

void Panel::SetBevel(Bevel bevel) {
    if (bevel_ == bevel) return;
    bevel_ = bevel;
    Invalidate();
}

void Panel::AlignBottom(int designHeight) {
    const HWND parent = GetParent(Handle());
    if (!parent) return;
    alignHeight_ = Scale(designHeight);
    if (alignedTo_ != parent) {
        StopAligning();
        if (!SetWindowSubclass(parent, &Panel::ParentProc, reinterpret_cast<UINT_PTR>(this),
                               reinterpret_cast<DWORD_PTR>(this))) {
            return;
        }
        alignedTo_ = parent;
    }
    RECT client{};
    GetClientRect(parent, &client);
    PlaceAtBottom(client.right, client.bottom);
}

void Panel::PlaceAtBottom(int parentWidth, int parentHeight) {
    SetPixelBounds({0, parentHeight - alignHeight_, parentWidth, alignHeight_});
}

void Panel::StopAligning() noexcept {
    if (alignedTo_ && IsWindow(alignedTo_)) {
        RemoveWindowSubclass(alignedTo_, &Panel::ParentProc, reinterpret_cast<UINT_PTR>(this));
    }
    alignedTo_ = nullptr;
}

LRESULT CALLBACK Panel::ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) noexcept {
    // Placed before the parent's own handling, so that its resize handler
    // already sees the panel where it belongs.
    if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        reinterpret_cast<Panel*>(self)->PlaceAtBottom(LOWORD(lParam), HIWORD(lParam));
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT Panel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) Invalidate();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SIZE:
            if (OnResize) OnResize(*this);
            break;
        case WM_PAINT:
            if (bevel_ != Bevel::None) {
                const platform::PaintDC paint(Handle());
                RECT client{};
                GetClientRect(Handle(), &client);
                DrawEdge(paint.Get(), &client, bevel_ == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
                return 0;
            }
            break;
        default:
            break;
    }
    return Window::WndProc(message, wParam, lParam);
}

void Panel::OnHandleDestroyed() { StopAligning(); }

}  // namespace ui
