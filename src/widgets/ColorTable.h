#pragma once
// The colour picker's built-in entries: one default entry, the 16 basic
// colours, 25 system colours, 129 extra named colours and the custom entry,
// each with its English text and its Japanese text (kana in half-width
// katakana, at most 22 bytes in code page 932).
#include <cstdint>
#include <span>

#include "ui/Color.h"

namespace widgets {

// The group numbers are part of every list entry; 4 is the user colours.
enum class ColorGroup : std::uint8_t { Default = 0, Basic = 1, System = 2, Extra = 3, User = 4, Custom = 5 };

struct BuiltInColor {
    ui::ColorValue value;
    const wchar_t* english;
    const wchar_t* japanese;
};

// #RRGGBB as a colour value (red in the low byte).
constexpr ui::ColorValue FromRgbHex(std::uint32_t rrggbb) noexcept {
    return ui::Rgb(static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
                   static_cast<std::uint8_t>(rrggbb));
}

// The entries of one built-in group in list order; empty for the user colours.
std::span<const BuiltInColor> BuiltInGroup(ColorGroup group) noexcept;

}  // namespace widgets
