#pragma once
// A font as the settings describe it: face, point size, character set, style
// and colour. Point sizes turn into pixel heights at the screen's density.
#include <climits>
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
// Sizes whose height an int cannot hold give the largest int, so that the
// height is always positive and can be negated (a LOGFONT's lfHeight).
constexpr int FontPixelHeight(int points, int dpi) noexcept {
    if (points <= 0) return 1;
    const long long pixels = (static_cast<long long>(points) * dpi + 36) / 72;
    if (pixels > INT_MAX) return INT_MAX;
    return pixels < 1 ? 1 : static_cast<int>(pixels);
}

}  // namespace ui
