#include "ui/Control.h"

#include <algorithm>
#include <string>

#include "platform/Handles.h"
#include "ui/Dpi.h"

namespace ui {

namespace {
int NextControlId() {
    static int next = 100;
    // Menu commands start at 0x8000; control ids wrap below them.
    if (next >= 0x7FFF) next = 100;
    return next++;
}
}  // namespace

SIZE Control::CaptionSize() const {
    SIZE size{0, 0};
    if (!HandleAllocated()) return size;
    const platform::WindowDC dc(Handle());
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    const platform::ScopedSelect select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const std::wstring text = Text();
    RECT extent{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.empty() ? L" " : text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    return {extent.right, extent.bottom};
}

void Control::FitCaption(int extra, int maxRight) {
    const Bounds now = PixelBounds();
    const int wanted = std::min(static_cast<int>(CaptionSize().cx) + extra, maxRight - now.left);
    if (wanted > now.width) SetPixelBounds({now.left, now.top, wanted, now.height});
}

void Control::FitCaptionLeftwards(int extra, int minLeft) {
    const Bounds now = PixelBounds();
    const int right = now.left + now.width;
    const int wanted = std::min(static_cast<int>(CaptionSize().cx) + extra, right - minLeft);
    if (wanted > now.width) SetPixelBounds({right - wanted, now.top, wanted, now.height});
}

void Control::CreateControl(Window& parent, const wchar_t* className, DWORD style, DWORD exStyle,
                            const Bounds& design, std::wstring_view text, std::wstring_view captionKey) {
    id_ = NextControlId();
    SetCaptionKey(captionKey);
    CreateParams params;
    params.exStyle = exStyle;
    params.style = style | WS_CHILD;
    params.text = text;
    params.pixels = {Scale(design.left), Scale(design.top), Scale(design.width), Scale(design.height)};
    params.parent = parent.Handle();
    params.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_));
    CreateSystemControl(className, params);
    if (const auto font = reinterpret_cast<HFONT>(SendMessageW(parent.Handle(), WM_GETFONT, 0, 0))) SetFont(font);
}

}  // namespace ui
