// Measures what a large copied text costs velmor.exe: for each size, the
// Linux side copies a text with xclip (scripts/bench.sh serves the requests
// this program writes into a shared folder); meanwhile this program sends
// velmor.exe's main window WM_NULL again and again and keeps the longest
// wait for an answer, samples its private memory for the peak, and notes
// when a clip window shows. With the large-text filter on (default settings)
// and off. Prints its section of bench/results.md (Markdown).
// Usage: velmor_large_bench <request folder> [seconds per copy (12)]
// VELMOR_EXE names the program (velmor.exe near this one when unset);
// VELMOR_BENCH_LABEL names it in the table; VELMOR_BENCH_LARGE_MB the sizes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "VelmorProcess.h"
#include "WinTestSupport.h"

namespace {


constexpr double kMb = 1024.0 * 1024.0;

struct Episode {
    double textMb = 0;
    bool filter = true;
    double baseMb = 0;
    double peakGrowthMb = 0;
    double longestWaitMs = 0;  // for an answer to WM_NULL
    double visibleMs = -1;     // from the request to a new shown clip window
};

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Asks the Linux side for a copy and waits until it is made.
void RequestCopy(const std::wstring& folder, long long bytes) {
    const std::wstring request = folder + L"\\copy-" + std::to_wstring(bytes) + L".req";
    CloseHandle(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (int i = 0; i < 3000 && FileExists(request); ++i) Sleep(10);
}

Episode CopyLarge(const e2e::VelmorProcess& velmor, const std::wstring& folder, long long bytes, bool filter, int seconds) {
    Episode episode;
    episode.textMb = static_cast<double>(bytes) / kMb;
    episode.filter = filter;
    const HWND main = velmor.MainWindow();
    std::set<HWND> before = e2e::VisibleWindowsOf(velmor.Pid(), e2e::kClipWindowClass);
    episode.baseMb = static_cast<double>(bench::PrivateBytes(velmor.Process())) / kMb;
    double peak = episode.baseMb;
    // The request: the Linux side copies `bytes` of text with xclip, then removes the file.
    const std::wstring request = folder + L"\\copy-" + std::to_wstring(bytes) + L".req";
    CloseHandle(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const double start = bench::NowMs();
    while (bench::NowMs() - start < seconds * 1000.0) {
        const double sent = bench::NowMs();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
        episode.longestWaitMs = std::max(episode.longestWaitMs, bench::NowMs() - sent);
        peak = std::max(peak, static_cast<double>(bench::PrivateBytes(velmor.Process())) / kMb);
        if (episode.visibleMs < 0) {
            for (const HWND window : e2e::VisibleWindowsOf(velmor.Pid(), e2e::kClipWindowClass)) {
                if (!before.count(window)) episode.visibleMs = bench::NowMs() - start;
            }
        }
        Sleep(5);
    }
    if (FileExists(request)) std::fprintf(stderr, "the copy of %lld bytes was not served\n", bytes);
    episode.peakGrowthMb = peak - episode.baseMb;
    return episode;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: velmor_large_bench <request folder> [seconds per copy]\n");
        return 2;
    }
    const std::string folderArg = argv[1];
    const std::wstring folder(folderArg.begin(), folderArg.end());
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 12;
    char label[64] = "velmor.exe";
    GetEnvironmentVariableA("VELMOR_BENCH_LABEL", label, sizeof label);
    // VELMOR_BENCH_LARGE_MB: the sizes in MB, separated by commas (10,100).
    char sizesText[128] = "10,100";
    GetEnvironmentVariableA("VELMOR_BENCH_LARGE_MB", sizesText, sizeof sizesText);
    std::vector<long long> sizes;
    for (const char* next = sizesText; *next;) {
        char* end = nullptr;
        const long long mb = std::strtoll(next, &end, 10);
        if (end == next) break;
        if (mb > 0 && mb <= 100) sizes.push_back(mb << 20);
        next = *end == ',' ? end + 1 : end;
    }
    std::vector<Episode> episodes;
    for (const bool filter : {true, false}) {
        e2e::VelmorProcess velmor;
        if (!filter) velmor.PutFile(L"property.ini", "[property]\r\nIgnoreLargeText=0\r\n");
        if (!velmor.Start()) {
            std::printf("velmor.exe did not start\n");
            return 1;
        }
        Sleep(1000);
        for (const long long bytes : sizes) {
            episodes.push_back(CopyLarge(velmor, folder, bytes, filter, seconds));
            Sleep(1000);
        }
        // A small text last, so that the next start does not find a large one waiting.
        RequestCopy(folder, 16);
        Sleep(500);
        PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
        velmor.WaitForExit(std::chrono::seconds(20));
    }
    for (const Episode& e : episodes) {
        std::printf("| %s | %.0f MB | %s | %.1f MB | %.1f MB | %.0f ms | %s |\n", label, e.textMb,
                    e.filter ? "on (1000 bytes)" : "off", e.baseMb, e.peakGrowthMb, e.longestWaitMs,
                    e.visibleMs < 0 ? "none shown" : (bench::Fixed(e.visibleMs, 0) + " ms").c_str());
    }
    std::printf("\n");
    for (const Episode& e : episodes) {
        // The clipboard's own UTF-16 block is read into the process. With the
        // filter on, nothing more is kept; with it off, the text is kept for
        // the clip's copy back, at most at half the block's size beside it.
        const double utf16Mb = 2 * e.textMb;
        const double allowed = e.filter ? utf16Mb + 10 : 1.5 * utf16Mb + 10;
        std::printf("- Large text of %.0f MB with the filter %s (%s): the main window's longest wait for an answer "
                    "%.0f ms (goal <= 1000 ms: %s); peak private memory +%.1f MB (goal <= %.0f MB, its UTF-16 size%s "
                    "plus 10 MB: %s)",
                    e.textMb, e.filter ? "on" : "off", label, e.longestWaitMs,
                    e.longestWaitMs <= 1000 ? "**met**" : "**missed**", e.peakGrowthMb, allowed,
                    e.filter ? "" : " times 1.5", e.peakGrowthMb <= allowed ? "**met**" : "**missed**");
        if (!e.filter) {
            std::printf("; clip shown after %s (no goal set)",
                        e.visibleMs < 0 ? "none shown" : (bench::Fixed(e.visibleMs, 0) + " ms").c_str());
        }
        std::printf(".\n");
    }
    std::printf("\n");
    return 0;
}
