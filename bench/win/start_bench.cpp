// Measures velmor.exe's start-up from another process: from CreateProcess to
// its tray icon being there, over several starts, each from a fresh folder.
// Prints its section of bench/results.md (Markdown).
// VELMOR_BENCH_STARTS (10) sets the number of starts.
#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "VelmorProcess.h"
#include "WinTestSupport.h"

int main() {
    const int starts = bench::EnvInt("VELMOR_BENCH_STARTS", 10);
    timeBeginPeriod(1);  // 1 ms sleeps between polls
    std::vector<double> times;
    std::string each;
    int failed = 0;
    for (int i = 0; i < starts; ++i) {
        e2e::VelmorProcess velmor;
        const double start = bench::NowMs();
        if (!velmor.Launch()) {
            ++failed;
            continue;
        }
        // The icon's window is the main window; changing nothing on the icon only succeeds once it is added.
        HWND main = nullptr;
        double ms = -1;
        while (bench::NowMs() - start < 20000 && velmor.Running()) {
            if (!main) main = e2e::WindowOf(velmor.Pid(), e2e::kMainWindowClass);
            if (main && testsupport::TrayIconExists(main)) {
                ms = bench::NowMs() - start;
                break;
            }
            Sleep(1);
        }
        if (ms < 0) {
            ++failed;
        } else {
            times.push_back(ms);
            each += (each.empty() ? "" : ", ") + bench::Fixed(ms, 0);
        }
        PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
        velmor.WaitForExit(std::chrono::seconds(10));
    }
    std::printf("## Start-up\n\n");
    std::printf(
        "From CreateProcess of `velmor.exe` (a fresh folder each time, no settings file) to its tray icon being "
        "there, polled every millisecond with a NIM_MODIFY that changes nothing; each start is ended with WM_CLOSE "
        "before the next.\n\n");
    std::printf("- Start-up to the tray icon, %zu starts: median %s ms, fastest %s ms, slowest %s ms; in order: %s ms",
                times.size(), bench::Fixed(bench::Percentile(times, 0.5), 0).c_str(),
                bench::Fixed(bench::Percentile(times, 0), 0).c_str(),
                bench::Fixed(bench::Percentile(times, 1.0), 0).c_str(), each.c_str());
    if (failed > 0) std::printf("; **%d starts showed no tray icon within 20 s**", failed);
    std::printf(" (no goal set).\n\n");
    return times.empty() ? 1 : 0;
}
