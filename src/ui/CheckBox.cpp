#include "ui/CheckBox.h"

namespace ui {

void CheckBox::Create(Window& parent, const CheckBoxParams& params) {
    CreateControl(parent, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, params.bounds, params.caption,
                  params.key);
    SendMessageW(Handle(), BM_SETCHECK, params.checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::Checked() const noexcept {
    return HandleAllocated() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick(*this);
}

bool CheckBox::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (OnClick) OnClick(*this);
        result = 0;
        return true;
    }
    return false;
}

}  // namespace ui
