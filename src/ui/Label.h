#pragma once
#include "ui/Control.h"

namespace ui {

struct LabelParams {
    Bounds bounds;  // 96-dpi figures
    std::wstring_view caption;
    std::wstring_view key;  // caption key (Form::FindCaption)
    bool alignRight = false;
};

// Static text.
class Label : public Control {
public:
    void Create(Window& parent, const LabelParams& params);
};

}  // namespace ui
