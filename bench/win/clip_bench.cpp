// Measures the real velmor.exe from another process:
//  - latency: from the copying program's CloseClipboard to the clip window
//    being visible, over many copies (median and 95th percentile);
//  - soak: many copies, then the clip windows alive and the memory growth.
// Usage: velmor_bench [latency copies] [soak copies]
#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

namespace {

// Asks only for windows of the clip class: every call is a wineserver round
// trip, and a heavy probe would slow down the very program it measures.
std::set<HWND> VisibleClips(DWORD pid) {
    std::set<HWND> visible;
    for (HWND window = FindWindowExW(nullptr, nullptr, L"TForm2", nullptr); window;
         window = FindWindowExW(nullptr, window, L"TForm2", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window)) visible.insert(window);
    }
    return visible;
}

size_t ClipWindows(DWORD pid) {
    size_t count = 0;
    for (const auto& window : e2e::WindowsOfProcess(pid, false)) count += window.className == L"TForm2" ? 1 : 0;
    return count;
}

// Committed private memory (Wine reports it as the page-file usage).
SIZE_T PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / frequency;
}

DWORD PollPauseMs() {
    static const DWORD pause = [] {
        const char* value = std::getenv("VELMOR_BENCH_POLL_MS");
        return value ? static_cast<DWORD>(std::atoi(value)) : 1u;
    }();
    return pause;
}

// Copies text and returns the milliseconds until a clip window not seen before is visible, or -1.
double TimeOneCopy(DWORD pid, const std::wstring& text, std::set<HWND>& seen) {
    LARGE_INTEGER start;
    LARGE_INTEGER now;
    if (!testsupport::SetClipboardText(text)) return -1;
    QueryPerformanceCounter(&start);  // right after the CloseClipboard that announces the change
    for (;;) {
        for (HWND clip : VisibleClips(pid)) {
            if (seen.insert(clip).second) {
                QueryPerformanceCounter(&now);
                return Milliseconds(start, now);
            }
        }
        QueryPerformanceCounter(&now);
        if (Milliseconds(start, now) > 3000) return -1;
        // Polling without a pause would keep wineserver, which Velmor needs too, busy.
        Sleep(PollPauseMs());
    }
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
    return values[index];
}

}  // namespace

int main(int argc, char** argv) {
    const int latencyCopies = argc > 1 ? std::atoi(argv[1]) : 300;
    const int soakCopies = argc > 2 ? std::atoi(argv[2]) : 10000;

    timeBeginPeriod(1);  // 1 ms sleeps between polls
    e2e::VelmorProcess velmor;
    if (!velmor.Start()) {
        std::printf("velmor.exe did not start\n");
        return 1;
    }
    std::set<HWND> seen = VisibleClips(velmor.Pid());
    // Warm up: the first windows pay for class registration and font loading.
    for (int i = 0; i < 20; ++i) TimeOneCopy(velmor.Pid(), L"warm-up " + std::to_wstring(i), seen);

    std::vector<double> latencies;
    int missed = 0;
    for (int i = 0; i < latencyCopies; ++i) {
        // People copy seconds apart: let Velmor finish with one copy before the next.
        WaitForInputIdle(velmor.Process(), 1000);
        Sleep(20);
        const double ms = TimeOneCopy(velmor.Pid(), L"latency copy " + std::to_wstring(i), seen);
        if (ms < 0) ++missed;
        else latencies.push_back(ms);
    }
    if (latencies.empty()) {
        std::printf("no clip window appeared\n");
        return 1;
    }
    std::printf("latency over %zu copies: median %.2f ms, 95th percentile %.2f ms, max %.2f ms, missed %d\n",
                latencies.size(), Percentile(latencies, 0.5), Percentile(latencies, 0.95),
                Percentile(latencies, 1.0), missed);

    const SIZE_T before = PrivateBytes(velmor.Process());
    size_t mostWindows = 0;
    for (int i = 0; i < soakCopies; ++i) {
        testsupport::SetClipboardText(L"soak copy " + std::to_wstring(i));
        // Let Velmor keep up, as a user's copies are spaced too; sample the window count now and then.
        testsupport::PumpUntil([&] { return VisibleClips(velmor.Pid()).size() >= 1; }, std::chrono::milliseconds(50));
        if (i % 100 == 0) mostWindows = std::max(mostWindows, ClipWindows(velmor.Pid()));
        if (i % 10 == 0) Sleep(1);
    }
    testsupport::PumpFor(std::chrono::milliseconds(500));
    const SIZE_T after = PrivateBytes(velmor.Process());
    const long long growth = static_cast<long long>(after) - static_cast<long long>(before);
    std::printf("soak of %d copies: clip windows alive %zu (most seen %zu), private memory %.2f MB -> %.2f MB, growth %.2f MB\n",
                soakCopies, ClipWindows(velmor.Pid()), std::max(mostWindows, ClipWindows(velmor.Pid())),
                static_cast<double>(before) / 1048576.0, static_cast<double>(after) / 1048576.0,
                static_cast<double>(growth) / 1048576.0);
    return 0;
}
