#pragma once
// Runs the real velmor.exe as its own process from a fresh folder and looks
// at its top-level windows from outside, as another program would.
#include <windows.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "platform/OutsideNames.h"
namespace e2e {

// What other programs see of Velmor: the classes its windows are registered
// under, and the message its tray icon sends the main window.
using platform::kAboutBoxClass;
using platform::kClipWindowClass;
using platform::kMainWindowClass;
using platform::kTrayMessage;

struct WindowInfo {
    HWND handle = nullptr;
    std::wstring className;
    std::wstring title;
    bool visible = false;
    RECT rect{};
    LONG style = 0;
    LONG exStyle = 0;
};

// Path of the velmor.exe under test: %VELMOR_EXE%, else the nearest one in a folder above this program.
std::wstring VelmorExePath();

class VelmorProcess {
public:
    // Copies velmor.exe into a new empty folder of its own; with subfolders
    // ("a\\b"), into folders of those names made inside that one.
    explicit VelmorProcess(const std::wstring& subfolders = {});
    // Ends the process if it still runs and removes the folder.
    ~VelmorProcess();
    VelmorProcess(const VelmorProcess&) = delete;
    VelmorProcess& operator=(const VelmorProcess&) = delete;

    const std::wstring& Folder() const noexcept { return folder_; }
    std::wstring ExePath() const { return folder_ + L"\\velmor.exe"; }
    // A file beside the executable (settings, language files), as bytes.
    bool PutFile(const std::wstring& name, const std::string& bytes) const;
    std::string FileBytes(const std::wstring& name) const;

    // Starts the program and returns at once (for callers that time the start-up themselves).
    bool Launch();
    // Starts the program and waits until its main window exists and it waits for input.
    bool Start(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Starts one more process of the same program (a second start); returns its handle.
    HANDLE StartAnother() const;
    DWORD Pid() const noexcept { return info_.dwProcessId; }
    HANDLE Process() const noexcept { return info_.hProcess; }
    bool Running() const;
    // Waits for the process to end (running this thread's messages); returns its exit code or -1.
    long WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    std::vector<WindowInfo> Windows() const;
    std::vector<WindowInfo> WindowsOfClass(const std::wstring& className) const;
    HWND MainWindow() const;
    // Opens the settings window as the user does: tray menu, "&Property".
    bool ShowSettings();
    // Then Help, "&Version" with the keyboard (Alt+H, V); the shown About box or nullptr.
    HWND ShowAbout();
    // The menu shown now (a tray or menu-bar menu), or nullptr.
    HWND ShownMenu() const;
    // The clip windows on screen now.
    std::vector<WindowInfo> VisibleClips() const;

private:
    std::wstring root_;  // the folder of its own, removed at the end
    std::wstring folder_;
    PROCESS_INFORMATION info_{};
};

// Top-level windows of a process. Reading titles sends the process a message
// per window; a caller that needs no titles avoids slowing it down.
std::vector<WindowInfo> WindowsOfProcess(DWORD pid, bool withTitles = true);

// The top-level windows of one class in a process, all or only the shown
// ones. Asks only for that class: every call is a wineserver round trip, and
// a heavy probe would slow down the very program it measures.
std::set<HWND> WindowsOf(DWORD pid, const wchar_t* className);
std::set<HWND> VisibleWindowsOf(DWORD pid, const wchar_t* className);
// The first of them, shown or not, or nullptr.
HWND WindowOf(DWORD pid, const wchar_t* className);

// A window's title, and the text of a clip window's memo.
std::wstring WindowTitle(HWND window);
std::wstring ClipText(HWND clip);

}  // namespace e2e
