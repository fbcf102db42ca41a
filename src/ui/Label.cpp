#include "ui/Label.h"

namespace ui {

void Label::Create(Window& parent, const LabelParams& params) {
    CreateControl(parent, L"STATIC", WS_VISIBLE | SS_NOPREFIX | (params.alignRight ? SS_RIGHT : SS_LEFT), 0,
                  params.bounds, params.caption, params.key);
}

}  // namespace ui
