#pragma once
// A font as the settings describe it: face, point size, character set, style
// and colour. Point sizes turn into pixel heights at the screen's density.
#include <cstdint>
#include <string>

#include "ui/Color.h"

namespace ui {

struct FontInfo {
    std::wstring name = L"MS UI Gothic";
    int size = 9;  // points; zero or below is kept as the smallest visible size
    int charset = 1;  // DEFAULT_CHARSET
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    ColorValue color = kColorWindowText;

    friend bool operator==(const FontInfo&, const FontInfo&) = default;
};

// round(size * dpi / 72), the character height in pixels (12 for 9 pt at 96 dpi).
// Sizes of zero or less give 1 pixel: a font cannot be smaller than that.
constexpr int FontPixelHeight(int points, int dpi) noexcept {
    if (points <= 0) return 1;
    const long long product = static_cast<long long>(points) * dpi;
    return static_cast<int>((product + 36) / 72);
}

}  // namespace ui
