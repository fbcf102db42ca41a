#include "widgets/PickerHeights.h"

#include <algorithm>
#include <cstdlib>

namespace widgets {

int ItemHeightForControlHeight(int controlHeight, int current) noexcept {
    return controlHeight > kPickerFrameHeight ? controlHeight - kPickerFrameHeight : current;
}

int FontHeightForItemHeight(int itemHeight, int fontHeight) noexcept {
    const int font = std::abs(fontHeight);
    return font > itemHeight ? std::max(itemHeight, kPickerMinFontHeight) : font;
}

int ItemHeightForFont(int itemHeight, int fontHeight) noexcept {
    return std::max(itemHeight, std::abs(fontHeight));
}

}  // namespace widgets
