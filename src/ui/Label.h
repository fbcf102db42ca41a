#pragma once
#include <functional>
#include <optional>

#include "platform/Handles.h"
#include "ui/Color.h"
#include "ui/Control.h"

namespace ui {

struct LabelParams {
    Bounds bounds;  // 96-dpi figures
    std::wstring_view caption;
    std::wstring_view key;  // caption key (Form::FindCaption)
    bool alignRight = false;
    // The label takes the size of its caption in its font, so that another
    // font or a longer caption is never cut (a right-aligned one keeps its right edge).
    bool autoSize = true;
};

// Static text on one line, in the parent's colours unless given its own.
class Label : public Control {
public:
    void Create(Window& parent, const LabelParams& params);

    void SetFontColor(ColorValue color);
    void SetColor(ColorValue background);
    // The mouse pointer over the label; nullptr for the arrow.
    void SetCursor(HCURSOR cursor) noexcept { cursor_ = cursor; }
    std::function<void(Label& sender)> OnClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FitText();

    bool autoSize_ = false;
    bool alignRight_ = false;
    std::optional<ColorValue> fontColor_;
    std::optional<ColorValue> color_;
    platform::BrushHandle brush_;
    HCURSOR cursor_ = nullptr;
};

}  // namespace ui
