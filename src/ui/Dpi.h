#pragma once
// Every pixel figure in the program is written at 96 dpi; Scale() turns it
// into screen pixels at the system DPI (the process is system-DPI aware).

namespace ui {

int ScreenDpi() noexcept;
int Scale(int designPixels) noexcept;

}  // namespace ui
