#include "ui/GroupBox.h"

namespace ui {

void GroupBox::Create(Window& parent, const GroupBoxParams& params) {
    // The frame paints only its edge and caption. Transparent, so that a
    // parent that clips its children still paints the area inside the frame.
    CreateControl(parent, L"BUTTON", WS_VISIBLE | BS_GROUPBOX, WS_EX_TRANSPARENT, params.bounds, params.caption,
                  params.key);
    design_ = params.bounds;
}

Bounds GroupBox::ChildBounds(const Bounds& design) const noexcept {
    return {design_.left + design.left, design_.top + design.top, design.width, design.height};
}

}  // namespace ui
