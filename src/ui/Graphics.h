#pragma once
// Win32 forms of the portable colour and font descriptions.
#include <windows.h>

#include "platform/Handles.h"
#include "ui/Color.h"
#include "ui/FontInfo.h"

namespace ui {

COLORREF ToColorRef(ColorValue color, COLORREF fallback = GetSysColor(COLOR_WINDOW));
platform::FontHandle CreateFontFrom(const FontInfo& params);
// The system's menu font, as menus use it.
platform::FontHandle CreateMenuFont();
// Name, point size (at the screen's density), character set and style of a font.
FontInfo FontInfoOf(HFONT font);

}  // namespace ui
