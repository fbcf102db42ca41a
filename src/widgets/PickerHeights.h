#pragma once
// How a picker's item height, its control height and its font's height follow
// one another. Figures are pixels. A font height may be given as a LOGFONT
// gives it: a negative one is a character height, so its size is what counts.

namespace widgets {

// The frame of the selection field, which the control height includes.
constexpr int kPickerFrameHeight = 6;
// The smallest font a lowered item height brings the font down to.
constexpr int kPickerMinFontHeight = 12;

// The item height a control height gives, or current when the control is
// too low for the frame alone.
int ItemHeightForControlHeight(int controlHeight, int current) noexcept;
// The font's character height after the item height changed: a font taller
// than the items comes down to the item height, but not below the minimum.
int FontHeightForItemHeight(int itemHeight, int fontHeight) noexcept;
// The item height after the font changed: never below the font's height.
int ItemHeightForFont(int itemHeight, int fontHeight) noexcept;

}  // namespace widgets
