// The floor that the clip latency is compared with: a clipboard viewer that,
// for every change, makes and shows one plain window at the cursor and, once
// it shows more than it keeps, hides and destroys the oldest. Its window has
// a clip window's frame (a top-most tool window with a caption and a sizing
// border, shown without activation) and nothing else: no text, no clipboard
// read, no fading.
// Usage: bare_viewer [windows kept (1)]
#include <windows.h>

#include <cstdlib>
#include <deque>

namespace {

constexpr wchar_t kViewerClass[] = L"VelmorBareViewer";
constexpr wchar_t kClipClass[] = L"VelmorBareClip";

HWND next = nullptr;
std::deque<HWND> shown;
std::size_t kept = 1;
bool joined = false;

void ShowNewWindow() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClipClass, L"clip",
                                        WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, cursor.x, cursor.y, 123,
                                        134, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    shown.push_back(window);
    while (shown.size() > kept) {
        ShowWindow(shown.front(), SW_HIDE);
        DestroyWindow(shown.front());
        shown.pop_front();
    }
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWCLIPBOARD:
            // The notification that SetClipboardViewer sends at once is no change.
            if (joined) ShowNewWindow();
            if (next) SendMessageW(next, message, wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == next) {
                next = reinterpret_cast<HWND>(lParam);
            } else if (next) {
                SendMessageW(next, message, wParam, lParam);
            }
            return 0;
        case WM_DESTROY:
            ChangeClipboardChain(window, next);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (const long windows = std::strtol(commandLine, nullptr, 10); windows > 0) kept = static_cast<std::size_t>(windows);
    WNDCLASSW viewerClass{};
    viewerClass.lpfnWndProc = ViewerProc;
    viewerClass.hInstance = instance;
    viewerClass.lpszClassName = kViewerClass;
    RegisterClassW(&viewerClass);
    WNDCLASSW clipClass{};
    clipClass.lpfnWndProc = DefWindowProcW;
    clipClass.hInstance = instance;
    clipClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    clipClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    clipClass.lpszClassName = kClipClass;
    RegisterClassW(&clipClass);

    // Hidden, like Velmor's own watcher; the benchmark ends it with WM_CLOSE.
    const HWND viewer = CreateWindowExW(0, kViewerClass, L"bare viewer", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                        instance, nullptr);
    if (!viewer) return 1;
    next = SetClipboardViewer(viewer);
    joined = true;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
