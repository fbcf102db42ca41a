#include "BenchSupport.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <cstring>

#include "WinTestSupport.h"

namespace bench {

namespace {

std::string ReadWholeFile(const std::wstring& path) {
    // /proc files report no size: read until the end.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    result.resize(std::strlen(result.c_str()));
    return result;
}

// The NUL-separated entries of a /proc environ file.
std::vector<std::string> EnvironEntries(const std::wstring& path) {
    std::vector<std::string> entries;
    const std::string bytes = ReadWholeFile(path);
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = std::min(bytes.find('\0', at), bytes.size());
        entries.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    return entries;
}

// The Unix process whose command line holds `part`, through Wine's Z: drive;
// 0 when there is none. Wine processes of other prefixes on the machine may
// run the same command line: ours have our WINEPREFIX.
unsigned FindUnixPid(const std::string& part) {
    std::string prefix;
    for (const std::string& entry : EnvironEntries(L"Z:\\proc\\self\\environ")) {
        if (entry.rfind("WINEPREFIX=", 0) == 0) prefix = entry;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    unsigned pid = 0;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName;
        std::string line = ReadWholeFile(folder + L"\\cmdline");
        std::replace(line.begin(), line.end(), '\0', ' ');
        if (line.find(part) == std::string::npos) continue;
        const std::vector<std::string> environment = EnvironEntries(folder + L"\\environ");
        if (prefix.empty() || std::find(environment.begin(), environment.end(), prefix) != environment.end()) {
            pid = static_cast<unsigned>(_wtoi(found.cFileName));
        }
    } while (pid == 0 && FindNextFileW(search, &found));
    FindClose(search);
    return pid;
}

double FileTimeSeconds(const FILETIME& time) {
    return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
}

}  // namespace

double NowMs() {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
    return values[index];
}

int EnvInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

int WindowCount(DWORD pid) {
    int count = 0;
    for (const e2e::WindowInfo& window : e2e::WindowsOfProcess(pid, false)) {
        ++count;
        EnumChildWindows(
            window.handle,
            [](HWND, LPARAM windows) -> BOOL {
                ++*reinterpret_cast<int*>(windows);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

double CopyUntilNewWindow(DWORD pid, const wchar_t* className, const std::wstring& text, std::set<HWND>& seen,
                          double timeoutMs) {
    // The windows shown before this copy: a program may show one it showed
    // before again (Velmor keeps a closed clip window for the next clip).
    seen = e2e::VisibleWindowsOf(pid, className);
    const size_t shownBefore = seen.size();
    if (!testsupport::SetClipboardText(text)) return -1;
    const double start = NowMs();  // right after the CloseClipboard that announces the change
    for (;;) {
        for (HWND window : e2e::VisibleWindowsOf(pid, className)) {
            if (!seen.insert(window).second) continue;
            const double ms = NowMs() - start;
            // Not timed: wait until the program has hidden the window this clip
            // displaces (it may show that one again for the next clip), so that
            // the next copy starts from the windows it really shows. Only
            // looking: a message sent to the program would change what is measured.
            const double found = NowMs();
            while (e2e::VisibleWindowsOf(pid, className).size() > shownBefore && NowMs() - found < 50) Sleep(1);
            return ms;
        }
        if (NowMs() - start > timeoutMs) return -1;
        // Polling without a pause would keep wineserver, which the program needs too, busy.
        Sleep(1);
    }
}

ProcessMeter::ProcessMeter(HANDLE process, const std::wstring& commandLinePart) : process_(process) {
    // Only Wine has a Z:\proc; a process just started may not show there at once.
    if (GetFileAttributesW(L"Z:\\proc\\self") == INVALID_FILE_ATTRIBUTES) return;
    const std::string part = Utf8(commandLinePart);
    for (int attempt = 0; attempt < 100 && unixPid_ == 0; ++attempt) {
        unixPid_ = FindUnixPid(part);
        if (unixPid_ == 0) Sleep(20);
    }
}

double ProcessMeter::CpuSeconds() const {
    if (unixPid_ == 0) {
        FILETIME created;
        FILETIME ended;
        FILETIME kernel;
        FILETIME user;
        if (!GetProcessTimes(process_, &created, &ended, &kernel, &user)) return 0;
        return FileTimeSeconds(kernel) + FileTimeSeconds(user);
    }
    // utime and stime are the 14th and 15th fields, in clock ticks of 1/100 s;
    // the name in parentheses may hold blanks, so count from its end.
    const std::string stat = ReadWholeFile(L"Z:\\proc\\" + std::to_wstring(unixPid_) + L"\\stat");
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) return 0;
    unsigned long long user = 0;
    unsigned long long system = 0;
    if (std::sscanf(stat.c_str() + nameEnd + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                    &system) != 2) {
        return 0;
    }
    return static_cast<double>(user + system) / 100.0;
}

long long ProcessMeter::Waits() const {
    if (unixPid_ == 0) return -1;
    const std::wstring tasks = L"Z:\\proc\\" + std::to_wstring(unixPid_) + L"\\task\\";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((tasks + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    long long total = 0;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
        const std::string status = ReadWholeFile(tasks + found.cFileName + L"\\status");
        constexpr char kKey[] = "\nvoluntary_ctxt_switches:";
        const size_t at = status.find(kKey);
        if (at != std::string::npos) total += std::atoll(status.c_str() + at + std::strlen(kKey));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return total;
}

AnonymousMemory ProcessMeter::Anonymous() const {
    AnonymousMemory memory;
    if (unixPid_ == 0) return memory;
    // Each mapping starts with a line "start-end perms offset dev inode [name]"; its
    // "Anonymous:" line follows. The Unix heap is the one named [heap].
    const std::string smaps = ReadWholeFile(L"Z:\\proc\\" + std::to_wstring(unixPid_) + L"\\smaps");
    bool unixHeap = false;
    for (size_t at = 0; at < smaps.size();) {
        const size_t end = std::min(smaps.find('\n', at), smaps.size());
        const std::string line = smaps.substr(at, end - at);
        at = end + 1;
        if (line.rfind("Anonymous:", 0) == 0) {
            const double mb = std::atof(line.c_str() + std::strlen("Anonymous:")) / 1024.0;
            (unixHeap ? memory.unixHeapMb : memory.otherMb) += mb;
        } else if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
                   line.find('-') < line.find(' ')) {
            unixHeap = line.find("[heap]") != std::string::npos;
        }
    }
    memory.known = true;
    return memory;
}

ProcessMeter MeterOf(const e2e::VelmorProcess& velmor) {
    // Its folder's name is unique.
    const std::wstring& folder = velmor.Folder();
    return ProcessMeter(velmor.Process(), folder.substr(folder.find_last_of(L'\\') + 1));
}

bool Started(e2e::VelmorProcess& velmor) {
    if (velmor.Start()) return true;
    std::printf("velmor.exe did not start\n");
    return false;
}

SIZE_T PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

SIZE_T WorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return counters.WorkingSetSize;
}

std::string GuiResources(HANDLE process, DWORD kind) {
    SetLastError(0);
    const DWORD count = GetGuiResources(process, kind);
    const DWORD error = GetLastError();
    if (count == 0 && error == ERROR_CALL_NOT_IMPLEMENTED) {
        return "none (GetGuiResources is not implemented: error 120)";
    }
    if (count == 0 && error != 0) return "none (GetGuiResources failed: error " + std::to_string(error) + ")";
    return std::to_string(count);
}

int GdiHandleTableCount(HANDLE process) {
    // The table's layout on 64-bit Windows, which Wine keeps too.
    struct Entry {
        ULONGLONG object;
        ULONG owner;
        USHORT unique;  // bit 7: a stock object
        UCHAR type;     // 0: a free entry
        UCHAR flags;
        ULONGLONG userPointer;
    };
    static_assert(sizeof(Entry) == 24);
    constexpr size_t kEntries = 0x10000;
    constexpr size_t kTableOffsetInPeb = 0xF8;
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    const char* const peb = static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress));
    ULONGLONG table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, peb + kTableOffsetInPeb, &table, sizeof table, &read) || table == 0) return -1;
    std::vector<Entry> entries(kEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), kEntries * sizeof(Entry),
                           &read)) {
        return -1;
    }
    int count = 0;
    for (const Entry& entry : entries) count += entry.type != 0 && (entry.unique & 0x80) == 0;
    return count;
}

void Quit(e2e::VelmorProcess& velmor) {
    PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
    velmor.WaitForExit(std::chrono::seconds(10));
}

BareViewer::BareViewer(int windowsKept) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command(self);
    command = L"\"" + command.substr(0, command.find_last_of(L"\\/") + 1) + L"bare_viewer.exe\" " +
              std::to_wstring(windowsKept);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
        return;
    }
    testsupport::PumpUntil(
        [&] {
            window_ = e2e::WindowOf(info_.dwProcessId, L"VelmorBareViewer");
            return window_ != nullptr && WaitForInputIdle(info_.hProcess, 0) == 0;
        },
        std::chrono::seconds(20));
}

BareViewer::~BareViewer() {
    if (!info_.hProcess) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

}  // namespace bench
