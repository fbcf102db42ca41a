#include "ui/Dpi.h"

#include <windows.h>

#include "platform/DpiMath.h"

namespace ui {

int ScreenDpi() noexcept {
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : platform::kDesignDpi;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : platform::kDesignDpi;
    }();
    return dpi;
}

int Scale(int designPixels) noexcept { return platform::ScaleForDpi(designPixels, ScreenDpi()); }

}  // namespace ui
