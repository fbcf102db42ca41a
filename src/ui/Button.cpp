#include "ui/Button.h"

namespace ui {

void Button::Create(Window& parent, const ButtonParams& params) {
    CreateControl(parent, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, params.bounds, params.caption,
                  params.key);
}

void Button::Click() {
    if (OnClick) OnClick(*this);
}

bool Button::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return false;
}

}  // namespace ui
