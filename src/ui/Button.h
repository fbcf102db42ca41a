#pragma once
#include <functional>

#include "ui/Control.h"

namespace ui {

// A push button.
class Button : public Control {
public:
    void Create(Window& parent, const Bounds& design, std::wstring_view caption);
    void Click();
    std::function<void(Button& sender)> OnClick;

protected:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
