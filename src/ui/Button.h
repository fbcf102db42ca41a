#pragma once
#include <functional>

#include "ui/Control.h"

namespace ui {

struct ButtonParams {
    Bounds bounds;  // 96-dpi figures
    std::wstring_view caption;
    std::wstring_view key;  // caption key (Form::FindCaption)
};

// A push button.
class Button : public Control {
public:
    void Create(Window& parent, const ButtonParams& params);
    void Click();
    std::function<void(Button& sender)> OnClick;

protected:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
