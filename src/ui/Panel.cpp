#include "ui/Panel.h"

#include "ui/CommonControls.h"
#include "ui/Dpi.h"

namespace ui {

void Panel::Create(Window& parent, const PanelParams& params) {
    const Bounds& design = params.bounds;
    static const platform::WindowClass windowClass(ContainerClass(L"TPanel"));
    CreateContainer(parent.Handle(), {Scale(design.left), Scale(design.top), Scale(design.width), Scale(design.height)},
                    windowClass, WS_VISIBLE);
}

WNDCLASSEXW Panel::ContainerClass(const wchar_t* name) {
    return OwnClass(name, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
}

void Panel::CreateContainer(HWND parent, const Bounds& pixels, const platform::WindowClass& windowClass, DWORD style) {
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

void Panel::AlignBottom(int designHeight) {
    const HWND parent = GetParent(Handle());
    if (!parent) return;
    alignHeight_ = Scale(designHeight);
    if (alignedTo_.Parent() != parent && !alignedTo_.Hook(parent, *this)) return;
    RECT client{};
    GetClientRect(parent, &client);
    PlaceAtBottom(client.right, client.bottom);
}

void Panel::PlaceAtBottom(int parentWidth, int parentHeight) {
    SetPixelBounds({0, parentHeight - alignHeight_, parentWidth, alignHeight_});
}

Panel::ParentHook::~ParentHook() { Unhook(); }

bool Panel::ParentHook::Hook(HWND parent, Panel& panel) {
    Unhook();
    if (!SetSubclass(parent, &ParentHook::Proc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(&panel))) {
        return false;
    }
    parent_ = parent;
    return true;
}

void Panel::ParentHook::Unhook() noexcept {
    // A parent already destroyed took its subclasses with it.
    if (parent_ && IsWindow(parent_)) RemoveSubclass(parent_, &ParentHook::Proc, reinterpret_cast<UINT_PTR>(this));
    parent_ = nullptr;
}

LRESULT CALLBACK Panel::ParentHook::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR panel) noexcept {
    // Placed before the parent's own handling, so that its resize handler
    // already sees the panel where it belongs.
    if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        reinterpret_cast<Panel*>(panel)->PlaceAtBottom(LOWORD(lParam), HIWORD(lParam));
    }
    return DefSubclass(window, message, wParam, lParam);
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
        default:
            break;
    }
    return Window::WndProc(message, wParam, lParam);
}

}  // namespace ui
