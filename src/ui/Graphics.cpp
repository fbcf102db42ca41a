#include "ui/Graphics.h"

#include "platform/Error.h"
#include "ui/Dpi.h"

namespace ui {

COLORREF ToColorRef(ColorValue color, COLORREF fallback) {
    return static_cast<COLORREF>(
        ResolveColor(color, [](int index) { return GetSysColor(index); }, static_cast<std::uint32_t>(fallback)));
}

platform::FontHandle CreateFontFrom(const FontInfo& info) {
    LOGFONTW font{};
    font.lfHeight = -FontPixelHeight(info.size, ScreenDpi());
    font.lfWeight = info.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = info.italic;
    font.lfUnderline = info.underline;
    font.lfStrikeOut = info.strikeOut;
    font.lfCharSet = static_cast<BYTE>(info.charset);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(font.lfFaceName, info.name.c_str(), LF_FACESIZE);
    platform::FontHandle handle(CreateFontIndirectW(&font));
    if (!handle) throw platform::OutOfResources(L"Cannot create font " + info.name);
    return handle;
}

platform::FontHandle CreateMenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return nullptr;  // the caller keeps the font it has
    }
    return platform::FontHandle(CreateFontIndirectW(&metrics.lfMenuFont));
}

}  // namespace ui
