// The headless demo's eyes on Windows' side: waits until Velmor shows a clip
// window and prints that window's title and text (UTF-8), so the demo can
// tell a real clip from an empty screen. Exit code 0 when one was shown,
// 1 when none came within the time given (seconds, the only argument).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/OutsideNames.h"

namespace {


std::wstring TextOf(HWND window) {
    // WM_GETTEXT crosses processes for edit controls and captions alike.
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const DWORD waitMs = 1000 * static_cast<DWORD>(argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20);
    const DWORD start = GetTickCount();
    do {
        HWND clip = nullptr;
        while ((clip = FindWindowExW(nullptr, clip, platform::kClipWindowClass, nullptr)) != nullptr) {
            if (!IsWindowVisible(clip)) continue;
            const HWND memo = GetWindow(clip, GW_CHILD);
            std::printf("Clip title: %s\n", Utf8(TextOf(clip)).c_str());
            std::printf("Clip text: %s\n", memo ? Utf8(TextOf(memo)).c_str() : "");
            return 0;
        }
        Sleep(100);
    } while (GetTickCount() - start < waitMs);
    return 1;
}
