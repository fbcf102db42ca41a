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

FontInfo FontInfoOf(HFONT font) {
    LOGFONTW description{};
    if (!font || GetObjectW(font, sizeof description, &description) != sizeof description) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    }
    FontInfo info;
    info.name = description.lfFaceName;
    const int height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
    info.size = MulDiv(height, 72, ScreenDpi());
    info.charset = description.lfCharSet;
    info.bold = description.lfWeight >= FW_BOLD;
    info.italic = description.lfItalic != 0;
    info.underline = description.lfUnderline != 0;
    info.strikeOut = description.lfStrikeOut != 0;
    return info;
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
