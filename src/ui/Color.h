#pragma once
// Colour values as the settings store them: 0x00BBGGRR for an RGB colour,
// 0xFF0000NN for Windows system colour NN, and two special values.
#include <cstdint>

namespace ui {

using ColorValue = std::int32_t;

constexpr ColorValue kColorNone = 0x1FFFFFFF;
constexpr ColorValue kColorDefault = 0x20000000;
constexpr ColorValue kColorWindow = static_cast<ColorValue>(0xFF000005);
constexpr ColorValue kColorWindowText = static_cast<ColorValue>(0xFF000008);

constexpr bool IsSystemColor(ColorValue color) noexcept {
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}
constexpr int SystemColorIndex(ColorValue color) noexcept {
    return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
}
constexpr ColorValue Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
    return static_cast<ColorValue>(red | (green << 8) | (blue << 16));
}

// The 0x00BBGGRR colour a value paints with; systemColor(index) gives the
// current system colours, fallback stands for "none" and "default".
template <typename SystemColor>
std::uint32_t ResolveColor(ColorValue color, SystemColor systemColor, std::uint32_t fallback) {
    if (IsSystemColor(color)) return static_cast<std::uint32_t>(systemColor(SystemColorIndex(color))) & 0xFFFFFFu;
    if (color == kColorNone || color == kColorDefault) return fallback;
    return static_cast<std::uint32_t>(color) & 0xFFFFFFu;
}

}  // namespace ui
