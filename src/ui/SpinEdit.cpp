#include "ui/SpinEdit.h"

#include <commctrl.h>

namespace ui {

void SpinEdit::Create(Window& parent, const SpinEditParams& params) {
    range_ = {params.minValue, params.maxValue};
    increment_ = params.increment;
    CreateControl(parent, L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, params.bounds,
                  SpinText(ClampSpinValue(params.value, range_)));
    arrows_.Create(*this, parent);
}

void SpinEdit::Arrows::Create(SpinEdit& owner, Window& parent) {
    owner_ = &owner;
    // No UDS_SETBUDDYINT: the edit's text stays the only copy of the value.
    CreateControl(parent, UPDOWN_CLASSW, WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_HOTTRACK,
                  0, Bounds{0, 0, 17, 0});
    // The arrows' own position is never used: every step is cancelled and
    // applied to the text, so keep it mid-range where both arrows stay live.
    SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(-0x40000000), 0x40000000);
    SendMessageW(Handle(), UDM_SETPOS32, 0, 0);
    Attach();
}

void SpinEdit::Arrows::Attach() {
    // Setting the buddy again re-aligns the arrows to the edit's current bounds.
    SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(owner_->Handle()), 0);
}

bool SpinEdit::Arrows::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != UDN_DELTAPOS) return false;
    const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (change->iDelta != 0) owner_->Step(change->iDelta > 0 ? 1 : -1);
    result = TRUE;  // cancel the control's own move
    return true;
}

int SpinEdit::Value() const { return SpinValueOfText(Text(), range_); }

void SpinEdit::SetValue(int value) { SetText(SpinText(ClampSpinValue(value, range_))); }

void SpinEdit::Step(int steps) {
    if (!Enabled() || (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY)) return;
    SetValue(StepSpinValue(Value(), increment_, steps, range_));
}

void SpinEdit::ClampText() {
    // Only a number outside the range is corrected; other text is left for the user to fix.
    if (const auto typed = ParseSpinText(Text()); typed && ClampSpinValue(*typed, range_) != *typed) SetValue(*typed);
}

void SpinEdit::SetPixelBounds(const Bounds& pixels) {
    Window::SetPixelBounds(pixels);
    arrows_.Attach();
}

void SpinEdit::SetVisible(bool visible) {
    Window::SetVisible(visible);
    arrows_.SetVisible(visible);
}

void SpinEdit::SetEnabled(bool enabled) {
    Window::SetEnabled(enabled);
    arrows_.SetEnabled(enabled);
}

LRESULT SpinEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Refuse letters as they are typed; pasted text is judged by Value.
    if (message == WM_CHAR && !IsSpinInputChar(static_cast<wchar_t>(wParam))) {
        MessageBeep(MB_OK);
        return 0;
    }
    return Control::WndProc(message, wParam, lParam);
}

bool SpinEdit::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND) return false;
    result = 0;
    switch (HIWORD(wParam)) {
        case EN_CHANGE:
            if (OnChange) OnChange(*this);
            break;
        case EN_KILLFOCUS:
            ClampText();
            break;
        default:
            break;
    }
    return true;
}

}  // namespace ui
