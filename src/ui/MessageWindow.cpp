#include "ui/MessageWindow.h"

namespace ui {

void MessageWindow::Create() {
    static const platform::WindowClass windowClass(OwnClass(L"TVelmorMessages"));
    CreateParams params;
    params.pixels = {0, 0, 0, 0};
    params.parent = HWND_MESSAGE;
    CreateOwnWindow(windowClass, params);
}

LRESULT MessageWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage && OnMessage(message, wParam, lParam, result)) return result;
    return Window::WndProc(message, wParam, lParam);
}

}  // namespace ui
