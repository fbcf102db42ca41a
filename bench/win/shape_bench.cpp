// Measures what a copied text's shape and the number of open clips cost
// velmor.exe, as the time from a copy in this Windows process to its visible
// clip window:
//  - with the large-text filter off: a short text, one unbroken line of
//    20,000 characters and one of 1 MB (a base64 blob, a minified script);
//  - with 50 clips open (MaxClipCount=50), against the bare viewer keeping 50
//    windows open and hiding the oldest, so that Wine's cost of 50 top-most
//    windows is in both.
// Prints its section of bench/results.md (Markdown): the table rows, then the
// goal lines. VELMOR_EXE names the program (velmor.exe near this one when
// unset), VELMOR_BENCH_LABEL names it in the table; with VELMOR_BENCH_FLOOR=0
// the bare viewer is not measured again (a baseline build's run).
// Usage: velmor_shape_bench [copies of each shape (10)] [copies with 50 clips (200)]
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <functional>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "VelmorProcess.h"
#include "WinTestSupport.h"

namespace {

constexpr int kOpenClips = 50;
// An old build takes seconds for a long line: a copy is waited for that long.
constexpr double kLongWaitMs = 60000;

struct Shape {
    const char* name;
    std::size_t length;  // 0: a short text
};

// A new text of the shape for each copy, so that none is the newest clip's again.
std::wstring TextOf(const Shape& shape, int serial) {
    const std::wstring tag = L"copy " + std::to_wstring(serial) + L" ";
    if (shape.length == 0) return tag + L"a short text";
    std::wstring text = tag;
    text.reserve(shape.length);
    // Base64-like: letters and digits with no place to break a line.
    for (std::size_t i = text.size(); i < shape.length; ++i) text += L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[i % 64];
    return text;
}

std::vector<double> TimeCopies(DWORD pid, HANDLE process, const wchar_t* clipClass, int copies,
                               const std::function<std::wstring(int)>& text, int& serial, int& missed) {
    std::vector<double> times;
    std::set<HWND> seen;
    for (int i = 0; i < copies; ++i) {
        WaitForInputIdle(process, 60000);
        Sleep(20);
        const double ms = bench::CopyUntilNewWindow(pid, clipClass, text(serial++), seen, kLongWaitMs);
        if (ms < 0) ++missed;
        else times.push_back(ms);
    }
    return times;
}

std::string Median(const std::vector<double>& times) {
    return times.empty() ? std::string("none shown") : bench::Fixed(bench::Percentile(times, 0.5)) + " ms";
}

}  // namespace

