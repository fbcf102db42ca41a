#pragma once
// Helpers shared by the Wine test tiers: waiting on conditions while the
// message queue runs, and the clipboard as another program uses it.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

// Runs the thread's messages until pred() holds or the time is up.
bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = std::chrono::seconds(5));
// Runs the thread's messages for a while (for "nothing happens" checks).
void PumpFor(std::chrono::milliseconds duration);

// Puts text on the clipboard (CF_UNICODETEXT), retrying while another program holds it.
bool SetClipboardText(const std::wstring& text, HWND owner = nullptr);
// Puts 8-bit text on the clipboard (CF_TEXT).
bool SetClipboardAnsiText(const std::string& text, HWND owner = nullptr);
// Puts several formats on the clipboard in one change, each as raw bytes.
bool SetClipboardFormats(const std::vector<std::pair<UINT, std::string>>& formats, HWND owner = nullptr);
std::wstring ClipboardText();

// Starts a Unix command line (Wine starts ELF programs like its own); does
// not wait, since their handles are not signalled when they end.
bool StartUnix(std::string command);

// A child window of this class (and, if given, this text); nullptr if none.
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text = nullptr);

// A file kept in the repository (the sample translations), as bytes.
std::string SourceFile(const std::string& relative);

// "section/key" -> value for every key line of an INI text.
std::map<std::string, std::string> IniKeys(const std::string& text);

// Whether a tray icon (window, id) exists: changing nothing on it only succeeds then.
bool TrayIconExists(HWND window, UINT id = 1);

// A hidden window of this thread in the clipboard viewer chain that counts
// the changes it hears of and passes them on.
class ChainViewer {
public:
    ChainViewer();
    ~ChainViewer();
    ChainViewer(const ChainViewer&) = delete;
    ChainViewer& operator=(const ChainViewer&) = delete;

    HWND Handle() const noexcept { return window_; }
    HWND Next() const noexcept { return next_; }
    int Changes() const noexcept { return changes_; }
    void Leave();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
    HWND next_ = nullptr;
    int changes_ = 0;
    bool joined_ = false;
};

// A clipboard viewer on a thread of its own, as another program's would be.
// onMessage sees each WM_DRAWCLIPBOARD and WM_CHANGECBCHAIN, on that thread,
// before the viewer passes it on along the chain.
class ViewerThread {
public:
    explicit ViewerThread(std::function<void(HWND window, UINT message)> onMessage);
    // Leaves the chain, which sends to its first window (maybe this thread's): runs this thread's messages meanwhile.
    ~ViewerThread();
    ViewerThread(const ViewerThread&) = delete;
    ViewerThread& operator=(const ViewerThread&) = delete;

private:
    void Run();
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    std::function<void(HWND, UINT)> onMessage_;
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
    HWND next_ = nullptr;
    std::atomic<bool> done_{false};
};

}  // namespace testsupport
