#include "ui/GroupBox.h"

namespace ui {

void GroupBox::Create(Window& parent, const Bounds& design, std::wstring_view caption) {
    // The frame paints only its edge and caption. Transparent, so that a
    // parent that clips its children still paints the area inside the frame.
    CreateControl(parent, L"BUTTON", WS_VISIBLE | BS_GROUPBOX, WS_EX_TRANSPARENT, design, caption);
    design_ = design;
}

Bounds GroupBox::ChildBounds(const Bounds& design) const noexcept {
    return {design_.left + design.left, design_.top + design.top, design.width, design.height};
}

}  // namespace ui
