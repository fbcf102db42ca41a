#include "ui/Label.h"

namespace ui {

void Label::Create(Window& parent, const Bounds& design, std::wstring_view caption, bool alignRight) {
    CreateControl(parent, L"STATIC", WS_VISIBLE | SS_NOPREFIX | (alignRight ? SS_RIGHT : SS_LEFT), 0, design,
                  caption);
}

}  // namespace ui
