#pragma once
#include <functional>

#include "ui/Control.h"

namespace ui {

struct CheckBoxParams {
    Bounds bounds;  // 96-dpi figures
    std::wstring_view caption;
    std::wstring_view key;  // caption key (Form::FindCaption)
    bool checked = false;
};

// A two-state check box. OnClick runs when the user toggles it and when
// SetChecked changes the state.
class CheckBox : public Control {
public:
    void Create(Window& parent, const CheckBoxParams& params);
    bool Checked() const noexcept;
    void SetChecked(bool checked);
    std::function<void(CheckBox& sender)> OnClick;

protected:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
