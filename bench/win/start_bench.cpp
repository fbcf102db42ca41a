// Measures velmor.exe's start-up from another process: from CreateProcess to
// its tray icon being there, over several starts, each from a fresh folder,
// against the floor (bench/win/tray_floor.cpp: one tray icon and nothing
// else) started the same way, the two taking turns.
// Prints its section of bench/results.md (Markdown).
// VELMOR_BENCH_STARTS (10) sets the number of starts of each.
#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "VelmorProcess.h"
#include "WinTestSupport.h"

namespace {

struct Starts {
    std::vector<double> times;
    std::string each;
    int failed = 0;
};

// One start of the program that VELMOR_EXE names (velmor.exe when unset),
// copied into a fresh folder; the time to its tray icon, or -1.
double TimeToTrayIcon(const wchar_t* className) {
    e2e::VelmorProcess program;
    const double start = bench::NowMs();
    if (!program.Launch()) return -1;
    // The icon's window is found by its class; changing nothing on the icon only succeeds once it is added.
    HWND main = nullptr;
    double ms = -1;
    while (bench::NowMs() - start < 20000 && program.Running()) {
        if (!main) main = e2e::WindowOf(program.Pid(), className);
        if (main && testsupport::TrayIconExists(main)) {
            ms = bench::NowMs() - start;
            break;
        }
        Sleep(1);
    }
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    program.WaitForExit(std::chrono::seconds(10));
    return ms;
}

void Record(Starts& starts, double ms) {
    if (ms < 0) {
        ++starts.failed;
        return;
    }
    starts.times.push_back(ms);
    starts.each += (starts.each.empty() ? "" : ", ") + bench::Fixed(ms, 0);
}

std::string Summary(const Starts& starts) {
    std::string text = std::to_string(starts.times.size()) + " starts: median " +
                       bench::Fixed(bench::Percentile(starts.times, 0.5), 0) + " ms, fastest " +
                       bench::Fixed(bench::Percentile(starts.times, 0), 0) + " ms, slowest " +
                       bench::Fixed(bench::Percentile(starts.times, 1.0), 0) + " ms; in order: " + starts.each + " ms";
    if (starts.failed > 0) text += "; **" + std::to_string(starts.failed) + " starts showed no tray icon within 20 s**";
    return text;
}

}  // namespace

int main() {
    const int count = bench::EnvInt("VELMOR_BENCH_STARTS", 10);
    timeBeginPeriod(1);  // 1 ms sleeps between polls
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring floorPath = self;
    floorPath = floorPath.substr(0, floorPath.find_last_of(L"\\/") + 1) + L"tray_floor.exe";
    const std::wstring velmorPath = e2e::VelmorExePath();

    Starts velmor;
    Starts floor;
    for (int i = 0; i < count; ++i) {
        SetEnvironmentVariableW(L"VELMOR_EXE", floorPath.c_str());
        Record(floor, TimeToTrayIcon(L"VelmorTrayFloor"));
        SetEnvironmentVariableW(L"VELMOR_EXE", velmorPath.c_str());
        Record(velmor, TimeToTrayIcon(platform::kMainWindowClass));
    }
    const double velmorMedian = bench::Percentile(velmor.times, 0.5);
    const double floorMedian = bench::Percentile(floor.times, 0.5);
    std::printf("## Start-up\n\n");
    std::printf(
        "From CreateProcess of the program (a fresh folder each time, no settings file) to its tray icon being "
        "there, polled every millisecond with a NIM_MODIFY that changes nothing; each start is ended with WM_CLOSE "
        "before the next. The floor is `tray_floor.exe` (bench/win/tray_floor.cpp), a program built the same way "
        "that adds one tray icon and nothing else; the two take turns.\n\n");
    std::printf("- velmor.exe, %s.\n", Summary(velmor).c_str());
    std::printf("- The floor, %s.\n", Summary(floor).c_str());
    const bool known = !velmor.times.empty() && !floor.times.empty() && floorMedian > 0;
    const double ratio = known ? velmorMedian / floorMedian : 0;
    std::printf("- Start-up to the tray icon, velmor.exe against the floor: median %s ms against %s ms, %sx "
                "(goal <= 1.20x: %s).\n\n",
                bench::Fixed(velmorMedian, 0).c_str(), bench::Fixed(floorMedian, 0).c_str(),
                bench::Fixed(ratio).c_str(), known && ratio <= 1.2 ? "**met**" : "**missed**");
    return known ? 0 : 1;
}
