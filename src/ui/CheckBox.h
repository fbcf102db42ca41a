#pragma once
#include <functional>

#include "ui/Control.h"

namespace ui {

// A two-state check box. OnClick runs when the user toggles it and when
// SetChecked changes the state.
class CheckBox : public Control {
public:
    void Create(Window& parent, const Bounds& design, std::wstring_view caption, bool checked = false);
    bool Checked() const noexcept;
    void SetChecked(bool checked);
    std::function<void(CheckBox& sender)> OnClick;

protected:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
