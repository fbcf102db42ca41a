#include "VelmorProcess.h"

#include <shellapi.h>

#include <algorithm>

#include "WinTestSupport.h"

namespace e2e {

namespace {

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }

std::wstring NewTempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    for (;;) {
        const std::wstring folder = std::wstring(temp) + L"velmor-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                                    L"-" + std::to_wstring(++serial);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

// The next top-level window of a class after `after` (the first for null) that the process owns.
HWND NextWindowOf(DWORD pid, const wchar_t* className, HWND after) {
    for (HWND window = FindWindowExW(nullptr, after, className, nullptr); window;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid) return window;
    }
    return nullptr;
}

std::set<HWND> WindowsOf(DWORD pid, const wchar_t* className, bool visibleOnly) {
    std::set<HWND> found;
    for (HWND window = NextWindowOf(pid, className, nullptr); window; window = NextWindowOf(pid, className, window)) {
        if (!visibleOnly || IsWindowVisible(window)) found.insert(window);
    }
    return found;
}

void RemoveFolder(const std::wstring& folder) {
    std::wstring from = folder;
    from.push_back(L'\0');  // SHFileOperation takes a double-terminated list
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

}  // namespace

std::wstring VelmorExePath() {
    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(L"VELMOR_EXE", value, MAX_PATH) > 0) return value;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    // The build folder holds velmor.exe above the test and benchmark programs.
    for (std::wstring folder = Folder(self); folder.find_first_of(L"\\/") != std::wstring::npos; folder = Folder(folder)) {
        const std::wstring candidate = folder + L"\\velmor.exe";
        if (GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return L"velmor.exe";
}

VelmorProcess::VelmorProcess(const std::wstring& subfolders) : root_(NewTempFolder()), folder_(root_) {
    for (std::size_t at = 0; at < subfolders.size();) {
        const std::size_t end = std::min(subfolders.find(L'\\', at), subfolders.size());
        folder_ += L"\\" + subfolders.substr(at, end - at);
        CreateDirectoryW(folder_.c_str(), nullptr);
        at = end + 1;
    }
    CopyFileW(VelmorExePath().c_str(), ExePath().c_str(), FALSE);
}

VelmorProcess::~VelmorProcess() {
    if (info_.hProcess) {
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    RemoveFolder(root_);
}

bool VelmorProcess::PutFile(const std::wstring& name, const std::string& bytes) const {
    const HANDLE file = CreateFileW((folder_ + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string VelmorProcess::FileBytes(const std::wstring& name) const {
    const HANDLE file = CreateFileW((folder_ + L"\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

HWND VelmorProcess::ShownMenu() const {
    for (const auto& window : Windows()) {
        if (window.className == L"#32768" && window.visible) return window.handle;
    }
    return nullptr;
}

std::vector<WindowInfo> VelmorProcess::VisibleClips() const {
    auto clips = WindowsOfClass(kClipWindowClass);
    std::erase_if(clips, [](const WindowInfo& clip) { return !clip.visible; });
    return clips;
}

bool VelmorProcess::ShowSettings() {
    const HWND main = MainWindow();
    if (!main) return false;
    PostMessageW(main, kTrayMessage, 1, WM_LBUTTONDOWN);
    HWND menu = nullptr;
    testsupport::PumpUntil([&] { return (menu = ShownMenu()) != nullptr; }, std::chrono::seconds(3));
    if (!menu) return false;
    // "&Property" is the first item, whatever a language file calls it.
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return testsupport::PumpUntil([&] { return IsWindowVisible(main) != FALSE; }, std::chrono::seconds(3));
}

HWND VelmorProcess::ShowAbout() {
    if (!ShowSettings()) return nullptr;
    PostMessageW(MainWindow(), WM_SYSCOMMAND, SC_KEYMENU, L'h');
    HWND menu = nullptr;
    testsupport::PumpUntil([&] { return (menu = ShownMenu()) != nullptr; }, std::chrono::seconds(3));
    if (!menu) return nullptr;
    PostMessageW(menu, WM_CHAR, L'v', 0);
    HWND about = nullptr;
    testsupport::PumpUntil(
        [&] {
            for (const auto& dialog : WindowsOfClass(kAboutBoxClass)) {
                if (dialog.visible) about = dialog.handle;
            }
            return about != nullptr;
        },
        std::chrono::seconds(3));
    return about;
}

bool VelmorProcess::Launch() {
    // The program of the test before may still be ending (Wine ends a killed
    // process a moment after its handle says so): a start now would find it
    // running and end at once.
    for (int wait = 0; wait < 500; ++wait) {
        const HANDLE earlier = OpenMutexA(SYNCHRONIZE, FALSE, platform::kInstanceMutex);
        if (!earlier) break;
        CloseHandle(earlier);
        Sleep(10);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + ExePath() + L"\"";
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                          &info_) != FALSE;
}

bool VelmorProcess::Start(std::chrono::milliseconds timeout) {
    if (!Launch()) return false;
    return testsupport::PumpUntil(
        [&] {
            if (!Running()) return true;
            return MainWindow() != nullptr && WaitForInputIdle(info_.hProcess, 0) == 0;
        },
        timeout) && Running();
}

HANDLE VelmorProcess::StartAnother() const {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION other{};
    std::wstring command = L"\"" + ExePath() + L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                        &other)) {
        return nullptr;
    }
    CloseHandle(other.hThread);
    return other.hProcess;
}

bool VelmorProcess::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

long VelmorProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (!testsupport::PumpUntil([&] { return !Running(); }, timeout)) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

std::vector<WindowInfo> WindowsOfProcess(DWORD pid, bool withTitles) {
    struct Search {
        DWORD pid;
        bool withTitles;
        std::vector<WindowInfo> found;
    } search{pid, withTitles, {}};
    EnumWindows(
        [](HWND window, LPARAM value) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(value);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s.pid) return TRUE;
            WindowInfo info;
            info.handle = window;
            wchar_t text[512];
            GetClassNameW(window, text, 512);
            info.className = text;
            if (s.withTitles) {
                GetWindowTextW(window, text, 512);
                info.title = text;
            }
            info.visible = IsWindowVisible(window);
            GetWindowRect(window, &info.rect);
            info.style = GetWindowLongW(window, GWL_STYLE);
            info.exStyle = GetWindowLongW(window, GWL_EXSTYLE);
            s.found.push_back(info);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<WindowInfo> VelmorProcess::Windows() const { return WindowsOfProcess(Pid()); }

std::vector<WindowInfo> VelmorProcess::WindowsOfClass(const std::wstring& className) const {
    std::vector<WindowInfo> result;
    for (auto& window : Windows()) {
        if (window.className == className) result.push_back(window);
    }
    return result;
}

std::set<HWND> WindowsOf(DWORD pid, const wchar_t* className) { return WindowsOf(pid, className, false); }

std::set<HWND> VisibleWindowsOf(DWORD pid, const wchar_t* className) { return WindowsOf(pid, className, true); }

HWND WindowOf(DWORD pid, const wchar_t* className) { return NextWindowOf(pid, className, nullptr); }

std::wstring WindowTitle(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClipText(HWND clip) {
    const HWND memo = FindWindowExW(clip, nullptr, L"Edit", nullptr);
    std::wstring text(static_cast<size_t>(SendMessageW(memo, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND VelmorProcess::MainWindow() const {
    const auto found = WindowsOfClass(kMainWindowClass);
    return found.empty() ? nullptr : found.front().handle;
}

}  // namespace e2e
