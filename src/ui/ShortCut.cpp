#include "ui/ShortCut.h"

namespace ui {

std::wstring ShortCut::Text() const {
    if (key == 0) return {};
    std::wstring text;
    if (shift) text += L"Shift+";
    if (ctrl) text += L"Ctrl+";
    if (alt) text += L"Alt+";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        text += static_cast<wchar_t>(key);
    } else if (key >= 0x70 && key <= 0x87) {  // F1..F24
        text += L"F" + std::to_wstring(key - 0x70 + 1);
    } else {
        text += L"#" + std::to_wstring(key);
    }
    return text;
}

}  // namespace ui
