#pragma once
#include <functional>

#include "ui/Control.h"

namespace ui {

// An option button. Buttons that follow one another among the parent's
// children form a group up to the next one created with groupStart; checking
// one, by the user or by SetChecked(true), unchecks the others of its group.
// OnClick runs when the button becomes checked, either way; unchecking runs
// nothing.
struct RadioButtonParams {
    Bounds bounds;  // 96-dpi figures
    std::wstring_view caption;
    std::wstring_view key;  // caption key (Form::FindCaption)
    bool groupStart = false;
    bool checked = false;
};

class RadioButton : public Control {
public:
    void Create(Window& parent, const RadioButtonParams& params);
    bool Checked() const noexcept;
    void SetChecked(bool checked);
    std::function<void(RadioButton& sender)> OnClick;

protected:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Apply(bool checked);
    void UncheckGroupSiblings();

    // The state the program last saw, so that a click on the checked button is no change.
    bool checked_ = false;
};

}  // namespace ui
