#pragma once
#include "ui/Control.h"

namespace ui {

// Static text.
class Label : public Control {
public:
    void Create(Window& parent, const Bounds& design, std::wstring_view caption, bool alignRight = false);
};

}  // namespace ui
