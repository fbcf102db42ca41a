#pragma once
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

// Static text on one line.
class Label : public Control {
public:
    void Create(Window& parent, const LabelParams& params);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FitText();

    bool autoSize_ = false;
    bool alignRight_ = false;
};

}  // namespace ui
