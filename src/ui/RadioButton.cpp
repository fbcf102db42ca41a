#include "ui/RadioButton.h"

namespace ui {

namespace {
bool StartsGroup(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_GROUP) != 0; }
}  // namespace

void RadioButton::Create(Window& parent, const RadioButtonParams& params) {
    CreateControl(parent, L"BUTTON", WS_VISIBLE | BS_AUTORADIOBUTTON | (params.groupStart ? WS_GROUP : 0), 0,
                  params.bounds, params.caption, params.key);
    Apply(params.checked);
}

bool RadioButton::Checked() const noexcept {
    return HandleAllocated() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::SetChecked(bool checked) {
    if (Checked() == checked) return;
    Apply(checked);
    if (!checked) return;
    UncheckGroupSiblings();
    if (OnClick) OnClick(*this);
}

void RadioButton::Apply(bool checked) {
    checked_ = checked;
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab reaches a group through its checked button; the arrows move inside it.
    LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    style = checked ? (style | WS_TABSTOP) : (style & ~static_cast<LONG>(WS_TABSTOP));
    SetWindowLongW(Handle(), GWL_STYLE, style);
}

void RadioButton::UncheckGroupSiblings() {
    HWND first = Handle();
    while (!StartsGroup(first)) {
        const HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && StartsGroup(sibling)) break;
        if (sibling == Handle()) continue;
        // The control may have cleared a sibling itself (auto radio buttons do on
        // BM_SETCHECK under some systems), so look at the remembered state too.
        if (auto* radio = dynamic_cast<RadioButton*>(FromHandle(sibling))) {
            if (radio->checked_ || radio->Checked()) radio->Apply(false);
        } else if (!radio && (SendMessageW(sibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) {
            SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

bool RadioButton::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND) return false;
    result = 0;
    if (HIWORD(wParam) == BN_CLICKED) {
        // The button has checked itself and cleared its group already.
        const bool now = Checked();
        if (now && !checked_) {
            Apply(true);
            UncheckGroupSiblings();
            if (OnClick) OnClick(*this);
        }
    }
    return true;
}

}  // namespace ui
