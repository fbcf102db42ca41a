#include "ui/Control.h"

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