int main(int argc, char** argv) {
    const int shapeCopies = argc > 1 ? std::atoi(argv[1]) : 10;
    const int crowdCopies = argc > 2 ? std::atoi(argv[2]) : 200;
    char label[64] = "velmor.exe";
    GetEnvironmentVariableA("VELMOR_BENCH_LABEL", label, sizeof label);
    const bool floor = bench::EnvInt("VELMOR_BENCH_FLOOR", 1) != 0;
    timeBeginPeriod(1);
    int serial = 0;

    const Shape shapes[] = {{"short text", 0}, {"one line of 20,000 characters", 20000}, {"one line of 1 MB", 1 << 20}};
    std::vector<std::vector<double>> shapeTimes;
    std::vector<int> shapeMissed;
    {
        e2e::VelmorProcess velmor;
        velmor.PutFile(L"property.ini", "[property]\r\nIgnoreLargeText=0\r\n");
        if (!bench::Started(velmor)) return 1;
        int warmMissed = 0;
        TimeCopies(velmor.Pid(), velmor.Process(), e2e::kClipWindowClass, 5,
                   [&](int n) { return TextOf(shapes[0], n); }, serial, warmMissed);
        for (const Shape& shape : shapes) {
            int missed = 0;
            shapeTimes.push_back(TimeCopies(velmor.Pid(), velmor.Process(), e2e::kClipWindowClass, shapeCopies,
                                            [&](int n) { return TextOf(shape, n); }, serial, missed));
            shapeMissed.push_back(missed);
        }
        bench::Quit(velmor);
    }

    const auto crowd = [&](DWORD pid, HANDLE process, const wchar_t* clipClass, int& missed) {
        // Fill the window limit, then time the copies, each of which closes the oldest.
        int warmMissed = 0;
        TimeCopies(pid, process, clipClass, kOpenClips + 10, [&](int n) { return TextOf(shapes[0], n); }, serial,
                   warmMissed);
        return TimeCopies(pid, process, clipClass, crowdCopies, [&](int n) { return TextOf(shapes[0], n); }, serial,
                          missed);
    };
    int crowdMissed = 0;
    std::vector<double> crowdTimes;
    {
        e2e::VelmorProcess velmor;
        velmor.PutFile(L"property.ini", "[property]\r\nMaxClipCount=50\r\n");
        if (!bench::Started(velmor)) return 1;
        crowdTimes = crowd(velmor.Pid(), velmor.Process(), e2e::kClipWindowClass, crowdMissed);
        bench::Quit(velmor);
    }
    int bareMissed = 0;
    std::vector<double> bareTimes;
    if (floor) {
        bench::BareViewer bare(kOpenClips);
        if (!bare.Started()) {
            std::printf("bare_viewer.exe did not start\n");
            return 1;
        }
        bareTimes = crowd(bare.Pid(), bare.Process(), bench::kBareClip, bareMissed);
    }

    for (std::size_t i = 0; i < shapeTimes.size(); ++i) {
        std::printf("| %s | filter off, %s | %zu | %s | %s | %d |\n", label, shapes[i].name, shapeTimes[i].size(),
                    Median(shapeTimes[i]).c_str(), bench::Fixed(bench::Percentile(shapeTimes[i], 1.0)).c_str(),
                    shapeMissed[i]);
    }
    std::printf("| %s | %d clips open | %zu | %s | %s | %d |\n", label, kOpenClips, crowdTimes.size(),
                Median(crowdTimes).c_str(), bench::Fixed(bench::Percentile(crowdTimes, 1.0)).c_str(), crowdMissed);
    if (floor) {
        std::printf("| bare viewer | %d windows open | %zu | %s | %s | %d |\n", kOpenClips, bareTimes.size(),
                    Median(bareTimes).c_str(), bench::Fixed(bench::Percentile(bareTimes, 1.0)).c_str(), bareMissed);
    }
    std::printf("\n");
    const double shortMs = bench::Percentile(shapeTimes[0], 0.5);
    for (std::size_t i = 1; i < shapeTimes.size(); ++i) {
        const bool shown = !shapeTimes[i].empty() && shapeMissed[i] == 0;
        const double more = bench::Percentile(shapeTimes[i], 0.5) - shortMs;
        std::printf("- %s, %s: median %s, %s ms more than a short text's (goal <= 100 ms: %s).\n", label,
                    shapes[i].name, Median(shapeTimes[i]).c_str(), shown ? bench::Fixed(more).c_str() : "?",
                    shown && more <= 100 ? "**met**" : "**missed**");
    }
    if (floor) {
        const double ratio = bench::Percentile(crowdTimes, 0.5) / bench::Percentile(bareTimes, 0.5);
        std::printf("- %s with %d clips open against the bare viewer with %d windows: median %s against %s, %sx "
                    "(goal <= 1.10x: %s).\n",
                    label, kOpenClips, kOpenClips, Median(crowdTimes).c_str(), Median(bareTimes).c_str(),
                    bench::Fixed(ratio).c_str(), ratio <= 1.1 && crowdMissed == 0 ? "**met**" : "**missed**");
    } else {
        std::printf("- %s with %d clips open: median %s.\n", label, kOpenClips, Median(crowdTimes).c_str());
    }
    std::printf("\n");
    std::fflush(stdout);
    return 0;
}
