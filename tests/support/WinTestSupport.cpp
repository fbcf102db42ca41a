#include "WinTestSupport.h"

#include <shellapi.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace testsupport {

namespace {

bool OpenClipboardRetrying(HWND owner) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(5);
    }
    return false;
}

bool PlaceData(UINT format, const void* data, size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    std::memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory)) return true;
    GlobalFree(memory);
    return false;
}

bool PutClipboardData(UINT format, const void* data, size_t bytes, HWND owner) {
    if (!OpenClipboardRetrying(owner)) return false;
    EmptyClipboard();
    const bool placed = PlaceData(format, data, bytes);
    CloseClipboard();
    return placed;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (pred()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

bool SetClipboardText(const std::wstring& text, HWND owner) {
    return PutClipboardData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t), owner);
}

bool SetClipboardAnsiText(const std::string& text, HWND owner) {
    return PutClipboardData(CF_TEXT, text.c_str(), text.size() + 1, owner);
}

bool SetClipboardFormats(const std::vector<std::pair<UINT, std::string>>& formats, HWND owner) {
    if (!OpenClipboardRetrying(owner)) return false;
    EmptyClipboard();
    bool placed = true;
    for (const auto& [format, bytes] : formats) placed = PlaceData(format, bytes.data(), bytes.size()) && placed;
    CloseClipboard();
    return placed;
}

bool StartUnix(std::string command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return true;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboardRetrying(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text) {
    struct Search {
        const wchar_t* className;
        const wchar_t* text;
        HWND found = nullptr;
    } search{className, text};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            wchar_t caption[256] = {};
            GetClassNameW(child, name, 64);
            GetWindowTextW(child, caption, 256);
            if (_wcsicmp(name, s.className) != 0 || (s.text && wcscmp(caption, s.text) != 0)) return TRUE;
            s.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string SourceFile(const std::string& relative) {
    std::string path = VELMOR_SOURCE_DIR "/" + relative;
    if (path.front() == '/') path = "Z:" + path;  // a Unix path, seen through Wine's drive Z:
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::map<std::string, std::string> IniKeys(const std::string& text) {
    std::map<std::string, std::string> keys;
    std::istringstream lines(text);
    std::string section;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            keys[section + "/" + line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return keys;
}

bool TrayIconExists(HWND window, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

ChainViewer::ChainViewer() {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ChainViewer::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelmorTestChainViewer";
        return RegisterClassW(&wc);
    }();
    (void)registered;
    window_ = CreateWindowExW(0, L"VelmorTestChainViewer", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    joined_ = true;
    next_ = SetClipboardViewer(window_);
    changes_ = 0;  // the joining notification is not a change
}

ChainViewer::~ChainViewer() {
    Leave();
    DestroyWindow(window_);
}

void ChainViewer::Leave() {
    if (!joined_) return;
    joined_ = false;
    ChangeClipboardChain(window_, next_);
}

LRESULT CALLBACK ChainViewer::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ChainViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        switch (message) {
            case WM_DRAWCLIPBOARD:
                ++self->changes_;
                if (self->next_) SendMessageW(self->next_, message, wParam, lParam);
                return 0;
            case WM_CHANGECBCHAIN:
                if (reinterpret_cast<HWND>(wParam) == self->next_) {
                    self->next_ = reinterpret_cast<HWND>(lParam);
                    return 0;
                }
                return self->next_ ? SendMessageW(self->next_, message, wParam, lParam) : 0;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

ViewerThread::ViewerThread(std::function<void(HWND, UINT)> onMessage) : onMessage_(std::move(onMessage)) {
    thread_ = std::thread([this] { Run(); });
    while (!window_) Sleep(1);
}

ViewerThread::~ViewerThread() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    PumpUntil([this] { return done_.load(); }, std::chrono::seconds(5));
    thread_.join();
}

void ViewerThread::Run() {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ViewerThread::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelmorTestViewerThread";
        return RegisterClassW(&wc);
    }();
    (void)registered;
    const HWND window = CreateWindowExW(0, L"VelmorTestViewerThread", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    next_ = SetClipboardViewer(window);
    window_ = window;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    done_ = true;
}

LRESULT CALLBACK ViewerThread::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ViewerThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_DRAWCLIPBOARD:
            self->onMessage_(window, message);
            if (self->next_) SendMessageW(self->next_, message, wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            self->onMessage_(window, message);
            if (reinterpret_cast<HWND>(wParam) == self->next_) self->next_ = reinterpret_cast<HWND>(lParam);
            else if (self->next_) SendMessageW(self->next_, message, wParam, lParam);
            return 0;
        case WM_CLOSE:
            ChangeClipboardChain(window, self->next_);
            DestroyWindow(window);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace testsupport
