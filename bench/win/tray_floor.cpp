// The floor that Velmor's start-up is compared with: a program that adds one
// tray icon and does nothing else. Built and started as velmor.exe is (the
// same toolchain, static runtime, a fresh folder); the benchmark ends it with
// WM_CLOSE.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kFloorClass[] = L"VelmorTrayFloor";

NOTIFYICONDATAW Icon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;  // as Velmor's own icon
    return data;
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        NOTIFYICONDATAW data = Icon(window);
        Shell_NotifyIconW(NIM_DELETE, &data);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW floorClass{};
    floorClass.lpfnWndProc = FloorProc;
    floorClass.hInstance = instance;
    floorClass.lpszClassName = kFloorClass;
    RegisterClassW(&floorClass);
    const HWND window =
        CreateWindowExW(0, kFloorClass, L"tray floor", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    NOTIFYICONDATAW data = Icon(window);
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(data.szTip, L"tray floor", ARRAYSIZE(data.szTip));
    if (!Shell_NotifyIconW(NIM_ADD, &data)) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
