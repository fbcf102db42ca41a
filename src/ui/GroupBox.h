#pragma once
#include "ui/Control.h"

namespace ui {

// A captioned frame. The controls shown inside it are its parent's children,
// created after it; ChildBounds turns bounds measured from the frame's
// top-left corner into the parent's figures.
struct GroupBoxParams {
    Bounds bounds;  // 96-dpi figures
    std::wstring_view caption;
    std::wstring_view key;  // caption key (Form::FindCaption)
};

class GroupBox : public Control {
public:
    void Create(Window& parent, const GroupBoxParams& params);
    Bounds ChildBounds(const Bounds& design) const noexcept;

private:
    Bounds design_;
};

}  // namespace ui
